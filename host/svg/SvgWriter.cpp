// Writing SVG: the root, symbols and layers, and the walk over the art tree (iterative, so
// that deep nesting cannot exhaust the stack).
#include "host/svg/SvgWriter.h"

#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"

#include <vector>

namespace host::svg {

namespace {

// Ids as files use them: whatever a reference can name, which is anything without
// spaces (an id read from a file is written back as it was).
bool isXmlId(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (static_cast<unsigned char>(c) <= ' ') return false;
    return true;
}

// Every art object the file names: the layers' trees, the symbols' art and frame paths.
template <typename F> void forEachArt(const Document& doc, F&& f) {
    auto walk = [&](const Art& top) {
        for (const Art* a = &top; a; a = nextInPreorder(a, &top)) {
            f(*a);
            if (const TextData* t = a->text(); t && t->framePath) f(*t->framePath);
        }
    };
    for (Layer* l = doc.firstLayer(); l; l = doc.nextLayer(*l))
        walk(*l->group());
    for (const Symbol* s : doc.symbols())
        walk(*s->art());
}

} // namespace

SvgWriter::SvgWriter(const Document& doc) : doc_(doc) {}

std::string SvgWriter::number(double v) {
    std::string s;
    if (!appendNumber(s, v) && error_.empty()) {
        error_ = "a number that is not finite";
        if (current_) error_ += " in art '" + current_->name + "'";
    }
    return s;
}

std::string SvgWriter::numbers(std::initializer_list<double> v) {
    std::string s;
    for (double x : v) {
        if (!s.empty()) s += ' ';
        s += number(x);
    }
    return s;
}

std::string SvgWriter::svgMatrix(double a, double b, double c, double d, double tx, double ty) {
    std::string s = "matrix(" + numbers({a, b, c, d, tx}) + ' ';
    if (!appendFlipped(s, ty, flip_)) number(ty); // records the error
    s += ')';
    return s;
}

std::string SvgWriter::freshId(const char* prefix) {
    std::string id;
    do {
        id = prefix + std::to_string(next_++);
    } while (nameCounts_.count(id) || generated_.count(id));
    generated_.insert(id);
    return id;
}

const std::string* SvgWriter::idOf(const Art& a) const {
    if (isXmlId(a.name)) {
        auto it = nameCounts_.find(a.name);
        if (it != nameCounts_.end() && it->second == 1) return &a.name;
    }
    auto it = frameIds_.find(&a);
    return it == frameIds_.end() ? nullptr : &it->second;
}

void SvgWriter::assignIds() {
    // A name becomes the element's id when it is a valid id that nothing else uses.
    std::size_t segments = 0;
    nameCounts_.reserve(doc_.artCount() + doc_.symbols().size());
    forEachArt(doc_, [&](const Art& a) {
        if (isXmlId(a.name)) ++nameCounts_[a.name];
        if (const PathData* p = a.path()) segments += p->segments.size();
    });
    for (const Symbol* s : doc_.symbols())
        if (isXmlId(s->name)) ++nameCounts_[s->name];
    // Frame paths are referenced by their text and need an id even without a usable name.
    forEachArt(doc_, [&](const Art& a) {
        if (a.attachedTo() && !idOf(a)) frameIds_[&a] = freshId("cv-f");
    });
    // The editor's view settings name the current layer by its id.
    if (const Layer* current = doc_.currentLayer();
        current && doc_.kept.currentLayerAt != std::string::npos && !idOf(*current->group()))
        frameIds_[current->group()] = freshId("layer");
    for (const Symbol* s : doc_.symbols()) {
        if (!s->keptId.empty()) {
            symbolIds_[s->id()] = s->keptId;
            continue;
        }
        auto it = nameCounts_.find(s->name);
        symbolIds_[s->id()] = isXmlId(s->name) && it->second == 1 ? s->name : freshId("cv-s");
    }
    text_.reserve(1024 + segments * 40); // about what a segment takes written out
}

bool SvgWriter::write(std::string& out) {
    text_.clear();
    assignIds();
    writeRoot();
    if (!error_.empty()) return false;
    out = std::move(text_);
    return true;
}

void SvgWriter::writeRoot() {
    const Page& p = doc_.page;
    text_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml_.start("svg");
    xml_.attr("xmlns", kSvgNamespace);
    xml_.attr("xmlns:xlink", kXlinkNamespace);
    xml_.attr("xmlns:inkscape", kLayerNamespace);
    xml_.attr("xmlns:sodipodi", kLockNamespace);
    xml_.attr("xmlns:cv", kCartovelNamespace);
    xml_.attrRaw("version", "1.1");
    if (!p.widthAttr.empty()) xml_.attr("width", p.widthAttr);
    if (!p.heightAttr.empty()) xml_.attr("height", p.heightAttr);
    if (p.hasViewBox) xml_.attrRaw("viewBox", numbers({p.x, p.y, p.width, p.height}));
    xml_.attrRaw("cv:view-centre", numbers({doc_.viewCentre.h, doc_.viewCentre.v}));
    for (const auto& [name, value] : doc_.kept.rootAttributes)
        xml_.attr(name, value);
    xml_.endStart(true);
    xml_.newline();
    if (!doc_.kept.head.empty()) {
        writeHead();
        xml_.newline();
    }
    explicitStyle_ = doc_.kept.hasStyleSheet;
    writeSymbols();
    flip_ = p.flipY();
    // SVG paints in document order: the bottom layer comes first.
    std::vector<const Layer*> layers;
    for (Layer* l = doc_.firstLayer(); l; l = doc_.nextLayer(*l))
        layers.push_back(l);
    for (auto it = layers.rbegin(); it != layers.rend() && error_.empty(); ++it)
        writeTree(*(*it)->group());
    xml_.end("svg");
    xml_.newline();
}

void SvgWriter::writeSymbols() {
    bool any = false;
    for (const Symbol* s : doc_.symbols())
        any = any || s->keptId.empty();
    if (!any) return;
    flip_ = 0; // symbol space: y up about the symbol's origin, so SVG y = -y
    xml_.start("defs");
    xml_.endStart(true);
    xml_.newline();
    for (const Symbol* s : doc_.symbols()) {
        if (!s->keptId.empty()) continue; // its definition is among the kept content
        const std::string& id = symbolIds_[s->id()];
        xml_.start("symbol");
        xml_.attr("id", id);
        if (id != s->name) xml_.attr("cv:name", s->name);
        xml_.attrRaw("overflow", "visible"); // the content extends on all sides of the origin
        endStart(true);
        xml_.newline();
        for (const Art* c = s->art()->lastChild(); c && error_.empty(); c = c->prevSibling())
            writeTree(*c);
        xml_.end("symbol");
        xml_.newline();
    }
    xml_.end("defs");
    xml_.newline();
}

void SvgWriter::writeTree(const Art& top) {
    struct Step {
        const Art* art;
        bool close;
        bool spaced = false;
    };
    std::vector<Step> stack{{&top, false}};
    while (!stack.empty() && error_.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const Art& a = *step.art;
        if (step.close) {
            writeTagElements(a, false);
            xml_.end(a.kept && !a.kept->element.empty() ? a.kept->element : "g");
            xml_.newline();
            if (step.spaced) leaveSpace();
            continue;
        }
        if (a.kept && a.kept->clone && writeClone(a)) continue;
        if (a.type() == ArtType::Group || a.type() == ArtType::PluginGroup) {
            const bool spaced = openContainer(a);
            stack.push_back({&a, true, spaced});
            // Children go out back to front: push the front one first so it comes last.
            for (const Art* c = a.firstChild(); c; c = c->nextSibling())
                stack.push_back({c, false});
        } else {
            writeLeaf(a);
        }
    }
}

bool SvgWriter::openContainer(const Art& a) {
    current_ = &a;
    xml_.start(a.kept && !a.kept->element.empty() ? a.kept->element : "g");
    writeCommon(a, false);
    if (a.type() == ArtType::PluginGroup) xml_.attrRaw("cv:art", "plugin-group");
    const bool spaced = enterSpace(a);
    endStart(true);
    if (writeKeptChildren(a)) xml_.newline();
    xml_.newline();
    return spaced;
}

void SvgWriter::writeLeaf(const Art& a) {
    current_ = &a;
    switch (a.type()) {
    case ArtType::Path:
    case ArtType::Mesh:
    case ArtType::Foreign:
        writePathElement(a, nullptr);
        break;
    case ArtType::CompoundPath:
        writeCompound(a);
        break;
    case ArtType::Placed:
    case ArtType::Raster:
        writeImage(a);
        break;
    case ArtType::SymbolInstance:
        writeSymbolInstance(a);
        break;
    case ArtType::TextFrame:
    case ArtType::LegacyText:
        writeText(a);
        break;
    default:
        break;
    }
    xml_.newline();
}

void SvgWriter::writeHead() {
    const KeptDocument& k = doc_.kept;
    const Layer* current = doc_.currentLayer();
    const std::string* id = current ? idOf(*current->group()) : nullptr;
    if (k.currentLayerAt > k.head.size() || id == nullptr) {
        text_ += k.head;
        return;
    }
    text_.append(k.head, 0, k.currentLayerAt);
    text_.append(" ").append(k.currentLayerAttribute).append("=\"").append(*id).append("\"");
    text_.append(k.head, k.currentLayerAt);
}

void SvgWriter::writeCommon(const Art& a, bool leaf) {
    if (const std::string* id = idOf(a)) {
        xml_.attr("id", *id);
        if (*id != a.name) xml_.attr("cv:name", a.name);
    } else if (!a.name.empty()) {
        xml_.attr("cv:name", a.name);
    }
    // The selection belongs to the session, not to the file: another editor would keep a
    // mark, and the next run would start from a stale selection.
    const std::uint32_t bits = doc_.userAttributes(a, kAttrLocked | kAttrHidden);
    if (const Layer* layer = a.ownedLayer()) {
        xml_.attrRaw("inkscape:groupmode", "layer");
        xml_.attr("inkscape:label", layer->title);
        if (doc_.currentLayer() == layer) xml_.attrRaw("cv:current", "1");
    }
    style_.clear();
    if (bits & kAttrHidden) style_ = "display:none";
    if (bits & kAttrLocked) xml_.attrRaw("sodipodi:insensitive", "true");
    // Opacity lives in tags; SVG says it with its own properties.
    if (const std::string* v = a.tags.find("svg:opacity")) xml_.attr("opacity", *v);
    if (leaf) {
        if (const std::string* v = a.tags.find("svg:fill-opacity")) xml_.attr("fill-opacity", *v);
        if (const std::string* v = a.tags.find("svg:stroke-opacity"))
            xml_.attr("stroke-opacity", *v);
    }
    writeKeptAttributes(a);
}

void SvgWriter::endStart(bool hasContent) {
    if (!style_.empty()) {
        xml_.attr("style", style_);
        style_.clear();
    }
    xml_.endStart(hasContent);
}

void SvgWriter::finishElement(const Art& art, const char* element, bool leaf) {
    const bool content = hasContent(art, leaf);
    endStart(content);
    if (!content) return;
    writeKeptChildren(art);
    writeTagElements(art, leaf);
    xml_.end(element);
}

namespace {

bool isStyleTag(std::string_view name, bool leaf) {
    return name == "svg:opacity" ||
           (leaf && (name == "svg:fill-opacity" || name == "svg:stroke-opacity"));
}

} // namespace

bool SvgWriter::hasTagElements(const Art& a, bool leaf) const {
    for (const auto& [name, value] : a.tags.entries())
        if (!isStyleTag(name, leaf)) return true;
    return false;
}

void SvgWriter::writeTagElements(const Art& a, bool leaf) {
    for (const auto& [name, value] : a.tags.entries()) {
        if (isStyleTag(name, leaf)) continue;
        xml_.start("cv:tag");
        xml_.attr("name", name);
        xml_.attr("value", value);
        xml_.endStart(false);
    }
}

} // namespace host::svg
