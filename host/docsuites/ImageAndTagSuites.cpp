// "AI Placed Suite", "AI Raster Suite" and "AI Tag Suite".
#include "hostapi/suites/PlacedSuite.h"
#include "hostapi/suites/RasterSuite.h"
#include "hostapi/suites/TagSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/geometry/Matrix.h"

namespace host {
namespace {

using namespace docsuites;

template <ArtType Type> HostErr getMatrix(HostArtHandle art, HostRealMatrix* matrix) {
    return withDocument([&](Document& d) -> HostErr {
        requireOut(matrix);
        const Art& a = artOf(d, art);
        if (a.type() != Type || a.image() == nullptr) return kHostErrWrongType;
        *matrix = a.image()->matrix;
        return kHostNoErr;
    });
}

template <ArtType Type> HostErr setMatrix(HostArtHandle art, const HostRealMatrix* matrix) {
    return withDocument([&](Document& d) -> HostErr {
        Art& a = artOf(d, art);
        if (a.type() != Type || a.image() == nullptr) return kHostErrWrongType;
        if (matrix == nullptr || !isFinite(*matrix)) return kHostErrBadParameter;
        if (HostErr err = d.checkEditable(a); err != kHostNoErr) return err;
        a.image()->matrix = *matrix;
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr CountTags(HostArtHandle art, int32_t* count) {
    HOST_OP(kHostTagSuite, "CountTags");
    return answer(count,
                  [&](Document& d) { return static_cast<int32_t>(artOf(d, art).tags.size()); });
}

HostErr GetNthTag(HostArtHandle art, int32_t index, const char** name) {
    HOST_OP(kHostTagSuite, "GetNthTag");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(name);
        *name = nullptr;
        const Tags& tags = artOf(d, art).tags;
        if (index < 0 || static_cast<std::size_t>(index) >= tags.size())
            return kHostErrBadParameter;
        *name = tags.at(static_cast<std::size_t>(index)).first.c_str();
        return kHostNoErr;
    });
}

HostErr RemoveTag(HostArtHandle art, const char* name) {
    HOST_OP(kHostTagSuite, "RemoveTag");
    return withDocument([&](Document& d) -> HostErr {
        if (name == nullptr) return kHostErrBadParameter;
        if (!artOf(d, art).tags.remove(name)) return kHostErrNotFound;
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr SetTag(HostArtHandle art, const char* name, const char* value) {
    HOST_OP(kHostTagSuite, "SetTag");
    return withDocument([&](Document& d) -> HostErr {
        if (name == nullptr || *name == '\0' || value == nullptr) return kHostErrBadParameter;
        Tags& tags = artOf(d, art).tags;
        // Tools mark art again on every run: the same value is no change.
        if (const std::string* old = tags.find(name); old != nullptr && *old == value)
            return kHostNoErr;
        tags.set(name, value);
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetTag(HostArtHandle art, const char* name, const char** value) {
    HOST_OP(kHostTagSuite, "GetTag");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(value);
        *value = nullptr;
        if (name == nullptr) return kHostErrBadParameter;
        const std::string* found = artOf(d, art).tags.find(name);
        if (found == nullptr) return kHostErrNotFound;
        *value = found->c_str();
        return kHostNoErr;
    });
}

constexpr HostPlacedSuite kPlacedSuite = {
    counted<kHostPlacedSuite, "GetPlacedMatrix", getMatrix<ArtType::Placed>>,
    counted<kHostPlacedSuite, "SetPlacedMatrix", setMatrix<ArtType::Placed>>,
};
constexpr HostRasterSuite kRasterSuite = {
    counted<kHostRasterSuite, "GetRasterMatrix", getMatrix<ArtType::Raster>>,
    counted<kHostRasterSuite, "SetRasterMatrix", setMatrix<ArtType::Raster>>,
};
constexpr HostTagSuite kTagSuite = {CountTags, GetNthTag, RemoveTag, SetTag, GetTag};

} // namespace

void installImageAndTagSuites(SuiteRegistry& registry) {
    registry.provide(kHostPlacedSuite, kHostPlacedSuiteVersion, &kPlacedSuite);
    registry.provide(kHostRasterSuite, kHostRasterSuiteVersion, &kRasterSuite);
    registry.provide(kHostTagSuite, kHostTagSuiteVersion, &kTagSuite);
}

} // namespace host
