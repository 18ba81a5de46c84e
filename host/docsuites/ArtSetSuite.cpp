#include "hostapi/suites/ArtSetSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"

namespace host {
namespace {

using namespace docsuites;

std::vector<HostArtHandle>& setOf(HostArtSetHandle handle) {
    std::vector<HostArtHandle>* set = session()->artSet(handle);
    if (set == nullptr) throw HostError(kHostErrBadHandle, "no such art set");
    return *set;
}

template <class Art> std::vector<HostArtHandle> handlesOf(const std::vector<Art*>& arts) {
    std::vector<HostArtHandle> handles;
    handles.reserve(arts.size());
    for (const auto* art : arts)
        handles.push_back(art->handle());
    return handles;
}

HostErr NewArtSet(HostArtSetHandle* artSet) {
    HOST_OP(kHostArtSetSuite, "NewArtSet");
    return withDocument([&](Document&) -> HostErr {
        requireOut(artSet);
        *artSet = session()->newArtSet();
        return kHostNoErr;
    });
}

HostErr DisposeArtSet(HostArtSetHandle* artSet) {
    HOST_OP(kHostArtSetSuite, "DisposeArtSet");
    return withDocument([&](Document&) -> HostErr {
        requireOut(artSet);
        if (!session()->disposeArtSet(*artSet)) return kHostErrBadHandle;
        *artSet = nullptr;
        return kHostNoErr;
    });
}

HostErr CountArtSet(HostArtSetHandle artSet, size_t* count) {
    HOST_OP(kHostArtSetSuite, "CountArtSet");
    return withDocument([&](Document&) -> HostErr {
        requireOut(count);
        *count = setOf(artSet).size();
        return kHostNoErr;
    });
}

// An entry whose art has gone since the set was filled reads as bad handle rather than
// handing out a stale one.
HostErr IndexArtSet(HostArtSetHandle artSet, size_t index, HostArtHandle* art) {
    HOST_OP(kHostArtSetSuite, "IndexArtSet");
    return withDocument([&](Document& d) -> HostErr {
        requireOut(art);
        *art = nullptr;
        const std::vector<HostArtHandle>& set = setOf(artSet);
        if (index >= set.size()) return kHostErrBadParameter;
        if (d.art(set[index]) == nullptr) return kHostErrBadHandle;
        *art = set[index];
        return kHostNoErr;
    });
}

HostErr SelectedArtSet(HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "SelectedArtSet");
    return withDocument([&](Document& d) -> HostErr {
        setOf(artSet) = handlesOf(d.selectedArt());
        return kHostNoErr;
    });
}

HostErr LayerArtSet(HostLayerHandle layer, HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "LayerArtSet");
    return withDocument([&](Document& d) -> HostErr {
        std::vector<HostArtHandle>& set = setOf(artSet);
        set = handlesOf(d.layerArt(layerOf(d, layer)));
        return kHostNoErr;
    });
}

HostErr AddArtToArtSet(HostArtSetHandle artSet, HostArtHandle art) {
    HOST_OP(kHostArtSetSuite, "AddArtToArtSet");
    return withDocument([&](Document& d) -> HostErr {
        setOf(artSet).push_back(artOf(d, art).handle());
        return kHostNoErr;
    });
}

HostErr ClearArtSet(HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "ClearArtSet");
    return withDocument([&](Document&) -> HostErr {
        setOf(artSet).clear();
        return kHostNoErr;
    });
}

constexpr HostArtSetSuite kArtSetSuite = {
    NewArtSet,      DisposeArtSet, CountArtSet,    IndexArtSet,
    SelectedArtSet, LayerArtSet,   AddArtToArtSet, ClearArtSet,
};

} // namespace

void installArtSetSuite(SuiteRegistry& registry) {
    registry.provide(kHostArtSetSuite, kHostArtSetSuiteVersion, &kArtSetSuite);
}

} // namespace host
