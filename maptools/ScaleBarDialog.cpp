// Dialog 123 of the scale bar: the length check, the checks when a field is left, and
// the read-back when it is confirmed.
#include "common/DialogValues.h"
#include "common/FieldDialog.h"
#include "maptools/NumberFields.h"
#include "maptools/ScaleBar.h"

#include <cmath>
#include <optional>

using namespace scalebar;
using namespace numberfields;

namespace {

constexpr const char* kRecordProperty = "ScaleBarSettings";

void ClearResult(WsWindow dialog) {
    SetText(dialog, kLengthResult, "");
}

/** The field as the value it stands for: typed when valid takes it, else the value it
 *  opened with when valid takes that, else the default; the field shows the value taken. */
template <class T, class Valid, class Format>
T CheckField(WsWindow dialog, int32_t id, std::optional<T> typed, T ScaleBarSettings::*member,
             Valid valid, Format format) {
    T value = ScaleBarSettings{}.*member;
    if (typed && valid(*typed)) {
        value = *typed;
    } else if (const ScaleBarSettings* record =
                   FieldBlock<ScaleBarSettings>(dialog, kRecordProperty);
               record != nullptr && valid(record->*member)) {
        value = record->*member;
    }
    SetText(dialog, id, format(value));
    return value;
}

/** A scale of 0 or no number at all is refused. */
uint32_t CheckScaleField(WsWindow dialog) {
    const auto typed = ParseInteger(GetText(dialog, kScale, kFieldLimit));
    // Below 1 no number is a scale.
    const std::optional<uint32_t> scale =
        typed && *typed > 0 ? std::optional<uint32_t>(*typed) : std::nullopt;
    return CheckField(dialog, kScale, scale, &ScaleBarSettings::scale, IsValidBarScale,
                      FormatInteger);
}

/** The distance refuses exactly 0 (and what is no finite number); negative distances
 *  stay. */
double CheckDistanceField(WsWindow dialog) {
    const double typed = ParseReal(GetText(dialog, kDistance, kFieldLimit));
    return CheckField(dialog, kDistance, std::optional<double>(typed), &ScaleBarSettings::distance,
                      IsValidBarDistance, FormatReal);
}

void ShowLength(WsWindow dialog) {
    const double scale = ParseReal(GetText(dialog, kScale, kFieldLimit));
    const double distance = ParseReal(GetText(dialog, kDistance, kFieldLimit));
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

// Any change puts away the length shown for the values before it.
constexpr ControlAction kControls[] = {
    {kScale, WS_EN_KILLFOCUS,
     [](WsWindow dialog, int32_t) {
         CheckScaleField(dialog);
         ClearResult(dialog);
     }},
    {kDistance, WS_EN_KILLFOCUS,
     [](WsWindow dialog, int32_t) {
         CheckDistanceField(dialog);
         ClearResult(dialog);
     }},
    {kKilometres, WS_BN_CLICKED, [](WsWindow dialog, int32_t) { ClearResult(dialog); }},
    {kMetres, WS_BN_CLICKED, [](WsWindow dialog, int32_t) { ClearResult(dialog); }},
    {kCheckLength, WS_BN_CLICKED, [](WsWindow dialog, int32_t) { ShowLength(dialog); }},
};

constexpr FieldDialog<ScaleBarSettings> kDialog{kRecordProperty, Start, kControls, Confirm};

} // namespace

intptr_t ScaleBarDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
