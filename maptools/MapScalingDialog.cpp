// Dialog 115 of map scaling: the live percentage, the enabling by mode, the checks when a
// field is left, and the read-back when it is confirmed.
#include "common/DialogValues.h"
#include "common/FieldDialog.h"
#include "maptools/MapScaling.h"
#include "maptools/NumberFields.h"

using namespace mapscaling;
using namespace numberfields;

namespace {

constexpr const char* kBlockProperty = "MapScalingSettings";

void ApplyEnabling(WsWindow dialog, int32_t mode) {
    EnableField(dialog, kCurrentScale, mode == 0);
    EnableField(dialog, kTargetScale, mode == 0);
    EnableField(dialog, kKeepProportion, mode == 1);
    EnableField(dialog, kHorizontalRatio, mode == 1);
    EnableField(dialog, kVerticalRatio, mode == 1 && !IsChecked(dialog, kKeepProportion));
    EnableField(dialog, kPaperList, mode == 2);
}

void ApplyMode(WsWindow dialog, int32_t mode) {
    if (mode < 0 || mode > 2) return;
    SetChecked(dialog, kModeScale, mode == 0);
    SetChecked(dialog, kModeRatio, mode == 1);
    SetChecked(dialog, kModePaper, mode == 2);
    ApplyEnabling(dialog, mode);
}

void UpdatePercentage(WsWindow dialog) {
    const auto current = ParseInteger(GetText(dialog, kCurrentScale, kFieldLimit));
    const auto target = ParseInteger(GetText(dialog, kTargetScale, kFieldLimit));
    if (!current || !target || *target == 0) return;
    const double percent = static_cast<double>(*current) / static_cast<double>(*target) * 100.0;
    SetText(dialog, kPercentage, "(" + FormatReal(percent) + "%)");
}

/** Puts back the value the field opened with when its text is a scale of 1 or less; the
 *  default stands in for an opening value that is no scale either. */
uint32_t CheckScaleField(WsWindow dialog, int32_t id) {
    const auto typed = ParseInteger(GetText(dialog, id, kFieldLimit));
    if (typed && IsValidScale(*typed)) return static_cast<uint32_t>(*typed);
    const MapScalingSettings defaults;
    const MapScalingSettings* block = FieldBlock<MapScalingSettings>(dialog, kBlockProperty);
    uint32_t opening = id == kCurrentScale ? defaults.currentScale : defaults.targetScale;
    if (block != nullptr) {
        const uint32_t stored = id == kCurrentScale ? block->currentScale : block->targetScale;
        if (IsValidScale(stored)) opening = stored;
    }
    SetText(dialog, id, FormatInteger(opening));
    return opening;
}

/** The same for a ratio of 0 or less (or no number at all). */
double CheckRatioField(WsWindow dialog, int32_t id) {
    const double typed = ParseReal(GetText(dialog, id, kFieldLimit));
    if (IsValidRatio(typed)) return typed;
    double opening = MapScalingSettings{}.horizontalRatio;
    if (const MapScalingSettings* block = FieldBlock<MapScalingSettings>(dialog, kBlockProperty)) {
        const double stored =
            id == kHorizontalRatio ? block->horizontalRatio : block->verticalRatio;
        if (IsValidRatio(stored)) opening = stored;
    }
    SetText(dialog, id, FormatReal(opening));
    return opening;
}

void FollowHorizontal(WsWindow dialog) {
    if (IsChecked(dialog, kKeepProportion))
        SetText(dialog, kVerticalRatio, GetText(dialog, kHorizontalRatio, kFieldLimit));
}

intptr_t Start(WsWindow dialog, const MapScalingSettings* block) {
    const MapScalingSettings s = block != nullptr ? *block : MapScalingSettings{};
    for (const PaperRatio& paper : kPaperRatios)
        WsSendDlgItemMessage(dialog, kPaperList, WS_CB_ADDSTRING, 0,
                             reinterpret_cast<WsLParam>(paper.label));
    WsSendDlgItemMessage(dialog, kPaperList, WS_CB_SETCURSEL, 0, 0);
    SetText(dialog, kCurrentScale, FormatInteger(s.currentScale));
    SetText(dialog, kTargetScale, FormatInteger(s.targetScale));
    UpdatePercentage(dialog);
    SetText(dialog, kHorizontalRatio, FormatReal(s.horizontalRatio));
    SetText(dialog, kVerticalRatio, FormatReal(s.verticalRatio));
    SetChecked(dialog, kKeepProportion, s.keepProportion);
    SetChecked(dialog, kScaleFontSize, s.scaleFontSize);
    SetChecked(dialog, kScaleSymbolSize, s.scaleSymbolSize);
    SetChecked(dialog, kScaleStrokeEffect, s.scaleStrokeEffect);
    SetChecked(dialog, kScalePattern, s.scalePattern);
    SetChecked(dialog, kScaleGuide, s.scaleGuide);
    SetChecked(dialog, kSelectionOnly, s.selectionOnly);
    WsSendDlgItemMessage(dialog, kPaperList, WS_CB_SETCURSEL, static_cast<WsWParam>(s.paperIndex),
                         0);
    ApplyMode(dialog, s.mode);
    return 1;
}

// Confirming straight from a field (the Enter key) leaves no field: every field gets the
// check it would have had, so no refused value is ever read back.
bool Confirm(WsWindow dialog, MapScalingSettings& s) {
    const uint32_t current = CheckScaleField(dialog, kCurrentScale);
    const uint32_t target = CheckScaleField(dialog, kTargetScale);
    const double horizontal = CheckRatioField(dialog, kHorizontalRatio);
    FollowHorizontal(dialog);
    const double vertical = CheckRatioField(dialog, kVerticalRatio);

    s.currentScale = current;
    s.targetScale = target;
    s.horizontalRatio = horizontal;
    s.verticalRatio = vertical;
    s.keepProportion = IsChecked(dialog, kKeepProportion);
    const WsLResult paper = WsSendDlgItemMessage(dialog, kPaperList, WS_CB_GETCURSEL, 0, 0);
    // A list without a selection reads back as the first entry, never as no entry.
    s.paperIndex = paper >= 0 && paper < static_cast<WsLResult>(kPaperRatios.size())
                       ? static_cast<int32_t>(paper)
                       : 0;
    s.scaleFontSize = IsChecked(dialog, kScaleFontSize);
    s.scaleSymbolSize = IsChecked(dialog, kScaleSymbolSize);
    s.scaleStrokeEffect = IsChecked(dialog, kScaleStrokeEffect);
    s.scaleGuide = IsChecked(dialog, kScaleGuide);
    s.scalePattern = IsChecked(dialog, kScalePattern);
    s.selectionOnly = IsChecked(dialog, kSelectionOnly);
    s.mode = IsChecked(dialog, kModeScale) ? 0 : IsChecked(dialog, kModeRatio) ? 1 : 2;
    return true;
}

void ChooseMode(WsWindow dialog, int32_t id) {
    ApplyMode(dialog, id == kModeScale ? 0 : id == kModeRatio ? 1 : 2);
}

void SwitchProportion(WsWindow dialog, int32_t) {
    FollowHorizontal(dialog);
    ApplyEnabling(dialog, 1);
}

void LeaveScaleField(WsWindow dialog, int32_t id) {
    CheckScaleField(dialog, id);
    UpdatePercentage(dialog);
}

void LeaveRatioField(WsWindow dialog, int32_t id) {
    CheckRatioField(dialog, id);
    FollowHorizontal(dialog);
}

constexpr ControlAction kControls[] = {
    {kModeScale, WS_BN_CLICKED, ChooseMode},
    {kModeRatio, WS_BN_CLICKED, ChooseMode},
    {kModePaper, WS_BN_CLICKED, ChooseMode},
    {kKeepProportion, WS_BN_CLICKED, SwitchProportion},
    {kCurrentScale, WS_EN_KILLFOCUS, LeaveScaleField},
    {kTargetScale, WS_EN_KILLFOCUS, LeaveScaleField},
    {kHorizontalRatio, WS_EN_KILLFOCUS, LeaveRatioField},
    {kVerticalRatio, WS_EN_KILLFOCUS, LeaveRatioField},
};

constexpr FieldDialog<MapScalingSettings> kDialog{kBlockProperty, Start, kControls, Confirm};

} // namespace

intptr_t MapScalingDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
