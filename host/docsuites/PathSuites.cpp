// "AI Path Suite" and "AI Path Style Suite".
#include "hostapi/suites/PathStyleSuite.h"
#include "hostapi/suites/PathSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {
namespace {

using namespace docsuites;

// Paths are the only art with segments of their own.
PathData& pathOf(Art& art) {
    if (art.type() != ArtType::Path || art.path() == nullptr)
        throw HostError(kHostErrWrongType, "not a path");
    return *art.path();
}

bool finite(const HostRealPoint& p) {
    return std::isfinite(p.h) && std::isfinite(p.v);
}

// Segments must lie inside the path: first and count are checked without overflow.
void checkRange(const PathData& path, int32_t first, int32_t count) {
    if (first < 0 || count < 0 || static_cast<std::size_t>(first) > path.segments.size() ||
        static_cast<std::size_t>(count) > path.segments.size() - static_cast<std::size_t>(first))
        throw HostError(kHostErrBadParameter, "segments out of range");
}

HostErr GetPathSegmentCount(HostArtHandle art, int32_t* count) {
    HOST_OP(kHostPathSuite, "GetPathSegmentCount");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(count);
        const PathData& path = pathOf(artOf(d, art));
        if (path.segments.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
            return kHostErrCant;
        *count = static_cast<int32_t>(path.segments.size());
        return kHostNoErr;
    });
}

HostErr SetPathSegmentCount(HostArtHandle art, int32_t count) {
    HOST_OP(kHostPathSuite, "SetPathSegmentCount");
    return withDocument([&](Document& d) -> HostErr {
        Art& a = artOf(d, art);
        PathData& path = pathOf(a);
        if (count < 0) return kHostErrBadParameter;
        if (HostErr err = d.checkEditable(a); err != kHostNoErr) return err;
        HostPathSegment zero{};
        zero.corner = 1;
        path.segments.resize(static_cast<std::size_t>(count), zero);
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetPathSegments(HostArtHandle art, int32_t first, int32_t count,
                        HostPathSegment* segments) {
    HOST_OP(kHostPathSuite, "GetPathSegments");
    return withDocument([&](Document& d) -> HostErr {
        const PathData& path = pathOf(artOf(d, art));
        checkRange(path, first, count);
        if (count > 0) requireOut(segments);
        path.segments.copyTo(static_cast<std::size_t>(first), static_cast<std::size_t>(count),
                             segments);
        return kHostNoErr;
    });
}

HostErr SetPathSegments(HostArtHandle art, int32_t first, int32_t count,
                        const HostPathSegment* segments) {
    HOST_OP(kHostPathSuite, "SetPathSegments");
    return withDocument([&](Document& d) -> HostErr {
        Art& a = artOf(d, art);
        PathData& path = pathOf(a);
        checkRange(path, first, count);
        if (count > 0 && segments == nullptr) return kHostErrBadParameter;
        for (int32_t i = 0; i < count; ++i)
            if (!finite(segments[i].p) || !finite(segments[i].in) || !finite(segments[i].out))
                return kHostErrBadParameter;
        if (HostErr err = d.checkEditable(a); err != kHostNoErr) return err;
        std::copy_n(segments, count, path.segments.begin() + first);
        d.noteChange();
        return kHostNoErr;
    });
}

template <bool PathData::*Flag> HostErr GetFlag(HostArtHandle art, HostBool* value) {
    return answer(value, [&](Document& d) { return pathOf(artOf(d, art)).*Flag ? 1 : 0; });
}

template <bool PathData::*Flag> HostErr SetFlag(HostArtHandle art, HostBool value) {
    return withDocument([&](Document& d) -> HostErr {
        Art& a = artOf(d, art);
        PathData& path = pathOf(a);
        if (HostErr err = d.checkEditable(a); err != kHostNoErr) return err;
        if (path.*Flag == (value != 0)) return kHostNoErr;
        path.*Flag = value != 0;
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetPathStyle(HostArtHandle art, HostPathStyle* style) {
    HOST_OP(kHostPathStyleSuite, "GetPathStyle");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(style);
        PathStyle model;
        if (HostErr err = d.getPathStyle(artOf(d, art), model); err != kHostNoErr) return err;
        *style = toHostPathStyle(model);
        return kHostNoErr;
    });
}

HostErr SetPathStyle(HostArtHandle art, const HostPathStyle* style) {
    HOST_OP(kHostPathStyleSuite, "SetPathStyle");
    return withDocument([&](Document& d) -> HostErr {
        if (style == nullptr) return kHostErrBadParameter;
        Art& a = artOf(d, art);
        PathStyle model;
        if (HostErr err = d.getPathStyle(a, model); err != kHostNoErr) return err;
        if (!applyHostPathStyle(*style, model)) return kHostErrBadParameter;
        return d.setPathStyle(a, model);
    });
}

template <OperationLiteral Name, auto Impl>
constexpr auto PathOp = counted<kHostPathSuite, Name, Impl>;

constexpr HostPathSuite kPathSuite = {
    GetPathSegmentCount,
    SetPathSegmentCount,
    GetPathSegments,
    SetPathSegments,
    PathOp<"GetPathClosed", GetFlag<&PathData::closed>>,
    PathOp<"SetPathClosed", SetFlag<&PathData::closed>>,
    PathOp<"GetPathGuide", GetFlag<&PathData::guide>>,
    PathOp<"SetPathGuide", SetFlag<&PathData::guide>>,
};

constexpr HostPathStyleSuite kPathStyleSuite = {GetPathStyle, SetPathStyle};

} // namespace

void installPathSuites(SuiteRegistry& registry) {
    registry.provide(kHostPathSuite, kHostPathSuiteVersion, &kPathSuite);
    registry.provide(kHostPathStyleSuite, kHostPathStyleSuiteVersion, &kPathStyleSuite);
}

} // namespace host
