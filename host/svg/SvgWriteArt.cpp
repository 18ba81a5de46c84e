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

void SvgWriter::writePaint(std::string_view attr, std::string_view cvLocal, bool on,
                           const HostColor& c, bool svgDefaultOn) {
    const bool plainOn = on && c.kind != kHostNoneColor;
    std::string plain = "none";
    HostColor readBack = noColour();
    if (plainOn) {
        const HostColor shown = displayRgb(c);
        plain.clear();
        appendHexColour(plain, shown);
        readBack = byteRgb(shown);
    }
    if (plain != (svgDefaultOn ? "#000000" : "none")) xml_.attrRaw(attr, plain);
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

void SvgWriter::writeStyle(const PathStyle& s) {
    writePaint("fill", cv::kFill, s.fillPaint, s.fill, true);
    writePaint("stroke", cv::kStroke, s.strokePaint, s.stroke, false);
    if (s.strokeWidth != 1) xml_.attrRaw("stroke-width", number(s.strokeWidth));
    if (!s.dash.empty()) {
        std::string d;
        for (double v : s.dash)
            d += (d.empty() ? "" : ",") + number(v);
        xml_.attrRaw("stroke-dasharray", d);
    }
    if (s.dashOffset != 0) xml_.attrRaw("stroke-dashoffset", number(s.dashOffset));
    if (s.cap == kHostRoundCap) xml_.attrRaw("stroke-linecap", "round");
    if (s.cap == kHostProjectingCap) xml_.attrRaw("stroke-linecap", "square");
    if (s.join == kHostRoundJoin) xml_.attrRaw("stroke-linejoin", "round");
    if (s.join == kHostBevelJoin) xml_.attrRaw("stroke-linejoin", "bevel");
    if (s.miterLimit != 4) xml_.attrRaw("stroke-miterlimit", number(s.miterLimit));
    if (s.evenOdd) xml_.attrRaw("fill-rule", "evenodd");
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
    const PathData& p = *a.path();
    xml_.start("path");
    writeCommon(a, true);
    if (role) xml_.attrRaw("cv:role", role);
    if (a.type() == ArtType::Mesh) xml_.attrRaw("cv:art", "mesh");
    if (a.type() == ArtType::Foreign) xml_.attrRaw("cv:art", "foreign");
    xml_.attrStart("d");
    if (!appendPathData(text_, p, flip_)) number(std::nan("")); // records the error
    xml_.attrEnd();
    writeStyle(p.style);
    if (p.guide) xml_.attrRaw("cv:guide", "1");
    writeCorners({&p});
    if (!p.closed && !p.segments.empty()) {
        const HostPathSegment& first = p.segments.front();
        const HostPathSegment& last = p.segments.back();
        if (!samePoint(first.in, first.p) || !samePoint(last.out, last.p))
            xml_.attrRaw("cv:ends", numbers({first.in.h, first.in.v, last.out.h, last.out.v}));
    }
    const bool tags = hasTagElements(a, true);
    xml_.endStart(tags);
    if (tags) {
        writeTagElements(a, true);
        xml_.end("path");
    }
}

void SvgWriter::writeCompound(const Art& a) {
    std::vector<const PathData*> paths;
    for (const Art* c = a.firstChild(); c; c = c->nextSibling())
        if (const PathData* p = c->path()) paths.push_back(p);
    xml_.start("path");
    writeCommon(a, true);
    if (paths.size() < 2) xml_.attrRaw("cv:art", "compound");
    xml_.attrStart("d");
    for (const PathData* p : paths)
        if (!appendPathData(text_, *p, flip_)) number(std::nan(""));
    xml_.attrEnd();
    writeStyle(paths.empty() ? PathStyle{} : paths.front()->style);
    if (!paths.empty()) writeCorners(paths);
    const bool tags = hasTagElements(a, true);
    xml_.endStart(tags);
    if (tags) {
        writeTagElements(a, true);
        xml_.end("path");
    }
}

void SvgWriter::writeImage(const Art& a) {
    const ImageData& img = *a.image();
    const bool raster = a.type() == ArtType::Raster;
    const HostRealMatrix& m = img.matrix;
    xml_.start("image");
    writeCommon(a, true);
    if (raster != std::string_view(img.href).starts_with("data:"))
        xml_.attrRaw("cv:art", raster ? "raster" : "placed");
    xml_.attrRaw("x", "0");
    // A raster image's pixel space runs up from its bottom-left corner; set at y = -height
    // the image's own flip is exact.
    if (raster) xml_.attrRaw("y", number(-img.pixelHeight));
    xml_.attrRaw("width", number(img.pixelWidth));
    xml_.attrRaw("height", number(img.pixelHeight));
    xml_.attrRaw("preserveAspectRatio", "none");
    xml_.attr("xlink:href", img.href);
    xml_.attrRaw("transform", raster ? svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty)
                                     : svgMatrix(m.a, -m.b, m.c, -m.d, m.tx, m.ty));
    const bool tags = hasTagElements(a, true);
    xml_.endStart(tags);
    if (tags) {
        writeTagElements(a, true);
        xml_.end("image");
    }
}

void SvgWriter::writeSymbolInstance(const Art& a) {
    const SymbolInstanceData& inst = *a.symbolInstance();
    const HostRealMatrix& m = inst.matrix;
    xml_.start("use");
    writeCommon(a, true);
    auto it = symbolIds_.find(inst.symbol);
    xml_.attr("xlink:href", "#" + (it == symbolIds_.end() ? std::string() : it->second));
    xml_.attrRaw("transform", svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty));
    const bool tags = hasTagElements(a, true);
    xml_.endStart(tags);
    if (tags) {
        writeTagElements(a, true);
        xml_.end("use");
    }
}

void SvgWriter::writeText(const Art& a) {
    const TextData& t = *a.text();
    const bool framed = t.kind != TextKind::Point && t.framePath && t.framePath->path();
    if (framed) {
        writePathElement(*t.framePath, "frame");
        xml_.newline();
        current_ = &a;
    }
    const HostRealMatrix& m = t.matrix;
    xml_.start("text");
    writeCommon(a, true);
    if (a.type() == ArtType::LegacyText) xml_.attrRaw("cv:art", "legacy-text");
    if (framed) xml_.attrRaw("cv:kind", t.kind == TextKind::Area ? "1" : "2");
    if (framed && t.kind == TextKind::Area) xml_.attr("cv:frame", "#" + *idOf(*t.framePath));
    if (framed && t.kind == TextKind::OnPath) {
        // Text on a path follows the path in the text's user space: no transform here.
        xml_.attrRaw("cv:matrix", numbers({m.a, m.b, m.c, m.d, m.tx, m.ty}));
    } else {
        xml_.attrRaw("transform", svgMatrix(m.a, -m.b, -m.c, m.d, m.tx, m.ty));
    }
    xml_.attrRaw("xml:space", "preserve");
    if (t.orientation == Orientation::Vertical) xml_.attrRaw("writing-mode", "tb-rl");
    if (t.para.justification == kJustifyRight) xml_.attrRaw("text-anchor", "end");
    if (t.para.justification == kJustifyCenter) xml_.attrRaw("text-anchor", "middle");
    xml_.endStart(true);
    if (framed && t.kind == TextKind::OnPath) {
        xml_.start("textPath");
        xml_.attr("xlink:href", "#" + *idOf(*t.framePath));
        xml_.endStart(true);
        writeRuns(t);
        xml_.end("textPath");
    } else {
        writeRuns(t);
    }
    writeTagElements(a, true);
    xml_.end("text");
}

void SvgWriter::writeRuns(const TextData& t) {
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
        writePaint("fill", cv::kFill, f.fillPaint, f.fill, true);
        writePaint("stroke", cv::kStroke, f.strokePaint, f.stroke, false);
        if (f.strokeWidth != 1) xml_.attrRaw("stroke-width", number(f.strokeWidth));
        // SVG turns characters clockwise with y down.
        if (f.rotation != 0) xml_.attrRaw("rotate", number(-f.rotation));
        if (f.horizontalScale != 1) xml_.attrRaw("cv:hscale", number(f.horizontalScale));
        if (f.verticalScale != 1) xml_.attrRaw("cv:vscale", number(f.verticalScale));
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
