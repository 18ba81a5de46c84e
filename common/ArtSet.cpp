#include "common/ArtSet.h"

#include "frame/HostSuites.h"

template <class Fill> HostErr CArtSet::FillNew(Fill fill) noexcept {
    HostErr err = sArtSet->NewArtSet(&handle_);
    if (err != kHostNoErr) {
        handle_ = nullptr;
        return err;
    }
    size_t count = 0;
    err = fill(handle_);
    if (err == kHostNoErr) err = sArtSet->CountArtSet(handle_, &count);
    if (err != kHostNoErr) {
        Dispose();
        return err;
    }
    count_ = count;
    return kHostNoErr;
}

HostErr CArtSet::FillFromLayer(HostLayerHandle layer) noexcept {
    Dispose();
    if (layer == nullptr) return kHostNoErr;
    return FillNew([layer](HostArtSetHandle set) { return sArtSet->LayerArtSet(layer, set); });
}

HostErr CArtSet::FillFromSelection() noexcept {
    Dispose();
    return FillNew([](HostArtSetHandle set) { return sArtSet->SelectedArtSet(set); });
}

HostErr CArtSet::Get(uint64_t index, HostArtHandle& art) const noexcept {
    art = nullptr;
    if (index >= count_ || handle_ == nullptr) return kHostErrBadParameter;
    return sArtSet->IndexArtSet(handle_, static_cast<size_t>(index), &art);
}

HostArtHandle CArtSet::At(int32_t index) const noexcept {
    HostArtHandle art = nullptr;
    return Get(index, art) == kHostNoErr ? art : nullptr;
}

// The count goes with the set: a count without a set would promise entries that At can
// no longer give.
void CArtSet::Dispose() noexcept {
    count_ = 0;
    if (handle_ == nullptr) return;
    sArtSet->DisposeArtSet(&handle_);
    handle_ = nullptr;
}
