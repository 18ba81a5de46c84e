#include "common/LayerTargets.h"

#include "frame/HostSuites.h"

#include <array>

namespace {

constexpr std::array<const char*, 3> kKindTexts = {
    "第一階層のレイヤー",
    "現在のレイヤー直下のサブレイヤー",
    "全てのレイヤー(サブレイヤー含む)",
};

/** Visits layer unless the filter passes it over. */
HostErr Examine(HostLayerHandle layer, bool visibleOnly, const LayerVisit& visit) {
    if (visibleOnly) {
        HostBool visible = 0;
        if (const HostErr err = sLayer->GetLayerVisible(layer, &visible)) return err;
        if (visible == 0) return kHostNoErr;
    }
    return visit(layer);
}

HostErr WalkTopLevel(bool visibleOnly, const LayerVisit& visit) {
    int32_t count = 0;
    if (const HostErr err = sLayer->CountLayers(&count)) return err;
    for (int32_t i = 0; i < count; ++i) {
        HostLayerHandle layer = nullptr;
        if (const HostErr err = sLayer->GetNthLayer(i, &layer)) return err;
        if (const HostErr err = Examine(layer, visibleOnly, visit)) return err;
    }
    return kHostNoErr;
}

HostErr WalkCurrentSublayers(bool visibleOnly, const LayerVisit& visit) {
    HostLayerHandle current = nullptr;
    if (const HostErr err = sLayer->GetCurrentLayer(&current)) return err;
    HostLayerHandle layer = nullptr;
    if (const HostErr err = sLayer->GetFirstChild(current, &layer)) return err;
    while (layer != nullptr) {
        if (const HostErr err = Examine(layer, visibleOnly, visit)) return err;
        // Skipping the subtree keeps the walk on the current layer's own level.
        HostLayerHandle next = nullptr;
        if (const HostErr err = sLayer->GetNextNonChildPreorderLayer(layer, &next)) return err;
        if (next == nullptr) break;
        HostLayerHandle parent = nullptr;
        if (const HostErr err = sLayer->GetLayerParent(next, &parent)) return err;
        if (parent != current) break;
        layer = next;
    }
    return kHostNoErr;
}

HostErr WalkAll(bool visibleOnly, const LayerVisit& visit) {
    HostLayerHandle layer = nullptr;
    if (const HostErr err = sLayer->GetFirstLayer(&layer)) return err;
    while (layer != nullptr) {
        if (const HostErr err = Examine(layer, visibleOnly, visit)) return err;
        if (const HostErr err = sLayer->GetNextPreorderLayer(layer, &layer)) return err;
    }
    return kHostNoErr;
}

} // namespace

void FillTargetKindCombo(WsWindow dialog, int32_t comboId, LayerTargetKind kind) {
    for (const char* text : kKindTexts)
        WsSendDlgItemMessage(dialog, comboId, WS_CB_ADDSTRING, 0, reinterpret_cast<WsLParam>(text));
    WsSendDlgItemMessage(dialog, comboId, WS_CB_SETCURSEL, static_cast<WsWParam>(kind), 0);
}

LayerTargetKind ReadTargetKindCombo(WsWindow dialog, int32_t comboId) {
    return static_cast<LayerTargetKind>(
        WsSendDlgItemMessage(dialog, comboId, WS_CB_GETCURSEL, 0, 0));
}

HostErr ForEachTargetLayer(LayerTargetKind kind, bool visibleOnly, const LayerVisit& visit) {
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    switch (kind) {
    case kTargetTopLevel:
        return WalkTopLevel(visibleOnly, visit);
    case kTargetCurrentSublayers:
        return WalkCurrentSublayers(visibleOnly, visit);
    case kTargetAllLayers:
        return WalkAll(visibleOnly, visit);
    default:
        return kHostNoErr;
    }
}

HostLayerHandle NextSiblingLayer(HostLayerHandle layer) {
    HostLayerHandle next = nullptr;
    return NextSiblingLayer(layer, next) == kHostNoErr ? next : nullptr;
}

HostErr NextSiblingLayer(HostLayerHandle layer, HostLayerHandle& next) {
    next = nullptr;
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    if (layer == nullptr) return kHostNoErr;
    HostLayerHandle parent = nullptr;
    HostLayerHandle candidate = nullptr;
    if (const HostErr err = sLayer->GetLayerParent(layer, &parent)) return err;
    if (const HostErr err = sLayer->GetNextNonChildPreorderLayer(layer, &candidate)) return err;
    if (candidate == nullptr) return kHostNoErr;
    HostLayerHandle candidateParent = nullptr;
    if (const HostErr err = sLayer->GetLayerParent(candidate, &candidateParent)) return err;
    if (candidateParent == parent) next = candidate;
    return kHostNoErr;
}
