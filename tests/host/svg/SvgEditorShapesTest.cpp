// Shapes the open-source editor draws from parameters of its own keep them through a
// command that moves them by a transformation the parameters can follow, changed so that
// they still describe the path as written; otherwise they are dropped and the path stands.
#include "SvgTestSupport.h"

#include "host/geometry/Matrix.h"
#include "host/geometry/TransformArt.h"
#include "host/svg/SvgPathData.h"

#include <pugixml.hpp>

#include <cmath>
#include <numbers>
#include <set>

using namespace host;
using namespace svgtest;

namespace {

// The layer's translation is not written back: even unmoved, the parameters change.
const char* const kShapes = R"svg(<svg xmlns="http://www.w3.org/2000/svg"
    xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
    xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"
    width="200" height="150" viewBox="0 0 200 150">
  <g inkscape:groupmode="layer" id="terrain" transform="translate(3,-10)">
    <ellipse sodipodi:type="arc" id="lake" cx="160" cy="40" rx="20" ry="10" fill="#36c"/>
    <path sodipodi:type="arc" id="pond" sodipodi:cx="180" sodipodi:cy="80" sodipodi:rx="10"
       sodipodi:ry="6" sodipodi:start="0" sodipodi:end="3" sodipodi:arc-type="slice"
       d="M 190,80 A 10,6 0 0 1 170.10075,80.84672 L 180,80 Z" fill="#6ae"/>
    <path sodipodi:type="star" id="capital" sodipodi:sides="5" sodipodi:cx="130"
       sodipodi:cy="30" sodipodi:r1="8" sodipodi:r2="3.2" sodipodi:arg1="-1.5707963"
       sodipodi:arg2="-0.9424778" inkscape:flatsided="false"
       d="M 130,22 131.88091,27.41115 137.60845,27.52786 133.04338,30.98885 134.70228,36.47214 130,33.2 125.29772,36.47214 126.95662,30.98885 122.39155,27.52786 128.11909,27.41115 Z"/>
    <path sodipodi:type="spiral" id="whirl" sodipodi:cx="130" sodipodi:cy="120"
       sodipodi:expansion="1" sodipodi:revolution="2" sodipodi:radius="10"
       sodipodi:argument="0" sodipodi:t0="0"
       d="M 130,120 C 131,120 132,121 132,122 C 132,124 130,126 128,126 C 124,126 122,122 122,120 C 122,114 126,110 130,110 C 136,110 140,114 140,120"
       fill="none" stroke="#000"/>
    <path id="river" inkscape:path-effect="#lpe1" inkscape:original-d="M 10,140 C 40,120 80,145 120,130"
       d="M 10,140 C 40,120 80,145 120,130" fill="none" stroke="#36c"/>
  </g>
</svg>)svg";

const char* const kNames[] = {"lake", "pond", "capital", "whirl", "river"};

std::vector<HostRealPoint> anchors(std::string_view d) {
    svg::Outline outline;
    svg::SyntaxError error;
    EXPECT_TRUE(svg::parsePathData(d, outline, error)) << d;
    std::vector<HostRealPoint> out;
    for (const HostPathSegment& s : outline.segments)
        out.push_back(s.p);
    return out;
}

double num(pugi::xml_node e, const char* name) {
    return e.attribute(name).as_double(std::nan(""));
}

// Whether the parameters describe the written path, within the precision of the fixture.
void expectParametersDescribeThePath(pugi::xml_node e) {
    SCOPED_TRACE(e.attribute("id").value());
    EXPECT_FALSE(e.attribute("transform"));
    const std::vector<HostRealPoint> d = anchors(e.attribute("d").value());
    ASSERT_FALSE(d.empty());
    const std::string_view type = e.attribute("sodipodi:type").value();
    const double cx = num(e, "sodipodi:cx"), cy = num(e, "sodipodi:cy");
    const auto at = [&](double r, double angle) {
        return HostRealPoint{cx + r * std::cos(angle), cy + r * std::sin(angle)};
    };
    const auto expectNear = [](HostRealPoint p, HostRealPoint q, double tolerance) {
        EXPECT_NEAR(p.h, q.h, tolerance);
        EXPECT_NEAR(p.v, q.v, tolerance);
    };
    if (type == "arc") {
        const double rx = num(e, "sodipodi:rx"), ry = num(e, "sodipodi:ry");
        for (HostRealPoint p : d) {
            const double q = std::hypot((p.h - cx) / rx, (p.v - cy) / ry);
            EXPECT_TRUE(std::abs(q - 1) < 1e-3 || q < 1e-3) << p.h << " " << p.v;
        }
    } else if (type == "star") {
        const double r1 = num(e, "sodipodi:r1"), r2 = num(e, "sodipodi:r2");
        expectNear(d.front(), at(r1, num(e, "sodipodi:arg1")), 1e-3 * r1);
        expectNear(d[1], at(r2, num(e, "sodipodi:arg2")), 1e-3 * r1);
    } else if (type == "spiral") {
        const double r = num(e, "sodipodi:radius");
        expectNear(d.front(), at(0, 0), 1e-6 * r);
        const double end = 2 * std::numbers::pi * num(e, "sodipodi:revolution");
        expectNear(d.back(), at(r, end + num(e, "sodipodi:argument")), 1e-6 * r);
    } else {
        const std::vector<HostRealPoint> original =
            anchors(e.attribute("inkscape:original-d").value());
        ASSERT_EQ(original.size(), d.size());
        for (std::size_t i = 0; i < d.size(); ++i)
            expectNear(original[i], d[i], 1e-6);
    }
}

TEST(SvgEditorShapes, ParametersFollowWhatTheyCanAndGoOtherwise) {
    const HostRealPoint c{100, 75};
    const auto about = [&](HostRealMatrix m) {
        return concat(concat(translationMatrix(-c.h, -c.v), m), translationMatrix(c.h, c.v));
    };
    const std::set<std::string> all(std::begin(kNames), std::end(kNames));
    struct Case {
        const char* name;
        HostRealMatrix m;
        std::set<std::string> kept;
    };
    const std::vector<Case> cases = {
        {"unmoved", kIdentityMatrix, all},
        {"moved", translationMatrix(7, -4), all},
        {"scaled", about(scaleMatrix(1.5, 1.5)), all},
        {"stretched", about(scaleMatrix(2, 0.5)), {"lake", "pond", "river"}},
        {"turned", about(rotationMatrix(std::numbers::pi / 6)), {"capital", "whirl", "river"}},
        {"sheared", about({1, 0, 0.3, 1, 0, 0}), {"river"}},
        {"mirrored", about(scaleMatrix(-1, 1)), {"river"}},
        {"edited", kIdentityMatrix, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto doc = load(kShapes);
        ASSERT_TRUE(doc);
        for (const char* name : kNames) {
            Art* art = findArt(*doc, name);
            ASSERT_TRUE(art && art->path()) << name;
            ASSERT_EQ(transformArt(*doc, *art, k.m, 1, kTransformObjects), kHostNoErr);
            if (std::string_view(k.name) == "edited") {
                bool first = true;
                art->path()->segments.mapPoints([&](HostRealPoint p) {
                    if (first) p.h += 0.5;
                    first = false;
                    return p;
                });
            }
        }
        std::string text, message;
        ASSERT_EQ(writeSvgText(*doc, text, message), kHostNoErr) << message;
        pugi::xml_document xml;
        ASSERT_TRUE(xml.load_string(text.c_str()));
        std::set<std::string> kept;
        for (const char* name : kNames) {
            const pugi::xml_node e = xml.find_node(
                [&](pugi::xml_node n) { return n.attribute("id").value() == std::string(name); });
            ASSERT_TRUE(e) << name;
            if (!e.attribute("sodipodi:type") && !e.attribute("inkscape:original-d")) continue;
            kept.insert(name);
            expectParametersDescribeThePath(e);
        }
        EXPECT_EQ(kept, k.kept) << text;
    }
}

} // namespace
