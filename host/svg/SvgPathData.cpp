#include "host/svg/SvgPathData.h"

#include "host/geometry/Bezier.h"
#include "host/svg/SvgNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace host::svg {

namespace {

// 4/3 (sqrt 2 - 1): handle length of a quarter circle of radius 1.
constexpr double kKappa = 0.5522847498307936;

class PathBuilder {
public:
    explicit PathBuilder(Outline& out) : out_(out) {}

    void moveTo(HostRealPoint p) {
        finish();
        open_ = true;
        start_ = out_.segments.size();
        addAnchor(p);
    }
    void lineTo(HostRealPoint p) {
        ensureOpen();
        addAnchor(p);
        lastWasCurve_ = false;
    }
    void curveTo(HostRealPoint c1, HostRealPoint c2, HostRealPoint p) {
        ensureOpen();
        out_.segments.back().out = c1;
        addAnchor(p);
        out_.segments.back().in = c2;
        lastWasCurve_ = true;
    }
    void close() {
        if (!open_) return;
        const std::size_t count = out_.segments.size() - start_;
        HostPathSegment& first = out_.segments[start_];
        const HostPathSegment& last = out_.segments.back();
        // A curve that ends on the start point is how a curved closing segment is
        // written; the end anchor is the start anchor again.
        if (count > 1 && lastWasCurve_ && last.p.h == first.p.h && last.p.v == first.p.v) {
            first.in = last.in;
            out_.segments.pop_back();
        }
        closed_ = true;
        finish();
    }
    HostRealPoint current() const { return current_; }
    HostRealPoint subpathStart() const { return open_ ? out_.segments[start_].p : current_; }
    void finish() {
        if (!open_) return;
        const std::size_t count = out_.segments.size() - start_;
        for (std::size_t i = start_; i < out_.segments.size(); ++i)
            out_.segments[i].corner = !isSmoothAnchor(out_.segments[i]);
        out_.subpaths.push_back({start_, count, closed_});
        current_ = out_.segments[start_].p;
        if (!closed_) current_ = out_.segments.back().p;
        open_ = false;
        closed_ = false;
        lastWasCurve_ = false;
    }

private:
    void addAnchor(HostRealPoint p) {
        out_.segments.push_back({p, p, p, 1});
        current_ = p;
    }
    void ensureOpen() {
        // After a close, drawing goes on from the closed subpath's start.
        if (!open_) moveTo(current_);
    }

    Outline& out_;
    std::size_t start_ = 0;
    bool open_ = false;
    bool closed_ = false;
    bool lastWasCurve_ = false;
    HostRealPoint current_{0, 0};
};

bool isCommand(char c) {
    switch (c | 0x20) { // lower case
    case 'm':
    case 'z':
    case 'l':
    case 'h':
    case 'v':
    case 'c':
    case 's':
    case 'q':
    case 't':
    case 'a':
        return true;
    default:
        return false;
    }
}

class PathParser {
public:
    PathParser(std::string_view d, Outline& out, SyntaxError& error)
        : d_(d), builder_(out), error_(error) {}

    bool run();

private:
    bool number(double& v) {
        skipCommaSpacesIfArg();
        const NumberStatus st = scanNumber(d_, pos_, v);
        if (st == NumberStatus::Ok) return true;
        return fail(st == NumberStatus::OutOfRange ? "number out of range" : "number expected");
    }
    bool flag(bool& f) {
        skipCommaSpacesIfArg();
        if (pos_ < d_.size() && (d_[pos_] == '0' || d_[pos_] == '1')) {
            f = d_[pos_++] == '1';
            return true;
        }
        return fail("arc flag (0 or 1) expected");
    }
    bool point(HostRealPoint& p, bool relative) {
        if (!number(p.h) || !number(p.v)) return false;
        if (relative) {
            p.h += builder_.current().h;
            p.v += builder_.current().v;
        }
        return true;
    }
    void skipCommaSpacesIfArg() {
        if (firstArg_) {
            skipSpaces(d_, pos_);
            firstArg_ = false;
        } else {
            skipCommaSpaces(d_, pos_);
        }
    }
    bool fail(const char* message) {
        error_ = {pos_, message};
        return false;
    }
    bool moreArgs() {
        std::size_t p = pos_;
        skipCommaSpaces(d_, p);
        if (p >= d_.size()) return false;
        const char c = d_[p];
        return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
    }
    bool command(char cmd);

    std::string_view d_;
    std::size_t pos_ = 0;
    PathBuilder builder_;
    SyntaxError& error_;
    bool firstArg_ = true;
    HostRealPoint lastControl_{0, 0};
    char lastCommand_ = 0;
    std::vector<CubicTail> arcs_;
};

bool PathParser::run() {
    skipSpaces(d_, pos_);
    if (pos_ >= d_.size()) return true;
    if (d_[pos_] != 'M' && d_[pos_] != 'm') return fail("path data must begin with a move-to");
    while (true) {
        skipSpaces(d_, pos_);
        if (pos_ >= d_.size()) break;
        const char cmd = d_[pos_];
        // What came before an error stays drawn, as browsers draw it.
        if (!isCommand(cmd)) {
            builder_.finish();
            return fail("path command expected");
        }
        ++pos_;
        firstArg_ = true;
        if (!command(cmd)) {
            builder_.finish();
            return false;
        }
    }
    builder_.finish();
    return true;
}

bool PathParser::command(char cmd) {
    const bool rel = cmd >= 'a' && cmd <= 'z';
    const char up = static_cast<char>(rel ? cmd - 32 : cmd);
    if (up == 'Z') {
        builder_.close();
        lastCommand_ = 'Z';
        return true;
    }
    bool first = true;
    do {
        const HostRealPoint cur = builder_.current();
        HostRealPoint p{}, c1{}, c2{};
        switch (up) {
        case 'M':
            if (!point(p, rel)) return false;
            if (first) {
                builder_.moveTo(p);
            } else {
                builder_.lineTo(p); // further pairs after a move are lines
            }
            lastControl_ = p;
            break;
        case 'L':
            if (!point(p, rel)) return false;
            builder_.lineTo(p);
            lastControl_ = p;
            break;
        case 'H':
            if (!number(p.h)) return false;
            p = {rel ? cur.h + p.h : p.h, cur.v};
            builder_.lineTo(p);
            lastControl_ = p;
            break;
        case 'V':
            if (!number(p.v)) return false;
            p = {cur.h, rel ? cur.v + p.v : p.v};
            builder_.lineTo(p);
            lastControl_ = p;
            break;
        case 'C':
            if (!point(c1, rel) || !point(c2, rel) || !point(p, rel)) return false;
            builder_.curveTo(c1, c2, p);
            lastControl_ = c2;
            break;
        case 'S':
            c1 = (lastCommand_ == 'C' || lastCommand_ == 'S')
                     ? HostRealPoint{2 * cur.h - lastControl_.h, 2 * cur.v - lastControl_.v}
                     : cur;
            if (!point(c2, rel) || !point(p, rel)) return false;
            builder_.curveTo(c1, c2, p);
            lastControl_ = c2;
            break;
        case 'Q':
        case 'T': {
            HostRealPoint q{};
            if (up == 'Q') {
                if (!point(q, rel)) return false;
            } else {
                q = (lastCommand_ == 'Q' || lastCommand_ == 'T')
                        ? HostRealPoint{2 * cur.h - lastControl_.h, 2 * cur.v - lastControl_.v}
                        : cur;
            }
            if (!point(p, rel)) return false;
            c1 = {cur.h + 2.0 / 3.0 * (q.h - cur.h), cur.v + 2.0 / 3.0 * (q.v - cur.v)};
            c2 = {p.h + 2.0 / 3.0 * (q.h - p.h), p.v + 2.0 / 3.0 * (q.v - p.v)};
            builder_.curveTo(c1, c2, p);
            lastControl_ = q;
            break;
        }
        case 'A': {
            double rx = 0, ry = 0, angle = 0;
            bool large = false, sweep = false;
            if (!number(rx) || !number(ry) || !number(angle) || !flag(large) || !flag(sweep) ||
                !point(p, rel))
                return false;
            arcs_.clear();
            switch (arcToCubics(cur, rx, ry, angle, large, sweep, p, arcs_)) {
            case ArcShape::Omitted:
                break;
            case ArcShape::Line:
                builder_.lineTo(p);
                break;
            case ArcShape::Curves:
                for (const CubicTail& t : arcs_)
                    builder_.curveTo(t[0], t[1], t[2]);
                break;
            }
            lastControl_ = p;
            break;
        }
        default:
            return fail("path command expected");
        }
        lastCommand_ = up;
        first = false;
    } while (moreArgs());
    return true;
}

} // namespace

bool isSmoothAnchor(const HostPathSegment& s) {
    const double ix = s.in.h - s.p.h, iy = s.in.v - s.p.v;
    const double ox = s.out.h - s.p.h, oy = s.out.v - s.p.v;
    if ((ix == 0 && iy == 0) || (ox == 0 && oy == 0)) return false;
    const double cross = ix * oy - iy * ox;
    const double dot = ix * ox + iy * oy;
    const double in = std::hypot(ix, iy), out = std::hypot(ox, oy);
    // Coordinates are written with ten significant digits: a smooth point must still read
    // as smooth when each of its three points moved by that much.
    const double scale = std::max({1.0, std::abs(s.p.h), std::abs(s.p.v), std::abs(s.in.h),
                                   std::abs(s.in.v), std::abs(s.out.h), std::abs(s.out.v)});
    return dot < 0 && std::abs(cross) <= 1e-9 * in * out + 4e-9 * scale * (in + out);
}

bool parsePathData(std::string_view d, Outline& out, SyntaxError& error) {
    return PathParser(d, out, error).run();
}

bool parsePoints(std::string_view s, bool close, Outline& out, SyntaxError& error) {
    PathBuilder b(out);
    std::size_t pos = 0;
    skipSpaces(s, pos);
    bool first = true;
    while (pos < s.size()) {
        HostRealPoint p{};
        NumberStatus st = scanNumber(s, pos, p.h);
        if (st == NumberStatus::Ok) {
            skipCommaSpaces(s, pos);
            if (pos >= s.size()) break; // odd count: the last number is dropped
            st = scanNumber(s, pos, p.v);
        }
        if (st != NumberStatus::Ok) {
            error = {pos,
                     st == NumberStatus::OutOfRange ? "number out of range" : "number expected"};
            if (!first) {
                if (close) b.close();
                b.finish();
            }
            return false;
        }
        if (first) {
            b.moveTo(p);
        } else {
            b.lineTo(p);
        }
        first = false;
        skipCommaSpaces(s, pos);
    }
    if (close) b.close();
    b.finish();
    return true;
}

void rectOutline(double x, double y, double w, double h, double rx, double ry, Outline& out) {
    PathBuilder b(out);
    if (rx <= 0 || ry <= 0) {
        b.moveTo({x, y});
        b.lineTo({x + w, y});
        b.lineTo({x + w, y + h});
        b.lineTo({x, y + h});
        b.close();
        return;
    }
    const double kx = rx * kKappa, ky = ry * kKappa;
    b.moveTo({x + rx, y});
    b.lineTo({x + w - rx, y});
    b.curveTo({x + w - rx + kx, y}, {x + w, y + ry - ky}, {x + w, y + ry});
    b.lineTo({x + w, y + h - ry});
    b.curveTo({x + w, y + h - ry + ky}, {x + w - rx + kx, y + h}, {x + w - rx, y + h});
    b.lineTo({x + rx, y + h});
    b.curveTo({x + rx - kx, y + h}, {x, y + h - ry + ky}, {x, y + h - ry});
    b.lineTo({x, y + ry});
    b.curveTo({x, y + ry - ky}, {x + rx - kx, y}, {x + rx, y});
    b.close();
}

void ellipseOutline(double cx, double cy, double rx, double ry, Outline& out) {
    PathBuilder b(out);
    const double kx = rx * kKappa, ky = ry * kKappa;
    b.moveTo({cx + rx, cy});
    b.curveTo({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
    b.curveTo({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
    b.curveTo({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
    b.curveTo({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
    b.close();
}

void lineOutline(double x1, double y1, double x2, double y2, Outline& out) {
    PathBuilder b(out);
    b.moveTo({x1, y1});
    b.lineTo({x2, y2});
    b.finish();
}

namespace {

bool samePoint(HostRealPoint a, HostRealPoint b) {
    return a.h == b.h && a.v == b.v;
}

bool appendPoint(std::string& out, HostRealPoint p, double flip) {
    if (!appendNumber(out, p.h)) return false;
    out += ' ';
    return appendFlipped(out, p.v, flip);
}

bool appendCurve(std::string& out, const HostPathSegment& from, const HostPathSegment& to,
                 double flip) {
    if (samePoint(from.out, from.p) && samePoint(to.in, to.p)) {
        out += 'L';
        return appendPoint(out, to.p, flip);
    }
    out += 'C';
    return appendPoint(out, from.out, flip) && (out += ' ', appendPoint(out, to.in, flip)) &&
           (out += ' ', appendPoint(out, to.p, flip));
}

} // namespace

bool appendPathData(std::string& out, const PathData& path, double flip) {
    const auto& s = path.segments;
    if (s.empty()) return true;
    out += 'M';
    if (!appendPoint(out, s[0].p, flip)) return false;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (!appendCurve(out, s[i - 1], s[i], flip)) return false;
    if (path.closed) {
        const HostPathSegment& last = s.back();
        const HostPathSegment& first = s.front();
        if (!samePoint(last.out, last.p) || !samePoint(first.in, first.p)) {
            out += 'C';
            if (!appendPoint(out, last.out, flip)) return false;
            out += ' ';
            if (!appendPoint(out, first.in, flip)) return false;
            out += ' ';
            if (!appendPoint(out, first.p, flip)) return false;
        }
        out += 'Z';
    }
    return true;
}

} // namespace host::svg
