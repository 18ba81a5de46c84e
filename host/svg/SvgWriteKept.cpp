// Writing what the model does not represent: kept attributes, style declarations and
// child elements, and the user spaces of art that refers to definitions.
#include "host/geometry/Matrix.h"
#include "host/svg/EditorShape.h"
#include "host/svg/SvgWriter.h"

#include <algorithm>
#include <cmath>

namespace host::svg {

namespace {

bool sameSegments(const std::vector<HostPathSegment>& read,
                  const std::vector<HostPathSegment>& now) {
    if (read.size() != now.size()) return false;
    const auto same = [](HostRealPoint p, HostRealPoint q) { return p.h == q.h && p.v == q.v; };
    for (std::size_t i = 0; i < read.size(); ++i) {
        const HostPathSegment& s = now[i];
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

bool SvgWriter::followShape(const Art& a, Attributes& changed) const {
    const KeptContent& k = *a.kept;
    std::vector<HostPathSegment> now;
    if (const PathData* own = a.path()) {
        now.assign(own->segments.begin(), own->segments.end());
    } else if (a.type() == ArtType::CompoundPath) {
        for (const Art* c = a.firstChild(); c; c = c->nextSibling())
            if (const PathData* p = c->path())
                now.insert(now.end(), p->segments.begin(), p->segments.end());
    }
    HostRealMatrix moved = kIdentityMatrix;
    if (now.empty() || !sameSegments(k.editorShapeRead, now)) {
        const auto m = affineBetween(k.editorShapeRead, now);
        if (!m) return false;
        moved = *m;
    }
    // Document coordinates to those the path data is written in, as enterSpace sets them.
    const HostRealMatrix svgFlip{1, 0, 0, -1, 0, flip_};
    HostRealMatrix written = concat(mapped_ ? map_ : kIdentityMatrix, svgFlip);
    if (HostRealMatrix inverse = k.space; k.hasSpace && invert(inverse))
        written = concat(concat(inverse, svgFlip), svgFlip);
    const HostRealMatrix m = concat(concat(k.editorShapeSpace, moved), written);
    const double size = std::max(
        {1.0, std::abs(k.editorShapeSpace.tx), std::abs(k.editorShapeSpace.ty), std::abs(flip_)});
    const auto near = [](double x, double y, double scale) {
        return std::abs(x - y) <= 1e-12 * scale;
    };
    if (near(m.a, 1, 1) && near(m.b, 0, 1) && near(m.c, 0, 1) && near(m.d, 1, 1) &&
        near(m.tx, 0, size) && near(m.ty, 0, size))
        return true; // written where it was read
    return followEditorShape(k.attributes, m, changed);
}

void SvgWriter::writeKeptAttributes(const Art& a) {
    if (!a.kept) return;
    const bool image = a.image() != nullptr;
    // Parameters follow the path where a command moved it by a transformation they can
    // follow; otherwise they would have the editor draw the old shape, and they go.
    Attributes followed;
    const bool staleShape = a.kept->editorShape && !followShape(a, followed);
    for (const auto& [name, value] : a.kept->attributes) {
        if (isEditorShapeAttribute(name)) {
            if (staleShape) continue;
            const std::string& key = name; // a structured binding cannot be captured everywhere
            const auto it = std::find_if(followed.begin(), followed.end(),
                                         [&](const auto& f) { return f.first == key; });
            if (it != followed.end()) {
                xml_.attr(name, it->second);
                continue;
            }
        }
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
