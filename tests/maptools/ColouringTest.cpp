#include "ColouringHarness.h"

#include "host/core/Faults.h"

#include <set>
#include <sstream>

namespace colouring {
namespace {

using host::Answer;

constexpr const char* kFinished = "終了";
constexpr const char* kTooMany = "隣接数が多すぎます。一旦終了して数を減らして下さい。";

// An SVG map with one layer named "map". SVG paints in document order, so the last
// element is the host's first (frontmost) item.
std::string Map(const std::string& body, const std::string& layerAttributes = "") {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" )"
           R"(xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" )"
           R"(xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" )"
           R"(width="1000pt" height="1000pt" viewBox="0 0 1000 1000">)"
           R"(<g inkscape:groupmode="layer" inkscape:label="map" )" +
           layerAttributes + ">" + body + "</g></svg>";
}

std::string Square(const std::string& id, double x, double y, double size = 10) {
    std::ostringstream s;
    s << R"(<path id=")" << id << R"(" fill="#dddddd" stroke="#000" d="M)" << x << ' ' << y << 'h'
      << size << 'v' << size << 'h' << -size << R"(Z"/>)";
    return s.str();
}

// Squares side by side along x, each touching the next; the last one in the file is the
// first the scan meets.
std::string Row(int count) {
    std::string body;
    for (int i = count - 1; i >= 0; --i)
        body += Square("s" + std::to_string(i), 10.0 * i, 0);
    return body;
}

TEST_F(ColouringTest, TwoTouchingPolygonsGetTheFirstTwoPaletteColours) {
    // b is the frontmost item, so the scan discovers it first.
    Open(Map(Square("a", 0, 0) + Square("b", 10, 0)));
    const size_t layers = doc().allLayers().size();
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    EXPECT_EQ(PaletteIndex(Fill("b")), 1) << "magenta 0.3";
    EXPECT_EQ(PaletteIndex(Fill("a")), 0) << "cyan 0.3";
    EXPECT_EQ(Messages(), std::vector<std::string>{kFinished});
    ASSERT_EQ(Questions().size(), 1u);
    EXPECT_EQ(Questions()[0], "レイヤー「map」上のポリゴンすべてを色分けします。よろしいですか？");
    EXPECT_EQ(doc().allLayers().size(), layers) << "the work layer is gone";
}

TEST_F(ColouringTest, ChainIsColouredInDiscoveryOrderAndTheLastNodeKeepsColourZero) {
    Open(Map(Square("p3", 20, 0) + Square("p2", 10, 0) + Square("p1", 0, 0)));
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    EXPECT_EQ(PaletteIndex(Fill("p1")), 1);
    EXPECT_EQ(PaletteIndex(Fill("p2")), 2) << "yellow 0.3";
    EXPECT_EQ(PaletteIndex(Fill("p3")), 0);
}

TEST_F(ColouringTest, GroupTouchingAnotherItemIsOneNodeWithEveryPathPainted) {
    const std::string group = R"(<g id="g">)" + Square("g1", 0, 0) + Square("g2", 100, 0) +
                              R"(<path id="open" fill="none" stroke="#000" d="M0 50L40 50"/>)" +
                              R"(<path id="unfilled" fill="none" d="M0 60h5v5h-5Z"/>)" + "</g>";
    Open(Map(Square("c", 110, 0) + group));
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    const int groupColour = PaletteIndex(Fill("g1"));
    EXPECT_NE(groupColour, -1);
    for (const char* member : {"g2", "open", "unfilled"})
        EXPECT_EQ(PaletteIndex(Fill(member)), groupColour) << member;
    EXPECT_NE(PaletteIndex(Fill("c")), groupColour);
}

// Walks keep their first levels in place and go to the heap below them: a polygon twelve
// groups down is still found, and every path on the way is painted.
TEST_F(ColouringTest, DeeplyNestedGroupIsWalkedToTheBottom) {
    constexpr int kDepth = 12;
    std::string group;
    for (int level = 0; level < kDepth; ++level)
        group += R"(<g id="g)" + std::to_string(level) + R"(">)" +
                 Square("p" + std::to_string(level), 0, 20.0 * (level + 1));
    group += Square("deepest", 0, 0);
    for (int level = 0; level < kDepth; ++level)
        group += "</g>";
    Open(Map(Square("c", 10, 0) + group));
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    const int groupColour = PaletteIndex(Fill("deepest"));
    EXPECT_NE(groupColour, -1);
    EXPECT_NE(PaletteIndex(Fill("c")), groupColour);
    for (int level = 0; level < kDepth; ++level)
        EXPECT_EQ(PaletteIndex(Fill("p" + std::to_string(level))), groupColour) << level;
}

TEST_F(ColouringTest, OnlyPairsOfDifferentTopLevelItemsWithNearBoxesAreUnited) {
    struct Case {
        const char* caption;
        std::string body;
        std::uint64_t unites;
        bool coloured;
    } cases[] = {
        {"boxes more than a point apart", Square("a", 0, 0) + Square("b", 11.2, 0), 0, false},
        {"boxes within a point, outlines apart", Square("a", 0, 0) + Square("b", 10.8, 0), 1,
         false},
        {"touching squares inside one group",
         "<g>" + Square("a", 0, 0) + Square("b", 10, 0) + "</g>", 0, false},
        {"a second touching member of a recorded pair skips the unite",
         Square("c", 0, 10, 20) + "<g>" + Square("a", 0, 0) + Square("b", 10, 0) + "</g>", 1, true},
        {"corner contact only", Square("a", 0, 0) + Square("b", 10, 10), 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        app().user().clearRecords();
        Open(Map(c.body));
        const std::uint64_t before = Calls("DoUniteEffect");
        ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
        EXPECT_EQ(Calls("DoUniteEffect") - before, c.unites);
        EXPECT_EQ(Messages().size(), c.coloured ? 1u : 0u) << "終了 only after colouring";
        EXPECT_EQ(PaletteIndex(Fill("a")) != -1, c.coloured);
    }
}

// Neighbours drawn one by one meet a hair apart; the host's unite works to a precision
// (0.03 pt by default) and finds them, but not outlines two precisions apart nor corners.
TEST_F(ColouringTest, NeighboursAHairlineApartAreFoundButNotWiderGapsOrCorners) {
    struct Case {
        const char* caption;
        std::string body;
        std::vector<std::string> coloured; // each coloured, no two alike
        std::vector<std::string> uncoloured;
    } cases[] = {
        {"0.001 pt apart", Square("a", 0, 0) + Square("b", 10.001, 0), {"a", "b"}, {}},
        {"a hair apart and two precisions apart",
         Square("c", -10.06, 0) + Square("a", 0, 0) + Square("b", 10.01, 0),
         {"a", "b"},
         {"c"}},
        {"corner to corner a hair apart",
         Square("a", 0, 0) + Square("b", 10.01, 10.01),
         {},
         {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        Open(Map(c.body));
        ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
        std::set<int> fills;
        for (const std::string& id : c.coloured) {
            const int fill = PaletteIndex(Fill(id));
            EXPECT_NE(fill, -1) << id;
            EXPECT_TRUE(fills.insert(fill).second) << id << " shares a fill";
        }
        for (const std::string& id : c.uncoloured)
            EXPECT_EQ(PaletteIndex(Fill(id)), -1) << id;
    }
}

TEST_F(ColouringTest, RefusalsChangeNothing) {
    struct Case {
        const char* caption;
        std::string layerAttributes;
        std::vector<Answer> answers;
        const char* message;
    } cases[] = {
        {"hidden current layer", R"(style="display:none")", {}, "現在のレイヤーは非表示です"},
        {"locked current layer",
         R"(sodipodi:insensitive="true")",
         {},
         "現在のレイヤーはロックされています"},
        {"confirmation declined", "", {Answer::Cancel}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        app().user().clearRecords();
        Open(Map(Square("a", 0, 0) + Square("b", 10, 0), c.layerAttributes));
        const size_t layers = doc().allLayers().size();
        EXPECT_EQ(Colour(c.answers), kHostErrCancelled);
        if (c.message != nullptr) {
            EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
            EXPECT_TRUE(Questions().empty());
        }
        EXPECT_EQ(PaletteIndex(Fill("a")), -1);
        EXPECT_EQ(doc().allLayers().size(), layers);
    }
}

TEST_F(ColouringTest, PolygonsWithoutNeighboursEndSilently) {
    Open(Map(Square("a", 0, 0) + Square("b", 100, 0) + R"(<path id="line" d="M0 50L9 50"/>)"));
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(PaletteIndex(Fill("a")), -1);
}

// Cancels at the first cancel query once the progress shows a text beginning with prefix.
class CancelInPhase final : public host::Responder {
public:
    CancelInPhase(std::string prefix, std::vector<host::Answer> answers)
        : prefix_(std::move(prefix)), answers_(std::move(answers)) {}
    void showMessage(std::string_view) override {}
    std::optional<host::Answer> ask(host::QuestionKind, std::string_view) override {
        if (next_ >= answers_.size()) return std::nullopt;
        return answers_[next_++];
    }
    void showProgressText(std::string_view text) override {
        if (text.substr(0, prefix_.size()) == prefix_) inPhase_ = true;
    }
    bool cancelRequested() override { return inPhase_; }

private:
    std::string prefix_;
    std::vector<host::Answer> answers_;
    size_t next_ = 0;
    bool inPhase_ = false;
};

TEST_F(ColouringTest, CancelInEachPhase) {
    struct Case {
        const char* phase;
        HostErr result;
        int paletteOfEveryNode; // -1: nothing painted
    } cases[] = {
        {"隣接Artをチェック中", kHostErrCancelled, -1},
        {"カラーマップ", kHostErrCancelled, -1},
        // A cancelled search still paints: every node it did not reach keeps colour 0.
        {"カラー設定中", kHostNoErr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        app().user().clearRecords();
        Open(Map(Square("p3", 20, 0) + Square("p2", 10, 0) + Square("p1", 0, 0)));
        const size_t layers = doc().allLayers().size();
        CancelInPhase canceller(c.phase, {Answer::Ok});
        app().user().setResponder(&canceller);
        EXPECT_EQ(Colour({}), c.result);
        app().user().setResponder(&responder());
        for (const char* node : {"p1", "p2", "p3"})
            EXPECT_EQ(PaletteIndex(Fill(node)), c.paletteOfEveryNode) << node;
        EXPECT_EQ(doc().allLayers().size(), layers);
    }
}

TEST_F(ColouringTest, ExactlyTheNodeLimitAsksNothing) {
    Open(Map(Row(1000)));
    ASSERT_EQ(Colour({Answer::Ok}), kHostNoErr);
    EXPECT_EQ(Questions().size(), 1u) << "only the confirmation";
    EXPECT_EQ(PaletteIndex(Fill("s0")), 1) << "the first discovered";
    EXPECT_EQ(PaletteIndex(Fill("s1")), 2);
    EXPECT_EQ(PaletteIndex(Fill("s999")), 0) << "the last discovered";
}

TEST_F(ColouringTest, OneNodeOverTheLimitAsksDuringTheScanAndAfterTheGraph) {
    struct Case {
        const char* caption;
        std::vector<Answer> answers;
        size_t questions;
        bool coloured;
    } cases[] = {
        {"stop at the scan's question", {Answer::Ok, Answer::Ok}, 2, false},
        {"go on, then stop after the graph", {Answer::Ok, Answer::Cancel, Answer::Ok}, 3, false},
        {"go on both times", {Answer::Ok, Answer::Cancel, Answer::Cancel}, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        app().user().clearRecords();
        Open(Map(Row(1001)));
        const size_t layers = doc().allLayers().size();
        ASSERT_EQ(Colour(c.answers), kHostNoErr);
        const std::vector<std::string> questions = Questions();
        ASSERT_EQ(questions.size(), c.questions);
        for (size_t i = 1; i < questions.size(); ++i)
            EXPECT_EQ(questions[i], kTooMany);
        EXPECT_EQ(PaletteIndex(Fill("s0")) != -1, c.coloured);
        EXPECT_EQ(doc().allLayers().size(), layers);
    }
}

TEST_F(ColouringTest, HostFailuresEndTheRunAndTheWorkLayerGoesOnEveryWayOut) {
    constexpr HostErr kInjected = HOST_FOURCC('T', 'E', 'S', 'T');
    struct Case {
        const char* operation;
        HostErr result;
        bool finished;
    } cases[] = {
        {"GetArtBounds", kInjected, false},
        // A pair test that broke off would pass for polygons that do not touch.
        {"DuplicateArt", kInjected, false},
        {"DoUniteEffect", kInjected, false},
        {"SetupPluginData", kInjected, false},
        {"RectOverlap", kInjected, false},
        {"GetPathClosed", kInjected, false},
        {"GetPathStyle", kInjected, false},
        {"IndexArtSet", kInjected, false},
        {"SetPathStyle", 200, false},
        {"DisposeArt", kInjected, false},
        {"GetCurrentLayer", kInjected, false},
        {"OKCancelAlert", kInjected, false},
        // A work layer that stays would be saved with the map.
        {"DeleteLayer", kInjected, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        app().user().clearRecords();
        Open(Map(Square("a", 0, 0) + Square("b", 10, 0)));
        const size_t layers = doc().allLayers().size();
        app().faults().failOperation(c.operation, kInjected);
        EXPECT_EQ(Colour({Answer::Ok}), c.result);
        app().faults().clear();
        if (std::string(c.operation) != "DeleteLayer") {
            EXPECT_EQ(doc().allLayers().size(), layers);
        }
        EXPECT_EQ(Messages().size(), c.finished ? 1u : 0u);
    }
}

TEST_F(ColouringTest, PolygonsThePaletteCannotColourKeepTheirFills) {
    // Eight squares that all overlap need eight colours; the search has six and colour 0.
    std::string body;
    for (int i = 0; i < 8; ++i)
        body += Square("q" + std::to_string(i), i, i, 20);
    Open(Map(body));
    EXPECT_EQ(Colour({Answer::Ok}), kHostErrCant);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(PaletteIndex(Fill("q" + std::to_string(i))), -1) << i;
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"パレットの色数ではポリゴンを色分けできません。"});
}

TEST_F(ColouringTest, RefusedWorkLayerIsReported) {
    Open(Map(Square("a", 0, 0) + Square("b", 10, 0)));
    app().faults().failOperation("InsertLayer", kHostErrRefused);
    EXPECT_EQ(Colour({Answer::Ok}), kHostErrRefused);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error SetWorkLayer"});
    EXPECT_TRUE(Questions().empty());
}

} // namespace
} // namespace colouring
