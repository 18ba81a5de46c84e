// Map scaling end to end: the dialog as a user answers it, the settings in the host's
// store, and the document the host holds afterwards.
#include "MapToolsHarness.h"

#include "support/TextArt.h"

#include "host/geometry/ArtBounds.h"
#include "host/geometry/Matrix.h"
#include "host/geometry/Rect.h"
#include "host/prefs/PreferenceStore.h"
#include "maptools/MapScaling.h"

#include <cmath>
#include <numbers>

namespace {

using namespace mapscaling;
using maptest::MapToolsTest;
using ws::ScriptedUser;

constexpr const char* kPrefix = "Mirvak-Cartovel1.6";

void ExpectPoint(HostRealPoint actual, HostRealPoint expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.h, expected.h, tolerance);
    EXPECT_NEAR(actual.v, expected.v, tolerance);
}

/** p scaled about c. */
HostRealPoint Scaled(HostRealPoint p, HostRealPoint c, double sx, double sy) {
    return {c.h + sx * (p.h - c.h), c.v + sy * (p.v - c.v)};
}

class MapScaling : public MapToolsTest {
protected:
    HostErr RunCommand() {
        CMapScaling command;
        return command.Run(pluginRef());
    }
    /** The centre the command scales about: that of everything in the document. */
    HostRealPoint DocumentCentre() {
        host::BoundsBuilder bounds;
        for (int i = 0; i < doc().layerCount(); ++i)
            if (auto r = host::artBounds(doc(), *doc().layerAt(i)->group())) bounds.add(*r);
        const HostRealRect r = *bounds.result();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    template <class T> const T* Stored(const char* key) {
        return app().preferences().get<T>(kPrefix, key);
    }
};

TEST_F(MapScaling, FromOneScaleToAnotherHalvesEveryCoordinateAboutTheCentre) {
    for (const bool strokes : {false, true}) {
        SCOPED_TRACE(strokes);
        NewDocument();
        host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});
        host::Art& triangle = Path(LayerGroup(), {{50, 20}, {150, 20}, {100, 80}}, true);
        line.path()->style.edit().strokeWidth = 2.0;
        std::vector<ScriptedUser::Action> script = {ScriptedUser::type(kTargetScale, "50000")};
        if (strokes) script.push_back(ScriptedUser::click(kScaleStrokeEffect));
        script.push_back(ScriptedUser::ok());
        Script(script);

        ASSERT_EQ(RunCommand(), kHostNoErr);
        const auto a = Points(line);
        ExpectPoint(a[0], {50, 25});
        ExpectPoint(a[1], {150, 75});
        const auto t = Points(triangle);
        ExpectPoint(t[0], {75, 35});
        ExpectPoint(t[1], {125, 35});
        ExpectPoint(t[2], {100, 65});
        EXPECT_EQ(line.path()->style->strokeWidth, strokes ? 1.0 : 2.0);
        EXPECT_EQ(app().user().progressTexts().back(), "拡大/縮小しています");
    }
}

TEST_F(MapScaling, RatiosStretchAndSqueezeWithALineScaleOfOne) {
    host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});
    line.path()->style.edit().strokeWidth = 2.0;
    Script({ScriptedUser::click(kModeRatio), ScriptedUser::click(kKeepProportion),
            ScriptedUser::type(kHorizontalRatio, "200"), ScriptedUser::type(kVerticalRatio, "50"),
            ScriptedUser::click(kScaleStrokeEffect), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    const auto p = Points(line);
    ExpectPoint(p[0], {-100, 25});
    ExpectPoint(p[1], {300, 75});
    EXPECT_EQ(line.path()->style->strokeWidth, 2.0); // sqrt(2 x 0.5)
}

TEST_F(MapScaling, PaperEntrySevenIsExactlyOnePointFourOne) {
    host::Art& line = Path(LayerGroup(), {{0, 0}, {100, 0}});
    Script({ScriptedUser::click(kModePaper), ScriptedUser::pickIndex(kPaperList, 7),
            ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectPoint(Points(line)[1], {50 + 1.41 * 50, 0}, 1e-12);
}

TEST_F(MapScaling, HiddenLockedAndGuideArtStaysButIsCounted) {
    for (const bool guides : {false, true}) {
        SCOPED_TRACE(guides);
        NewDocument();
        host::Art& moved = Path(LayerGroup(), {{0, 0}, {200, 100}});
        const maptest::ClosedArt closed = AddClosedArt({{10, 10}, {20, 20}}, {{30, 30}, {40, 40}},
                                                       {{60, 60}, {70, 70}}, {{80, 80}, {90, 90}});
        // A guide on the first layer, after the hidden path.
        host::Art& guide = Path(LayerGroup(), {{0, 50}, {200, 50}});
        guide.path()->guide = true;
        const auto before = [&](const host::Art& a) { return Points(a); };
        const auto lockedBefore = before(closed.inLockedGroup),
                   hiddenBefore = before(closed.hidden), guideBefore = before(guide),
                   onHiddenBefore = before(closed.onHiddenLayer),
                   onLockedBefore = before(closed.onLockedLayer);
        Script({ScriptedUser::type(kTargetScale, "50000"),
                guides ? ScriptedUser::click(kScaleGuide) : ScriptedUser::inspect([](auto&) {}),
                ScriptedUser::ok()});

        ASSERT_EQ(RunCommand(), kHostNoErr);
        ExpectPoint(Points(moved)[0], {50, 25});
        for (const auto& [art, points] : {std::pair{&closed.inLockedGroup, lockedBefore},
                                          {&closed.hidden, hiddenBefore},
                                          {&closed.onHiddenLayer, onHiddenBefore},
                                          {&closed.onLockedLayer, onLockedBefore}})
            for (size_t i = 0; i < points.size(); ++i)
                ExpectPoint(Points(*art)[i], points[i]);
        if (guides)
            ExpectPoint(Points(guide)[0], {50, 50});
        else
            ExpectPoint(Points(guide)[0], guideBefore[0]);
        // Visited: three layer groups, the path, the locked group, the hidden path and the
        // guide; nothing inside what was skipped.
        const host::ProgressRecord last = app().user().progressValues().back();
        EXPECT_EQ(last.current, 7);
        EXPECT_GE(last.maximum, last.current);
    }
}

TEST_F(MapScaling, PointTextKeepsItsSizeAndRotationWhileItsAnchorFollows) {
    Path(LayerGroup(), {{0, 0}, {200, 100}});
    host::Art* point = cartotest::AddPointText(doc(), LayerGroup(), {150, 80});
    ASSERT_NE(point, nullptr);
    point->text()->setText("東京", host::CharFeatures{});
    HostRealMatrix rotated = host::rotationMatrix(std::numbers::pi / 6);
    host::concatTranslate(rotated, 150, 80);
    point->text()->matrix = rotated;
    host::Art* area =
        cartotest::AddAreaText(doc(), LayerGroup(), {{20, 90}, {80, 90}, {80, 60}, {20, 60}});
    ASSERT_NE(area, nullptr);
    const host::Art* frame = area->text()->framePath;
    area->text()->setText("area", host::CharFeatures{});
    const HostRealPoint c = DocumentCentre();
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::ok()});

    ASSERT_EQ(RunCommand(), kHostNoErr);
    const HostRealMatrix& m = point->text()->matrix;
    EXPECT_NEAR(m.a, rotated.a, 1e-12);
    EXPECT_NEAR(m.b, rotated.b, 1e-12);
    EXPECT_NEAR(m.c, rotated.c, 1e-12);
    EXPECT_NEAR(m.d, rotated.d, 1e-12);
    ExpectPoint(host::textAnchor(*point->text()), Scaled({150, 80}, c, 0.5, 0.5));
    EXPECT_EQ(point->text()->runs[0].features.fontSize, 12.0);
    // The area text's frame is scaled; its type keeps its size and reflows.
    ExpectPoint(Points(*frame)[0], Scaled({20, 90}, c, 0.5, 0.5));
    ExpectPoint(Points(*frame)[2], Scaled({80, 60}, c, 0.5, 0.5));
    EXPECT_EQ(area->text()->runs[0].features.fontSize, 12.0);
}

TEST_F(MapScaling, WithTheFontSizeOptionTextIsScaledAsAWhole) {
    Path(LayerGroup(), {{0, 0}, {200, 100}});
    host::Art* point = cartotest::AddPointText(doc(), LayerGroup(), {150, 80});
    ASSERT_NE(point, nullptr);
    point->text()->setText("A", host::CharFeatures{});
    const HostRealPoint c = DocumentCentre();
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::click(kScaleFontSize),
            ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    EXPECT_NEAR(point->text()->matrix.a, 0.5, 1e-12);
    EXPECT_NEAR(point->text()->matrix.d, 0.5, 1e-12);
    ExpectPoint(host::textAnchor(*point->text()), Scaled({150, 80}, c, 0.5, 0.5));
}

TEST_F(MapScaling, SymbolsKeepTheirSizeUnlessAskedAndTheirCentreFollows) {
    for (const bool symbols : {false, true}) {
        SCOPED_TRACE(symbols);
        NewDocument();
        Path(LayerGroup(), {{0, 0}, {200, 100}});
        host::Symbol* pin = doc().newSymbol("pin");
        Path(*pin->art(), {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, true);
        HostRealMatrix placed = host::scaleMatrix(2, 2);
        host::concatTranslate(placed, 160, 70);
        host::Art* instance = nullptr;
        ASSERT_EQ(doc().newSymbolInstance(*pin, placed, host::PaintOrder::InsideOnTop,
                                          &LayerGroup(), &instance),
                  kHostNoErr);
        const HostRealPoint c = DocumentCentre();
        std::vector<ScriptedUser::Action> script = {ScriptedUser::type(kTargetScale, "50000")};
        if (symbols) script.push_back(ScriptedUser::click(kScaleSymbolSize));
        script.push_back(ScriptedUser::ok());
        Script(script);

        ASSERT_EQ(RunCommand(), kHostNoErr);
        const HostRealMatrix& m = instance->symbolInstance()->matrix;
        EXPECT_NEAR(m.a, symbols ? 1.0 : 2.0, 1e-12);
        EXPECT_NEAR(m.d, symbols ? 1.0 : 2.0, 1e-12);
        const HostRealRect r = *host::artBounds(doc(), *instance);
        ExpectPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2},
                    Scaled({160, 70}, c, 0.5, 0.5));
    }
}

TEST_F(MapScaling, SelectionOnlyEntersMarkedContainersAndScalesOnlyMarkedArt) {
    host::Art& group = Group(LayerGroup());
    host::Art& chosen = Path(group, {{0, 0}, {100, 100}});
    host::Art& sibling = Path(group, {{100, 0}, {200, 100}});
    host::Art& outside = Path(LayerGroup(), {{0, 200}, {50, 250}});
    Select(chosen);
    // The selection also holds the group and layer marked for it; the centre is still that
    // of the selected path alone.
    const HostRealPoint c{50, 50};
    const auto siblingBefore = Points(sibling), outsideBefore = Points(outside);
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::click(kSelectionOnly),
            ScriptedUser::ok()});

    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectPoint(Points(chosen)[1], Scaled({100, 100}, c, 0.5, 0.5));
    ExpectPoint(Points(sibling)[0], siblingBefore[0]);
    ExpectPoint(Points(outside)[1], outsideBefore[1]);
    EXPECT_EQ(app().user().progressValues().back().maximum,
              static_cast<int32_t>(doc().selectedArt().size()));
}

TEST_F(MapScaling, SelectionOnlyWithNothingSelectedSavesTheSettingsAndChangesNothing) {
    host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});
    Script({ScriptedUser::click(kSelectionOnly), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectPoint(Points(line)[1], {200, 100});
    ASSERT_NE(Stored<bool>("MS_SelectionOnly"), nullptr);
    EXPECT_TRUE(*Stored<bool>("MS_SelectionOnly"));
}

TEST_F(MapScaling, AnEmptyFirstLayerDoesNotMoveTheCentre) {
    host::Layer& map = AddLayer("Map");
    host::Art& line = Path(*map.group(), {{100, 100}, {300, 200}});
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    ExpectPoint(Points(line)[0], {150, 125});
    ExpectPoint(Points(line)[1], {250, 175});
}

TEST_F(MapScaling, ADocumentWithNothingDrawnIsRefusedBeforeTheDialog) {
    Group(LayerGroup()); // an empty group has no extent
    Script({ScriptedUser::ok()});
    EXPECT_EQ(RunCommand(), kHostErrCancelled);
    ASSERT_EQ(app().user().alerts().size(), 1u);
    EXPECT_EQ(app().user().alerts()[0].text, "拡大・縮小するオブジェクトがありません");
    EXPECT_EQ(Stored<int32_t>("MS_Mode"), nullptr);
}

TEST_F(MapScaling, SettingsRoundTripThroughARestartAndACancelWritesNothing) {
    host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::click(kScalePattern),
            ScriptedUser::click(kModeRatio), ScriptedUser::type(kHorizontalRatio, "80"),
            ScriptedUser::click(kModeScale), ScriptedUser::ok()});
    ASSERT_EQ(RunCommand(), kHostNoErr);
    const auto afterFirst = Points(line);

    Script({ScriptedUser::type(kTargetScale, "99999"), ScriptedUser::click(kScaleGuide),
            ScriptedUser::cancel()});
    EXPECT_EQ(RunCommand(), kHostErrCancelled);
    ExpectPoint(Points(line)[1], afterFirst[1]);
    EXPECT_EQ(*Stored<int32_t>("MS_TargetScale"), 50000);
    EXPECT_FALSE(*Stored<bool>("MS_ScaleGuide"));

    RestartHost();
    Path(LayerGroup(), {{0, 0}, {10, 10}});
    auto control = ControlsOnOpening([&] { return RunCommand(); });
    EXPECT_EQ(control[kTargetScale].text, "50000");
    EXPECT_EQ(control[kHorizontalRatio].text, "80");
    EXPECT_EQ(control[kVerticalRatio].text, "80");
    EXPECT_TRUE(control[kScalePattern].checked);
    EXPECT_FALSE(control[kScaleGuide].checked);
    EXPECT_TRUE(control[kModeScale].checked);
}

TEST_F(MapScaling, DamagedStoredSettingsOpenAsDefaultsAndAreWrittenBackRepaired) {
    host::PreferenceStore& store = app().preferences();
    ASSERT_EQ(store.put(kPrefix, "MS_Mode", int32_t{5}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "MS_TargetScale", int32_t{0}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "MS_CurrentScale", int32_t{-7}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "MS_PaperScaling", int32_t{42}), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "MS_HorizontalRatio", -3.0), kHostNoErr);
    ASSERT_EQ(store.put(kPrefix, "MS_VerticalRatio", int32_t{50}), kHostNoErr); // wrong kind
    ws::DialogSnapshot opened;
    Script({ScriptedUser::inspect([&](ws::DialogView& v) { opened = v.snapshot(); }),
            ScriptedUser::ok()});
    host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});

    ASSERT_EQ(RunCommand(), kHostNoErr);
    auto control = maptest::ControlsById(opened);
    EXPECT_TRUE(control[kModeScale].checked);
    EXPECT_EQ(control[kCurrentScale].text, "25000");
    EXPECT_EQ(control[kTargetScale].text, "30000");
    EXPECT_EQ(control[kPaperList].selection, 0);
    EXPECT_EQ(control[kHorizontalRatio].text, "100");
    EXPECT_EQ(*Stored<int32_t>("MS_Mode"), 0);
    EXPECT_EQ(*Stored<int32_t>("MS_TargetScale"), 30000);
    EXPECT_EQ(*Stored<int32_t>("MS_PaperScaling"), 0);
    EXPECT_EQ(*Stored<double>("MS_VerticalRatio"), 100.0);
    ExpectPoint(Points(line)[1], Scaled({200, 100}, {100, 50}, 25000.0 / 30000, 25000.0 / 30000));
}

// Stored values the field checks never saw: the run names the setting and changes nothing.
TEST_F(MapScaling, OutOfRangeStoredValuesAreNamedAndChangeNothing) {
    struct Case {
        int32_t mode;
        int32_t currentScale;
        double horizontal, vertical;
        const char* named;
    } cases[] = {
        {1, 25000, 1e308, 100, "横の比率"},
        {0, 2147483647, 100, 100, "現在の縮尺と変更後の縮尺"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        app().user().clearRecords();
        host::PreferenceStore& store = app().preferences();
        ASSERT_EQ(store.put(kPrefix, "MS_Mode", c.mode), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_CurrentScale", c.currentScale), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_TargetScale", int32_t{2}), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_HorizontalRatio", c.horizontal), kHostNoErr);
        ASSERT_EQ(store.put(kPrefix, "MS_VerticalRatio", c.vertical), kHostNoErr);
        Script({ScriptedUser::ok()});
        // A county map's extent: scaled by 2147483647 / 2 it would reach past 1e12 pt.
        host::Art& line = Path(LayerGroup(), {{0, 0}, {2000, 1000}});
        EXPECT_EQ(RunCommand(), kHostErrBadParameter);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], std::string("設定値が範囲外です: ") + c.named);
        ExpectPoint(Points(line)[1], {2000, 1000});
    }
}

// A layer left out of the bounds would scale the map about the wrong centre.
TEST_F(MapScaling, AFailureWhileMeasuringEndsTheRunBeforeAnythingMoves) {
    host::Art& line = Path(LayerGroup(), {{0, 0}, {200, 100}});
    for (const char* operation : {"NewArtSet", "LayerArtSet", "IndexArtSet"}) {
        SCOPED_TRACE(operation);
        Script({ScriptedUser::ok()});
        app().faults().failOperation(operation, kHostErrMemory);
        EXPECT_EQ(RunCommand(), kHostErrMemory);
        app().faults().clear();
        ExpectPoint(Points(line)[1], {200, 100});
    }
}

TEST_F(MapScaling, FirstHostErrorEndsTheRunAndKeepsWhatWasDone) {
    host::Art& first = Path(LayerGroup(), {{0, 0}, {200, 100}});
    host::Art& second = Path(LayerGroup(), {{0, 100}, {200, 0}});
    Script({ScriptedUser::type(kTargetScale, "50000"), ScriptedUser::ok()});
    app().faults().failOperation("AI Transform Art Suite/TransformArt", kHostErrMemory, 2);
    EXPECT_EQ(RunCommand(), kHostErrMemory);
    ExpectPoint(Points(first)[1], {150, 75});
    ExpectPoint(Points(second)[0], {0, 100});
    EXPECT_EQ(*Stored<int32_t>("MS_TargetScale"), 50000) << "saved before the walk";
}

} // namespace
