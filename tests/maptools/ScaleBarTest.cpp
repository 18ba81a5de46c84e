// The scale bar end to end: what the host's document holds after the command.
#include "MapToolsHarness.h"

#include "host/ate/TextObjects.h"
#include "host/document/PathStyle.h"
#include "host/prefs/PreferenceStore.h"
#include "maptools/ScaleBar.h"

namespace {

using namespace scalebar;
using maptest::MapToolsTest;
using ws::ScriptedUser;

constexpr const char* kPrefix = "Mirvak-Cartovel1.6";

class ScaleBar : public MapToolsTest {
protected:
    HostErr RunCommand() {
        CScaleBar command(pluginRef());
        return command.Run();
    }
    static std::vector<host::Art*> Children(const host::Art& parent) {
        std::vector<host::Art*> out;
        for (host::Art* a = parent.firstChild(); a != nullptr; a = a->nextSibling())
            out.push_back(a);
        return out;
    }
    static void ExpectLine(const host::Art& line, HostRealPoint from, HostRealPoint to) {
        ASSERT_EQ(line.type(), host::ArtType::Path);
        const auto points = Points(line);
        ASSERT_EQ(points.size(), 2u);
        EXPECT_NEAR(points[0].h, from.h, 1e-4);
        EXPECT_NEAR(points[0].v, from.v, 1e-4);
        EXPECT_NEAR(points[1].h, to.h, 1e-4);
        EXPECT_NEAR(points[1].v, to.v, 1e-4);
        for (const HostPathSegment& s : line.path()->segments) {
            EXPECT_TRUE(s.corner);
            EXPECT_EQ(s.in.h, s.p.h);
            EXPECT_EQ(s.out.v, s.p.v);
        }
        const host::PathStyle& style = line.path()->style;
        EXPECT_FALSE(style.fillPaint);
        EXPECT_TRUE(style.strokePaint);
        EXPECT_TRUE(host::sameColour(style.stroke, host::cmykColour(0, 0, 0, 1)));
        EXPECT_EQ(style.strokeWidth, 0.25);
    }
    static void ExpectLabel(const host::Art& label, const std::string& text, HostRealPoint anchor) {
        ASSERT_EQ(label.type(), host::ArtType::TextFrame);
        const host::TextData& data = *label.text();
        EXPECT_EQ(data.plainText(), text);
        EXPECT_EQ(data.kind, host::TextKind::Point);
        EXPECT_EQ(data.orientation, host::Orientation::Horizontal);
        EXPECT_EQ(data.para.justification, host::kJustifyCenter);
        EXPECT_NEAR(host::textAnchor(data).h, anchor.h, 1e-4);
        EXPECT_NEAR(host::textAnchor(data).v, anchor.v, 1e-4);
        ASSERT_EQ(data.runs.size(), 1u);
        const host::CharFeatures& f = data.runs[0].features;
        EXPECT_EQ(f.fontSize, 9.0);
        EXPECT_TRUE(f.fillPaint);
        EXPECT_TRUE(host::sameColour(f.fill, host::cmykColour(0, 0, 0, 1)));
        EXPECT_FALSE(f.strokePaint);
    }
    bool Selected(host::Art& art) { return doc().userAttributes(art, host::kAttrSelected) != 0; }
    /** The seven parts, as the group holds them front to back. */
    void ExpectBar(host::Art& group, HostRealPoint c, double length, const std::string& distance,
                   const std::string& scale) {
        ASSERT_EQ(group.type(), host::ArtType::Group);
        const std::vector<host::Art*> parts = Children(group);
        ASSERT_EQ(parts.size(), 7u);
        const double h = length / 2;
        ExpectLabel(*parts[0], scale, {c.h, c.v - 14});
        ExpectLabel(*parts[1], distance, {c.h + h, c.v + 5});
        ExpectLabel(*parts[2], "0", {c.h - h, c.v + 5});
        ExpectLine(*parts[3], {c.h, c.v}, {c.h, c.v + 2.5});
        ExpectLine(*parts[4], {c.h + h, c.v - 2.5}, {c.h + h, c.v + 2.5});
        ExpectLine(*parts[5], {c.h - h, c.v - 2.5}, {c.h - h, c.v + 2.5});
        ExpectLine(*parts[6], {c.h - h, c.v}, {c.h + h, c.v});
        for (host::Art* part : parts)
            EXPECT_TRUE(Selected(*part));
    }
};

TEST_F(ScaleBar, DefaultsDrawAGroupedBarOnANewTopLayerAtTheViewCentre) {
    host::Art& earlier = Path(*doc().layerAt(0)->group(), {{0, 0}, {10, 10}});
    Select(earlier);
    doc().viewCentre = {300, 400};
    const size_t textObjects = host::ate::liveObjects();
    Script({ScriptedUser::ok()});

    ASSERT_EQ(RunCommand(), kHostNoErr);
    ASSERT_EQ(doc().layerCount(), 2);
    host::Layer& layer = *doc().layerAt(0);
    EXPECT_EQ(layer.title, "スケールバー");
    const std::vector<host::Art*> top = Children(*layer.group());
    ASSERT_EQ(top.size(), 1u) << "one group and nothing else";
    ExpectBar(*top[0], {300, 400}, 113.3858268, "1km", "1 : 25,000");
    EXPECT_FALSE(Selected(earlier));
    EXPECT_EQ(host::ate::liveObjects(), textObjects) << "every text reference released";
}

TEST_F(ScaleBar, MetresAtAnotherScale) {
    doc().viewCentre = {0, 0};
    Script({ScriptedUser::type(kScale, "10000"), ScriptedUser::type(kDistance, "500"),
            ScriptedUser::click(kMetres), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectBar(*doc().layerAt(0)->group()->firstChild(), {0, 0}, 141.7322835, "500m", "1 : 10,000");
}

TEST_F(ScaleBar, OnTheCurrentLayerOrOnANewLayerEvenWhenOneOfThatNameExists) {
    Script({ScriptedUser::click(kNewLayer), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ASSERT_EQ(doc().layerCount(), 1);
    EXPECT_EQ(Children(*doc().layerAt(0)->group()).size(), 1u);

    doc().layerAt(0)->title = "スケールバー";
    Script({ScriptedUser::click(kNewLayer), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ASSERT_EQ(doc().layerCount(), 2);
    EXPECT_EQ(doc().layerAt(0)->title, "スケールバー");
    EXPECT_EQ(doc().layerAt(1)->title, "スケールバー");
}

TEST_F(ScaleBar, TextBeingEditedIsEndedFirst) {
    doc().textFocus = true;
    Script({ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    EXPECT_FALSE(doc().textFocus);
}

TEST_F(ScaleBar, ALockedCurrentLayerRefusesTheBarWhenNoNewLayerIsWanted) {
    ASSERT_EQ(app().preferences().put(kPrefix, "SB_NewLayer", false), kHostNoErr);
    doc().layerAt(0)->editable = false;
    bool boxEnabled = true, boxChecked = true;
    Script({ScriptedUser::inspect([&](ws::DialogView& v) {
                boxEnabled = v.control(kNewLayer)->enabled;
                boxChecked = v.control(kNewLayer)->checked;
            }),
            ScriptedUser::ok()});
    EXPECT_EQ(RunCommand(), kHostErrRefused);
    EXPECT_FALSE(boxEnabled);
    EXPECT_FALSE(boxChecked);
    EXPECT_EQ(Children(*doc().layerAt(0)->group()).size(), 0u);
}

// The current layer's own flags say it is open, but a layer around it is not: the host
// refuses the bar there as it would on the closed layer itself.
TEST_F(ScaleBar, ASublayerOfAHiddenOrLockedLayerRefusesTheBar) {
    ASSERT_EQ(app().preferences().put(kPrefix, "SB_NewLayer", false), kHostNoErr);
    for (const bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "hidden parent" : "locked parent");
        host::Layer& parent = *doc().layerAt(0);
        host::Layer* sub = doc().appendLayer(&parent, "sub");
        ASSERT_EQ(doc().setCurrentLayer(*sub), kHostNoErr);
        if (hide) {
            doc().setLayerVisible(parent, false);
        } else {
            doc().setLayerEditable(parent, false);
        }
        Script({ScriptedUser::ok()});
        EXPECT_EQ(RunCommand(), kHostErrRefused);
        EXPECT_EQ(Children(*sub->group()).size(), 0u);
        EXPECT_EQ(Children(*parent.group()).size(), 1u) << "the sublayer alone";
        doc().setLayerVisible(parent, true);
        doc().setLayerEditable(parent, true);
        ASSERT_EQ(doc().deleteLayer(*sub), kHostNoErr);
    }
}

TEST_F(ScaleBar, CancelSavesNothingDrawsNothingAndDeselectsNothing) {
    host::Art& earlier = Path(*doc().layerAt(0)->group(), {{0, 0}, {10, 10}});
    Select(earlier);
    Script({ScriptedUser::type(kScale, "50000"), ScriptedUser::cancel()});
    EXPECT_EQ(RunCommand(), kHostErrCancelled);
    EXPECT_EQ(doc().layerCount(), 1);
    EXPECT_TRUE(Selected(earlier));
    EXPECT_EQ(app().preferences().size(), 0u);
}

TEST_F(ScaleBar, SettingsAreRememberedAcrossARestart) {
    Script({ScriptedUser::type(kScale, "50000"), ScriptedUser::type(kDistance, "2.5"),
            ScriptedUser::click(kMetres), ScriptedUser::click(kNewLayer), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    RestartHost();
    auto control = ControlsOnOpening([&] { return RunCommand(); });
    EXPECT_EQ(control[kScale].text, "50000");
    EXPECT_EQ(control[kDistance].text, "2.5");
    EXPECT_TRUE(control[kMetres].checked);
    EXPECT_FALSE(control[kNewLayer].checked);
}

TEST_F(ScaleBar, AFailedPaintConversionEndsTheCommandAndLeavesThePartsUngrouped) {
    const size_t textObjects = host::ate::liveObjects();
    app().faults().failOperation("GetPathStyleFromCharFeatures", kHostErrMemory);
    Script({ScriptedUser::ok()});
    EXPECT_EQ(RunCommand(), kHostErrMemory);
    const std::vector<host::Art*> made = Children(*doc().layerAt(0)->group());
    ASSERT_EQ(made.size(), 5u) << "four lines and the first label, no group";
    EXPECT_EQ(made[0]->type(), host::ArtType::TextFrame);
    EXPECT_EQ(host::ate::liveObjects(), textObjects);
}

} // namespace
