// Dialog 123 of the scale bar: the length check, the checks when a field is left, and
// the read-back when it is confirmed.
#include "maptools/NumberFields.h"
#include "maptools/ScaleBar.h"

#include <cmath>

using namespace scalebar;
using numberfields::FormatInteger;
using numberfields::FormatReal;
using numberfields::GetText;
using numberfields::SetText;

namespace {

constexpr const char* kRecordProperty = "ScaleBarSettings";

ScaleBarSettings* Record(WsWindow dialog) {
    return static_cast<ScaleBarSettings*>(WsGetProp(dialog, kRecordProperty));
}

bool Checked(WsWindow dialog, int32_t id) {
    return WsIsDlgButtonChecked(dialog, id) == WS_BST_CHECKED;
}

void ClearResult(WsWindow dialog) {
    SetText(dialog, kLengthResult, "");
}

/** The field as a scale, the value it opened with when it holds 0 or no number (the
 *  default when that is no scale either); the field shows the value taken. */
uint32_t CheckScaleField(WsWindow dialog) {
    const auto typed = numberfields::ParseInteger(GetText(dialog, kScale, kFieldLimit));
    uint32_t value = ScaleBarSettings{}.scale;
    if (typed && IsValidBarScale(*typed)) {
        value = static_cast<uint32_t>(*typed);
    } else if (const ScaleBarSettings* record = Record(dialog);
               record != nullptr && IsValidBarScale(record->scale)) {
        value = record->scale;
    }
    SetText(dialog, kScale, FormatInteger(value));
    return value;
}

/** The same for the distance, which refuses exactly 0 (and what is no finite number);
 *  negative distances stay. */
double CheckDistanceField(WsWindow dialog) {
    const double typed = numberfields::ParseReal(GetText(dialog, kDistance, kFieldLimit));
    double value = ScaleBarSettings{}.distance;
    if (IsValidBarDistance(typed)) {
        value = typed;
    } else if (const ScaleBarSettings* record = Record(dialog);
               record != nullptr && IsValidBarDistance(record->distance)) {
        value = record->distance;
    }
    SetText(dialog, kDistance, FormatReal(value));
    return value;
}

void ShowLength(WsWindow dialog) {
    const double scale = numberfields::ParseReal(GetText(dialog, kScale, kFieldLimit));
    const double distance = numberfields::ParseReal(GetText(dialog, kDistance, kFieldLimit));
    const double perUnit = Checked(dialog, kKilometres) ? 100000.0 : 100.0;
    const double centimetres = distance * perUnit / scale;
    if (!(scale > 0.0) || !std::isfinite(centimetres)) {
        ClearResult(dialog);
        return;
    }
    SetText(dialog, kLengthResult, " " + FormatReal(centimetres) + " cm");
}

void Start(WsWindow dialog, const ScaleBarSettings& s) {
    SetText(dialog, kScale, FormatInteger(s.scale));
    SetText(dialog, kDistance, FormatReal(s.distance));
    WsCheckDlgButton(dialog, kKilometres, s.unit == 0 ? 1 : 0);
    WsCheckDlgButton(dialog, kMetres, s.unit == 1 ? 1 : 0);
    WsCheckDlgButton(dialog, kNewLayer, s.newLayer ? 1 : 0);
    WsEnableWindow(WsGetDlgItem(dialog, kNewLayer), s.layerUnusable ? 0 : 1);
    WsSetFocus(WsGetDlgItem(dialog, kScale));
}

intptr_t Command(WsWindow dialog, int32_t id, uint16_t code) {
    switch (id) {
    case kScale:
        if (code != WS_EN_KILLFOCUS) return 0;
        CheckScaleField(dialog);
        ClearResult(dialog);
        return 1;
    case kDistance:
        if (code != WS_EN_KILLFOCUS) return 0;
        CheckDistanceField(dialog);
        ClearResult(dialog);
        return 1;
    case kKilometres:
    case kMetres:
        if (code != WS_BN_CLICKED) return 0;
        ClearResult(dialog);
        return 1;
    case kCheckLength:
        if (code != WS_BN_CLICKED) return 0;
        ShowLength(dialog);
        return 1;
    case WS_IDOK: {
        if (code != WS_BN_CLICKED) return 0;
        // Confirming straight from a field (the Enter key) gives it the check it would
        // have had when left, so a scale of 0 never reaches the length.
        const uint32_t scale = CheckScaleField(dialog);
        const double distance = CheckDistanceField(dialog);
        if (ScaleBarSettings* record = Record(dialog)) {
            record->scale = scale;
            record->distance = distance;
            record->unit = Checked(dialog, kKilometres) ? 0 : 1;
            record->newLayer = Checked(dialog, kNewLayer);
        }
        WsEndDialog(dialog, kHostNoErr);
        return 1;
    }
    case WS_IDCANCEL:
        if (code != WS_BN_CLICKED) return 0;
        WsEndDialog(dialog, kHostErrCancelled);
        return 1;
    default:
        return 0;
    }
}

} // namespace

intptr_t ScaleBarDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    switch (message) {
    case WS_INITDIALOG: {
        auto* record = reinterpret_cast<ScaleBarSettings*>(lParam);
        WsSetProp(dialog, kRecordProperty, record);
        Start(dialog, record != nullptr ? *record : ScaleBarSettings{});
        // The scale field has the focus already.
        return 0;
    }
    case WS_COMMAND:
        return Command(dialog, WS_LOWORD(wParam), WS_HIWORD(wParam));
    case WS_DESTROY:
        WsRemoveProp(dialog, kRecordProperty);
        return 0;
    default:
        return 0;
    }
}
