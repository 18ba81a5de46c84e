#include "hostapi/suites/ArtSetSuite.h"

#include "host/core/SuiteRegistry.h"
#include "host/docsuites/DocSupport.h"
#include "host/docsuites/DocumentSuites.h"

namespace host {
namespace {

using namespace docsuites;

using Handles = std::vector<HostArtHandle>;

/// The handles an art set lists; throws kHostErrBadHandle for null, disposed or foreign sets.
Handles& setOf(DocumentSession& s, HostArtSetHandle handle) {
    Handles* set = s.artSet(handle);
    if (set == nullptr) throw HostError(kHostErrBadHandle, "no such art set");
    return *set;
}

/// Runs body with the open document and the handles that artSet lists (see withDocument).
template <class Body> HostErr withArtSet(HostArtSetHandle artSet, Body&& body) noexcept {
    return withSession(
        [&](DocumentSession& s) -> HostErr { return body(s.document(), setOf(s, artSet)); });
}

template <class Art> Handles handlesOf(const std::vector<Art*>& arts) {
    Handles handles;
    handles.reserve(arts.size());
    for (const auto* art : arts)
        handles.push_back(art->handle());
    return handles;
}

HostErr NewArtSet(HostArtSetHandle* artSet) {
    HOST_OP(kHostArtSetSuite, "NewArtSet");
    return withSession([&](DocumentSession& s) -> HostErr {
        requireOut(artSet);
        *artSet = s.newArtSet();
        return kHostNoErr;
    });
}

HostErr DisposeArtSet(HostArtSetHandle* artSet) {
    HOST_OP(kHostArtSetSuite, "DisposeArtSet");
    return withSession([&](DocumentSession& s) -> HostErr {
        requireOut(artSet);
        if (!s.disposeArtSet(*artSet)) return kHostErrBadHandle;
        *artSet = nullptr;
        return kHostNoErr;
    });
}

// Count and Index look for the set themselves: their result place is checked first.
HostErr CountArtSet(HostArtSetHandle artSet, size_t* count) {
    HOST_OP(kHostArtSetSuite, "CountArtSet");
    return withSession([&](DocumentSession& s) -> HostErr {
        requireOut(count);
        *count = setOf(s, artSet).size();
        return kHostNoErr;
    });
}

// An entry whose art has gone since the set was filled reads as bad handle rather than
// handing out a stale one.
HostErr IndexArtSet(HostArtSetHandle artSet, size_t index, HostArtHandle* art) {
    HOST_OP(kHostArtSetSuite, "IndexArtSet");
    return withSession([&](DocumentSession& s) -> HostErr {
        requireOut(art);
        *art = nullptr;
        const Handles& set = setOf(s, artSet);
        if (index >= set.size()) return kHostErrBadParameter;
        if (s.document().art(set[index]) == nullptr) return kHostErrBadHandle;
        *art = set[index];
        return kHostNoErr;
    });
}

HostErr SelectedArtSet(HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "SelectedArtSet");
    return withArtSet(artSet, [&](Document& d, Handles& set) -> HostErr {
        set = handlesOf(d.selectedArt());
        return kHostNoErr;
    });
}

HostErr LayerArtSet(HostLayerHandle layer, HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "LayerArtSet");
    return withArtSet(artSet, [&](Document& d, Handles& set) -> HostErr {
        // Straight into the set: a plug-in fills one per pair test.
        const Art* group = layerOf(d, layer).group();
        set.clear();
        for (const Art* a = group; a != nullptr; a = nextInPreorder(a, group))
            set.push_back(a->handle());
        return kHostNoErr;
    });
}

HostErr AddArtToArtSet(HostArtSetHandle artSet, HostArtHandle art) {
    HOST_OP(kHostArtSetSuite, "AddArtToArtSet");
    return withArtSet(artSet, [&](Document& d, Handles& set) -> HostErr {
        set.push_back(artOf(d, art).handle());
        return kHostNoErr;
    });
}

HostErr ClearArtSet(HostArtSetHandle artSet) {
    HOST_OP(kHostArtSetSuite, "ClearArtSet");
    return withArtSet(artSet, [&](Document&, Handles& set) -> HostErr {
        set.clear();
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
