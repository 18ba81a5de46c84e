// Dialog 115 of map scaling: the live percentage, the enabling by mode, the checks when a
// field is left, and the read-back when it is confirmed.
#include "maptools/MapScaling.h"
#include "maptools/NumberFields.h"

using namespace mapscaling;
using numberfields::FormatInteger;
using numberfields::FormatReal;
using numberfields::GetText;
using numberfields::SetText;

namespace {

constexpr const char* kBlockProperty = "MapScalingSettings";

MapScalingSettings* Block(WsWindow dialog) {
    return static_cast<MapScalingSettings*>(WsGetProp(dialog, kBlockProperty));
}

bool Checked(WsWindow dialog, int32_t id) {
    return WsIsDlgButtonChecked(dialog, id) == WS_BST_CHECKED;
}

void Check(WsWindow dialog, int32_t id, bool on) {
    WsCheckDlgButton(dialog, id, on ? 1 : 0);
}

void Enable(WsWindow dialog, int32_t id, bool on) {
    WsEnableWindow(WsGetDlgItem(dialog, id), on ? 1 : 0);
}

void ApplyEnabling(WsWindow dialog, int32_t mode) {
    Enable(dialog, kCurrentScale, mode == 0);
    Enable(dialog, kTargetScale, mode == 0);
    Enable(dialog, kKeepProportion, mode == 1);
    Enable(dialog, kHorizontalRatio, mode == 1);
    Enable(dialog, kVerticalRatio, mode == 1 && !Checked(dialog, kKeepProportion));
    Enable(dialog, kPaperList, mode == 2);
}

void ApplyMode(WsWindow dialog, int32_t mode) {
    if (mode < 0 || mode > 2) return;
    Check(dialog, kModeScale, mode == 0);
    Check(dialog, kModeRatio, mode == 1);
    Check(dialog, kModePaper, mode == 2);
    ApplyEnabling(dialog, mode);
}

void UpdatePercentage(WsWindow dialog) {
    const auto current = numberfields::ParseInteger(GetText(dialog, kCurrentScale, kFieldLimit));
    const auto target = numberfields::ParseInteger(GetText(dialog, kTargetScale, kFieldLimit));
    if (!current || !target || *target == 0) return;
    const double percent = static_cast<double>(*current) / static_cast<double>(*target) * 100.0;
    SetText(dialog, kPercentage, "(" + FormatReal(percent) + "%)");
}

/** Puts back the value the field opened with when its text is a scale of 1 or less; the
 *  default stands in for an opening value that is no scale either. */
uint32_t CheckScaleField(WsWindow dialog, int32_t id) {
    const auto typed = numberfields::ParseInteger(GetText(dialog, id, kFieldLimit));
    if (typed && IsValidScale(*typed)) return static_cast<uint32_t>(*typed);
    const MapScalingSettings defaults;
    const MapScalingSettings* block = Block(dialog);
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
    const double typed = numberfields::ParseReal(GetText(dialog, id, kFieldLimit));
    if (IsValidRatio(typed)) return typed;
    double opening = MapScalingSettings{}.horizontalRatio;
    if (const MapScalingSettings* block = Block(dialog)) {
        const double stored =
            id == kHorizontalRatio ? block->horizontalRatio : block->verticalRatio;
        if (IsValidRatio(stored)) opening = stored;
    }
    SetText(dialog, id, FormatReal(opening));
    return opening;
}

void FollowHorizontal(WsWindow dialog) {
    if (Checked(dialog, kKeepProportion))
        SetText(dialog, kVerticalRatio, GetText(dialog, kHorizontalRatio, kFieldLimit));
}

void Start(WsWindow dialog, const MapScalingSettings& s) {
    for (const PaperRatio& paper : kPaperRatios)
        WsSendDlgItemMessage(dialog, kPaperList, WS_CB_ADDSTRING, 0,
                             reinterpret_cast<WsLParam>(paper.label));
    WsSendDlgItemMessage(dialog, kPaperList, WS_CB_SETCURSEL, 0, 0);
    SetText(dialog, kCurrentScale, FormatInteger(s.currentScale));
    SetText(dialog, kTargetScale, FormatInteger(s.targetScale));
    UpdatePercentage(dialog);
    SetText(dialog, kHorizontalRatio, FormatReal(s.horizontalRatio));
    SetText(dialog, kVerticalRatio, FormatReal(s.verticalRatio));
    Check(dialog, kKeepProportion, s.keepProportion);
    Check(dialog, kScaleFontSize, s.scaleFontSize);
    Check(dialog, kScaleSymbolSize, s.scaleSymbolSize);
    Check(dialog, kScaleStrokeEffect, s.scaleStrokeEffect);
    Check(dialog, kScalePattern, s.scalePattern);
    Check(dialog, kScaleGuide, s.scaleGuide);
    Check(dialog, kSelectionOnly, s.selectionOnly);
    WsSendDlgItemMessage(dialog, kPaperList, WS_CB_SETCURSEL, static_cast<WsWParam>(s.paperIndex),
                         0);
    ApplyMode(dialog, s.mode);
}

// Confirming straight from a field (the Enter key) leaves no field: every field gets the
// check it would have had, so no refused value is ever read back.
void Confirm(WsWindow dialog, MapScalingSettings& s) {
    const uint32_t current = CheckScaleField(dialog, kCurrentScale);
    const uint32_t target = CheckScaleField(dialog, kTargetScale);
    const double horizontal = CheckRatioField(dialog, kHorizontalRatio);
    FollowHorizontal(dialog);
    const double vertical = CheckRatioField(dialog, kVerticalRatio);

    s.currentScale = current;
    s.targetScale = target;
    s.horizontalRatio = horizontal;
    s.verticalRatio = vertical;
    s.keepProportion = Checked(dialog, kKeepProportion);
    const WsLResult paper = WsSendDlgItemMessage(dialog, kPaperList, WS_CB_GETCURSEL, 0, 0);
    // A list without a selection reads back as the first entry, never as no entry.
    s.paperIndex = paper >= 0 && paper < static_cast<WsLResult>(kPaperRatios.size())
                       ? static_cast<int32_t>(paper)
                       : 0;
    s.scaleFontSize = Checked(dialog, kScaleFontSize);
    s.scaleSymbolSize = Checked(dialog, kScaleSymbolSize);
    s.scaleStrokeEffect = Checked(dialog, kScaleStrokeEffect);
    s.scaleGuide = Checked(dialog, kScaleGuide);
    s.scalePattern = Checked(dialog, kScalePattern);
    s.selectionOnly = Checked(dialog, kSelectionOnly);
    s.mode = Checked(dialog, kModeScale) ? 0 : Checked(dialog, kModeRatio) ? 1 : 2;
}

intptr_t Command(WsWindow dialog, int32_t id, uint16_t code) {
    switch (id) {
    case kModeScale:
    case kModeRatio:
    case kModePaper:
        if (code != WS_BN_CLICKED) return 0;
        ApplyMode(dialog, id == kModeScale ? 0 : id == kModeRatio ? 1 : 2);
        return 1;
    case kKeepProportion:
        if (code != WS_BN_CLICKED) return 0;
        FollowHorizontal(dialog);
        ApplyEnabling(dialog, 1);
        return 1;
    case kCurrentScale:
    case kTargetScale:
        if (code != WS_EN_KILLFOCUS) return 0;
        CheckScaleField(dialog, id);
        UpdatePercentage(dialog);
        return 1;
    case kHorizontalRatio:
    case kVerticalRatio:
        if (code != WS_EN_KILLFOCUS) return 0;
        CheckRatioField(dialog, id);
        FollowHorizontal(dialog);
        return 1;
    case WS_IDOK:
        if (code != WS_BN_CLICKED) return 0;
        if (MapScalingSettings* block = Block(dialog)) Confirm(dialog, *block);
        WsEndDialog(dialog, kHostNoErr);
        return 1;
    case WS_IDCANCEL:
        if (code != WS_BN_CLICKED) return 0;
        WsEndDialog(dialog, kHostErrCancelled);
        return 1;
    default:
        return 0;
    }
}

} // namespace

intptr_t MapScalingDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    switch (message) {
    case WS_INITDIALOG: {
        auto* block = reinterpret_cast<MapScalingSettings*>(lParam);
        WsSetProp(dialog, kBlockProperty, block);
        Start(dialog, block != nullptr ? *block : MapScalingSettings{});
        return 1;
    }
    case WS_COMMAND:
        return Command(dialog, WS_LOWORD(wParam), WS_HIWORD(wParam));
    case WS_DESTROY:
        WsRemoveProp(dialog, kBlockProperty);
        return 0;
    default:
        return 0;
    }
}
