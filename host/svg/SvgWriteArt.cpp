// Writing art elements: paths and compound paths with their paint, images, symbol
// instances and text.
#include "host/svg/SvgColour.h"
#include "host/svg/SvgNames.h"
#include "host/svg/SvgNumbers.h"
#include "host/svg/SvgPathData.h"
#include "host/svg/SvgWriter.h"
#include "host/text/TextMetric.h"

#include <cmath>
#include <vector>

namespace host::svg {

namespace {

bool samePoint(HostRealPoint a, HostRealPoint b) {
    return a.h == b.h && a.v == b.v;
}

} // namespace

void SvgWriter::property(std::string_view name, std::string_view value) {
    if (!inStyle_) {
        xml_.attr(name, value);
        return;
    }
    if (!style_.empty()) style_ += ';';
    style_.append(name).append(":").append(value);
}

void SvgWriter::writePaint(std::string_view attr, std::string_view cvLocal, bool on,
                           const HostColor& c, bool svgDefaultOn, const KeptPaint* kept) {
    const bool plainOn = on && c.kind != kHostNoneColor;
    std::string plain = "none";
    HostColor readBack = noColour();
    if (plainOn) {
        const HostColor shown = displayRgb(c);
        plain.clear();
        appendHexColour(plain, shown);
        readBack = byteRgb(shown);
    }
    // A gradient or pattern stays referenced while the model's paint is the colour read
    // for it; a command that sets another paint drops the reference.
    const bool referenced =
        kept && !kept->value.empty() && kept->on == on && sameColour(kept->readAs, c);
    if (referenced) {
        property(attr, kept->value);
    } else if (inStyle_ || plain != (svgDefaultOn ? "#000000" : "none")) {
        property(attr, plain);
    }
    // What the SVG value alone cannot say goes beside it exactly.
    if (plainOn != on || !sameColour(readBack, c)) {
        std::string exact;
        appendExactPaint(exact, on, c);
        xml_.attrRaw("cv:" + std::string(cvLocal), exact);
    }
}

void SvgWriter::writeMatrixAttr(std::string_view name, const HostRealMatrix& m) {
    if (isIdentity(m)) return;
    xml_.attrRaw(name, numbers({m.a, m.b, m.c, m.d, m.tx, m.ty}));
}

void SvgWriter::writeStyle(const PathStyle& s, const KeptContent* kept, const PathStyle& model) {
    // With a style sheet in the file, what a command changed (all of it, for art made
    // here) goes into the style attribute, so that no rule of the sheet overrides what
    // the model holds; what it did not change is left for the rules to style as before.
    // Lengths the rules give in a user space the art is no longer written in are said
    // too.
    const PathStyle* read = kept && kept->readStyle ? &*kept->readStyle : nullptr;
    const bool lengthsFit = read && (kept->lengthsFit || kept->hasSpace);
    auto say = [&](bool same) {
        inStyle_ = explicitStyle_ && !same;
        return inStyle_;
    };
    say(read && read->fillPaint == model.fillPaint && sameColour(read->fill, model.fill));
    writePaint("fill", cv::kFill, s.fillPaint, s.fill, true, kept ? &kept->fill : nullptr);
    say(read && read->strokePaint == model.strokePaint && sameColour(read->stroke, model.stroke));
    writePaint("stroke", cv::kStroke, s.strokePaint, s.stroke, false,
               kept ? &kept->stroke : nullptr);
    if (say(lengthsFit && read->strokeWidth == model.strokeWidth) || s.strokeWidth != 1)
        property("stroke-width", number(s.strokeWidth));
    const bool dashSame = lengthsFit && read->dash == model.dash;
    if (!s.dash.empty()) {
        say(dashSame);
        std::string d;
        for (double v : s.dash)
            d += (d.empty() ? "" : ",") + number(v);
        property("stroke-dasharray", d);
    } else if (say(dashSame)) {
        property("stroke-dasharray", "none");
    }
    if (say(lengthsFit && read->dashOffset == model.dashOffset) || s.dashOffset != 0)
        property("stroke-dashoffset", number(s.dashOffset));
    const bool capSaid = say(read && read->cap == model.cap);
    if (s.cap == kHostRoundCap) property("stroke-linecap", "round");
    if (s.cap == kHostProjectingCap) property("stroke-linecap", "square");
    if (capSaid && s.cap != kHostRoundCap && s.cap != kHostProjectingCap)
        property("stroke-linecap", "butt");
    const bool joinSaid = say(read && read->join == model.join);
    if (s.join == kHostRoundJoin) property("stroke-linejoin", "round");
    if (s.join == kHostBevelJoin) property("stroke-linejoin", "bevel");
    if (joinSaid && s.join != kHostRoundJoin && s.join != kHostBevelJoin)
        property("stroke-linejoin", "miter");
    if (say(read && read->miterLimit == model.miterLimit) || s.miterLimit != 4)
        property("stroke-miterlimit", number(s.miterLimit));
    if (say(read && read->evenOdd == model.evenOdd) || s.evenOdd)
        property("fill-rule", s.evenOdd ? "evenodd" : "nonzero");
    inStyle_ = false;
    if (s.fillOverprint) xml_.attrRaw("cv:fill-overprint", "1");
    if (s.strokeOverprint) xml_.attrRaw("cv:stroke-overprint", "1");
    writeMatrixAttr("cv:fill-gradient-matrix", s.fillGradientMatrix);
    writeMatrixAttr("cv:fill-pattern-matrix", s.fillPatternMatrix);
    writeMatrixAttr("cv:stroke-pattern-matrix", s.strokePatternMatrix);
    writeMatrixAttr("cv:stroke-gradient-matrix", s.strokeGradientMatrix);
}

void SvgWriter::writeCorners(const std::vector<const PathData*>& paths) {
    // Only when a flag differs from what the reader derives from the handles.
    bool needed = false;
    std::string flags;
    for (const PathData* p : paths) {
        if (!flags.empty() || p != paths.front()) flags += '|';
        for (const HostPathSegment& s : p->segments) {
            const bool corner = s.corner != 0;
            needed = needed || corner == isSmoothAnchor(s);
            flags += corner ? '1' : '0';
        }
    }
    if (needed) xml_.attrRaw("cv:corners", flags);
}

void SvgWriter::writePathElement(const Art& a, const char* role) {
    xml_.start("path");
    writeCommon(a, true);
    const bool spaced = enterSpace(a);
    const PathData mappedPath = mapped_ ? mapped(*a.path()) : PathData{};
    const PathData& p = mapped_ ? mappedPath : *a.path();
    if (role) xml_.attrRaw("cv:role", role);
    if (a.type() == ArtType::Mesh) xml_.attrRaw("cv:art", "mesh");
    if (a.type() == ArtType::Foreign) xml_.attrRaw("cv:art", "foreign");
    xml_.attrStart("d");
    if (!appendPathData(text_, p, flip_)) number(std::nan("")); // records the error
    xml_.attrEnd();
    writeStyle(p.style, a.kept.get(), a.path()->style);
    if (p.guide) xml_.attrRaw("cv:guide", "1");
    writeCorners({&p});
    if (!p.closed && !p.segments.empty()) {
        const HostPathSegment& first = p.segments.front();
        const HostPathSegment& last = p.segments.back();
        if (!samePoint(first.in, first.p) || !samePoint(last.out, last.p))
            xml_.attrRaw("cv:ends", numbers({first.in.h, first.in.v, last.out.h, last.out.v}));
    }
    finishElement(a, "path", true);
    if (spaced) leaveSpace();
}

void SvgWriter::writeCompound(const Art& a) {
    xml_.start("path");
    writeCommon(a, true);
    const bool spaced = enterSpace(a);
    std::vector<PathData> mappedPaths;
    std::vector<const PathData*> paths;
    for (const Art* c = a.firstChild(); c; c = c->nextSibling())
        if (const PathData* p = c->path()) {
            if (mapped_) mappedPaths.push_back(mapped(*p));
            paths.push_back(p);
        }
    for (std::size_t i = 0; i < mappedPaths.size(); ++i)
        paths[i] = &mappedPaths[i];
    if (paths.size() < 2) xml_.attrRaw("cv:art", "compound");
    xml_.attrStart("d");
    for (const PathData* p : paths)
        if (!appendPathData(text_, *p, flip_)) number(std::nan(""));
    xml_.attrEnd();
    const Art* first = a.firstChild();
    writeStyle(paths.empty() ? PathStyle{} : paths.front()->style.get(), a.kept.get(),
               first && first->path() ? first->path()->style.get() : PathStyle{});
    if (!paths.empty()) writeCorners(paths);
    finishElement(a, "path", true);
    if (spaced) leaveSpace();
}

void SvgWriter::writeImage(const Art& a) {
    const ImageData& img = *a.image();
    const bool raster = a.type() == ArtType::Raster;
    xml_.start("image");
    writeCommon(a, true);
    const bool spaced = enterSpace(a, false);
    const HostRealMatrix m = mapped(img.matrix);
    if (raster != std::string_view(img.href).starts_with("data:"))
        xml_.attrRaw("cv:art", raster ? "raster" : "placed");
    xml_.attrRaw("width", number(img.pixelWidth));
    xml_.attrRaw("height", number(img.pixelHeight));
    // The file's own placement in the viewport; images made here fill it exactly.
    std::string_view aspect = "none";
    if (a.kept)
        for (const auto& [name, value] : a.kept->attributes)
            if (name == "preserveAspectRatio") aspect = value;
    xml_.attr("preserveAspectRatio", aspect);
    xml_.attr("xlink:href", rebase_(img.href));
    // A raster image's pixel space runs up from its bottom-left corner; set at y = -height
    // the image's own flip is exact.
    const double y = raster ? -img.pixelHeight : 0;
    if (spaced) {
        placement(raster ? HostRealMatrix{m.a, -m.b, -m.c, m.d, m.tx, flip_ - m.ty}
                         : HostRealMatrix{m.a, -m.b, m.c, -m.d, m.tx, flip_ - m.ty},
                  y);
    } else {
        xml_.attrRaw("x", "0");
        if (raster) xml_.attrRaw("y", number(y));
        xml_.attrRaw("transform", raster ? svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty)
                                         : svgMatrix(m.a, -m.b, m.c, -m.d, m.tx, m.ty));
    }
    finishElement(a, "image", true);
    if (spaced) leaveSpace();
}

void SvgWriter::writeSymbolInstance(const Art& a) {
    const SymbolInstanceData& inst = *a.symbolInstance();
    xml_.start("use");
    writeCommon(a, true);
    const bool spaced = enterSpace(a, false);
    const HostRealMatrix m = mapped(inst.matrix);
    auto it = symbolIds_.find(inst.symbol);
    xml_.attr("xlink:href", "#" + (it == symbolIds_.end() ? std::string() : it->second));
    if (spaced) {
        placement({m.a, -m.b, -m.c, m.d, m.tx, flip_ - m.ty}, 0);
    } else {
        xml_.attrRaw("transform", svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty));
    }
    finishElement(a, "use", true);
    if (spaced) leaveSpace();
}

void SvgWriter::writeText(const Art& a) {
    const TextData& t = *a.text();
    const bool framed = t.kind != TextKind::Point && t.framePath && t.framePath->path();
    if (framed) {
        writePathElement(*t.framePath, "frame");
        xml_.newline();
        current_ = &a;
    }
    xml_.start("text");
    writeCommon(a, true);
    const bool spaced = enterSpace(a, false);
    const HostRealMatrix m = mapped(t.matrix);
    if (a.type() == ArtType::LegacyText) xml_.attrRaw("cv:art", "legacy-text");
    if (framed) xml_.attrRaw("cv:kind", t.kind == TextKind::Area ? "1" : "2");
    if (framed && t.kind == TextKind::Area) xml_.attr("cv:frame", "#" + *idOf(*t.framePath));
    if (framed && t.kind == TextKind::OnPath) {
        // Text on a path follows the path in the text's user space: no transform here.
        xml_.attrRaw("cv:matrix", numbers({m.a, m.b, m.c, m.d, m.tx, m.ty}));
    } else if (spaced) {
        // The lines carry their own positions: the text moves by its transform only.
        placement({m.a, -m.b, -m.c, m.d, m.tx, flip_ - m.ty}, 0, false);
    } else {
        xml_.attrRaw("transform", svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty));
    }
    xml_.attrRaw("xml:space", "preserve");
    if (t.orientation == Orientation::Vertical) xml_.attrRaw("writing-mode", "tb-rl");
    if (t.para.justification == kJustifyRight) xml_.attrRaw("text-anchor", "end");
    if (t.para.justification == kJustifyCenter) xml_.attrRaw("text-anchor", "middle");
    endStart(true);
    writeKeptChildren(a);
    if (framed && t.kind == TextKind::OnPath) {
        xml_.start("textPath");
        xml_.attr("xlink:href", "#" + *idOf(*t.framePath));
        xml_.endStart(true);
        writeRuns(t, a.kept.get());
        xml_.end("textPath");
    } else {
        writeRuns(t, a.kept.get());
    }
    writeTagElements(a, true);
    xml_.end("text");
    if (spaced) leaveSpace();
}

void SvgWriter::writeRuns(const TextData& t, const KeptContent* kept) {
    const bool positioned = t.kind != TextKind::OnPath || !t.framePath;
    const bool vertical = t.orientation == Orientation::Vertical;
    const std::vector<double> offsets = lineOffsets(t);
    std::size_t line = 0;
    auto openLine = [&]() {
        xml_.start("tspan");
        xml_.attrRaw("cv:line", "1");
        if (positioned) {
            const double at = line < offsets.size() ? offsets[line] : 0;
            xml_.attrRaw("x", vertical ? number(at) : "0");
            xml_.attrRaw("y", vertical ? "0" : number(-at));
        }
        xml_.endStart(true);
    };
    auto piece = [&](std::string_view text, const CharFeatures& f) {
        if (text.empty()) return;
        xml_.start("tspan");
        xml_.attrRaw("font-size", number(f.fontSize));
        if (!f.fontFamily.empty()) xml_.attr("font-family", f.fontFamily);
        writePaint("fill", cv::kFill, f.fillPaint, f.fill, true, kept ? &kept->fill : nullptr);
        writePaint("stroke", cv::kStroke, f.strokePaint, f.stroke, false,
                   kept ? &kept->stroke : nullptr);
        if (f.strokeWidth != 1) xml_.attrRaw("stroke-width", number(f.strokeWidth));
        // SVG turns characters clockwise with y down.
        if (f.rotation != 0) xml_.attrRaw("rotate", number(-f.rotation));
        if (f.horizontalScale != 1) xml_.attrRaw("cv:hscale", number(f.horizontalScale));
        if (f.verticalScale != 1) xml_.attrRaw("cv:vscale", number(f.verticalScale));
        if (!f.keptStyle.empty()) xml_.attr("style", f.keptStyle);
        xml_.endStart(true);
        xml_.text(text);
        xml_.end("tspan");
    };
    openLine();
    for (const TextRun& r : t.runs) {
        std::string_view rest = r.text;
        for (std::size_t cr; (cr = rest.find('\r')) != std::string_view::npos;) {
            piece(rest.substr(0, cr), r.features);
            xml_.end("tspan");
            ++line;
            openLine();
            rest.remove_prefix(cr + 1);
        }
        piece(rest, r.features);
    }
    xml_.end("tspan");
}

} // namespace host::svg
