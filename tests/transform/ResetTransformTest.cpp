// The three transform resets against the host's real suites: what each changes, what it
// leaves alone, and where the objects end up.
#include "support/ModuleCodeTest.h"

#include "frame/HostSuites.h"
#include "host/document/Compare.h"
#include "host/geometry/ArtBounds.h"
#include "host/geometry/Matrix.h"
#include "transform/ResetTransform.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Command = HostErr (*)();
constexpr double kDeg = std::numbers::pi / 180;
constexpr double kEps = 1e-9;
constexpr const char* kAccum = "BBAccumRotation";

struct NamedCommand {
    const char* name;
    Command run;
};
const NamedCommand kCommands[] = {
    {"image size", &CResetTransform::ResetPlacedImageSize},
    {"straighten", &CResetTransform::StraightenText},
    {"shear", &CResetTransform::RemoveTextShear},
};

// Linear part rot(angle) * [[sx, k], [0, sy]] at (tx, ty): what scaling, shearing and
// rotating an object in that order leave on it.
HostRealMatrix Frame(double degrees, double sx, double sy, double k, double tx, double ty) {
    const double c = std::cos(degrees * kDeg), s = std::sin(degrees * kDeg);
    return {c * sx, s * sx, c * k - s * sy, s * k + c * sy, tx, ty};
}

void ExpectMatrix(const HostRealMatrix& got, const HostRealMatrix& want, const std::string& what) {
    const double g[] = {got.a, got.b, got.c, got.d, got.tx, got.ty};
    const double w[] = {want.a, want.b, want.c, want.d, want.tx, want.ty};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(g[i], w[i], kEps) << what << ": component " << i;
}

// The objects of a small map, built the same way into any document.
struct Map {
    host::Art* placed = nullptr;
    host::Art* raster = nullptr;
    host::Art* path = nullptr;
    host::Art* text = nullptr;
};

host::Art& AddImage(host::Document& d, host::ArtType type, const HostRealMatrix& m) {
    host::Art* art = d.makeArt(type);
    art->image()->matrix = m;
    art->image()->pixelWidth = 40;
    art->image()->pixelHeight = 20;
    art->image()->href = type == host::ArtType::Raster ? "data:image/png;base64," : "map.png";
    art->tags.set(kAccum, "0.5");
    d.appendChild(*d.layerAt(0)->group(), *art);
    return *art;
}

host::Art& AddPath(host::Document& d, std::vector<HostRealPoint> points) {
    host::Art* art = d.makeArt(host::ArtType::Path);
    for (const HostRealPoint& p : points)
        art->path()->segments.push_back({p, p, p, 1});
    d.appendChild(*d.layerAt(0)->group(), *art);
    return *art;
}

// Two runs, the second with rotated characters.
host::Art& AddText(host::Document& d, host::TextKind kind, host::Orientation orientation,
                   const HostRealMatrix& m) {
    host::Art* framePath = nullptr;
    if (kind != host::TextKind::Point) {
        framePath = d.makeArt(host::ArtType::Path);
        for (HostRealPoint p : {HostRealPoint{0, 0}, {60, 30}, {120, 0}})
            framePath->path()->segments.push_back({p, p, p, 1});
    }
    host::Art* text = nullptr;
    EXPECT_EQ(d.newText(kind, orientation, host::PaintOrder::InsideOnTop, d.layerAt(0)->group(),
                        {m.tx, m.ty}, framePath, &text),
              kHostNoErr);
    host::TextData& t = *text->text();
    host::CharFeatures plain;
    host::CharFeatures turned;
    turned.rotation = 15;
    t.runs = {{"Map", plain}, {"Label", turned}};
    t.matrix = m;
    text->tags.set("note", "kept");
    text->tags.set(kAccum, "0.5");
    return *text;
}

Map BuildMap(host::Document& d) {
    Map map;
    map.placed = &AddImage(d, host::ArtType::Placed, Frame(30, 0.4, -0.4, 0, 50, 300));
    map.raster = &AddImage(d, host::ArtType::Raster, Frame(-20, 0.5, 0.8, 0, 200, 40));
    map.path = &AddPath(d, {{0, 0}, {10, 5}, {20, 0}});
    map.text = &AddText(d, host::TextKind::Point, host::Orientation::Horizontal,
                        Frame(30, 1, 0.5, 0, 100, 100));
    return map;
}

class ResetTransform : public cartotest::ModuleCodeTest {
protected:
    void StartHost() override {
        ModuleCodeTest::StartHost();
        if (!HasFatalFailure()) OpenSession(host::Document::createDefault());
    }
    void Select(const host::Art& art) {
        ASSERT_EQ(doc().setUserAttributes(const_cast<host::Art&>(art), host::kAttrSelected,
                                          host::kAttrSelected),
                  kHostNoErr);
    }
    HostRealRect Bounds(const host::Art& art) { return *host::artBounds(doc(), art); }
    static double Angle(const HostRealMatrix& m) { return std::atan2(m.b, m.a) / kDeg; }
    static std::vector<double> Rotations(const host::Art& text) {
        std::vector<double> out;
        for (const host::TextRun& r : text.text()->runs)
            out.push_back(r.features.rotation);
        return out;
    }
};

TEST_F(ResetTransform, NothingSelectedChangesNothing) {
    auto reference = host::Document::createDefault();
    BuildMap(*reference);
    BuildMap(doc());
    for (const NamedCommand& command : kCommands) {
        EXPECT_EQ(command.run(), kHostNoErr) << command.name;
        const auto difference = host::firstDifference(doc(), *reference);
        EXPECT_FALSE(difference.has_value()) << command.name << ": " << *difference;
    }
}

TEST_F(ResetTransform, MixedSelectionChangesOnlyTheKindsOfEachCommand) {
    struct Case {
        const char* name;
        Command run;
        bool images;
        bool text;
    };
    const Case cases[] = {
        {"image size", &CResetTransform::ResetPlacedImageSize, true, false},
        {"straighten", &CResetTransform::StraightenText, false, true},
        {"shear", &CResetTransform::RemoveTextShear, false, true},
    };
    for (const Case& c : cases) {
        auto referenceDoc = host::Document::createDefault();
        const Map reference = BuildMap(*referenceDoc);
        OpenSession(host::Document::createDefault());
        const Map map = BuildMap(doc());
        for (const host::Art* art : {map.placed, map.raster, map.path, map.text})
            Select(*art);

        ASSERT_EQ(c.run(), kHostNoErr) << c.name;
        const auto same = [](const HostRealMatrix& x, const HostRealMatrix& y) {
            return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d && x.tx == y.tx &&
                   x.ty == y.ty;
        };
        EXPECT_EQ(!same(map.placed->image()->matrix, reference.placed->image()->matrix), c.images)
            << c.name;
        EXPECT_EQ(!same(map.raster->image()->matrix, reference.raster->image()->matrix), c.images)
            << c.name;
        EXPECT_EQ(!same(map.text->text()->matrix, reference.text->text()->matrix), c.text)
            << c.name;
        EXPECT_EQ(map.path->path()->segments.size(), 3u) << c.name;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(map.path->path()->segments[i].p.h, reference.path->path()->segments[i].p.h);
            EXPECT_EQ(map.path->path()->segments[i].p.v, reference.path->path()->segments[i].p.v);
        }
    }
}

// Placed images keep the top-left corner of their bounds; raster images keep the origin of
// their matrix.
TEST_F(ResetTransform, ImagesGoBackToFullSizeUnrotated) {
    struct Case {
        host::ArtType type;
        HostRealMatrix matrix;
        double d; // of an image at 100 %
        bool keepsCorner;
    };
    const Case cases[] = {
        {host::ArtType::Placed, Frame(30, 0.4, -0.4, 0, 50, 300), -1, true},
        {host::ArtType::Placed, Frame(-75, 2.5, -0.5, 0.3, -10, 20), -1, true},
        {host::ArtType::Raster, Frame(30, 0.4, 0.4, 0, 50, 300), 1, false},
        {host::ArtType::Raster, Frame(110, 1.5, 0.7, -0.2, 0, 0), 1, false},
    };
    for (const Case& c : cases) {
        OpenSession(host::Document::createDefault());
        host::Art& image = AddImage(doc(), c.type, c.matrix);
        image.tags.set("note", "kept");
        Select(image);
        const HostRealRect before = Bounds(image);

        ASSERT_EQ(CResetTransform::ResetPlacedImageSize(), kHostNoErr);
        const HostRealMatrix& m = image.image()->matrix;
        EXPECT_EQ(m.a, 1);
        EXPECT_EQ(m.b, 0);
        EXPECT_EQ(m.c, 0);
        EXPECT_EQ(m.d, c.d);
        EXPECT_EQ(image.tags.find(kAccum), nullptr);
        ASSERT_NE(image.tags.find("note"), nullptr);
        const HostRealRect after = Bounds(image);
        EXPECT_NEAR(after.right - after.left, 40, kEps);
        EXPECT_NEAR(after.top - after.bottom, 20, kEps);
        if (c.keepsCorner) {
            EXPECT_NEAR(after.left, before.left, kEps);
            EXPECT_NEAR(after.top, before.top, kEps);
        } else {
            EXPECT_EQ(m.tx, c.matrix.tx);
            EXPECT_EQ(m.ty, c.matrix.ty);
        }
    }
}

// Rotation goes about the anchor; the frame's scale and shear stay.
TEST_F(ResetTransform, StraighteningTurnsTextBackAboutItsAnchor) {
    struct Case {
        const char* name;
        host::TextKind kind;
        host::Orientation orientation;
        HostRealMatrix matrix;
        HostRealMatrix expected;
    };
    const Case cases[] = {
        {"point", host::TextKind::Point, host::Orientation::Horizontal,
         Frame(30, 1, 1, 0, 100, 100), Frame(0, 1, 1, 0, 100, 100)},
        {"vertical", host::TextKind::Point, host::Orientation::Vertical,
         Frame(-50, 1, 1, 0, 10, 20), Frame(0, 1, 1, 0, 10, 20)},
        {"scaled", host::TextKind::Point, host::Orientation::Horizontal,
         Frame(30, 2, 0.5, 0.25, 100, 100), Frame(0, 2, 0.5, 0.25, 100, 100)},
        {"area", host::TextKind::Area, host::Orientation::Horizontal, Frame(45, 1, 1, 0, 0, 0),
         Frame(0, 1, 1, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        OpenSession(host::Document::createDefault());
        host::Art& text = AddText(doc(), c.kind, c.orientation, c.matrix);
        Select(text);

        ASSERT_EQ(CResetTransform::StraightenText(), kHostNoErr) << c.name;
        ExpectMatrix(text.text()->matrix, c.expected, c.name);
        // The runs merge once their characters agree again.
        EXPECT_EQ(Rotations(text), std::vector<double>{0}) << c.name;
        EXPECT_EQ(text.text()->plainText(), "MapLabel") << c.name;
        EXPECT_EQ(text.tags.find(kAccum), nullptr) << c.name;
        EXPECT_NE(text.tags.find("note"), nullptr) << c.name;
    }
}

TEST_F(ResetTransform, TextOnAPathKeepsItsPath) {
    host::Art& text = AddText(doc(), host::TextKind::OnPath, host::Orientation::Horizontal,
                              Frame(30, 1, 0.5, 0.2, 0, 0));
    Select(text);
    const auto& framePath = text.text()->framePath->path()->segments;
    const std::vector<HostPathSegment> path(framePath.begin(), framePath.end());
    const HostRealMatrix matrix = text.text()->matrix;
    const auto expectPathKept = [&](const char* what) {
        const auto& now = text.text()->framePath->path()->segments;
        ASSERT_EQ(now.size(), path.size()) << what;
        for (size_t i = 0; i < path.size(); ++i) {
            EXPECT_EQ(now[i].p.h, path[i].p.h) << what;
            EXPECT_EQ(now[i].p.v, path[i].p.v) << what;
            EXPECT_EQ(now[i].in.h, path[i].in.h) << what;
            EXPECT_EQ(now[i].out.v, path[i].out.v) << what;
        }
    };

    ASSERT_EQ(CResetTransform::StraightenText(), kHostNoErr);
    ExpectMatrix(text.text()->matrix, matrix, "straightened");
    EXPECT_EQ(Rotations(text), (std::vector<double>{0, 15}));
    EXPECT_NE(text.tags.find(kAccum), nullptr);
    expectPathKept("straightened");

    ASSERT_EQ(CResetTransform::RemoveTextShear(), kHostNoErr);
    expectPathKept("shear removed");
    EXPECT_NEAR(text.text()->runs[0].features.fontSize, 6, kEps);
}

// The scale across the lines moves into the type: the font size takes it and the
// horizontal scale gives it back, so the characters stay as wide as they were.
TEST_F(ResetTransform, ShearRemovalMovesTheSqueezeIntoTheType) {
    struct Case {
        const char* name;
        HostRealMatrix matrix;
        HostRealMatrix expected;
        double fontSize;
        double horizontalScale;
    };
    const Case cases[] = {
        {"squeezed", Frame(30, 1, 0.5, 0, 100, 100), Frame(30, 1, 1, 0, 100, 100), 6, 2},
        {"sheared", Frame(-20, 1, 1, 0.4, 5, 7), Frame(-20, 1, 1, 0, 5, 7), 12, 1},
        {"stretched", Frame(0, 2, 2, 0, 0, 0), Frame(0, 1, 1, 0, 0, 0), 24, 0.5},
        // A frame mirrored across its lines loses the mirror with the rest of its linear
        // part; the type takes only the size of the squeeze.
        {"mirrored", Frame(30, 1, -0.5, 0, 100, 100), Frame(30, 1, 1, 0, 100, 100), 6, 2},
    };
    for (const Case& c : cases) {
        OpenSession(host::Document::createDefault());
        host::Art& text =
            AddText(doc(), host::TextKind::Point, host::Orientation::Horizontal, c.matrix);
        Select(text);

        ASSERT_EQ(CResetTransform::RemoveTextShear(), kHostNoErr) << c.name;
        ExpectMatrix(text.text()->matrix, c.expected, c.name);
        for (const host::TextRun& run : text.text()->runs) {
            EXPECT_NEAR(run.features.fontSize, c.fontSize, kEps) << c.name;
            EXPECT_NEAR(run.features.horizontalScale, c.horizontalScale, kEps) << c.name;
            EXPECT_EQ(run.features.verticalScale, 1) << c.name;
        }
        EXPECT_EQ(Rotations(text), (std::vector<double>{0, 15})) << c.name;
    }
}

// Vertical text: the squeeze across its columns goes into the type, and the label keeps
// its footprint.
TEST_F(ResetTransform, ShearRemovalOfVerticalTextTakesTheScaleAcrossTheColumns) {
    struct Case {
        const char* name;
        HostRealMatrix matrix;
        double fontSize;
    } cases[] = {
        {"squeezed across the columns", Frame(0, 0.5, 1, 0, 100, 100), 6},
        {"stretched along the columns", Frame(0, 1, 2, 0, 100, 100), 12},
        {"both", Frame(0, 0.5, 2, 0, 100, 100), 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenSession(host::Document::createDefault());
        host::Art& text =
            AddText(doc(), host::TextKind::Point, host::Orientation::Vertical, c.matrix);
        const HostRealRect before = Bounds(text);
        Select(text);
        ASSERT_EQ(CResetTransform::RemoveTextShear(), kHostNoErr);
        EXPECT_NEAR(text.text()->runs[0].features.fontSize, c.fontSize, kEps);
        const HostRealRect after = Bounds(text);
        EXPECT_NEAR(after.right - after.left, before.right - before.left, 1e-6) << "across";
    }
}

TEST_F(ResetTransform, ShearRemovalPassesOverACollapsedFrame) {
    host::Art& collapsed =
        AddText(doc(), host::TextKind::Point, host::Orientation::Horizontal, {1, 0, 2, 0, 10, 10});
    host::Art& squeezed = AddText(doc(), host::TextKind::Point, host::Orientation::Horizontal,
                                  Frame(0, 1, 0.5, 0, 0, 0));
    Select(collapsed);
    Select(squeezed);

    ASSERT_EQ(CResetTransform::RemoveTextShear(), kHostNoErr);
    ExpectMatrix(collapsed.text()->matrix, {1, 0, 2, 0, 10, 10}, "collapsed");
    EXPECT_EQ(collapsed.text()->runs[0].features.fontSize, 12);
    ExpectMatrix(squeezed.text()->matrix, Frame(0, 1, 1, 0, 0, 0), "squeezed");
}

// The text engine sees the frame through the flip of the y axis; the conversion gives the
// matrix back in the document's convention, where its angle is the one a user sees.
TEST_F(ResetTransform, HardSoftConversionsUndoEachOther) {
    const HostRealMatrix document = Frame(30, 1, 0.5, 0.2, 100, 40);
    host::Art& text =
        AddText(doc(), host::TextKind::Point, host::Orientation::Horizontal, document);
    ATETextFrameRef ref = nullptr;
    ASSERT_EQ(sTextFrame->GetATETextFrame(text.handle(), &ref), kHostNoErr);
    HostRealMatrix m{};
    ASSERT_EQ(sATETextFrame->GetMatrix(ref, &m), kHostNoErr);
    sATETextFrame->Release(ref);
    EXPECT_NEAR(Angle(m), -30, kEps);

    ASSERT_EQ(sHardSoft->MatrixTextEngineToDocument(&m), kHostNoErr);
    ExpectMatrix(m, document, "to document");
    EXPECT_NEAR(Angle(m), 30, kEps);
    ASSERT_EQ(sHardSoft->MatrixDocumentToTextEngine(&m), kHostNoErr);
    ASSERT_EQ(sHardSoft->MatrixTextEngineToDocument(&m), kHostNoErr);
    ExpectMatrix(m, document, "round trip");

    HostRealMatrix broken{NAN, 0, 0, 1, 0, 0};
    EXPECT_EQ(sHardSoft->MatrixDocumentToTextEngine(&broken), kHostErrBadParameter);
    EXPECT_EQ(sHardSoft->MatrixTextEngineToDocument(nullptr), kHostErrBadParameter);
}

} // namespace
