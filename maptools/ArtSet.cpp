#include "maptools/ArtSet.h"

#include "frame/HostSuites.h"

void CArtSet::FillFromLayer(HostLayerHandle layer) noexcept {
    Dispose();
    if (layer == nullptr) return;
    if (sArtSet->NewArtSet(&handle_) != kHostNoErr) {
        handle_ = nullptr;
        return;
    }
    size_t count = 0;
    if (sArtSet->LayerArtSet(layer, handle_) != kHostNoErr ||
        sArtSet->CountArtSet(handle_, &count) != kHostNoErr) {
        Dispose();
        return;
    }
    count_ = count;
}

HostErr CArtSet::FillFromSelection() noexcept {
    Dispose();
    HostErr err = sArtSet->NewArtSet(&handle_);
    if (err != kHostNoErr) {
        handle_ = nullptr;
        return err;
    }
    size_t count = 0;
    err = sArtSet->SelectedArtSet(handle_);
    if (err == kHostNoErr) err = sArtSet->CountArtSet(handle_, &count);
    if (err != kHostNoErr) {
        Dispose();
        return err;
    }
    count_ = count;
    return kHostNoErr;
}

HostErr CArtSet::Get(uint64_t index, HostArtHandle& art) const noexcept {
    art = nullptr;
    if (index >= count_ || handle_ == nullptr) return kHostErrBadParameter;
    return sArtSet->IndexArtSet(handle_, static_cast<size_t>(index), &art);
}

HostArtHandle CArtSet::At(int32_t index) const noexcept {
    if (index < 0 || static_cast<uint64_t>(index) >= count_ || handle_ == nullptr) return nullptr;
    HostArtHandle art = nullptr;
    if (sArtSet->IndexArtSet(handle_, static_cast<size_t>(index), &art) != kHostNoErr)
        return nullptr;
    return art;
}

// The count goes with the set: a count without a set would promise entries that At can
// no longer give.
void CArtSet::Dispose() noexcept {
    count_ = 0;
    if (handle_ == nullptr) return;
    sArtSet->DisposeArtSet(&handle_);
    handle_ = nullptr;
}
