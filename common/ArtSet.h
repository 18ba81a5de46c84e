// Owner of one host art set: the set goes back to the host on every way out.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>

class CArtSet {
public:
    CArtSet() noexcept = default;
    ~CArtSet() { Dispose(); }
    CArtSet(const CArtSet&) = delete;
    CArtSet& operator=(const CArtSet&) = delete;

    /** Every art object of the layer, its layer group first. A null layer only gives back
     *  the held set. A host failure leaves the set empty and is returned. */
    HostErr FillFromLayer(HostLayerHandle layer) noexcept;
    /** The document's selected art; a failed count leaves the set empty. */
    HostErr FillFromSelection() noexcept;
    uint64_t Count() const noexcept { return count_; }
    /** Null for an index outside 0 .. Count() - 1. */
    HostArtHandle At(int32_t index) const noexcept;
    /** The entry at index, or the host's code when it cannot be read. */
    HostErr Get(uint64_t index, HostArtHandle& art) const noexcept;
    void Dispose() noexcept;

private:
    /** Makes a new set, has fill put the art in and counts it; on a failure the set is
     *  disposed of and the code returned. */
    template <class Fill> HostErr FillNew(Fill fill) noexcept;

    uint64_t count_ = 0;
    HostArtSetHandle handle_ = nullptr;
};
