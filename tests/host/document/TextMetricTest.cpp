// The text metric: advance widths by character class, and bounds that follow
// justification, orientation and the text matrix.
#include "DocumentTestSupport.h"

#include "host/geometry/ArtBounds.h"
#include "host/text/TextMetric.h"

#include <numbers>

using namespace host;

namespace {

constexpr double kEps = 1e-9;

TextData pointText(std::string text, double size, std::int32_t justification,
                   Orientation o = Orientation::Horizontal) {
    TextData t;
    CharFeatures f;
    f.fontSize = size;
    t.setText(std::move(text), f);
    t.para.justification = justification;
    t.orientation = o;
    return t;
}

TEST(TextMetric, AdvanceWidthsByCharacterClass) {
    const struct {
        char32_t c;
        double em;
    } cases[] = {{U'A', 0.7},  {U'z', 0.55}, {U'7', 0.55}, {U' ', 0.3}, {U',', 0.3},  {U'地', 1.0},
                 {U'あ', 1.0}, {U'Ａ', 1.0}, {U'ｱ', 0.5},  {U'é', 0.6}, {0x0301, 0.0}};
    for (const auto& k : cases)
        EXPECT_EQ(advanceEm(k.c), k.em) << static_cast<unsigned>(k.c);
}

TEST(TextMetric, JustificationPlacesTheLineAboutTheAnchor) {
    // "AB" at 10 pt: 14 pt wide, 8 above the baseline, 2 below.
    const struct {
        std::int32_t justification;
        double left, right;
    } cases[] = {{kJustifyLeft, 0, 14}, {kJustifyRight, -14, 0}, {kJustifyCenter, -7, 7}};
    for (const auto& k : cases) {
        const HostRealRect r = textLocalBounds(pointText("AB", 10, k.justification));
        EXPECT_NEAR(r.left, k.left, kEps);
        EXPECT_NEAR(r.right, k.right, kEps);
        EXPECT_NEAR(r.top, 8, kEps);
        EXPECT_NEAR(r.bottom, -2, kEps);
    }
}

TEST(TextMetric, LinesStackDownwardsAndTakeTheirLargestSize) {
    TextData t = pointText("日本\r", 10, kJustifyLeft);
    CharFeatures big;
    big.fontSize = 20;
    big.horizontalScale = 0.5;
    t.runs.push_back({"WW", big});
    const HostRealRect r = textLocalBounds(t);
    EXPECT_NEAR(r.right, 20, kEps); // two ideographs at 10 pt; "WW" at 20 pt, half width: 14
    EXPECT_NEAR(r.top, 8, kEps);
    EXPECT_NEAR(r.bottom, -24 - 4, kEps); // second baseline 1.2 x 20 below, descent 0.2 x 20
    EXPECT_EQ(lineOffsets(t), (std::vector<double>{0, -24}));
}

TEST(TextMetric, VerticalTextRunsDownFromTheAnchor) {
    const struct {
        std::int32_t justification;
        double top, bottom;
    } cases[] = {{kJustifyLeft, 0, -20}, {kJustifyRight, 20, 0}, {kJustifyCenter, 10, -10}};
    for (const auto& k : cases) {
        const HostRealRect r =
            textLocalBounds(pointText("地図", 10, k.justification, Orientation::Vertical));
        EXPECT_NEAR(r.top, k.top, kEps);
        EXPECT_NEAR(r.bottom, k.bottom, kEps);
        EXPECT_NEAR(r.left, -5, kEps);
        EXPECT_NEAR(r.right, 5, kEps);
    }
}

TEST(TextMetric, TheMatrixMovesAndTurnsTheBounds) {
    Document doc;
    Layer* l = doc.appendLayer(nullptr, "L");
    Art* text = nullptr;
    ASSERT_EQ(doc.newText(TextKind::Point, Orientation::Horizontal, PaintOrder::InsideOnTop,
                          l->group(), {100, 50}, nullptr, &text),
              kHostNoErr);
    *text->text() = pointText("AB", 10, kJustifyLeft);
    text->text()->matrix = concat(rotationMatrix(std::numbers::pi / 2), translationMatrix(100, 50));
    const auto b = artBounds(doc, *text);
    ASSERT_TRUE(b);
    // A quarter turn: the line runs up from the anchor, the ascent lies to its left.
    EXPECT_NEAR(b->left, 92, kEps);
    EXPECT_NEAR(b->right, 102, kEps);
    EXPECT_NEAR(b->bottom, 50, kEps);
    EXPECT_NEAR(b->top, 64, kEps);
}

TEST(TextMetric, EmptyTextStillHasALine) {
    TextData t;
    const HostRealRect r = textLocalBounds(t);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 0);
    EXPECT_NEAR(r.top, 9.6, kEps);
}

TEST(TextData, NormalizeKeepsOneCanonicalForm) {
    TextData t;
    CharFeatures a, b;
    b.fontSize = 20;
    t.runs = {{"x\r\ny\n", a}, {"", b}, {"\rz\x01", b}, {"w", b}};
    t.normalize();
    ASSERT_EQ(t.runs.size(), 2u);
    EXPECT_EQ(t.runs[0].text, "x\ry\r\r");
    EXPECT_EQ(t.runs[1].text, "zw");
    EXPECT_EQ(t.plainText(), "x\ry\r\rzw");
}

} // namespace
