// Writing what the model does not represent: kept attributes, style declarations and
// child elements, and the user spaces of art that refers to definitions.
#include "host/geometry/Matrix.h"
#include "host/svg/SvgWriter.h"

#include <cmath>

namespace host::svg {

namespace {

bool sameSegments(const std::vector<HostPathSegment>& read, const PathData& path) {
    if (read.empty() || read.size() != path.segments.size()) return false;
    const auto same = [](HostRealPoint p, HostRealPoint q) { return p.h == q.h && p.v == q.v; };
    for (std::size_t i = 0; i < read.size(); ++i) {
        const HostPathSegment s = path.segments[i];
        if (!same(s.p, read[i].p) || !same(s.in, read[i].in) || !same(s.out, read[i].out))
            return false;
    }
    return true;
}

// The editor's parameters of a shape it draws itself.
bool isEditorShapeAttribute(std::string_view name) {
    return name.starts_with("sodipodi:") || name == "inkscape:original-d" ||
           name == "inkscape:path-effect" || name == "inkscape:flatsided" ||
           name == "inkscape:rounded" || name == "inkscape:randomized";
}

} // namespace

void SvgWriter::writeKeptAttributes(const Art& a) {
    if (!a.kept) return;
    const bool image = a.image() != nullptr;
    // Parameters that no longer describe the path would have the editor draw the old
    // shape: they go, and the path stands as it is.
    const bool staleShape =
        a.kept->editorShape &&
        (a.path() == nullptr || !sameSegments(a.kept->editorShapeRead, *a.path()));
    for (const auto& [name, value] : a.kept->attributes) {
        if (staleShape && isEditorShapeAttribute(name)) continue;
        if (!image || name != "preserveAspectRatio") xml_.attr(name, value); // see writeImage
    }

    if (!a.kept->style.empty()) {
        if (!style_.empty()) style_ += ';';
        style_ += a.kept->style;
    }
}

bool SvgWriter::writeKeptChildren(const Art& a) {
    if (!a.kept || a.kept->children.empty()) return false;
    text_ += a.kept->children;
    return true;
}

bool SvgWriter::hasContent(const Art& a, bool leaf) const {
    return hasTagElements(a, leaf) || (a.kept && !a.kept->children.empty());
}

bool SvgWriter::enterSpace(const Art& a, bool writeTransform) {
    if (!a.kept || !a.kept->hasSpace) return false;
    const HostRealMatrix& space = a.kept->space;
    HostRealMatrix inverse = space;
    if (!invert(inverse)) return false;
    const HostRealMatrix svgFlip{1, 0, 0, -1, 0, flip_};
    // The element's user space in its parent's: into the document, then as the parent
    // writes document coordinates.
    spaceTransform_ = concat(concat(space, map_), svgFlip);
    if (writeTransform) {
        const HostRealMatrix& t = spaceTransform_;
        xml_.attrRaw("transform", "matrix(" + numbers({t.a, t.b, t.c, t.d, t.tx, t.ty}) + ")");
    }
    spaces_.emplace_back(map_, mapped_);
    map_ = concat(inverse, svgFlip);
    mapped_ = true;
    return true;
}

void SvgWriter::placement(const HostRealMatrix& local, double y, bool byPosition) {
    const HostRealMatrix& t = spaceTransform_;
    auto near = [](double v, double to) { return std::abs(v - to) < 1e-9; };
    if (byPosition && near(local.a, 1) && near(local.b, 0) && near(local.c, 0) &&
        near(local.d, 1)) {
        xml_.attrRaw("x", number(local.tx));
        xml_.attrRaw("y", number(local.ty + y));
        if (!isIdentity(t))
            xml_.attrRaw("transform", "matrix(" + numbers({t.a, t.b, t.c, t.d, t.tx, t.ty}) + ")");
        return;
    }
    const HostRealMatrix m = concat(local, t);
    if (byPosition) xml_.attrRaw("x", "0");
    if (y != 0) xml_.attrRaw("y", number(y));
    xml_.attrRaw("transform", "matrix(" + numbers({m.a, m.b, m.c, m.d, m.tx, m.ty}) + ")");
}

void SvgWriter::leaveSpace() {
    map_ = spaces_.back().first;
    mapped_ = spaces_.back().second;
    spaces_.pop_back();
}

PathData SvgWriter::mapped(const PathData& p) const {
    PathData out = p;
    out.segments.mapPoints([&](HostRealPoint q) { return transformPoint(map_, q); });
    const double scale = std::sqrt(std::abs(map_.a * map_.d - map_.b * map_.c));
    PathStyle& style = out.style.edit();
    style.strokeWidth *= scale;
    for (double& d : style.dash)
        d *= scale;
    style.dashOffset *= scale;
    return out;
}

HostRealMatrix SvgWriter::mapped(const HostRealMatrix& m) const {
    return mapped_ ? concat(m, map_) : m;
}

} // namespace host::svg
