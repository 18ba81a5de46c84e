// The whole-document copy an undo puts back, and the revision that tells a caller whether
// an edit changed the document.
#include "DocumentTestSupport.h"

#include "host/document/Compare.h"

#include <functional>

using namespace host;

namespace {

// A (A1 with a text on a frame path), B with a symbol instance and tagged, locked art.
class DocumentCopy : public ::testing::Test {
protected:
    void SetUp() override {
        a = doc.appendLayer(nullptr, "A");
        a1 = doc.appendLayer(a, "A1");
        b = doc.appendLayer(nullptr, "B");
        rect = doctest::addRect(doc, *b->group(), 0, 0, 4, 2, "rect");
        rect->tags.set("kind", "county");
        ASSERT_EQ(doc.setUserAttributes(*rect, kAttrLocked, kAttrLocked), kHostNoErr);
        Art* frame = doctest::addRect(doc, *a1->group(), 1, 1, 2, 2, "frame");
        ASSERT_EQ(doc.newText(TextKind::Area, Orientation::Horizontal, PaintOrder::InsideOnTop,
                              a1->group(), {0, 0}, frame, &text),
                  kHostNoErr);
        text->text()->runs.push_back({"Ohio", {}});
        symbol = doc.newSymbol("star");
        doctest::addRect(doc, *symbol->art(), 0, 0, 1, 1, "point");
        ASSERT_EQ(doc.newSymbolInstance(*symbol, {2, 0, 0, 2, 5, 5}, PaintOrder::InsideOnTop,
                                        b->group(), &instance),
                  kHostNoErr);
        ASSERT_EQ(doc.setCurrentLayer(*a1), kHostNoErr);
        doc.viewCentre = {10, 20};
        ASSERT_EQ(doc.setUserAttributes(*instance, kAttrSelected, kAttrSelected), kHostNoErr);
    }

    Document doc;
    Layer *a, *a1, *b;
    Art *rect, *text = nullptr, *instance = nullptr;
    Symbol* symbol;
};

TEST_F(DocumentCopy, KeepsTheModelAndEveryHandleButNotTheSelection) {
    const std::unique_ptr<Document> copy = doc.copy();
    EXPECT_EQ(firstDifference(doc, *copy, 0.0), std::nullopt);
    EXPECT_EQ(copy->handle(), doc.handle());
    EXPECT_EQ(copy->revision(), doc.revision());
    EXPECT_EQ(copy->currentLayer()->id(), a1->id());
    EXPECT_EQ(copy->artCount(), doc.artCount());
    for (const Layer* layer : doc.allLayers()) {
        const Layer* same = copy->layer(layer->handle());
        ASSERT_NE(same, nullptr) << layer->title;
        EXPECT_EQ(same->title, layer->title);
        EXPECT_EQ(same->group()->id(), layer->group()->id());
    }
    for (const Art* art : {rect, text, text->text()->framePath, instance, symbol->art()}) {
        const Art* same = copy->art(art->handle());
        ASSERT_NE(same, nullptr) << art->name;
        EXPECT_NE(same, art);
        EXPECT_EQ(same->type(), art->type());
    }
    const Art* frame = copy->art(text->handle())->text()->framePath;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->attachedTo(), copy->art(text->handle()));
    EXPECT_EQ(copy->symbol(symbol->id())->name, "star");
    EXPECT_EQ(copy->userAttributes(*copy->art(rect->handle()), kAttrLocked), kAttrLocked);
    EXPECT_TRUE(copy->selectedArt().empty());
    EXPECT_FALSE(doc.selectedArt().empty());

    // The two go their own ways.
    const HostArtHandle rectHandle = rect->handle();
    ASSERT_EQ(doc.disposeArt(*rect), kHostNoErr);
    ASSERT_EQ(doc.deleteLayer(*a), kHostNoErr);
    ASSERT_NE(copy->art(rectHandle), nullptr);
    EXPECT_EQ(copy->art(rectHandle)->tags.find("kind")->c_str(), std::string("county"));
    EXPECT_EQ(copy->allLayers().size(), 3u);
    EXPECT_EQ(copy->currentLayer()->title, "A1");
}

TEST_F(DocumentCopy, EveryKindOfChangeMovesTheRevisionAndTheSelectionDoesNot) {
    struct Case {
        const char* what;
        std::function<HostErr()> edit;
        bool changes;
    };
    Art* made = nullptr;
    Layer* layer = nullptr;
    auto done = [](auto&& step) {
        return [step] {
            step();
            return kHostNoErr;
        };
    };
    const Case cases[] = {
        {"new art",
         [&] { return doc.newArt(ArtType::Path, PaintOrder::InsideOnTop, b->group(), &made); },
         true},
        {"reorder", [&] { return doc.reorderArt(*instance, PaintOrder::Below, rect); }, true},
        {"duplicate",
         [&] { return doc.duplicateArt(*instance, PaintOrder::Above, instance, &made); }, true},
        {"dispose", [&] { return doc.disposeArt(*made); }, true},
        {"new layer", [&] { return doc.insertLayer(nullptr, PaintOrder::AboveAll, &layer); }, true},
        {"delete layer", [&] { return doc.deleteLayer(*layer); }, true},
        {"unlock art", [&] { return doc.setUserAttributes(*rect, kAttrLocked, 0); }, true},
        {"path style", [&] { return doc.setPathStyle(*rect, PathStyle{}); }, true},
        {"select", [&] { return doc.setUserAttributes(*rect, kAttrSelected, kAttrSelected); },
         false},
        {"deselect layer", done([&] { doc.deselectLayer(*b); }), false},
        {"deselect all", done([&] { doc.deselectAll(); }), false},
        {"read", done([&] { (void)doc.selectedArt(), (void)doc.closedAttributes(*a1); }), false},
        {"hide layer", done([&] { doc.setLayerVisible(*b, false); }), true},
        {"hide it again", done([&] { doc.setLayerVisible(*b, false); }), false},
        {"lock layer", done([&] { doc.setLayerEditable(*a, false); }), true},
        {"current layer", [&] { return doc.setCurrentLayer(*b); }, true},
        {"same current layer", [&] { return doc.setCurrentLayer(*b); }, false},
        {"new symbol", done([&] { doc.newSymbol("dot"); }), true},
        {"delete symbol", [&] { return doc.deleteSymbol(*doc.symbols().back()); }, true},
        {"a field", done([&] { doc.noteChange(); }), true},
    };
    for (const Case& c : cases) {
        const std::uint64_t before = doc.revision();
        EXPECT_EQ(c.edit(), kHostNoErr) << c.what;
        EXPECT_EQ(doc.revision() != before, c.changes) << c.what;
    }
}

} // namespace
