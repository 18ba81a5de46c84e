// Reading what the model does not represent: attributes, style declarations, child
// elements and document-level content, kept with the art they came with.
#include "host/geometry/Matrix.h"
#include "host/svg/SvgColour.h"
#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/SvgReader.h"

#include <array>
#include <cmath>
#include <cstring>

namespace host::svg {

namespace {

struct StringSink : pugi::xml_writer {
    explicit StringSink(std::string& s) : out(s) {}
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
    std::string& out;
};

bool isOneOf(std::string_view s, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (s == n) return true;
    return false;
}

// Geometry and references the element readers turn into the model.
bool isGeometryAttribute(std::string_view element, std::string_view a) {
    if (element == "path") return a == "d";
    if (element == "rect") return isOneOf(a, {"x", "y", "width", "height", "rx", "ry"});
    if (element == "circle") return isOneOf(a, {"cx", "cy", "r"});
    if (element == "ellipse") return isOneOf(a, {"cx", "cy", "rx", "ry"});
    if (element == "line") return isOneOf(a, {"x1", "y1", "x2", "y2"});
    if (element == "polyline" || element == "polygon") return a == "points";
    if (element == "image") return isOneOf(a, {"x", "y", "width", "height", "href"});
    if (element == "use") return isOneOf(a, {"x", "y", "href"});
    if (element == "svg") return a == "x" || a == "y";
    if (element == "text") return isOneOf(a, {"x", "y", "rotate", "xml:space"});
    return false;
}

// Properties whose definitions lie in the element's user space.
bool needsSpace(std::string_view property) {
    return isOneOf(property, {"clip-path", "mask", "filter", "marker", "marker-start", "marker-mid",
                              "marker-end"});
}

} // namespace

void SvgReader::appendXml(pugi::xml_node node, std::string& out) const {
    StringSink sink(out);
    node.print(sink, "", pugi::format_raw, pugi::encoding_utf8);
}

bool SvgReader::isModelAttribute(std::string_view element, std::string_view a) const {
    if (a == "id" || a == "style" || a == "transform") return true;
    if (a != "color" && isPresentationAttribute(a)) return true;
    if (a.starts_with(names_.cvPrefix)) return true;
    if (a == names_.groupmode || a == names_.label || a == names_.insensitive) return true;
    if (a == names_.xlinkHref) return element == "use" || element == "image";
    return isGeometryAttribute(element, a);
}

bool SvgReader::isKeptChild(pugi::xml_node parent, pugi::xml_node child,
                            std::string_view parentName) const {
    if (child.type() != pugi::node_element) return false;
    if (isCv(child, cv::kTag)) return false;
    const std::string_view name = localName(child);
    if (parentName == "text") return !isOneOf(name, {"tspan", "textPath", "a", "tref"});
    if (isContainerElement(parentName) && parent != xml_.document_element()) {
        if (name.empty()) return true; // another namespace
        if (!isDrawable(name)) return true;
        return false;
    }
    return true; // leaves and <use>: every child element
}

KeptContent& SvgReader::keptOf(Art& art) {
    if (!art.kept) art.kept = std::make_unique<KeptContent>();
    return *art.kept;
}

void SvgReader::keep(pugi::xml_node node, Art& art, const HostRealMatrix& space, bool stroked) {
    const std::string_view name = localName(node);
    bool spaced = false;
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view n = a.name();
        if (isModelAttribute(name, n) && (n != names_.label || art.ownedLayer())) continue;
        keptOf(art).attributes.emplace_back(n, a.value());
        spaced = spaced || needsSpace(n);
    }
    // The placement an image had without the attribute; the writer's own is another.
    if (name == "image" && !node.attribute("preserveAspectRatio"))
        keptOf(art).attributes.emplace_back("preserveAspectRatio", "xMidYMid meet");
    if (const pugi::xml_attribute style = node.attribute("style")) {
        forEachDeclaration(style.value(), [&](std::string_view n, std::string_view v) {
            if (isPresentationAttribute(n)) return;
            std::string& s = keptOf(art).style;
            if (!s.empty()) s += ';';
            s.append(n).append(":").append(v);
            spaced = spaced || needsSpace(n);
        });
    }
    if (!sheet_.empty() && !spaced) {
        sheet_.match(name, node.attribute("id").value(), node.attribute("class").value(), matched_);
        for (const auto& [n, v] : matched_)
            spaced = spaced || needsSpace(n);
    }
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (isKeptChild(node, c, name)) appendXml(c, keptOf(art).children);
    if (name == "a" || name == "switch") keptOf(art).element = name;
    keepEditorShape(node, art, space);
    if (art.kept && (art.kept->fill.value.size() || art.kept->stroke.value.size())) spaced = true;
    // A stroke under a transformation that is not a similarity is no longer a line of
    // one width; only its own space draws it as it was.
    if (stroked && (art.path() || art.type() == ArtType::CompoundPath)) {
        const auto near = [](double a, double b) {
            return std::abs(a - b) <= 1e-9 * (std::abs(a) + std::abs(b));
        };
        const bool similar = (near(space.a, space.d) && near(space.b, -space.c)) ||
                             (near(space.a, -space.d) && near(space.b, space.c));
        spaced = spaced || !similar;
    }
    HostRealMatrix inverse = space;
    if (spaced && invert(inverse)) {
        keptOf(art).hasSpace = true;
        art.kept->space = space;
    }
}

void SvgReader::keepPaint(const Paint& paint, bool on, const HostColor& colour, KeptPaint& out) {
    if (paint.kind != Paint::Url) return;
    out.value = "url(#";
    out.value.append(paint.reference).append(")");
    if (paint.hasFallback) {
        out.value += ' ';
        if (paint.colour.kind == kHostNoneColor) {
            out.value += "none";
        } else {
            appendHexColour(out.value, displayRgb(paint.colour));
        }
    }
    out.on = on;
    out.readAs = colour;
}

// The editor redraws such a shape from its parameters, in the element's own coordinates:
// the points it was read with tell the writer how a command has moved it since.
void SvgReader::keepEditorShape(pugi::xml_node node, Art& art, const HostRealMatrix& space) {
    const std::string lock = names_.insensitive.substr(0, names_.insensitive.find(':') + 1);
    const std::string prefix = names_.label.substr(0, names_.label.find(':') + 1);
    const pugi::xml_attribute type = node.attribute((lock + "type").c_str());
    const bool shape = type || node.attribute((prefix + "original-d").c_str());
    if (!shape || !art.kept) return;
    KeptContent& k = *art.kept;
    k.editorShape = true;
    k.editorShapeSpace = space;
    // An ellipse element's parameters are its geometry; written as a path it needs the
    // editor's own.
    const std::string_view name = localName(node);
    if (std::string_view(type.value()) == "arc" && (name == "circle" || name == "ellipse")) {
        const bool circle = name == "circle";
        std::array<std::pair<const char*, const char*>, 4> from{
            {{"cx", "cx"}, {"cy", "cy"}, {"rx", circle ? "r" : "rx"}, {"ry", circle ? "r" : "ry"}}};
        for (const auto& [to, attr] : from) {
            double v = 0;
            const pugi::xml_attribute a = node.attribute(attr);
            if (a && !parseLength(a.value(), 16, v)) break;
            std::string text;
            appendNumber(text, v);
            k.attributes.emplace_back(lock + to, std::move(text));
        }
    }
    if (const PathData* path = art.path()) {
        k.editorShapeRead.assign(path->segments.begin(), path->segments.end());
    } else if (art.type() == ArtType::CompoundPath) {
        for (const Art* c = art.firstChild(); c; c = c->nextSibling())
            if (const PathData* p = c->path())
                k.editorShapeRead.insert(k.editorShapeRead.end(), p->segments.begin(),
                                         p->segments.end());
    }
}

void SvgReader::keepDocument() {
    const pugi::xml_node root = xml_.document_element();
    KeptDocument& k = doc_->kept;
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view n = a.name();
        // The writer declares these itself.
        if (isOneOf(n, {"xmlns", "xmlns:xlink", "xmlns:inkscape", "xmlns:sodipodi", "xmlns:cv",
                        "version", "width", "height", "viewBox"}))
            continue;
        if (isModelAttribute("svg", n) && n != "style") continue;
        if (n == "style") {
            std::string s;
            forEachDeclaration(a.value(), [&](std::string_view d, std::string_view v) {
                if (isPresentationAttribute(d)) return;
                if (!s.empty()) s += ';';
                s.append(d).append(":").append(v);
            });
            if (!s.empty()) k.rootAttributes.emplace_back("style", std::move(s));
            continue;
        }
        k.rootAttributes.emplace_back(n, a.value());
    }
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || isCv(c, cv::kTag)) continue;
        const std::string_view name = localName(c);
        if (!name.empty() && isDrawable(name)) continue;
        if (std::string_view(c.name()) == names_.namedview &&
            k.currentLayerAt == std::string::npos) {
            // The writer names the current layer there as it is then.
            c.remove_attribute(names_.currentLayer.c_str());
            k.currentLayerAttribute = names_.currentLayer;
            k.currentLayerAt = k.head.size() + 1 + names_.namedview.size();
        }
        appendXml(c, k.head);
    }
    k.hasStyleSheet = !sheet_.empty();
}

} // namespace host::svg
