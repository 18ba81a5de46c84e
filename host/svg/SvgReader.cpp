// Reading SVG: the XML, the names in use, the page, symbols and layers, and the walk over
// the element tree (iterative, so that deep nesting cannot exhaust the stack).
#include "host/svg/SvgReader.h"

#include "host/geometry/Matrix.h"
#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/XmlCharReferences.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace host::svg {

SvgReader::SvgReader(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}

SvgReader::~SvgReader() = default;

std::unique_ptr<Document> SvgReader::read() {
    doc_ = std::make_unique<Document>();
    if (!parseXml()) return nullptr;
    resolveNames();
    prepass();
    readPage();
    if (!failed_) readSymbols();
    if (!failed_) readLayers();
    if (failed_) return nullptr;
    linkClones();
    readNamedViewLayer();
    keepDocument();
    if (doc_->layerCount() == 0) doc_->appendLayer(nullptr, "Layer 1");
    // Without a marked current layer the topmost one is current.
    if (!currentMarked_) doc_->setCurrentLayer(*doc_->firstLayer());
    return std::move(doc_);
}

bool SvgReader::fail(std::size_t offset, std::string message) {
    if (!failed_) {
        failed_ = true;
        error_ = {offset, std::move(message)};
    }
    return false;
}

bool SvgReader::fail(pugi::xml_node node, std::string message) {
    return fail(offsetOf(node), "<" + std::string(node.name()) + ">: " + message);
}

bool SvgReader::failAt(pugi::xml_attribute attr, std::size_t within, std::string message) {
    const std::size_t base = offsetOf(attr);
    return fail(base + within, std::string(attr.name()) + ": " + message);
}

void SvgReader::warn(pugi::xml_node node, std::string message) {
    // A hostile file could produce millions; the first few tell the story.
    if (warnings_.size() < 100)
        warnings_.push_back({offsetOf(node), "<" + std::string(node.name()) + ">: " + message});
}

void SvgReader::warnAt(pugi::xml_node node, pugi::xml_attribute attr, std::size_t within,
                       std::string message) {
    if (warnings_.size() < 100)
        warnings_.push_back({offsetOf(attr) + within,
                             "<" + std::string(node.name()) + "> " + attr.name() + ": " + message});
}

bool SvgReader::skip(pugi::xml_node node, std::string message) {
    warn(node, std::move(message));
    return false;
}

std::size_t SvgReader::offsetOf(pugi::xml_node node) const {
    const std::ptrdiff_t off = node.offset_debug();
    return off < 0 ? 0 : static_cast<std::size_t>(off);
}

std::size_t SvgReader::offsetOf(pugi::xml_attribute attr) const {
    const char* v = attr.value();
    if (v >= buffer_ && v < buffer_ + size_) return static_cast<std::size_t>(v - buffer_);
    const char* n = attr.name();
    if (n >= buffer_ && n < buffer_ + size_) return static_cast<std::size_t>(n - buffer_);
    return 0;
}

bool SvgReader::parseXml() {
    if (const auto bad = findBadCharReference(std::string_view(buffer_, size_)))
        return fail(bad->offset, "the character reference " + std::string(bad->text) +
                                     " names no character XML allows");
    const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_doctype;
    const pugi::xml_parse_result r =
        xml_.load_buffer_inplace(buffer_, size_, options, pugi::encoding_utf8);
    if (!r)
        return fail(static_cast<std::size_t>(r.offset),
                    std::string("malformed XML: ") + r.description());
    for (pugi::xml_node n = xml_.first_child(); n; n = n.next_sibling()) {
        // Entity declarations are refused outright rather than left unexpanded.
        if (n.type() == pugi::node_doctype && std::strchr(n.value(), '['))
            return fail(offsetOf(n),
                        "a DOCTYPE with an internal subset (entity declarations) is not accepted");
    }
    const pugi::xml_node root = xml_.document_element();
    if (!root) return fail(0, "no root element");
    std::string_view name = root.name();
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos)
        name = name.substr(colon + 1);
    if (name != "svg") return fail(offsetOf(root), "the root element is not <svg>");
    return true;
}

void SvgReader::resolveNames() {
    const pugi::xml_node root = xml_.document_element();
    std::string xlink = "xlink", layer = "inkscape", lock = "sodipodi", cvp = "cv";
    for (pugi::xml_attribute a : root.attributes()) {
        const std::string_view n = a.name();
        if (!n.starts_with("xmlns:")) continue;
        const std::string prefix(n.substr(6));
        const std::string_view uri = a.value();
        if (uri == kXlinkNamespace) xlink = prefix;
        if (uri == kLayerNamespace) layer = prefix;
        if (uri == kLockNamespace) lock = prefix;
        if (uri == kCartovelNamespace) cvp = prefix;
        if (uri == kSvgNamespace && std::string_view(root.name()).starts_with(prefix + ":"))
            names_.svgPrefix = prefix + ":";
    }
    names_.xlinkHref = xlink + ":href";
    names_.groupmode = layer + ":groupmode";
    names_.label = layer + ":label";
    names_.insensitive = lock + ":insensitive";
    names_.namedview = lock + ":namedview";
    names_.currentLayer = layer + ":current-layer";
    names_.cvPrefix = cvp + ":";
}

std::string_view SvgReader::localName(pugi::xml_node node) const {
    std::string_view n = node.name();
    if (!names_.svgPrefix.empty()) {
        if (!n.starts_with(names_.svgPrefix)) return {};
        return n.substr(names_.svgPrefix.size());
    }
    return n.find(':') == std::string_view::npos ? n : std::string_view{};
}

bool SvgReader::isSvgElement(pugi::xml_node node) const {
    return node.type() == pugi::node_element && !localName(node).empty();
}

bool SvgReader::isCv(pugi::xml_node node, std::string_view local) const {
    std::string_view n = node.name();
    return n.size() == names_.cvPrefix.size() + local.size() && n.starts_with(names_.cvPrefix) &&
           n.substr(names_.cvPrefix.size()) == local;
}

const char* SvgReader::cvAttr(pugi::xml_node node, std::string_view local) const {
    // The project's attributes of one element are gathered once: an element is asked for
    // a dozen of them, and most have none.
    if (cvCacheNode_ != node) {
        cvCacheNode_ = node;
        cvCache_.clear();
        const std::string_view prefix = names_.cvPrefix;
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            const char* n = a.name();
            if (std::strncmp(n, prefix.data(), prefix.size()) == 0)
                cvCache_.emplace_back(n + prefix.size(), a.value());
        }
    }
    for (const auto& [name, value] : cvCache_)
        if (name == local) return value;
    return nullptr;
}

bool SvgReader::isLayerGroup(pugi::xml_node node) const {
    return localName(node) == "g" &&
           std::string_view(node.attribute(names_.groupmode.c_str()).value()) == "layer";
}

pugi::xml_node SvgReader::byId(std::string_view ref) const {
    auto it = ids_.find(ref);
    return it == ids_.end() ? pugi::xml_node() : it->second;
}

pugi::xml_node SvgReader::referenced(pugi::xml_node node) const {
    std::string_view href = node.attribute(names_.xlinkHref.c_str()).value();
    if (href.empty()) href = node.attribute("href").value();
    href = trim(href);
    if (!href.starts_with("#")) return {};
    return byId(href.substr(1));
}

void SvgReader::prepass() {
    const pugi::xml_node root = xml_.document_element();
    std::size_t elements = 0;
    // Gathered first so that the table is sized once; the first element of an id wins.
    std::vector<std::pair<std::string_view, pugi::xml_node>> ids;
    std::vector<pugi::xml_node> uses;
    pugi::xml_node n = root;
    while (n) {
        if (n.type() == pugi::node_element) {
            ++elements;
            bool hasId = false;
            for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
                if (!hasId && std::strcmp(a.name(), "id") == 0) {
                    ids.emplace_back(a.value(), n);
                    hasId = true;
                }
                referencesById_ = referencesById_ || refersById(a);
            }
            const std::string_view name = localName(n);
            if (name == "symbol") symbolNodes_.push_back(n);
            if (name == "use") uses.push_back(n);
            if (name == "style") {
                const std::string_view type = n.attribute("type").value();
                if (type.empty() || type == "text/css") {
                    std::string css;
                    for (pugi::xml_node t = n.first_child(); t; t = t.next_sibling())
                        if (t.type() == pugi::node_pcdata || t.type() == pugi::node_cdata)
                            css += t.value();
                    referencesById_ = referencesById_ || css.find("url(") != std::string::npos;
                    sheet_.parse(css);
                }
            }
        }
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != root && !n.next_sibling())
            n = n.parent();
        n = n == root ? pugi::xml_node() : n.next_sibling();
    }
    ids_.reserve(ids.size());
    for (const auto& [id, node] : ids)
        ids_.emplace(id, node);
    if (!uses.empty()) findCloneOriginals(uses);
    doc_->reserve(elements);
}

bool SvgReader::refersById(pugi::xml_attribute attr) const {
    const std::string_view name = attr.name();
    // Path data and point lists are long and never refer to anything.
    if (name == "d" || name == "points") return false;
    return name.ends_with("href") || name == names_.cv(cv::kFrame) ||
           std::string_view(attr.value()).find("url(") != std::string_view::npos;
}

void SvgReader::readPage() {
    const pugi::xml_node root = xml_.document_element();
    Page& p = doc_->page;
    p.widthAttr = root.attribute("width").value();
    p.heightAttr = root.attribute("height").value();
    p.hasViewBox = false;
    p.x = p.y = p.width = p.height = 0;
    if (const pugi::xml_attribute vb = root.attribute("viewBox")) {
        const std::string_view s = vb.value();
        double v[4];
        std::size_t pos = 0;
        bool ok = true;
        for (double& x : v) {
            skipCommaSpaces(s, pos);
            ok = ok && scanNumber(s, pos, x) == NumberStatus::Ok;
        }
        skipSpaces(s, pos);
        if (ok && pos == s.size() && v[2] > 0 && v[3] > 0) {
            p = {v[0], v[1], v[2], v[3], true, p.widthAttr, p.heightAttr};
        } else {
            warn(root, "viewBox is not four numbers with a positive size; ignored");
        }
    }
    if (!p.hasViewBox) {
        double w = 0, h = 0;
        if (parseLength(p.widthAttr, 16, w) && w > 0) p.width = w;
        if (parseLength(p.heightAttr, 16, h) && h > 0) p.height = h;
    }
    if (!std::isfinite(p.flipY()) || std::abs(p.flipY()) > 1e12 || std::abs(p.x) > 1e12) {
        warn(root, "page size out of range; the default page is used");
        const Page defaults;
        p = {defaults.x, defaults.y,  defaults.width, defaults.height,
             false,      p.widthAttr, p.heightAttr};
    }
    rootCtm_ = {1, 0, 0, -1, 0, p.flipY()};
    rootStyle_ = computeStyle(root, ComputedStyle{});
    doc_->viewCentre = {p.x + p.width / 2, p.flipY() - (p.y + p.height / 2)};
    if (const char* vc = cvAttr(root, cv::kViewCentre)) {
        const std::string_view s = vc;
        std::size_t pos = 0;
        HostRealPoint c{};
        skipSpaces(s, pos);
        if (scanNumber(s, pos, c.h) == NumberStatus::Ok && (skipCommaSpaces(s, pos), true) &&
            scanNumber(s, pos, c.v) == NumberStatus::Ok)
            doc_->viewCentre = c;
    }
}

void SvgReader::readSymbols() {
    for (pugi::xml_node n : symbolNodes_) {
        const char* cvName = cvAttr(n, cv::kName);
        Symbol* symbol = doc_->newSymbol(cvName ? cvName : n.attribute("id").value());
        // The definition itself stays in the file with the other kept content.
        symbol->keptId = n.attribute("id").value();
        symbols_[n.internal_object()] = symbol;
    }
    for (pugi::xml_node n : symbolNodes_) {
        Context ctx;
        ctx.style = computeStyle(n, rootStyle_);
        ctx.ctm = {1, 0, 0, -1, 0, 0}; // symbol space has y up about the symbol's origin
        ctx.parent = symbols_[n.internal_object()]->art();
        readChildren(n.first_child(), false, ctx);
        if (failed_) return;
    }
}

std::string SvgReader::layerTitle(pugi::xml_node node) {
    if (const pugi::xml_attribute label = node.attribute(names_.label.c_str()))
        return label.value();
    if (const pugi::xml_attribute id = node.attribute("id")) return id.value();
    return "Layer " + std::to_string(doc_->allLayers().size() + 1);
}

Layer* SvgReader::openLayer(pugi::xml_node node, Layer* parent, const ComputedStyle& style,
                            const HostRealMatrix& ctm) {
    Layer* layer = doc_->prependLayer(parent, layerTitle(node));
    layer->visible = !style.displayNone && !style.visibilityHidden;
    const std::string_view locked = node.attribute(names_.insensitive.c_str()).value();
    layer->editable = !(locked == "true" || locked == "1");
    if (const char* current = cvAttr(node, cv::kCurrent);
        current && std::string_view(current) == "1") {
        doc_->setCurrentLayer(*layer);
        currentMarked_ = true;
    }
    finishArt(node, *layer->group(), style, false, ctm);
    return layer;
}

// The editor that made the file names its current layer in its view settings; that wins
// over our own mark, which the editor keeps unchanged while the user picks other layers.
void SvgReader::readNamedViewLayer() {
    const pugi::xml_node view = xml_.document_element().child(names_.namedview.c_str());
    const std::string_view id = view.attribute(names_.currentLayer.c_str()).value();
    if (id.empty()) return;
    for (Layer* layer : doc_->allLayers())
        if (layer->group()->name == id) {
            doc_->setCurrentLayer(*layer);
            currentMarked_ = true;
            return;
        }
}

void SvgReader::readLayers() {
    const pugi::xml_node root = xml_.document_element();
    bool marked = false; // layers marked as the open-source editor marks them
    for (pugi::xml_node n = root.first_child(); n; n = n.next_sibling())
        marked = marked || isLayerGroup(n);
    Layer* strays = nullptr;
    releasing_ = !referencesById_;
    for (pugi::xml_node n = root.first_child(); n && !failed_; n = n.next_sibling()) {
        if (!isSvgElement(n)) continue;
        const std::string_view name = localName(n);
        if (!isDrawable(name)) continue;
        Context ctx;
        ctx.style = rootStyle_;
        ctx.ctm = rootCtm_;
        if (marked ? isLayerGroup(n) : name == "g") {
            strays = nullptr;
            ctx.style = computeStyle(n, rootStyle_);
            if (!elementTransform(n, rootCtm_, ctx.ctm)) continue;
            useDepth_ = 0;
            ctx.layer = openLayer(n, nullptr, ctx.style, ctx.ctm);
            ctx.parent = ctx.layer->group();
            readChildren(n.first_child(), false, ctx);
            continue;
        }
        // Top-level elements outside any layer: each run of them gets a layer of its own.
        if (!strays) strays = doc_->prependLayer(nullptr, layerTitle(pugi::xml_node()));
        ctx.parent = strays->group();
        ctx.layer = strays;
        readChildren(n, true, ctx);
    }
}

void SvgReader::readChildren(pugi::xml_node first, bool single, const Context& ctx) {
    const std::size_t base = stack_.size();
    stack_.push_back({first, single, ctx});
    while (stack_.size() > base && !failed_) {
        // A deque: frames that readElement pushes leave this one where it is.
        Frame& f = stack_.back();
        const pugi::xml_node node = f.next;
        if (!node) {
            stack_.pop_back();
            continue;
        }
        const bool alone = f.single;
        f.next = alone ? pugi::xml_node() : node.next_sibling();
        const std::size_t depth = stack_.size();
        if (node.type() == pugi::node_element) readElement(node, f.ctx);
        // A container stays until its children are read; a single element belongs to
        // the caller's walk.
        if (!alone && stack_.size() == depth) release(node);
    }
    stack_.resize(base);
}

void SvgReader::release(pugi::xml_node node) {
    if (!releasing_ || failed_) return;
    if (cvCacheNode_ == node) cvCacheNode_ = pugi::xml_node();
    node.parent().remove_child(node);
}

} // namespace host::svg
