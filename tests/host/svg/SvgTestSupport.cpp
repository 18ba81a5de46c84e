#include "SvgTestSupport.h"

#include "host/geometry/Matrix.h"

using namespace host;

namespace svgtest {

// The real maps are the bundled examples.
std::filesystem::path dataPath(std::string_view name) {
    constexpr std::string_view kMaps = "maps/";
    if (name.substr(0, kMaps.size()) == kMaps)
        return std::filesystem::path(CARTOVEL_EXAMPLES) / name.substr(kMaps.size());
    return std::filesystem::path(CARTOVEL_SVG_TEST_DATA) / name;
}

std::unique_ptr<Document> load(std::string_view svg) {
    SvgLoadResult r = loadSvgText("test.svg", std::string(svg));
    if (!r.document) ADD_FAILURE() << r.message;
    return std::move(r.document);
}

std::unique_ptr<Document> roundTrip(const Document& doc, std::string* text) {
    std::string svg, message;
    if (writeSvgText(doc, svg, message) != kHostNoErr) {
        ADD_FAILURE() << message;
        return nullptr;
    }
    auto back = load(svg);
    if (text) *text = std::move(svg);
    return back;
}

Art* findArt(const Document& doc, std::string_view name) {
    for (Layer* l : doc.allLayers())
        for (Art* a : doc.layerArt(*l))
            if (a->name == name) return a;
    return nullptr;
}

namespace {

Art* add(Document& doc, Art& parent, ArtType type, const char* name) {
    Art* a = doc.makeArt(type);
    a->name = name;
    doc.appendChild(parent, *a);
    return a;
}

void setRect(PathData& p, double x, double y, double w, double h) {
    p.segments.clear();
    for (HostRealPoint q : {HostRealPoint{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}})
        p.segments.push_back({q, q, q, 1});
    p.closed = true;
}

} // namespace

std::unique_ptr<Document> everythingDocument() {
    auto doc = std::make_unique<Document>();
    Document& d = *doc;
    d.page = {-10, 5, 600.5, 400.25, true, "210mm", "297mm"};
    d.viewCentre = {123.25, -7.5};

    Layer* base = d.appendLayer(nullptr, "Base & <roads>");
    Layer* labels = d.appendLayer(nullptr, "ラベル");
    Layer* nested = d.appendLayer(base, "nested \"quoted\"");
    Layer* hidden = d.appendLayer(nested, "hidden one");
    Layer* empty = d.appendLayer(nullptr, "");
    hidden->visible = false;
    nested->editable = false;
    d.setCurrentLayer(*labels);
    base->group()->name = "layer-base";
    base->group()->tags.set("layer tag", "1");
    (void)empty;

    // Paths: every paint kind, stroke geometry, overprints, pattern matrices, guides.
    Art* curve = add(d, *base->group(), ArtType::Path, "curve");
    PathData& c = *curve->path();
    c.segments = {{{0, 0}, {-3, 1}, {3, -1}, 0},    // smooth
                  {{10, 10}, {8, 10}, {12, 11}, 1}, // a corner with handles out
                  {{20, 0}, {20, 5}, {20, 0}, 1}};
    c.closed = true;
    c.style.edit().fill = cmykColour(0.3, 0.1, 0, 0.05);
    c.style.edit().stroke = greyColour(0.25);
    c.style.edit().strokeWidth = 0.3;
    c.style.edit().dash = {2, 1.5, 0.25};
    c.style.edit().dashOffset = 0.5;
    c.style.edit().cap = kHostRoundCap;
    c.style.edit().join = kHostBevelJoin;
    c.style.edit().miterLimit = 10;
    c.style.edit().evenOdd = true;
    c.style.edit().fillOverprint = true;
    c.style.edit().strokeOverprint = true;
    c.style.edit().fillPatternMatrix = {2, 0, 0, 2, 1, 1};
    c.style.edit().strokeGradientMatrix = {1, 0.5, 0, 1, 0, 0};
    curve->tags.set("BBAccumRotation", "0.5235987755982988");
    curve->tags.set("note", "a \"quote\", <angle> & tab\there\nand a new line");
    curve->tags.set("svg:fill-opacity", "0.5");
    curve->tags.set("svg:opacity", "0.75");

    Art* open = add(d, *base->group(), ArtType::Path, "open path with odd handles");
    setRect(*open->path(), 1.1, 2.2, 3.3, 4.4);
    open->path()->closed = false;
    open->path()->segments.front().in = {0, 0};
    open->path()->segments.back().out = {9, 9};
    open->path()->segments[1].corner = 0;
    open->path()->style.edit().fill = rgbColour(0.1, 0.2, 0.3); // not byte-exact
    open->path()->style.edit().fillPaint = false;
    open->path()->style.edit().stroke = rgbColour(1, 0, 0.2);
    open->path()->style.edit().strokePaint = true;

    Art* guide = add(d, *base->group(), ArtType::Path, "guide");
    setRect(*guide->path(), 0, 0, 100, 0.001);
    guide->path()->guide = true;
    guide->path()->style.edit().strokePaint = false;
    guide->path()->style.edit().fillPaint = false;
    guide->path()->style.edit().fill = noColour();

    // Groups, a plug-in group, compound paths of one and of two members, mesh, foreign.
    Art* group = add(d, *base->group(), ArtType::Group, "dup");
    Art* compound = add(d, *group, ArtType::CompoundPath, "dup"); // duplicate name
    PathStyle shared;
    shared.fill = rgbColour(0, 0.2, 1);
    for (double s : {10.0, 4.0}) {
        Art* m = add(d, *compound, ArtType::Path, "");
        setRect(*m->path(), 50 - s, 50 - s, 2 * s, 2 * s);
        m->path()->style = shared;
    }
    Art* single = add(d, *group, ArtType::CompoundPath, "single member");
    setRect(*add(d, *single, ArtType::Path, "")->path(), 0, 0, 1, 1);
    add(d, *group, ArtType::CompoundPath, "no members");
    Art* plugin = add(d, *group, ArtType::PluginGroup, "plug-in");
    setRect(*add(d, *plugin, ArtType::Path, "result")->path(), 5, 5, 1, 1);
    setRect(*add(d, *group, ArtType::Mesh, "mesh")->path(), 7, 7, 2, 2);
    setRect(*add(d, *group, ArtType::Foreign, "foreign")->path(), 9, 9, 2, 2);
    add(d, *group, ArtType::Group, "empty group");
    Art* lockedHidden = add(d, *group, ArtType::Path, "locked and hidden");
    setRect(*lockedHidden->path(), 0, 0, 3, 3);
    d.setUserAttributes(*lockedHidden, kAttrLocked | kAttrHidden, kAttrLocked | kAttrHidden);
    Art* selected = add(d, *group, ArtType::Path, "selected");
    setRect(*selected->path(), 0, 0, 3, 3);
    d.setUserAttributes(*selected, kAttrSelected, kAttrSelected);

    // Images: placed (linked) and raster (embedded), and the other way round.
    Art* placed = add(d, *nested->group(), ArtType::Placed, "photo");
    *placed->image() = {
        {0.4 * 0.8660254037844387, 0.4 * 0.5, -0.4 * 0.5, -0.4 * 0.8660254037844387, 30, 40},
        640,
        480,
        "photos/a b&c.png"};
    placed->tags.set("BBAccumRotation", "0.5");
    Art* raster = add(d, *nested->group(), ArtType::Raster, "raster");
    *raster->image() = {{2, 0, 0.5, 2, -5, 7},
                        3,
                        2,
                        "data:image/"
                        "png;base64,"
                        // a 3 by 2 image, as the size above says
                        "iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAYAAACddGYaAAAAEUlEQVR4nGMwTpv5H4YZkDkAo0"
                        "MNJ+/QMf8AAAAASUVORK5CYII="};
    Art* embeddedPlaced = add(d, *hidden->group(), ArtType::Placed, "embedded placed");
    *embeddedPlaced->image() = {{1, 0, 0, -1, 0, 0}, 1, 1, "data:,x"};
    Art* linkedRaster = add(d, *hidden->group(), ArtType::Raster, "linked raster");
    *linkedRaster->image() = {{1, 0, 0, 1, 0, 0}, 0, 0, "r.tif"};

    // Symbols and their instances.
    Symbol* star = d.newSymbol("star");
    Art* starPath = add(d, *star->art(), ArtType::Path, "star outline");
    setRect(*starPath->path(), -2, -1, 4, 2);
    Symbol* odd = d.newSymbol("not an id!");
    Art* nestedUse = nullptr;
    d.newSymbolInstance(*star, {0.5, 0, 0, 0.5, 1, 1}, PaintOrder::InsideOnTop, odd->art(),
                        &nestedUse);
    Art* inst = nullptr;
    d.newSymbolInstance(*star, {0, 2, -2, 0, 100, 200}, PaintOrder::InsideOnBottom, labels->group(),
                        &inst);
    inst->name = "star 1";
    d.newSymbolInstance(*odd, translationMatrix(5, 5), PaintOrder::InsideOnBottom, labels->group(),
                        &inst);

    // Text: point text with runs, paragraphs and features; vertical; area and path text.
    Art* point = add(d, *labels->group(), ArtType::TextFrame, "label");
    TextData& t = *point->text();
    t.matrix = concat(rotationMatrix(0.3), translationMatrix(200, 300));
    t.para.justification = kJustifyCenter;
    CharFeatures f1;
    f1.fontSize = 9;
    f1.fill = cmykColour(0, 0, 0, 1);
    f1.fontFamily = "Noto Sans CJK JP, 'Meiryo'";
    CharFeatures f2 = f1;
    f2.fontSize = 12.5;
    f2.horizontalScale = 0.8;
    f2.verticalScale = 1.25;
    f2.rotation = 15;
    f2.strokePaint = true;
    f2.stroke = rgbColour(1, 1, 1);
    f2.strokeWidth = 0.5;
    f2.fillPaint = false;
    t.runs = {{"1 : 25,000 <&>\r", f1}, {"地図  two spaces\r\r", f2}, {"last", f1}};
    t.normalize();

    Art* vertical = add(d, *labels->group(), ArtType::LegacyText, "縦書き");
    vertical->text()->orientation = Orientation::Vertical;
    vertical->text()->para.justification = kJustifyRight;
    vertical->text()->matrix = translationMatrix(50, 60);
    vertical->text()->setText("縦の\r文字", CharFeatures{});

    Art* emptyText = add(d, *labels->group(), ArtType::TextFrame, "");
    emptyText->text()->matrix = translationMatrix(1, 1);

    Art* areaPath = d.makeArt(ArtType::Path);
    setRect(*areaPath->path(), 300, 100, 120, 60);
    areaPath->path()->style.edit().fillPaint = false;
    areaPath->path()->style.edit().strokePaint = false;
    Art* area = add(d, *labels->group(), ArtType::TextFrame, "area");
    area->text()->kind = TextKind::Area;
    area->text()->matrix = translationMatrix(300, 150);
    area->text()->setText("in a box", CharFeatures{});
    d.attachFramePath(*area, *areaPath);

    Art* onPathPath = d.makeArt(ArtType::Path);
    onPathPath->name = "route";
    onPathPath->path()->segments = {{{0, 0}, {0, 0}, {50, 50}, 1},
                                    {{100, 0}, {60, 40}, {100, 0}, 1}};
    Art* onPath = add(d, *labels->group(), ArtType::TextFrame, "along");
    onPath->text()->kind = TextKind::OnPath;
    onPath->text()->matrix = {1, 0, 0, 1, 0.5, 0.25};
    onPath->text()->setText("along the road", CharFeatures{});
    d.attachFramePath(*onPath, *onPathPath);
    return doc;
}

} // namespace svgtest
