#include "host/document/ArtSets.h"

namespace host {

HostArtSetHandle ArtSets::create() {
    const std::uint64_t id = newHandleId(HandleKind::ArtSet);
    sets_.emplace(id, std::vector<HostArtHandle>{});
    return handleOfId<HostArtSetHandle>(id);
}

HostErr ArtSets::dispose(HostArtSetHandle set) {
    return sets_.erase(idOfHandle(set)) ? kHostNoErr : kHostErrBadHandle;
}

std::vector<HostArtHandle>* ArtSets::find(HostArtSetHandle set) {
    auto it = sets_.find(idOfHandle(set));
    return it == sets_.end() ? nullptr : &it->second;
}

namespace {

std::vector<HostArtHandle> handles(const std::vector<Art*>& arts) {
    std::vector<HostArtHandle> out;
    out.reserve(arts.size());
    for (const Art* a : arts)
        out.push_back(a->handle());
    return out;
}

} // namespace

std::vector<HostArtHandle> selectionHandles(const Document& doc) {
    return handles(doc.selectedArt());
}

std::vector<HostArtHandle> layerHandles(const Document& doc, const Layer& layer) {
    return handles(doc.layerArt(layer));
}

} // namespace host
