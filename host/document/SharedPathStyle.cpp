#include "host/document/SharedPathStyle.h"

#include <cstring>

namespace host {
namespace {

// Equal to the bit: sharing must not merge paints that compare equal yet differ in what
// the host interface hands out (unused colour fields, -0 and 0).
bool sameBits(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

bool identical(const HostColor& a, const HostColor& b) {
    static_assert(sizeof(HostColor) - offsetof(HostColor, gray) == 8 * sizeof(HostReal));
    return a.kind == b.kind && sameBits(&a.gray, &b.gray, 8 * sizeof(HostReal));
}

bool identical(const HostRealMatrix& a, const HostRealMatrix& b) {
    static_assert(sizeof(HostRealMatrix) == 6 * sizeof(HostReal));
    return sameBits(&a, &b, sizeof a);
}

bool identical(const PathStyle& a, const PathStyle& b) {
    return a.fillPaint == b.fillPaint && identical(a.fill, b.fill) &&
           a.fillOverprint == b.fillOverprint && a.strokePaint == b.strokePaint &&
           identical(a.stroke, b.stroke) && a.strokeOverprint == b.strokeOverprint &&
           sameBits(&a.strokeWidth, &b.strokeWidth, sizeof(double)) &&
           a.dash.size() == b.dash.size() &&
           (a.dash.empty() ||
            sameBits(a.dash.data(), b.dash.data(), a.dash.size() * sizeof(double))) &&
           sameBits(&a.dashOffset, &b.dashOffset, sizeof(double)) && a.cap == b.cap &&
           a.join == b.join && sameBits(&a.miterLimit, &b.miterLimit, sizeof(double)) &&
           a.evenOdd == b.evenOdd && identical(a.fillGradientMatrix, b.fillGradientMatrix) &&
           identical(a.fillPatternMatrix, b.fillPatternMatrix) &&
           identical(a.strokePatternMatrix, b.strokePatternMatrix) &&
           identical(a.strokeGradientMatrix, b.strokeGradientMatrix);
}

} // namespace

const PathStyle& SharedPathStyle::get() const {
    static const PathStyle kDefault;
    return style_ ? *style_ : kDefault;
}

SharedPathStyle& SharedPathStyle::operator=(const PathStyle& style) {
    if (&style == style_.get() || identical(get(), style)) return *this;
    if (style_ && style_.use_count() == 1) {
        *style_ = style;
    } else {
        style_ = std::make_shared<PathStyle>(style);
    }
    return *this;
}

PathStyle& SharedPathStyle::edit() {
    if (!style_) {
        style_ = std::make_shared<PathStyle>();
    } else if (style_.use_count() > 1) {
        style_ = std::make_shared<PathStyle>(*style_);
    }
    return *style_;
}

} // namespace host
