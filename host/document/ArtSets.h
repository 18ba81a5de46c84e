// The host's art sets: ordered lists of art handles that a caller makes, fills and
// disposes. Entries are handles, not pointers, so art disposed while listed is found
// stale by Document::art() rather than dereferenced.
#pragma once

#include "host/document/Document.h"

#include <unordered_map>
#include <vector>

namespace host {

class ArtSets {
public:
    HostArtSetHandle create();
    /// kHostErrBadHandle for a handle that names no live set.
    HostErr dispose(HostArtSetHandle set);
    /// The entries of a live set; null for any other handle.
    std::vector<HostArtHandle>* find(HostArtSetHandle set);
    std::size_t liveCount() const { return sets_.size(); }

private:
    std::unordered_map<std::uint64_t, std::vector<HostArtHandle>> sets_;
};

/// Art lists as the host fills art sets: the selection in pre-order over the layers from
/// layer 0 (a container before its members; a layer's group is listed when anything on
/// the layer is selected); a layer's art with its group first.
std::vector<HostArtHandle> selectionHandles(const Document& doc);
std::vector<HostArtHandle> layerHandles(const Document& doc, const Layer& layer);

} // namespace host
