#include "hostapi/suites/ArtSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"
#include "host/geometry/ArtBounds.h"

#include <limits>

namespace host {
namespace {

using namespace docsuites;

PaintOrder orderOf(int16_t paintOrder) {
    const std::optional<PaintOrder> order = paintOrderFromInt(paintOrder);
    if (!order) throw HostError(kHostErrBadParameter, "no such paint order");
    return *order;
}

Art* referenceOf(Document& d, HostArtHandle reference) {
    return reference == nullptr ? nullptr : &artOf(d, reference);
}

HostErr NewArt(int16_t type, int16_t paintOrder, HostArtHandle reference, HostArtHandle* newArt) {
    HOST_OP(kHostArtSuite, "NewArt");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(newArt);
        *newArt = nullptr;
        const std::optional<ArtType> artType = artTypeFromInt(type);
        if (!artType) return kHostErrBadParameter;
        Art* made = nullptr;
        const HostErr err =
            d.newArt(*artType, orderOf(paintOrder), referenceOf(d, reference), &made);
        if (err == kHostNoErr) *newArt = handleOf(made);
        return err;
    });
}

HostErr DisposeArt(HostArtHandle art) {
    HOST_OP(kHostArtSuite, "DisposeArt");
    return withDocument([&](Document& d) -> HostErr { return d.disposeArt(artOf(d, art)); });
}

HostErr ReorderArt(HostArtHandle art, int16_t paintOrder, HostArtHandle reference) {
    HOST_OP(kHostArtSuite, "ReorderArt");
    return withDocument([&](Document& d) -> HostErr {
        return d.reorderArt(artOf(d, art), orderOf(paintOrder), referenceOf(d, reference));
    });
}

HostErr DuplicateArt(HostArtHandle art, int16_t paintOrder, HostArtHandle reference,
                     HostArtHandle* newArt) {
    HOST_OP(kHostArtSuite, "DuplicateArt");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(newArt);
        *newArt = nullptr;
        Art* copy = nullptr;
        const HostErr err =
            d.duplicateArt(artOf(d, art), orderOf(paintOrder), referenceOf(d, reference), &copy);
        if (err == kHostNoErr) *newArt = handleOf(copy);
        return err;
    });
}

HostErr GetFirstArtOfLayer(HostLayerHandle layer, HostArtHandle* art) {
    HOST_OP(kHostArtSuite, "GetFirstArtOfLayer");
    return answerHandle(art, [&](Document& d) { return handleOf(layerOf(d, layer).group()); });
}

HostErr GetLayerOfArt(HostArtHandle art, HostLayerHandle* layer) {
    HOST_OP(kHostArtSuite, "GetLayerOfArt");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(layer);
        *layer = nullptr;
        *layer = handleOf(d.layerOfArt(artOf(d, art)));
        return *layer == nullptr ? kHostErrNotFound : kHostNoErr;
    });
}

HostErr GetArtType(HostArtHandle art, int16_t* type) {
    HOST_OP(kHostArtSuite, "GetArtType");
    return answer(type, [&](Document& d) { return static_cast<int16_t>(artOf(d, art).type()); });
}

HostErr GetArtUserAttr(HostArtHandle art, int32_t whichAttributes, int32_t* attributes) {
    HOST_OP(kHostArtSuite, "GetArtUserAttr");
    return answer(attributes, [&](Document& d) {
        return static_cast<int32_t>(d.userAttributes(
            artOf(d, art), static_cast<std::uint32_t>(whichAttributes) & kAttrAll));
    });
}

HostErr SetArtUserAttr(HostArtHandle art, int32_t whichAttributes, int32_t attributes) {
    HOST_OP(kHostArtSuite, "SetArtUserAttr");
    return withDocument([&](Document& d) -> HostErr {
        return d.setUserAttributes(artOf(d, art),
                                   static_cast<std::uint32_t>(whichAttributes) & kAttrAll,
                                   static_cast<std::uint32_t>(attributes));
    });
}

template <class Step> HostErr Walk(HostArtHandle art, HostArtHandle* result, Step step) {
    return answerHandle(result, [&](Document& d) { return handleOf(step(artOf(d, art))); });
}

HostErr GetArtParent(HostArtHandle art, HostArtHandle* parent) {
    HOST_OP(kHostArtSuite, "GetArtParent");
    return Walk(art, parent, [](const Art& a) { return a.parent(); });
}

HostErr GetArtFirstChild(HostArtHandle art, HostArtHandle* child) {
    HOST_OP(kHostArtSuite, "GetArtFirstChild");
    return Walk(art, child, [](const Art& a) { return a.firstChild(); });
}

// Layer groups of top-level layers are no one's siblings either: they hang under the root.
HostErr GetArtSibling(HostArtHandle art, HostArtHandle* sibling) {
    HOST_OP(kHostArtSuite, "GetArtSibling");
    return Walk(art, sibling, [](const Art& a) {
        return a.isLayerGroup() && a.parent() == nullptr ? nullptr : a.nextSibling();
    });
}

HostErr GetArtPriorSibling(HostArtHandle art, HostArtHandle* sibling) {
    HOST_OP(kHostArtSuite, "GetArtPriorSibling");
    return Walk(art, sibling, [](const Art& a) {
        return a.isLayerGroup() && a.parent() == nullptr ? nullptr : a.prevSibling();
    });
}

HostErr GetArtBounds(HostArtHandle art, HostRealRect* bounds) {
    HOST_OP(kHostArtSuite, "GetArtBounds");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(bounds);
        constexpr double kInf = std::numeric_limits<double>::infinity();
        *bounds = artBounds(d, artOf(d, art)).value_or(HostRealRect{kInf, -kInf, -kInf, kInf});
        return kHostNoErr;
    });
}

HostBool ValidArt(HostArtHandle art) {
    HOST_OP_OR(kHostArtSuite, "ValidArt", 0);
    DocumentSession* s = session();
    return s != nullptr && s->document().art(art) != nullptr ? 1 : 0;
}

constexpr HostArtSuite kArtSuite = {
    NewArt,           DisposeArt,    ReorderArt,         DuplicateArt,   GetFirstArtOfLayer,
    GetLayerOfArt,    GetArtType,    GetArtUserAttr,     SetArtUserAttr, GetArtParent,
    GetArtFirstChild, GetArtSibling, GetArtPriorSibling, GetArtBounds,   ValidArt,
};

} // namespace

void installArtSuite(SuiteRegistry& registry) {
    registry.provide(kHostArtSuite, kHostArtSuiteVersion, &kArtSuite);
}

} // namespace host
