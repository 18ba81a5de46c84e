// Reading SVG elements: styles, transforms, containers, shapes, images and <use>.
#include "host/geometry/Matrix.h"
#include "host/svg/ImagePixels.h"
#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/SvgReader.h"
#include "host/svg/SvgTransform.h"

#include <algorithm>
#include <cmath>

namespace host::svg {

namespace {

// Coordinates beyond this are taken for damage rather than geometry (1e12 points is
// about 350 000 km), and keep all later arithmetic finite.
constexpr double kMaxCoordinate = 1e12;
// Bounds on what <use> may draw: a chain of references cannot be deeper, nor can the
// references of a file together draw more elements.
constexpr int kMaxUseDepth = 32;
constexpr std::size_t kMaxExpandedElements = 100'000;

bool inRange(double v) {
    return std::isfinite(v) && std::abs(v) <= kMaxCoordinate;
}

bool isTrue(const char* v) {
    return v && (std::string_view(v) == "1" || std::string_view(v) == "true");
}

} // namespace

ComputedStyle SvgReader::computeStyle(pugi::xml_node node, const ComputedStyle& parent) {
    ComputedStyle s = parent.inherited();
    for (pugi::xml_attribute a : node.attributes()) {
        const std::string_view n = a.name();
        if (isPresentationAttribute(n)) applyProperty(s, parent, n, a.value());
    }
    if (!sheet_.empty()) {
        sheet_.match(localName(node), node.attribute("id").value(), node.attribute("class").value(),
                     matched_);
        for (const auto& [n, v] : matched_)
            applyProperty(s, parent, n, v);
    }
    if (const pugi::xml_attribute style = node.attribute("style")) {
        forEachDeclaration(style.value(), [&](std::string_view n, std::string_view v) {
            applyProperty(s, parent, n, v);
        });
    }
    return s;
}

bool SvgReader::checkMatrix(pugi::xml_node node, const HostRealMatrix& m) {
    if (inRange(m.a) && inRange(m.b) && inRange(m.c) && inRange(m.d) && inRange(m.tx) &&
        inRange(m.ty))
        return true;
    return skip(node, "transformation out of range; not drawn");
}

bool SvgReader::elementTransform(pugi::xml_node node, const HostRealMatrix& parentCtm,
                                 HostRealMatrix& ctm) {
    const pugi::xml_attribute attr = node.attribute("transform");
    if (!attr) {
        ctm = parentCtm;
        return true;
    }
    HostRealMatrix t;
    SyntaxError e;
    if (!parseTransform(attr.value(), t, e)) {
        // As browsers do: a transform that does not parse is no transform.
        warnAt(node, attr, e.offset, "bad transform (" + e.message + "); ignored");
        ctm = parentCtm;
        return true;
    }
    ctm = concat(t, parentCtm);
    return checkMatrix(node, ctm);
}

bool SvgReader::length(pugi::xml_node node, const char* name, double fontSize, double percentOf,
                       double& value) {
    const pugi::xml_attribute attr = node.attribute(name);
    if (!attr) return true;
    std::string_view s = trim(attr.value());
    double v = 0;
    if (!s.empty() && s.back() == '%' && parseWholeNumber(s.substr(0, s.size() - 1), v)) {
        v = percentOf * v / 100;
    } else if (!parseLength(s, fontSize, v)) {
        warnAt(node, attr, 0, "bad length '" + std::string(s) + "'; the default is used");
        return true;
    }
    if (!inRange(v)) return skip(node, std::string(name) + ": length out of range; not drawn");
    value = v;
    return true;
}

bool SvgReader::toDocument(pugi::xml_node node, Outline& outline, const HostRealMatrix& ctm) {
    // Most elements sit in the page's plain flip; y' = flip - y is what the general
    // formula gives for it, bit for bit.
    const bool flipOnly = ctm.a == 1 && ctm.b == 0 && ctm.c == 0 && ctm.d == -1 && ctm.tx == 0;
    auto map = [&](HostRealPoint& q) {
        if (flipOnly) {
            q.v = ctm.ty - q.v;
        } else {
            q = transformPoint(ctm, q);
        }
    };
    for (HostPathSegment& s : outline.segments) {
        const bool inAtAnchor = s.in.h == s.p.h && s.in.v == s.p.v;
        const bool outAtAnchor = s.out.h == s.p.h && s.out.v == s.p.v;
        map(s.p);
        if (inAtAnchor) {
            s.in = s.p;
        } else {
            map(s.in);
        }
        if (outAtAnchor) {
            s.out = s.p;
        } else {
            map(s.out);
        }
        if (!inRange(s.p.h) || !inRange(s.p.v) || !inRange(s.in.h) || !inRange(s.in.v) ||
            !inRange(s.out.h) || !inRange(s.out.v))
            return skip(node, "coordinates out of range; not drawn");
    }
    return true;
}

bool SvgReader::resolvePaint(const Paint& paint, const HostColor& currentColour,
                             HostColor& colour) {
    switch (paint.kind) {
    case Paint::Colour:
        colour = paint.colour;
        return true;
    case Paint::CurrentColour:
        colour = currentColour;
        return true;
    case Paint::Url: {
        // Gradients have no place in the model: their first stop stands in for them.
        pugi::xml_node g = byId(paint.reference);
        for (int hops = 0; g && hops < 8; ++hops) {
            const std::string_view name = localName(g);
            if (name != "linearGradient" && name != "radialGradient") break;
            for (pugi::xml_node stop = g.child((names_.svgPrefix + "stop").c_str()); stop;
                 stop = stop.next_sibling((names_.svgPrefix + "stop").c_str())) {
                std::string value = stop.attribute("stop-color").value();
                forEachDeclaration(stop.attribute("style").value(),
                                   [&](std::string_view n, std::string_view v) {
                                       if (n == "stop-color") value = std::string(v);
                                   });
                HostColor c;
                if (parseColour(value.empty() ? "black" : value, c)) {
                    colour = c;
                    return true;
                }
                break;
            }
            g = referenced(g);
        }
        if (paint.hasFallback && paint.colour.kind != kHostNoneColor) {
            colour = paint.colour;
            return true;
        }
        colour = noColour();
        return false;
    }
    default:
        colour = noColour();
        return false;
    }
}

PathStyle SvgReader::pathStyle(pugi::xml_node node, const ComputedStyle& s) {
    PathStyle ps;
    ps.fillPaint = resolvePaint(s.fill, s.color, ps.fill);
    ps.strokePaint = resolvePaint(s.stroke, s.color, ps.stroke);
    ps.strokeWidth = s.strokeWidth;
    ps.dash = s.dash;
    ps.dashOffset = s.dashOffset;
    ps.cap = s.cap;
    ps.join = s.join;
    ps.miterLimit = s.miterLimit;
    ps.evenOdd = s.evenOdd;
    auto exact = [&](std::string_view local, bool& on, HostColor& c) {
        if (const char* v = cvAttr(node, local)) {
            bool o;
            HostColor x;
            if (parseExactPaint(v, o, x)) {
                on = o;
                c = x;
            } else {
                warn(node, "bad " + names_.cv(local) + "; the SVG paint is used");
            }
        }
    };
    exact(cv::kFill, ps.fillPaint, ps.fill);
    exact(cv::kStroke, ps.strokePaint, ps.stroke);
    keepPaint(s.fill, ps.fillPaint, ps.fill, pendingFill_);
    keepPaint(s.stroke, ps.strokePaint, ps.stroke, pendingStroke_);
    ps.fillOverprint = isTrue(cvAttr(node, cv::kFillOverprint));
    ps.strokeOverprint = isTrue(cvAttr(node, cv::kStrokeOverprint));
    auto matrix = [&](std::string_view local, HostRealMatrix& m) {
        const char* v = cvAttr(node, local);
        if (!v) return;
        const std::string_view text = v;
        double x[6];
        std::size_t pos = 0;
        for (double& d : x) {
            skipCommaSpaces(text, pos);
            if (scanNumber(text, pos, d) != NumberStatus::Ok || !inRange(d)) {
                warn(node, "bad " + names_.cv(local) + "; ignored");
                return;
            }
        }
        m = {x[0], x[1], x[2], x[3], x[4], x[5]};
    };
    matrix(cv::kFillGradientMatrix, ps.fillGradientMatrix);
    matrix(cv::kFillPatternMatrix, ps.fillPatternMatrix);
    matrix(cv::kStrokePatternMatrix, ps.strokePatternMatrix);
    matrix(cv::kStrokeGradientMatrix, ps.strokeGradientMatrix);
    return ps;
}

void SvgReader::readTags(pugi::xml_node node, Art& art) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && isCv(c, cv::kTag)) {
            const pugi::xml_attribute name = c.attribute("name");
            if (name) art.tags.set(name.value(), c.attribute("value").value());
        }
    }
}

std::string SvgReader::artName(pugi::xml_node node) {
    if (const char* cvName = cvAttr(node, cv::kName)) return cvName;
    std::string id = node.attribute("id").value();
    if (useDepth_ == 0 || id.empty()) return id;
    // A copy drawn through <use>: the original keeps its id, the copy gets one of its own.
    std::string fresh;
    do {
        fresh = id + "-" + std::to_string(++copies_);
    } while (ids_.count(fresh));
    return fresh;
}

namespace {

// The model keeps a paint's colour; a colour's own alpha (rgba(), #rrggbbaa) goes into the
// opacity beside it, which multiplies as both would when drawn.
void setOpacityTag(Art& art, const char* tag, const std::string& written, double alpha) {
    if (alpha >= 1.0) {
        if (!written.empty()) art.tags.set(tag, written);
        return;
    }
    double opacity = 1.0;
    if (!written.empty()) {
        const std::string_view text = trim(written);
        const bool percent = !text.empty() && text.back() == '%';
        if (parseWholeNumber(percent ? text.substr(0, text.size() - 1) : text, opacity))
            opacity = std::clamp(percent ? opacity / 100.0 : opacity, 0.0, 1.0);
        else
            opacity = 1.0;
    }
    std::string value;
    appendNumber(value, opacity * alpha);
    art.tags.set(tag, value);
}

} // namespace

void SvgReader::finishArt(pugi::xml_node node, Art& art, const ComputedStyle& style, bool leaf,
                          const HostRealMatrix& space) {
    art.name = artName(node);
    if (!cloneOriginals_.empty() && useDepth_ == 0) noteCloneOriginal(node, art);
    if (!pendingFill_.value.empty()) keptOf(art).fill = std::move(pendingFill_);
    if (!pendingStroke_.value.empty()) keptOf(art).stroke = std::move(pendingStroke_);
    pendingFill_.value.clear();
    pendingStroke_.value.clear();
    keep(node, art, space, leaf && style.stroke.kind != Paint::None);
    if (!art.isLayerGroup()) {
        std::uint32_t bits = 0;
        if (style.displayNone || (leaf && style.visibilityHidden)) bits |= kAttrHidden;
        if (isTrue(node.attribute(names_.insensitive.c_str()).value())) bits |= kAttrLocked;
        if (bits) doc_->setUserAttributes(art, bits, bits);
    }
    if (!style.opacity.empty()) art.tags.set("svg:opacity", style.opacity);
    if (leaf) {
        setOpacityTag(art, "svg:fill-opacity", style.fillOpacity,
                      style.fill.kind == Paint::Colour ? style.fill.alpha : 1.0);
        setOpacityTag(art, "svg:stroke-opacity", style.strokeOpacity,
                      style.stroke.kind == Paint::Colour ? style.stroke.alpha : 1.0);
    }
    readTags(node, art);
}

void SvgReader::link(Art& parent, Art& art) {
    doc_->prependChild(parent, art); // the file paints back to front
}

bool isContainerElement(std::string_view name) {
    return name == "g" || name == "a" || name == "switch" || name == "svg";
}

bool isShapeElement(std::string_view name) {
    return name == "path" || name == "rect" || name == "circle" || name == "ellipse" ||
           name == "line" || name == "polyline" || name == "polygon";
}

bool isDrawable(std::string_view name) {
    return isContainerElement(name) || isShapeElement(name) || name == "image" || name == "use" ||
           name == "text";
}

void SvgReader::readElement(pugi::xml_node node, const Context& parent) {
    if (!isSvgElement(node)) return;
    useDepth_ = parent.useDepth;
    const std::string_view name = localName(node);
    if (!isDrawable(name)) return; // definitions, metadata, scripts, filters and the like
    const bool container = isContainerElement(name);
    const bool shape = isShapeElement(name);
    if (shape) {
        const char* role = cvAttr(node, cv::kRole);
        if (role && std::string_view(role) == "frame") return; // read with its text
    }
    if (parent.useDepth > 0 && ++expanded_ > kMaxExpandedElements) {
        skip(node, "too many elements drawn through <use>; not drawn");
        return;
    }
    if (!cloneOriginals_.empty() && parent.useDepth == 0) noteCloneOriginal(node, parent.ctm);
    const ComputedStyle style = computeStyle(node, parent.style);
    HostRealMatrix ctm;
    if (!elementTransform(node, parent.ctm, ctm)) return;
    if (container) {
        readContainer(node, name, parent, style, ctm);
        return;
    }
    if (name == "use") {
        readUse(node, parent, style, ctm);
        return;
    }
    Art* art = nullptr;
    if (shape) art = readShape(node, name, style, ctm);
    if (name == "image") art = readImage(node, style, ctm);
    if (name == "text") art = readText(node, parent, style, ctm);
    if (art) link(*parent.parent, *art);
}

void SvgReader::readContainer(pugi::xml_node node, std::string_view name, const Context& parent,
                              const ComputedStyle& style, const HostRealMatrix& elementCtm) {
    HostRealMatrix ctm = elementCtm;
    if (name == "svg") { // a nested viewport: its position only
        double x = 0, y = 0;
        if (!length(node, "x", style.fontSize, doc_->page.width, x) ||
            !length(node, "y", style.fontSize, doc_->page.height, y))
            return;
        ctm = concat(translationMatrix(x, y), ctm);
    }
    Context inner;
    inner.style = style;
    inner.ctm = ctm;
    inner.useDepth = parent.useDepth;
    if (parent.layer && isLayerGroup(node)) {
        inner.layer = openLayer(node, parent.layer, style, ctm);
        inner.parent = inner.layer->group();
    } else {
        const char* kind = cvAttr(node, cv::kArt);
        const bool plugin = kind && std::string_view(kind) == "plugin-group";
        Art* art = doc_->makeArt(plugin ? ArtType::PluginGroup : ArtType::Group);
        finishArt(node, *art, style, false, ctm);
        link(*parent.parent, *art);
        inner.parent = art;
    }
    stack_.push_back({node.first_child(), false, std::move(inner)});
}

Art* SvgReader::readShape(pugi::xml_node node, std::string_view name, const ComputedStyle& style,
                          const HostRealMatrix& ctm) {
    outline_.clear();
    const double w = doc_->page.width, h = doc_->page.height;
    const double diag = std::sqrt((w * w + h * h) / 2);
    const double fs = style.fontSize;
    if (name == "path" || name == "polyline" || name == "polygon") {
        const pugi::xml_attribute attr = node.attribute(name == "path" ? "d" : "points");
        SyntaxError e;
        const bool ok = name == "path" ? parsePathData(attr.value(), outline_, e)
                                       : parsePoints(attr.value(), name == "polygon", outline_, e);
        if (!ok) {
            // Everything before the error is drawn, as browsers draw it.
            warnAt(node, attr, e.offset,
                   std::string(name == "path" ? "bad path data: " : "bad points: ") + e.message +
                       "; drawn up to there");
        }
    } else if (name == "rect") {
        double x = 0, y = 0, rw = 0, rh = 0, rx = -1, ry = -1;
        if (!length(node, "x", fs, w, x) || !length(node, "y", fs, h, y) ||
            !length(node, "width", fs, w, rw) || !length(node, "height", fs, h, rh) ||
            !length(node, "rx", fs, w, rx) || !length(node, "ry", fs, h, ry))
            return nullptr;
        if (rw <= 0 || rh <= 0) {
            if (rw < 0 || rh < 0) warn(node, "negative size; not drawn");
            return nullptr;
        }
        if (rx < 0) rx = ry;
        if (ry < 0) ry = rx;
        rectOutline(x, y, rw, rh, std::min(std::max(rx, 0.0), rw / 2),
                    std::min(std::max(ry, 0.0), rh / 2), outline_);
    } else if (name == "circle" || name == "ellipse") {
        double cx = 0, cy = 0, rx = 0, ry = 0;
        if (!length(node, "cx", fs, w, cx) || !length(node, "cy", fs, h, cy)) return nullptr;
        if (name == "circle") {
            if (!length(node, "r", fs, diag, rx)) return nullptr;
            ry = rx;
        } else if (!length(node, "rx", fs, w, rx) || !length(node, "ry", fs, h, ry)) {
            return nullptr;
        }
        if (rx <= 0 || ry <= 0) return nullptr;
        ellipseOutline(cx, cy, rx, ry, outline_);
    } else if (name == "line") {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!length(node, "x1", fs, w, x1) || !length(node, "y1", fs, h, y1) ||
            !length(node, "x2", fs, w, x2) || !length(node, "y2", fs, h, y2))
            return nullptr;
        lineOutline(x1, y1, x2, y2, outline_);
    }
    if (!toDocument(node, outline_, ctm)) return nullptr;

    PathStyle ps = pathStyle(node, style);
    // Stroke geometry is in the element's user space; the outline is now in the
    // document's, so widths take the transformation's line scale.
    const double lineScale = std::sqrt(std::abs(ctm.a * ctm.d - ctm.b * ctm.c));
    if (lineScale != 1) {
        ps.strokeWidth *= lineScale;
        for (double& d : ps.dash)
            d *= lineScale;
        ps.dashOffset *= lineScale;
    }
    lastPaint_ = ps;
    const char* kind = cvAttr(node, cv::kArt);
    const std::string_view k = kind ? kind : "";
    const std::string_view corners = cvAttr(node, cv::kCorners) ? cvAttr(node, cv::kCorners) : "";
    std::size_t cornerPos = 0;
    auto fill = [&](PathData& p, const Subpath& sp) {
        const auto first = outline_.segments.begin() + static_cast<std::ptrdiff_t>(sp.first);
        // Corner flags SVG cannot carry; a subpath's flags end at '|'. Set before the
        // segments are stored, so that a straight outline stays compact.
        if (!corners.empty()) {
            std::size_t end = corners.find('|', cornerPos);
            if (end == std::string_view::npos) end = corners.size();
            const std::string_view flags = corners.substr(cornerPos, end - cornerPos);
            if (flags.size() == sp.count) {
                for (std::size_t i = 0; i < flags.size(); ++i)
                    first[static_cast<std::ptrdiff_t>(i)].corner = flags[i] == '1';
            }
            cornerPos = end + 1;
        }
        p.segments.assign(first, first + static_cast<std::ptrdiff_t>(sp.count));
        p.closed = sp.closed;
        p.style = lastPaint_;
    };
    Art* art = nullptr;
    if (k == "compound" || outline_.subpaths.size() > 1) {
        art = doc_->makeArt(ArtType::CompoundPath);
        for (const Subpath& sp : outline_.subpaths) {
            Art* member = doc_->makeArt(ArtType::Path);
            fill(*member->path(), sp);
            doc_->appendChild(*art, *member);
        }
    } else {
        const ArtType type = k == "mesh"      ? ArtType::Mesh
                             : k == "foreign" ? ArtType::Foreign
                                              : ArtType::Path;
        art = doc_->makeArt(type);
        PathData& p = *art->path();
        if (!outline_.subpaths.empty()) fill(p, outline_.subpaths.front());
        p.style = lastPaint_;
        p.guide = isTrue(cvAttr(node, cv::kGuide));
        if (const char* ends = cvAttr(node, cv::kEnds); ends && !p.segments.empty() && !p.closed) {
            const std::string_view s = ends;
            double v[4];
            std::size_t pos = 0;
            bool ok = true;
            for (double& d : v) {
                skipCommaSpaces(s, pos);
                ok = ok && scanNumber(s, pos, d) == NumberStatus::Ok && inRange(d);
            }
            if (ok) {
                p.segments.front().in = {v[0], v[1]};
                p.segments.back().out = {v[2], v[3]};
            }
        }
    }
    // What an element's own style attribute says overrides the rules, so only an element
    // without one may leave its unchanged properties to the rules when it is written.
    if (!sheet_.empty() && !node.attribute("style")) {
        keptOf(*art).readStyle = ps;
        art->kept->lengthsFit = lineScale == 1;
    }
    finishArt(node, *art, style, true, ctm);
    return art;
}

namespace {

struct ImageFit {
    double pixelWidth, pixelHeight; // the image's 100 % size
    double sx, sy, tx, ty;          // pixel space to the element's user space (y down)
};

struct Viewport {
    double x, y, w, h;
};

// Places pixels in the viewport as preserveAspectRatio says (default "xMidYMid meet";
// "slice" scales to cover, its clipping is not kept). Without a pixel size the viewport's
// size stands for it.
ImageFit fitImage(pugi::xml_node node, const Viewport& v, std::optional<PixelSize> pixels) {
    if (!pixels || v.w <= 0 || v.h <= 0) return {v.w, v.h, 1, 1, v.x, v.y};
    ImageFit fit{
        pixels->width, pixels->height, v.w / pixels->width, v.h / pixels->height, v.x, v.y};
    const std::string_view ratio = trim(node.attribute("preserveAspectRatio").value());
    if (ratio.starts_with("none")) return fit;
    const std::string_view align = ratio.empty() ? "xMidYMid" : ratio.substr(0, 8);
    const auto factor = [](std::string_view part) {
        return part == "Min" ? 0.0 : part == "Max" ? 1.0 : 0.5;
    };
    const double ax = align.size() == 8 ? factor(align.substr(1, 3)) : 0.5;
    const double ay = align.size() == 8 ? factor(align.substr(5, 3)) : 0.5;
    const bool slice = ratio.find("slice") != std::string_view::npos;
    const double s = slice ? std::max(fit.sx, fit.sy) : std::min(fit.sx, fit.sy);
    fit.sx = fit.sy = s;
    fit.tx = v.x + (v.w - pixels->width * s) * ax;
    fit.ty = v.y + (v.h - pixels->height * s) * ay;
    return fit;
}

} // namespace

Art* SvgReader::readImage(pugi::xml_node node, const ComputedStyle& style,
                          const HostRealMatrix& ctm) {
    const double fs = style.fontSize;
    double x = 0, y = 0, w = 0, h = 0;
    if (!length(node, "x", fs, doc_->page.width, x) ||
        !length(node, "y", fs, doc_->page.height, y) ||
        !length(node, "width", fs, doc_->page.width, w) ||
        !length(node, "height", fs, doc_->page.height, h))
        return nullptr;
    if (w < 0 || h < 0) {
        warn(node, "negative size; not drawn");
        return nullptr;
    }
    std::string_view href = node.attribute(names_.xlinkHref.c_str()).value();
    if (href.empty()) href = node.attribute("href").value();
    href = trim(href);
    const char* kind = cvAttr(node, cv::kArt);
    const bool raster = kind ? std::string_view(kind) == "raster" : href.starts_with("data:");
    Art* art = doc_->makeArt(raster ? ArtType::Raster : ArtType::Placed);
    ImageData& img = *art->image();
    img.href = href;
    // The image's own pixel size is its 100 % size; width and height only say where it is
    // fitted, as preserveAspectRatio says.
    const ImageFit fit = fitImage(node, {x, y, w, h}, hrefPixelSize(href, imageFolder_));
    img.pixelWidth = fit.pixelWidth;
    img.pixelHeight = fit.pixelHeight;
    // Pixel space: a placed image's runs down from its top-left corner, a raster image's up
    // from its bottom-left corner.
    const HostRealMatrix local =
        raster ? HostRealMatrix{fit.sx, 0, 0, -fit.sy, fit.tx, fit.ty + fit.pixelHeight * fit.sy}
               : HostRealMatrix{fit.sx, 0, 0, fit.sy, fit.tx, fit.ty};
    img.matrix = concat(local, ctm);
    if (!checkMatrix(node, img.matrix)) return nullptr;
    finishArt(node, *art, style, true, ctm);
    return art;
}

void SvgReader::readUse(pugi::xml_node node, const Context& parent, const ComputedStyle& style,
                        const HostRealMatrix& elementCtm) {
    const pugi::xml_node ref = referenced(node);
    if (!ref) {
        warn(node, "reference not found; not drawn");
        return;
    }
    double x = 0, y = 0;
    if (!length(node, "x", style.fontSize, doc_->page.width, x) ||
        !length(node, "y", style.fontSize, doc_->page.height, y))
        return;
    const HostRealMatrix ctm = concat(translationMatrix(x, y), elementCtm);
    if (localName(ref) == "symbol") {
        Art* art = doc_->makeArt(ArtType::SymbolInstance);
        SymbolInstanceData& inst = *art->symbolInstance();
        inst.symbol = symbols_[ref.internal_object()]->id();
        inst.matrix = concat(HostRealMatrix{1, 0, 0, -1, 0, 0}, ctm); // symbol space has y up
        if (!checkMatrix(node, inst.matrix)) return;
        finishArt(node, *art, style, true, elementCtm);
        link(*parent.parent, *art);
        return;
    }
    if (parent.useDepth >= kMaxUseDepth) {
        skip(node, "<use> references nest too deeply (a reference cycle?); not drawn");
        return;
    }
    for (pugi::xml_node a = node; a; a = a.parent()) {
        if (a == ref) {
            skip(node, "<use> refers to an element that contains it; not drawn");
            return;
        }
    }
    // Any other element is drawn as a copy in a group of its own.
    Art* group = doc_->makeArt(ArtType::Group);
    finishArt(node, *group, style, false, elementCtm);
    link(*parent.parent, *group);
    if (parent.useDepth == 0) keepClone(node, ref, *group, ctm, parent.ctm);
    Context inner;
    inner.style = style;
    inner.ctm = ctm;
    inner.parent = group;
    inner.useDepth = parent.useDepth + 1;
    stack_.push_back({ref, true, std::move(inner)});
}

} // namespace host::svg
