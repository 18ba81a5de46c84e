// Dialog 123 of the scale bar: the length check, the checks when a field is left, and
// the read-back when it is confirmed.
#include "common/DialogValues.h"
#include "common/FieldDialog.h"
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
    const double perUnit = IsChecked(dialog, kKilometres) ? 100000.0 : 100.0;
    const double centimetres = distance * perUnit / scale;
    if (!(scale > 0.0) || !std::isfinite(centimetres)) {
        ClearResult(dialog);
        return;
    }
    SetText(dialog, kLengthResult, " " + FormatReal(centimetres) + " cm");
}

intptr_t Start(WsWindow dialog, const ScaleBarSettings* record) {
    const ScaleBarSettings s = record != nullptr ? *record : ScaleBarSettings{};
    SetText(dialog, kScale, FormatInteger(s.scale));
    SetText(dialog, kDistance, FormatReal(s.distance));
    SetChecked(dialog, kKilometres, s.unit == 0);
    SetChecked(dialog, kMetres, s.unit == 1);
    SetChecked(dialog, kNewLayer, s.newLayer);
    EnableField(dialog, kNewLayer, !s.layerUnusable);
    WsSetFocus(WsGetDlgItem(dialog, kScale));
    // The scale field has the focus already.
    return 0;
}

// Confirming straight from a field (the Enter key) gives it the check it would have had
// when left, so a scale of 0 never reaches the length.
bool Confirm(WsWindow dialog, ScaleBarSettings& record) {
    const uint32_t scale = CheckScaleField(dialog);
    const double distance = CheckDistanceField(dialog);
    record.scale = scale;
    record.distance = distance;
    record.unit = IsChecked(dialog, kKilometres) ? 0 : 1;
    record.newLayer = IsChecked(dialog, kNewLayer);
    return true;
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
    default:
        return 0;
    }
}

constexpr FieldDialog<ScaleBarSettings> kDialog{kRecordProperty, Start, Command, Confirm};

} // namespace

intptr_t ScaleBarDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
