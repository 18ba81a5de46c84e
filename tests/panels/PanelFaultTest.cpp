// A host failure injected at every host call of one move and one alignment, with the
// module's panel code running in this process so that the code it returns can be read:
// nothing crashes or leaks, the injected code is the one returned, and the document is
// never left half changed.
#include "PanelFixture.h"

#include "support/ModuleCodeTest.h"

#include "host/docsuites/DocumentSession.h"
#include "host/geometry/ArtBounds.h"
#include "panels/MoveLayerPanel.h"
#include "panels/TextAlignPanel.h"

#include <cmath>
#include <map>

namespace paneltest {
namespace {

constexpr HostErr kFault = HOST_FOURCC('F', 'A', 'L', 'T');

class PanelFaults : public cartotest::ModuleCodeTest {
protected:
    void StopHost() override {
        move_.reset();
        align_.reset();
        ModuleCodeTest::StopHost();
    }

    // A fresh map with the selection; the panels are made once.
    void Fresh(const std::vector<std::string>& selection) {
        app().faults().clear();
        OpenSession(SampleMap());
        FindArt(doc(), "town")->text()->para.justification = host::kJustifyCenter;
        ASSERT_NE(AddRiver(doc()), nullptr);
        if (!move_) {
            move_ = std::make_unique<CMoveLayerPanel>(pluginRef());
            ASSERT_EQ(move_->Create(), kHostNoErr);
            align_ = std::make_unique<CTextAlignPanel>(pluginRef());
            ASSERT_EQ(align_->Create(), kHostNoErr);
        }
        move_->RefreshLayerTree();
        for (const std::string& name : selection)
            ASSERT_EQ(doc().setUserAttributes(*FindArt(doc(), name), host::kAttrSelected,
                                              host::kAttrSelected),
                      kHostNoErr);
    }

    /** Calls of each operation while work runs once without faults. */
    template <class Work>
    std::map<std::string, std::uint64_t> CallsOf(const std::vector<std::string>& ops, Work work) {
        std::map<std::string, std::uint64_t> before;
        for (const std::string& op : ops)
            before[op] = Calls(op.c_str());
        EXPECT_EQ(work(), kHostNoErr);
        std::map<std::string, std::uint64_t> calls;
        for (const std::string& op : ops)
            calls[op] = Calls(op.c_str()) - before[op];
        return calls;
    }

    host::DocumentSession& Session() { return *host::DocumentSession::of(app()); }

    std::unique_ptr<CMoveLayerPanel> move_;
    std::unique_ptr<CTextAlignPanel> align_;
};

TEST_F(PanelFaults, EveryHostCallOfAMoveFailsCleanly) {
    const std::vector<std::string> ops = {
        "PushAppContext",  "PopAppContext",      "GetFirstLayer",   "GetNextPreorderLayer",
        "NewArtSet",       "SelectedArtSet",     "CountArtSet",     "IndexArtSet",
        "DisposeArtSet",   "GetFirstArtOfLayer", "NewArt",          "GetLayerOfArt",
        "GetArtType",      "GetArtUserAttr",     "GetArtSibling",   "GetArtFirstChild",
        "ReorderArt",      "DisposeArt",         "GetLayerVisible", "GetLayerEditable",
        "SetLayerVisible", "SetLayerEditable",   "MessageAlert"};
    // Two objects into a new group (b is on the target already), and one object alone into
    // a hidden, locked target that the module opens for the move and must close again.
    const std::vector<std::vector<std::string>> selections = {{"road1", "area", "b"}, {"road2"}};
    for (const std::vector<std::string>& selection : selections) {
        const bool closed = selection.size() == 1;
        const auto fresh = [&] {
            Fresh(selection);
            host::Layer* labels = FindLayer(doc(), "Labels");
            labels->visible = labels->editable = !closed;
        };
        fresh();
        move_->SetGroupOption(true);
        const auto target = [&] { return FindLayer(doc(), "Labels")->handle(); };
        const std::map<std::string, std::uint64_t> calls =
            CallsOf(ops, [&] { return move_->MoveSelectionToLayer(target()); });
        std::uint64_t total = 0;
        for (const auto& entry : calls)
            total += entry.second;
        EXPECT_GT(total, selection.size() * 5);
        // Opened and closed again, each flag.
        EXPECT_EQ(calls.at("SetLayerVisible"), closed ? 2u : 0u);
        EXPECT_EQ(calls.at("SetLayerEditable"), closed ? 2u : 0u);
        for (const auto& [op, count] : calls) {
            for (std::uint64_t k = 1; k <= count; ++k) {
                SCOPED_TRACE(op + " call " + std::to_string(k) + " of " + std::to_string(count) +
                             ", " + selection.front());
                fresh();
                const std::uint64_t fired = app().faults().fired();
                app().faults().failOperation(op, kFault, k);
                const HostErr result = move_->MoveSelectionToLayer(target());
                EXPECT_EQ(app().faults().fired(), fired + 1);
                EXPECT_TRUE(result == kHostNoErr || result == kFault) << result;
                // A set the host refuses to dispose of is the host's to keep.
                EXPECT_EQ(Session().liveArtSets(), op == "DisposeArtSet" ? 1u : 0u);
                // A pop the host refuses leaves the context with the host.
                EXPECT_EQ(app().contexts().depth(), op == "PopAppContext" ? 1u : 0u);
                app().contexts().unwindTo(0);
                const host::Layer* labels = FindLayer(doc(), "Labels");
                // Closing the target again is tried for each flag, and reported when refused.
                const bool reopened = closed && k == 2 && op.starts_with("SetLayer");
                if (reopened) {
                    EXPECT_EQ(result, kFault);
                }
                EXPECT_EQ(labels->visible, !closed || (reopened && op == "SetLayerVisible"));
                EXPECT_EQ(labels->editable, !closed || (reopened && op == "SetLayerEditable"));
                // Every object is still there, on its own layer or on the target.
                for (const std::string& name : selection) {
                    const std::string layer = LayerOf(doc(), name);
                    EXPECT_TRUE(layer == "Labels" || layer == LayerOf(*SampleMap(), name))
                        << name << " on " << layer;
                }
                if (result == kFault && op != "MessageAlert") {
                    ASSERT_FALSE(Messages().empty());
                    EXPECT_EQ(Messages().back(), kFailed);
                }
            }
        }
    }
}

TEST_F(PanelFaults, EveryHostCallOfAnAlignmentFailsCleanly) {
    const std::vector<std::string> ops = {"NewArtSet",
                                          "SelectedArtSet",
                                          "CountArtSet",
                                          "IndexArtSet",
                                          "DisposeArtSet",
                                          "GetArtType",
                                          "GetATETextRange",
                                          "GetOrientation",
                                          "GetType",
                                          "GetPointTextAnchor",
                                          "GetATETextFrame",
                                          "GetUniqueParaFeatures",
                                          "GetJustification",
                                          "SetJustification",
                                          "SetLocalParaFeatures",
                                          "RedrawDocument",
                                          "GetArtBounds",
                                          "SetOrientation",
                                          "MatrixSetTranslate",
                                          "TransformArt",
                                          "Initialize",
                                          "Clone",
                                          "AddRef",
                                          "Release",
                                          "MessageAlert"};
    const std::vector<std::string> selection = {"road1", "town", "river"};
    Fresh(selection);
    const std::map<std::string, std::uint64_t> calls =
        CallsOf(ops, [&] { return align_->AlignSelectedText(0, 0); });
    EXPECT_GE(calls.at("GetArtBounds"), 2u);
    EXPECT_GT(calls.at("TransformArt"), 0u);
    for (const auto& [op, count] : calls) {
        for (std::uint64_t k = 1; k <= count; ++k) {
            SCOPED_TRACE(op + " call " + std::to_string(k) + " of " + std::to_string(count));
            Fresh(selection);
            std::map<std::string, host::TextData> before;
            std::map<std::string, HostRealRect> bounds;
            for (const char* name : {"town", "river"}) {
                before[name] = *FindArt(doc(), name)->text();
                bounds[name] = *host::artBounds(doc(), *FindArt(doc(), name));
            }
            const std::uint64_t fired = app().faults().fired();
            app().faults().failOperation(op, kFault, k);
            const HostErr result = align_->AlignSelectedText(0, 0);
            EXPECT_EQ(app().faults().fired(), fired + 1);
            EXPECT_TRUE(result == kHostNoErr || result == kFault) << result;
            EXPECT_EQ(Session().liveArtSets(), op == "DisposeArtSet" ? 1u : 0u);
            for (const char* name : {"town", "river"}) {
                SCOPED_TRACE(name);
                const host::TextData& now = *FindArt(doc(), name)->text();
                const HostRealRect box = *host::artBounds(doc(), *FindArt(doc(), name));
                const bool done = now.orientation == host::Orientation::Horizontal &&
                                  now.para.justification == host::kJustifyLeft;
                const bool untouched = now.orientation == before[name].orientation &&
                                       now.para.justification == before[name].para.justification &&
                                       now.matrix.tx == before[name].matrix.tx &&
                                       now.matrix.ty == before[name].matrix.ty;
                EXPECT_TRUE(done || untouched);
                // A label that only changed its justification stands where it stood.
                if (done && before[name].orientation == host::Orientation::Horizontal) {
                    EXPECT_NEAR(box.left, bounds[name].left, 1e-6);
                    EXPECT_NEAR(box.top, bounds[name].top, 1e-6);
                }
            }
        }
    }
}

TEST_F(PanelFaults, APanelNeverCreatedLeavesNothingInTheHost) {
    const std::uint64_t destroys = Calls("AI Panel Suite/Destroy");
    {
        CMoveLayerPanel move(pluginRef());
        CTextAlignPanel align(pluginRef());
        EXPECT_FALSE(move.IsShown());
    }
    EXPECT_EQ(Calls("AI Panel Suite/Destroy"), destroys);
    EXPECT_EQ(app().panels().live(), 0u);
    // A creation that fails part-way is undone by the destructor all the same.
    app().faults().failOperation("SetStateChangedNotifyProc", kFault);
    {
        CMoveLayerPanel move(pluginRef());
        EXPECT_EQ(move.Create(), kFault);
        EXPECT_EQ(app().panels().live(), 1u);
    }
    EXPECT_EQ(app().panels().live(), 0u);
    EXPECT_EQ(WsLiveObjects(WS_LIVE_IMAGELISTS), 0u);
}

} // namespace
} // namespace paneltest
