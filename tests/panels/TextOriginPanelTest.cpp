// The text origin panel through the loaded module: the six buttons on point, area and
// vertical text, text kept in place when only the justification changes, and failures.
#include "PanelFixture.h"

#include "host/geometry/ArtBounds.h"
#include "support/TextArt.h"

#include <cmath>

namespace paneltest {
namespace {

constexpr double kEps = 1e-6;

struct Origin {
    const char* button;
    int orientation;
    int justification;
};
constexpr Origin kButtons[] = {{"#1101", 0, 0}, {"#1102", 0, 2}, {"#1103", 0, 1},
                               {"#1104", 1, 0}, {"#1105", 1, 2}, {"#1106", 1, 1}};

class OriginPanel : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        OpenSession(SampleMap());
        host::Art* town = FindArt(doc(), "town");
        town->text()->para.justification = host::kJustifyCenter;
        host::Art* area = cartotest::AddAreaText(doc(), *FindLayer(doc(), "Labels")->group(),
                                                 {{300, 300}, {400, 300}, {400, 200}, {300, 200}});
        ASSERT_NE(area, nullptr);
        area->name = "block";
        area->text()->runs = {{"Block of text", {}}};
        ASSERT_NE(AddRiver(doc()), nullptr);
        StartModule();
    }
    HostRealRect Bounds(const std::string& name) {
        return *host::artBounds(doc(), *FindArt(doc(), name));
    }
    host::TextData& Text(const std::string& name) { return *FindArt(doc(), name)->text(); }
};

TEST_F(OriginPanel, EachButtonSetsItsOrientationAndJustificationOnEveryKindOfText) {
    for (const char* name : {"town", "block", "river"}) {
        for (const Origin& origin : kButtons) {
            SCOPED_TRACE(std::string(name) + " " + origin.button);
            doc().deselectAll();
            Select({name});
            const host::TextData before = Text(name);
            const HostRealRect was = Bounds(name);
            Click(kOriginTitle, origin.button);
            const host::TextData& after = Text(name);
            EXPECT_EQ(static_cast<int>(after.orientation), origin.orientation);
            EXPECT_EQ(after.para.justification, origin.justification);
            if (static_cast<int>(before.orientation) == origin.orientation) {
                // Only the justification changed: the text stays where it stood.
                EXPECT_NEAR(Bounds(name).left, was.left, kEps);
                EXPECT_NEAR(Bounds(name).top, was.top, kEps);
            } else {
                // It turns about its anchor.
                EXPECT_NEAR(after.matrix.tx, before.matrix.tx, kEps);
                EXPECT_NEAR(after.matrix.ty, before.matrix.ty, kEps);
            }
        }
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OriginPanel, ACentredLabelGetsItsOriginAtTheLeftEndWithoutMoving) {
    Select({"town"});
    const HostRealRect was = Bounds("town");
    const HostRealMatrix before = Text("town").matrix;
    Click(kOriginTitle, "#1102"); // its own justification: nothing changes
    EXPECT_EQ(Text("town").matrix.tx, before.tx);
    Click(kOriginTitle, "#1101");
    EXPECT_EQ(Text("town").para.justification, host::kJustifyLeft);
    EXPECT_NEAR(Bounds("town").left, was.left, kEps);
    EXPECT_NEAR(Bounds("town").top, was.top, kEps);
    // The anchor is the text's origin: at the left end now.
    EXPECT_NEAR(Text("town").matrix.tx, before.tx - (was.right - was.left) / 2, 0.5);
    EXPECT_EQ(WsGetFocus(), app().mainWindow().get());
}

TEST_F(OriginPanel, PathsAreIgnoredAndEveryTextChanges) {
    Select({"road1", "town", "river"});
    const std::vector<HostRealPoint> road = [&] {
        std::vector<HostRealPoint> points;
        for (const auto& s : FindArt(doc(), "road1")->path()->segments)
            points.push_back(s.p);
        return points;
    }();
    Click(kOriginTitle, "#1103");
    EXPECT_EQ(Text("town").para.justification, host::kJustifyRight);
    EXPECT_EQ(Text("river").orientation, host::Orientation::Horizontal);
    EXPECT_EQ(FindArt(doc(), "road1")->path()->segments.front().p.h, road.front().h);
}

TEST_F(OriginPanel, AFailingTextIsLeftAsItWasAndTheFailureIsReported) {
    Select({"town"});
    const host::TextData before = Text("town");
    const HostRealRect was = Bounds("town");
    // The text engine's wrapper throws; nothing leaves the window procedure.
    app().faults().failOperation("SetLocalParaFeatures", kHostErrRefused);
    Click(kOriginTitle, "#1104");
    EXPECT_EQ(Messages(), (std::vector<std::string>{kFailed}));
    EXPECT_EQ(Text("town").orientation, before.orientation);
    EXPECT_EQ(Text("town").para.justification, before.para.justification);
    EXPECT_NEAR(Bounds("town").left, was.left, kEps);
    // A text whose anchor the host does not give is passed over before anything changes.
    app().faults().clear();
    app().faults().failOperation("GetPointTextAnchor", kHostErrNotFound);
    Click(kOriginTitle, "#1101");
    EXPECT_EQ(Text("town").para.justification, before.para.justification);
    EXPECT_EQ(Messages().size(), 2u);
}

} // namespace
} // namespace paneltest
