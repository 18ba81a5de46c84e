// Reading SVG: path data and transforms, styles and colours, layers in both markups,
// shapes, symbols, images and text.
#include "SvgTestSupport.h"

#include "host/geometry/ArtBounds.h"
#include "host/geometry/Rect.h"
#include "host/svg/SvgPathData.h"
#include "host/svg/SvgTransform.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace host;
using namespace svgtest;

namespace {

std::string svgDoc(std::string_view body, std::string_view extra = "") {
    return std::string("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                       "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                       "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
                       "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
                       "viewBox=\"0 0 100 100\" ") +
           std::string(extra) + ">" + std::string(body) + "</svg>";
}

// Anchors of every subpath, "x,y" each, subpaths separated by " | ", "Z" after closed ones.
std::string anchors(std::string_view d) {
    svg::Outline out;
    svg::SyntaxError e;
    if (!svg::parsePathData(d, out, e)) return "error at " + std::to_string(e.offset);
    std::string s;
    for (const svg::Subpath& sp : out.subpaths) {
        if (!s.empty()) s += " | ";
        for (std::size_t i = 0; i < sp.count; ++i) {
            const HostRealPoint p = out.segments[sp.first + i].p;
            char buf[64];
            std::snprintf(buf, sizeof buf, "%s%g,%g", i ? " " : "", p.h, p.v);
            s += buf;
        }
        if (sp.closed) s += " Z";
    }
    return s;
}

TEST(SvgPathData, EveryCommandAbsoluteAndRelative) {
    const struct {
        const char* d;
        const char* anchors;
    } cases[] = {
        {"M10 20 L30 40", "10,20 30,40"},
        {"m10 20 l5 5 h10 v-5 z", "10,20 15,25 25,25 25,20 Z"},
        {"M0 0 10 0 10 10", "0,0 10,0 10,10"}, // pairs after a move draw lines
        {"M0 0 H10 V10 H0 Z", "0,0 10,0 10,10 0,10 Z"},
        {"M1.5.5", "1.5,0.5"}, // numbers run together
        {"M0,0L1e1-1e0", "0,0 10,-1"},
        {"M0 0 L10 0 Z L0 10", "0,0 10,0 Z | 0,0 0,10"}, // drawing goes on from the start
        {"M0 0 L10 0 m10 0 l10 0", "0,0 10,0 | 20,0 30,0"},
        {"M0 0 A5 5 0 0 1 10 0", "0,0 5,-5 10,0"}, // two quarter arcs
        {"M0 0a5 5 0 1110 0", "0,0 5,-5 10,0"},    // flags without separators
        {"M0 0 C 5 5 5 5 0 0 Z", "0,0 Z"},         // a curved close onto the start
        {"", ""},
        {"  ", ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(anchors(k.d), k.anchors) << k.d;
}

TEST(SvgPathData, CurvesKeepTheirControlPoints) {
    svg::Outline out;
    svg::SyntaxError e;
    // S reflects the previous curve's second control point; Q becomes an exact cubic.
    ASSERT_TRUE(svg::parsePathData("M0 0 C0 10 10 10 10 0 S20 -10 20 0 Q25 10 30 0 T40 0", out, e));
    const auto& s = out.segments;
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].out.v, 10);
    EXPECT_EQ(s[1].in.h, 10);
    EXPECT_EQ(s[1].out.h, 10);
    EXPECT_EQ(s[1].out.v, -10);
    EXPECT_NEAR(s[2].out.h, 20 + 2.0 / 3 * 5, 1e-12);
    EXPECT_NEAR(s[2].out.v, 2.0 / 3 * 10, 1e-12);
    EXPECT_NEAR(s[3].in.v, 2.0 / 3 * 10, 1e-12);
    EXPECT_NEAR(s[3].out.v, -2.0 / 3 * 10, 1e-12); // T reflects Q's control point
    // Straight anchors are corners; a smooth join is not.
    EXPECT_TRUE(s[0].corner);
    EXPECT_FALSE(s[1].corner);
}

TEST(SvgPathData, SyntaxErrorsGiveTheirOffset) {
    const struct {
        const char* d;
        std::size_t offset;
    } cases[] = {
        {"L10 10", 0},
        {"M10", 3},
        {"M10 10 L20 x", 11},
        {"M 1e999 0", 2},
        {"M0 0 A5 5 0 2 0 10 10", 12},
        {"M0 0 nan", 5},
        {"M0 0 L inf 0", 7},
        {"M0 0 L NaN 0", 7},
    };
    for (const auto& k : cases) {
        svg::Outline out;
        svg::SyntaxError e;
        EXPECT_FALSE(svg::parsePathData(k.d, out, e)) << k.d;
        EXPECT_EQ(e.offset, k.offset) << k.d;
    }
}

TEST(SvgTransform, ListsApplyRightToLeft) {
    const struct {
        const char* t;
        HostRealPoint in, out;
    } cases[] = {
        {"translate(10)", {1, 1}, {11, 1}},
        {"scale(2 3)", {1, 1}, {2, 3}},
        {"scale(2)", {1, 1}, {2, 2}},
        {"rotate(90)", {1, 0}, {0, 1}},
        {"rotate(90 10 10)", {10, 10}, {10, 10}},
        {"skewX(45)", {0, 1}, {1, 1}},
        {"skewY(45)", {1, 0}, {1, 1}},
        {"matrix(1,2,3,4,5,6)", {1, 1}, {9, 12}},
        {"translate(10 0) scale(2)", {1, 0}, {12, 0}},
        {" translate(10,0),scale(2) ", {1, 0}, {12, 0}},
    };
    for (const auto& k : cases) {
        HostRealMatrix m;
        svg::SyntaxError e;
        ASSERT_TRUE(svg::parseTransform(k.t, m, e)) << k.t;
        const HostRealPoint p = transformPoint(m, k.in);
        EXPECT_NEAR(p.h, k.out.h, 1e-12) << k.t;
        EXPECT_NEAR(p.v, k.out.v, 1e-12) << k.t;
    }
    for (const char* bad : {"translate(1,2,3)", "foo(1)", "scale(", "rotate(1e400)", "scale(2"}) {
        HostRealMatrix m;
        svg::SyntaxError e;
        EXPECT_FALSE(svg::parseTransform(bad, m, e)) << bad;
    }
}

TEST(SvgRead, YIsFlippedAndTransformsAreBakedIntoTheGeometry) {
    const auto doc = load(svgDoc(
        R"~(<g transform="translate(10 0)"><path id="p" d="M0 10 L5 10" stroke-width="0.5" stroke="#000" transform="scale(2)"/></g>)~"));
    ASSERT_TRUE(doc);
    const Art* p = findArt(*doc, "p");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->path()->segments.size(), 2u);
    EXPECT_EQ(p->path()->segments[0].p.h, 10);
    EXPECT_EQ(p->path()->segments[0].p.v, 80);
    EXPECT_EQ(p->path()->segments[1].p.h, 20);
    EXPECT_EQ(p->path()->style->strokeWidth, 1); // drawn twice as wide by the scale
    EXPECT_EQ(p->parent()->type(), ArtType::Group);
}

TEST(SvgRead, StylePrecedence) {
    // Lowest to highest: presentation attribute, element rule, class rule, id rule, style.
    const struct {
        const char* attrs;
        double red, green, blue;
    } cases[] = {
        {R"~(fill="#ff0000" class="other")~", 0, 0.5, 0},  // path rule
        {R"~(fill="#ff0000" class="c")~", 0, 0, 1},        // .c beats path
        {R"~(fill="#ff0000" class="c" id="i")~", 1, 1, 0}, // #i beats .c
        {R"~(class="c" id="i" style="fill:rgb(0%,100%,100%)")~", 0, 1, 1},
        {R"~(class="c d")~", 1, 0, 1}, // .c.d is more specific
    };
    for (const auto& k : cases) {
        const auto doc =
            load(svgDoc(std::string(R"~(<style>/* rules */ path{fill:green} .c{fill:blue}
            #i{fill:yellow} .c.d{fill:#f0f} g > path{fill:black} @media print{path{fill:red}}</style>)~") +
                        "<path d=\"M0 0L1 1\" " + k.attrs + "/>"));
        ASSERT_TRUE(doc);
        const Art* p = doc->firstLayer()->group()->firstChild();
        ASSERT_TRUE(p && p->path()) << k.attrs;
        const HostColor& c = p->path()->style->fill;
        EXPECT_EQ(c.kind, kHostThreeColor);
        EXPECT_NEAR(c.red, k.red, 0.002) << k.attrs;
        EXPECT_NEAR(c.green, k.green, 0.002) << k.attrs;
        EXPECT_NEAR(c.blue, k.blue, 0.002) << k.attrs;
    }
}

TEST(SvgRead, PaintValues) {
    const struct {
        const char* fill;
        bool on;
        double r, g, b;
        const char* fillOpacity = nullptr; // the colour's own alpha ends up here
    } cases[] = {
        {"#0f0", true, 0, 1, 0},
        {"hsl(120, 100%, 25%)", true, 0, 0.5, 0},
        {"hsl(-120deg 100% 50%)", true, 0, 0, 1},
        {"hsla(0, 0%, 100%, 0.25)", true, 1, 1, 1, "0.25"},
        {"rgba(255, 0, 0, 0.3)", true, 1, 0, 0, "0.3"},
        {"rgb(0 0 255 / 50%)", true, 0, 0, 1, "0.5"},
        {"#00ff0080", true, 0, 1, 0, "0.50196078"},
        {"#f008", true, 1, 0, 0, "0.53333333"},
        {"#336699", true, 0.2, 0.4, 0.6},
        {"rgb(255, 0, 128)", true, 1, 0, 128 / 255.0},
        {"RGB(50%,50%,0%)", true, 0.5, 0.5, 0},
        {"steelblue", true, 70 / 255.0, 130 / 255.0, 180 / 255.0},
        {"none", false, 0, 0, 0},
        {"currentColor", true, 1, 0, 0},       // color="red" on the path
        {"url(#grad)", true, 0, 0, 1},         // a gradient stands in with its first stop
        {"url(#missing) #fff", true, 1, 1, 1}, // the fallback
        {"url(#missing)", false, 0, 0, 0},
        {"not-a-colour", true, 0, 0, 0}, // bad value: the default (black) stays
        {"#123456789", true, 0, 0, 0},
    };
    for (const auto& k : cases) {
        const auto doc = load(svgDoc(
            std::string("<defs><linearGradient id=\"grad\"><stop offset=\"0\" "
                        "style=\"stop-color:#00f\"/><stop offset=\"1\" stop-color=\"red\"/>"
                        "</linearGradient></defs><path color=\"red\" d=\"M0 0L1 1\" fill=\"") +
            k.fill + "\"/>"));
        ASSERT_TRUE(doc);
        const PathStyle& s = doc->firstLayer()->group()->firstChild()->path()->style;
        EXPECT_EQ(s.fillPaint, k.on) << k.fill;
        if (!k.on) continue;
        EXPECT_NEAR(s.fill.red, k.r, 1e-9) << k.fill;
        EXPECT_NEAR(s.fill.green, k.g, 1e-9) << k.fill;
        EXPECT_NEAR(s.fill.blue, k.b, 1e-9) << k.fill;
        const std::string* opacity =
            doc->firstLayer()->group()->firstChild()->tags.find("svg:fill-opacity");
        const std::string want = k.fillOpacity != nullptr ? k.fillOpacity : "";
        EXPECT_EQ(opacity != nullptr ? opacity->substr(0, want.size()) : "", want) << k.fill;
    }
}

TEST(SvgRead, StrokePropertiesInheritAndOpacityBecomesTags) {
    const auto doc = load(svgDoc(
        R"~(<g stroke="blue" stroke-width="2pt" stroke-dasharray="1,2 3" stroke-linecap="square" stroke-linejoin="round" fill-rule="evenodd" fill-opacity=".5" opacity="0.3">
             <path id="p" d="M0 0L1 1" stroke-miterlimit="8" style="stroke-dashoffset:1;opacity:0.9"/></g>)~"));
    ASSERT_TRUE(doc);
    const Art* p = findArt(*doc, "p");
    const PathStyle& s = p->path()->style;
    EXPECT_TRUE(s.strokePaint);
    EXPECT_NEAR(s.strokeWidth, 8.0 / 3, 1e-12);
    EXPECT_EQ(s.dash, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(s.dashOffset, 1);
    EXPECT_EQ(s.cap, kHostProjectingCap);
    EXPECT_EQ(s.join, kHostRoundJoin);
    EXPECT_EQ(s.miterLimit, 8);
    EXPECT_TRUE(s.evenOdd);
    // fill-opacity is inherited, opacity is not: each carries its own.
    EXPECT_EQ(*p->tags.find("svg:fill-opacity"), ".5");
    EXPECT_EQ(*p->tags.find("svg:opacity"), "0.9");
    EXPECT_EQ(*p->parent()->tags.find("svg:opacity"), "0.3");
    EXPECT_EQ(p->parent()->tags.find("svg:fill-opacity"), nullptr);

    // A colour's alpha multiplies the opacity written beside it.
    const auto translucent = load(svgDoc(
        R"~(<path id="q" d="M0 0L1 1" fill="rgba(0,0,0,0.5)" fill-opacity="50%" stroke="#0000ff80"/>)~"));
    ASSERT_TRUE(translucent);
    const Art* q = findArt(*translucent, "q");
    EXPECT_EQ(*q->tags.find("svg:fill-opacity"), "0.25");
    EXPECT_EQ(q->tags.find("svg:stroke-opacity")->substr(0, 6), "0.5019");
}

TEST(SvgRead, LayersAsTheOpenSourceEditorMarksThem) {
    const auto doc = load(svgDoc(R"~(
        <path id="stray1" d="M0 0L1 1"/>
        <g inkscape:groupmode="layer" inkscape:label="A" id="layerA">
          <path id="a" d="M0 0L1 1"/>
          <g inkscape:groupmode="layer" inkscape:label="A1" sodipodi:insensitive="true"><path id="a1" d="M0 0L1 1"/></g>
          <g id="plain"><g inkscape:groupmode="layer" inkscape:label="not a layer inside a group"/></g>
        </g>
        <metadata/>
        <path id="stray2" d="M0 0L1 1"/><circle id="stray3" r="1"/>
        <g inkscape:groupmode="layer" inkscape:label="B" style="display:none"/>)~"));
    ASSERT_TRUE(doc);
    std::vector<std::string> titles;
    for (const Layer* l : doc->allLayers())
        titles.push_back(l->title);
    // The file's last layer is the host's layer 0; each run of stray elements gets a layer.
    EXPECT_EQ(titles, (std::vector<std::string>{"B", "Layer 4", "A", "A1", "Layer 1"}));
    const Layer* b = doc->firstLayer();
    EXPECT_FALSE(b->visible);
    const Layer* a1 = doc->firstSublayer(*doc->layerAt(2));
    EXPECT_FALSE(a1->editable);
    EXPECT_EQ(doc->layerAt(2)->group()->name, "layerA");
    // Stray elements keep their order among themselves.
    EXPECT_EQ(doc->layerAt(1)->group()->firstChild()->name, "stray3");
    EXPECT_EQ(findArt(*doc, "plain")->type(), ArtType::Group);
    EXPECT_EQ(doc->currentLayer(), b);
}

TEST(SvgRead, PlainTopLevelGroupsAreLayers) {
    const auto doc = load(svgDoc(
        R"~(<g id="roads"><g id="inner"/></g><g><path d="M0 0L1 1"/></g><rect width="1" height="1"/>)~"));
    ASSERT_TRUE(doc);
    std::vector<std::string> titles;
    for (const Layer* l : doc->allLayers())
        titles.push_back(l->title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Layer 3", "Layer 2", "roads"}));
    EXPECT_EQ(findArt(*doc, "inner")->type(), ArtType::Group);
}

TEST(SvgRead, BasicShapesBecomePaths) {
    const struct {
        const char* element;
        HostRealRect bounds;
        bool closed;
    } cases[] = {
        {R"~(<rect x="10" y="20" width="30" height="40" rx="5"/>)~", {10, 80, 40, 40}, true},
        {R"~(<rect width="10%" height="10%"/>)~", {0, 100, 10, 90}, true},
        {R"~(<circle cx="50" cy="50" r="10"/>)~", {40, 60, 60, 40}, true},
        {R"~(<ellipse cx="50" cy="50" rx="10" ry="5"/>)~", {40, 55, 60, 45}, true},
        {R"~(<line x1="0" y1="0" x2="10" y2="10"/>)~", {0, 100, 10, 90}, false},
        {R"~(<polyline points="0,0 10,0 10,10 5"/>)~", {0, 100, 10, 90}, false},
        {R"~(<polygon points="0 0 10 0 10 10"/>)~", {0, 100, 10, 90}, true},
    };
    for (const auto& k : cases) {
        const auto doc = load(svgDoc(k.element));
        ASSERT_TRUE(doc);
        const Art* a = doc->firstLayer()->group()->firstChild();
        ASSERT_TRUE(a && a->path()) << k.element;
        EXPECT_EQ(a->path()->closed, k.closed) << k.element;
        const auto b = artBounds(*doc, *a);
        EXPECT_NEAR(b->left, k.bounds.left, 1e-9) << k.element;
        EXPECT_NEAR(b->top, k.bounds.top, 1e-9) << k.element;
        EXPECT_NEAR(b->right, k.bounds.right, 1e-9) << k.element;
        EXPECT_NEAR(b->bottom, k.bounds.bottom, 1e-9) << k.element;
    }
    // Zero-sized shapes draw nothing.
    const auto doc = load(svgDoc(R"~(<rect width="0" height="5"/><circle r="0"/>)~"));
    EXPECT_EQ(doc->firstLayer()->group()->firstChild(), nullptr);
}

TEST(SvgRead, UseOfASymbolIsAnInstanceAndUseOfAnElementACopy) {
    const auto doc = load(svgDoc(R"~(
        <defs><symbol id="sym"><rect x="-1" y="-1" width="2" height="2"/></symbol>
              <path id="arrow" d="M0 0L4 0"/></defs>
        <use id="u1" xlink:href="#sym" x="10" y="20"/>
        <use id="u2" href="#arrow" transform="translate(50 50)"/>
        <use id="u3" xlink:href="#nowhere"/>)~"));
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->symbols().size(), 1u);
    const Art* u1 = findArt(*doc, "u1");
    ASSERT_EQ(u1->type(), ArtType::SymbolInstance);
    const auto b = artBounds(*doc, *u1);
    EXPECT_NEAR(b->left, 9, 1e-12);
    EXPECT_NEAR(b->top, 81, 1e-12);
    EXPECT_NEAR(b->bottom, 79, 1e-12);
    const Art* u2 = findArt(*doc, "u2");
    ASSERT_EQ(u2->type(), ArtType::Group);
    ASSERT_NE(u2->firstChild(), nullptr);
    EXPECT_EQ(u2->firstChild()->path()->segments[1].p.h, 54);
    EXPECT_EQ(findArt(*doc, "u3"), nullptr);
}

// While it lives, the XML parser's memory is filled with a pattern as it is freed, so that
// reading a freed element gives nonsense instead of what happened to be left there.
class ScribbledXmlMemory {
public:
    ScribbledXmlMemory()
        : allocate_(pugi::get_memory_allocation_function()),
          deallocate_(pugi::get_memory_deallocation_function()) {
        pugi::set_memory_management_functions(allocate, deallocate);
    }
    ~ScribbledXmlMemory() { pugi::set_memory_management_functions(allocate_, deallocate_); }
    ScribbledXmlMemory(const ScribbledXmlMemory&) = delete;
    ScribbledXmlMemory& operator=(const ScribbledXmlMemory&) = delete;

private:
    static constexpr std::size_t kHeader = alignof(std::max_align_t);
    static void* allocate(std::size_t size) {
        auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
        if (block == nullptr) return nullptr;
        std::memcpy(block, &size, sizeof size);
        return block + kHeader;
    }
    static void deallocate(void* memory) {
        if (memory == nullptr) return;
        unsigned char* block = static_cast<unsigned char*>(memory) - kHeader;
        std::size_t size = 0;
        std::memcpy(&size, block, sizeof size);
        std::memset(memory, 0, size);
        std::free(block);
    }
    pugi::allocation_function allocate_;
    pugi::deallocation_function deallocate_;
};

// A large file's elements leave the XML tree once read; an element that something later
// in the same layer refers to must still be there when it is asked for. The gaps put
// the first in memory of its own, which would be freed once the elements around it are.
TEST(SvgRead, ElementsReadEarlierInALayerStayReachableFromLaterReferences) {
    const ScribbledXmlMemory scribbled; // a freed element cannot be read back by chance
    const struct {
        const char* name;
        const char* before;
        const char* late;
    } cases[] = {
        {"use", R"~(<path id="arrow" d="M0 0L4 0"/>)~",
         R"~(<use id="late" href="#arrow" x="50"/>)~"},
        {"xlink:href", R"~(<path id="arrow" d="M0 0L4 0"/>)~",
         R"~(<use id="late" xlink:href="#arrow" x="50"/>)~"},
        {"paint reference",
         R"~(<linearGradient id="grad"><stop offset="0" stop-color="#00f"/></linearGradient>)~",
         R"~(<path id="late" d="M0 0L4 0" fill="url(#grad)"/>)~"},
        {"paint reference in a style",
         R"~(<linearGradient id="grad"><stop offset="0" stop-color="#00f"/></linearGradient>)~",
         R"~(<path id="late" d="M0 0L4 0" style="fill:url(#grad)"/>)~"},
        {"paint reference in a sheet",
         R"~(<linearGradient id="grad"><stop offset="0" stop-color="#00f"/></linearGradient>
             <style>#late { fill: url(#grad) }</style>)~",
         R"~(<path id="late" d="M0 0L4 0"/>)~"},
    };
    std::string gap;
    for (int i = 0; i < 2000; ++i)
        gap += "<path d=\"M0 0L1 1\"/>\n";
    for (const auto& k : cases) {
        const auto doc =
            load(svgDoc("<g id=\"L\">\n" + gap + k.before + "\n" + gap + k.late + "\n</g>"));
        ASSERT_TRUE(doc) << k.name;
        const Art* late = findArt(*doc, "late");
        ASSERT_NE(late, nullptr) << k.name;
        if (late->type() == ArtType::Group) { // a copy drawn through <use>
            ASSERT_NE(late->firstChild(), nullptr) << k.name;
            EXPECT_EQ(late->firstChild()->path()->segments[1].p.h, 54) << k.name;
        } else {
            const PathStyle& s = late->path()->style;
            EXPECT_TRUE(s.fillPaint) << k.name;
            EXPECT_NEAR(s.fill.blue, 1, 1e-9) << k.name;
            EXPECT_NEAR(s.fill.red, 0, 1e-9) << k.name;
        }
    }
}

TEST(SvgRead, ImagesArePlacedOrRaster) {
    const auto doc = load(svgDoc(R"~(
        <image id="placed" x="10" y="20" width="30" height="15" xlink:href="map.png"/>
        <image id="raster" x="10" y="20" width="30" height="15" href="data:image/png;base64,AAAA"/>)~"));
    ASSERT_TRUE(doc);
    const Art* placed = findArt(*doc, "placed");
    ASSERT_EQ(placed->type(), ArtType::Placed);
    EXPECT_EQ(placed->image()->matrix, (HostRealMatrix{1, 0, 0, -1, 10, 80}));
    EXPECT_EQ(placed->image()->href, "map.png");
    const Art* raster = findArt(*doc, "raster");
    ASSERT_EQ(raster->type(), ArtType::Raster);
    EXPECT_EQ(raster->image()->matrix, (HostRealMatrix{1, 0, 0, 1, 10, 65}));
    // Both cover the same rectangle.
    EXPECT_EQ(*artBounds(*doc, *placed), *artBounds(*doc, *raster));
}

TEST(SvgRead, TextRunsLinesAnchorAndOrientation) {
    const auto doc = load(svgDoc(R"~(
        <text id="t" x="10 11 12" y="20" font-size="10" text-anchor="middle">
          Hello <tspan fill="red">World</tspan>
          <tspan x="10" dy="12">Second   line</tspan></text>
        <text id="v" writing-mode="tb" transform="rotate(-90 0 0)">縦</text>)~"));
    ASSERT_TRUE(doc);
    const TextData& t = *findArt(*doc, "t")->text();
    EXPECT_EQ(t.plainText(), "Hello World\rSecond line");
    ASSERT_EQ(t.runs.size(), 3u);
    EXPECT_EQ(t.runs[1].text, "World\r"); // a paragraph's end goes with the run before it
    EXPECT_EQ(t.runs[1].features.fill.red, 1);
    EXPECT_EQ(t.runs[0].features.fontSize, 10);
    EXPECT_EQ(t.para.justification, kJustifyCenter);
    EXPECT_EQ(t.kind, TextKind::Point);
    EXPECT_EQ(textAnchor(t).h, 10);
    EXPECT_EQ(textAnchor(t).v, 80);
    EXPECT_EQ(t.matrix.d, 1); // upright
    const TextData& v = *findArt(*doc, "v")->text();
    EXPECT_EQ(v.orientation, Orientation::Vertical);
    EXPECT_NEAR(rotationAngle(v.matrix), std::acos(-1) / 2, 1e-12); // a quarter turn to the left
}

TEST(SvgRead, TextOnAPathFollowsItsPath) {
    const auto doc = load(svgDoc(R"~(<defs><path id="road" d="M10 50 L90 50"/></defs>
        <text id="t"><textPath xlink:href="#road">Main Street</textPath></text>)~"));
    ASSERT_TRUE(doc);
    const Art* t = findArt(*doc, "t");
    EXPECT_EQ(t->text()->kind, TextKind::OnPath);
    ASSERT_NE(t->text()->framePath, nullptr);
    EXPECT_EQ(textAnchor(*t->text()).h, 10);
    EXPECT_EQ(artBounds(*doc, *t)->right, 90);
    EXPECT_EQ(t->text()->plainText(), "Main Street");
}

} // namespace
