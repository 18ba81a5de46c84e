// The work of a click on a layer in the move-between-layers panel.
#include "common/ArtSet.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "panels/MoveLayerPanel.h"
#include "panels/PanelSupport.h"

namespace {

constexpr const char* kLayerMissing = "指定されたレイヤーは現在のドキュメント上にありません";
constexpr const char* kNothingSelected = "オブジェクトが選択されていません";

HostErr ContainsLayer(HostLayerHandle target, bool& found) {
    found = false;
    HostLayerHandle layer = nullptr;
    if (const HostErr err = sLayer->GetFirstLayer(&layer)) return err;
    while (layer != nullptr) {
        if (layer == target) {
            found = true;
            return kHostNoErr;
        }
        if (const HostErr err = sLayer->GetNextPreorderLayer(layer, &layer)) return err;
    }
    return kHostNoErr;
}

/** Shows and unlocks a layer for a scope and puts both flags back on every way out. */
class LayerOpened {
public:
    explicit LayerOpened(HostLayerHandle layer) noexcept : layer_(layer) {}
    ~LayerOpened() { Close(); }
    LayerOpened(const LayerOpened&) = delete;
    LayerOpened& operator=(const LayerOpened&) = delete;

    HostErr Open() noexcept {
        if (const HostErr err = sLayer->GetLayerVisible(layer_, &wasVisible_)) return err;
        if (const HostErr err = sLayer->GetLayerEditable(layer_, &wasEditable_)) return err;
        read_ = true;
        if (!wasVisible_)
            if (const HostErr err = sLayer->SetLayerVisible(layer_, 1)) return err;
        if (!wasEditable_)
            if (const HostErr err = sLayer->SetLayerEditable(layer_, 1)) return err;
        return kHostNoErr;
    }

    /** Puts the flags back once; both are tried and the first failure is returned. */
    HostErr Close() noexcept {
        if (!read_) return kHostNoErr;
        read_ = false;
        const HostErr hidden = wasVisible_ ? kHostNoErr : sLayer->SetLayerVisible(layer_, 0);
        const HostErr locked = wasEditable_ ? kHostNoErr : sLayer->SetLayerEditable(layer_, 0);
        return hidden != kHostNoErr ? hidden : locked;
    }

private:
    HostLayerHandle layer_;
    HostBool wasVisible_ = 1;
    HostBool wasEditable_ = 1;
    bool read_ = false;
};

HostErr FirstOf(HostErr first, HostErr second) {
    return first != kHostNoErr ? first : second;
}

} // namespace

HostErr CMoveLayerPanel::MoveSelectionToLayer(HostLayerHandle target) {
    AppContextScope context(pluginRef_);
    HostErr err = context.Result();
    if (err == kHostNoErr && (sLayer == nullptr || sArt == nullptr || sArtSet == nullptr))
        err = kHostErrSuiteNotFound;
    // Without its context the module must not touch the document.
    if (err == kHostNoErr) err = MoveSelection(target);
    if (err != kHostNoErr) frame::MessageAlert(kPanelErrorMessage);
    return err;
}

// The steps of a move; every non-zero code is a failure that the caller reports.
HostErr CMoveLayerPanel::MoveSelection(HostLayerHandle target) {
    bool found = false;
    if (const HostErr err = ContainsLayer(target, found)) return err;
    if (!found) {
        frame::MessageAlert(kLayerMissing);
        return kHostNoErr;
    }
    CArtSet selection;
    if (const HostErr err = selection.FillFromSelection()) return err;
    if (selection.Count() == 0) {
        frame::MessageAlert(kNothingSelected);
        return kHostNoErr;
    }
    HostArtHandle layerGroup = nullptr;
    if (const HostErr err = sArt->GetFirstArtOfLayer(target, &layerGroup)) return err;
    HostArtHandle destination = layerGroup;
    HostArtHandle newGroup = nullptr;
    if (groupOption_) {
        if (const HostErr err =
                sArt->NewArt(kHostGroupArt, kHostPlaceInsideOnBottom, layerGroup, &newGroup))
            return err;
        destination = newGroup;
    }
    int moved = 0;
    HostArtHandle lastMoved = nullptr;
    for (uint64_t i = 0; i < selection.Count(); ++i) {
        HostArtHandle art = nullptr;
        if (const HostErr err = selection.Get(i, art)) return err;
        HostLayerHandle layer = nullptr;
        if (const HostErr err = sArt->GetLayerOfArt(art, &layer)) return err;
        if (layer == target) continue; // there already
        HostArtHandle ownGroup = nullptr;
        if (const HostErr err = sArt->GetFirstArtOfLayer(layer, &ownGroup)) return err;
        if (art == ownGroup) continue; // a layer moves as a layer
        int16_t type = 0;
        if (const HostErr err = sArt->GetArtType(art, &type)) return err;
        // A partly selected group stays; its selected members are in the set themselves.
        if (type == kHostGroupArt && IsFullySelected(art, false) != kHostNoErr) continue;
        if (const HostErr err = sArt->ReorderArt(art, kHostPlaceInsideOnBottom, destination))
            return err;
        ++moved;
        lastMoved = art;
    }
    if (!groupOption_ || moved >= 2) return kHostNoErr;
    // What is on a hidden or locked target can only be tidied with the target opened.
    LayerOpened opened(target);
    HostErr err = opened.Open();
    // One object needs no group of its own.
    if (err == kHostNoErr && moved == 1)
        err = sArt->ReorderArt(lastMoved, kHostPlaceInsideOnBottom, layerGroup);
    if (err == kHostNoErr) err = sArt->DisposeArt(newGroup);
    // A target the host would not close again is a failure too: the user hid it.
    return FirstOf(err, opened.Close());
}

// Iterative: documents may nest groups deeply.
HostErr CMoveLayerPanel::IsFullySelected(HostArtHandle art, bool withSiblings) {
    struct Pending {
        HostArtHandle art;
        bool withSiblings;
    };
    std::vector<Pending> stack{{art, withSiblings}};
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        int16_t type = 0;
        if (const HostErr err = sArt->GetArtType(next.art, &type)) return err;
        int32_t attributes = 0;
        if (const HostErr err = sArt->GetArtUserAttr(next.art, kHostArtSelected, &attributes))
            return err;
        if ((attributes & kHostArtSelected) == 0) return -1;
        // The siblings come after this object's subtree.
        if (next.withSiblings) {
            HostArtHandle sibling = nullptr;
            if (const HostErr err = sArt->GetArtSibling(next.art, &sibling)) return err;
            if (sibling != nullptr) stack.push_back({sibling, true});
        }
        if (type == kHostGroupArt || type == kHostCompoundPathArt) {
            HostArtHandle child = nullptr;
            if (const HostErr err = sArt->GetArtFirstChild(next.art, &child)) return err;
            if (child != nullptr) stack.push_back({child, true});
        }
    }
    return kHostNoErr;
}
