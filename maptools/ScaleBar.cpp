// Scale bar: the command, its settings and the drawing.
#include "maptools/ScaleBar.h"

#include "common/SettingsTable.h"
#include "common/WrapperErrors.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "hostapi/wrappers/IText.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "maptools/NumberFields.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr const char* kLayerTitle = "スケールバー";
constexpr double kTick = 2.5;
constexpr double kLabelAbove = 5.0;
constexpr double kScaleLabelBelow = 14.0;
constexpr double kLabelFontSize = 9.0;
constexpr double kLineWidth = 0.25;

HostColor ProcessBlack() {
    HostColor colour{};
    colour.kind = kHostFourColor;
    colour.black = 1.0;
    return colour;
}

// Read and written in this order.
constexpr std::array<settings::Entry<ScaleBarSettings>, 4> kSettings = {{
    {"SB_Scale", &ScaleBarSettings::scale},
    {"SB_Distance", &ScaleBarSettings::distance},
    {"SB_Unit", &ScaleBarSettings::unit},
    {"SB_NewLayer", &ScaleBarSettings::newLayer},
}};

} // namespace

bool IsValidBarScale(int64_t scale) noexcept {
    return scale >= 1 && scale <= std::numeric_limits<int32_t>::max();
}

bool IsValidBarDistance(double distance) noexcept {
    return std::isfinite(distance) && distance != 0.0;
}

bool RepairSettings(ScaleBarSettings& s) noexcept {
    const ScaleBarSettings defaults;
    const ScaleBarSettings before = s;
    if (!IsValidBarScale(s.scale)) s.scale = defaults.scale;
    if (!IsValidBarDistance(s.distance)) s.distance = defaults.distance;
    if (s.unit != 0 && s.unit != 1) s.unit = defaults.unit;
    return !(s == before);
}

void CScaleBar::ReadSettings(ScaleBarSettings& s) noexcept {
    settings::ReadAll(kSettings, s);
}

void CScaleBar::WriteSettings(const ScaleBarSettings& s) noexcept {
    settings::WriteAll(kSettings, s);
}

HostErr CScaleBar::Run() {
    ScaleBarSettings s;
    HostLayerHandle current = nullptr;
    HostBool visible = 0, editable = 0;
    if (sLayer->GetCurrentLayer(&current) == kHostNoErr && current != nullptr &&
        sLayer->GetLayerVisible(current, &visible) == kHostNoErr && visible &&
        sLayer->GetLayerEditable(current, &editable) == kHostNoErr && editable)
        s.layerUnusable = false;

    ReadSettings(s);
    // A damaged setting never reaches the dialog or the length.
    RepairSettings(s);
    if (HostErr err = frame::RunModalDialog(pluginRef_, scalebar::kDialogId, ScaleBarDialogProc,
                                            reinterpret_cast<WsLParam>(&s));
        err != kHostNoErr)
        return err;
    WriteSettings(s);
    // Deselecting is a courtesy: its failure does not stop the drawing.
    ClearArtSelection();
    return DrawScaleBar(s);
}

HostErr CScaleBar::ClearArtSelection() {
    HostBool focus = 0;
    if (HostErr err = sDocument->HasTextFocus(&focus); err != kHostNoErr) return err;
    if (focus) {
        if (HostErr err = sDocument->CancelTextFocus(); err != kHostNoErr) return err;
    }
    int32_t count = 0;
    if (HostErr err = sLayer->CountLayers(&count); err != kHostNoErr) return err;
    for (int32_t i = 0; i < count; ++i) {
        HostLayerHandle layer = nullptr;
        if (HostErr err = sLayer->GetNthLayer(i, &layer); err != kHostNoErr) return err;
        HostBool selected = 0;
        if (HostErr err = sLayer->LayerHasSelectedArt(layer, &selected); err != kHostNoErr)
            return err;
        if (selected) {
            if (HostErr err = sLayer->DeselectArtOnLayer(layer); err != kHostNoErr) return err;
        }
    }
    return kHostNoErr;
}

HostErr CScaleBar::BarLength(const ScaleBarSettings& s, double& length) noexcept {
    if (!IsValidBarScale(s.scale) || !IsValidBarDistance(s.distance) ||
        (s.unit != 0 && s.unit != 1))
        return kHostErrBadParameter;
    // Millimetres on paper, then points (25.4 mm = 72 pt).
    const double millimetres =
        s.distance * (s.unit == 0 ? 1000000.0 : 1000.0) / static_cast<double>(s.scale);
    length = millimetres * 72.0 / 25.4;
    // A bar longer than any map (1e12 pt) or too short to draw is no bar.
    return std::isfinite(length) && std::fabs(length) <= 1e12 && std::fabs(length) >= 1e-6
               ? kHostNoErr
               : kHostErrBadParameter;
}

HostErr CScaleBar::DrawScaleBar(const ScaleBarSettings& s) {
    double length = 0.0;
    if (HostErr err = BarLength(s, length); err != kHostNoErr) {
        // Say which value is at fault rather than end with a bare code.
        const char* setting = !IsValidBarScale(s.scale)         ? "縮尺"
                              : !IsValidBarDistance(s.distance) ? "距離"
                              : (s.unit != 0 && s.unit != 1)    ? "単位"
                                                                : "縮尺と距離";
        frame::MessageAlert(std::string("設定値が範囲外です: ") + setting);
        return err;
    }

    HostLayerHandle layer = nullptr;
    if (s.newLayer) {
        if (HostErr err = sLayer->InsertLayer(nullptr, kHostPlaceAboveAll, &layer);
            err != kHostNoErr)
            return err;
        ai::UnicodeString title;
        if (HostErr err = ai::UnicodeString::Make(sUnicodeString, kLayerTitle, title);
            err != kHostNoErr)
            return err;
        if (HostErr err = sLayer->SetLayerTitle(layer, title.get()); err != kHostNoErr) return err;
    } else {
        if (HostErr err = sLayer->GetCurrentLayer(&layer); err != kHostNoErr) return err;
    }
    if (layer == nullptr) return kHostNoErr;

    HostRealPoint c{};
    if (HostErr err = sDocumentView->GetDocumentViewCenter(&c); err != kHostNoErr) return err;
    HostArtHandle layerGroup = nullptr;
    if (HostErr err = sArt->GetFirstArtOfLayer(layer, &layerGroup); err != kHostNoErr) return err;

    const double h = length * 0.5;
    const double left = c.h - h;
    std::array<HostArtHandle, 7> parts{};
    const struct {
        HostRealPoint from, to;
    } lines[] = {
        {{left, c.v}, {left + length, c.v}},              // the bar
        {{c.h - h, c.v - kTick}, {c.h - h, c.v + kTick}}, // left end
        {{c.h + h, c.v - kTick}, {c.h + h, c.v + kTick}}, // right end
        {{c.h, c.v}, {c.h, c.v + kTick}},                 // middle, upwards only
    };
    for (size_t i = 0; i < std::size(lines); ++i)
        if (HostErr err = MakeBarLine(layerGroup, lines[i].from, lines[i].to, parts[i]);
            err != kHostNoErr)
            return err;
    if (HostErr err = MakeBarLabel(layerGroup, {c.h - h, c.v + kLabelAbove}, "0", parts[4]);
        err != kHostNoErr)
        return err;
    if (HostErr err = MakeBarLabel(layerGroup, {c.h + h, c.v + kLabelAbove},
                                   FormatDistanceText(s.distance, s.unit), parts[5]);
        err != kHostNoErr)
        return err;
    if (HostErr err = MakeBarLabel(layerGroup, {c.h, c.v - kScaleLabelBelow},
                                   FormatScaleText(s.scale), parts[6]);
        err != kHostNoErr)
        return err;

    // Each part goes inside the group on top, so the last one made ends up frontmost.
    if (HostErr err = sArt->GetFirstArtOfLayer(layer, &layerGroup); err != kHostNoErr) return err;
    HostArtHandle group = nullptr;
    if (HostErr err = sArt->NewArt(kHostGroupArt, kHostPlaceInsideOnTop, layerGroup, &group);
        err != kHostNoErr)
        return err;
    for (HostArtHandle part : parts)
        if (HostErr err = sArt->ReorderArt(part, kHostPlaceInsideOnTop, group); err != kHostNoErr)
            return err;
    return kHostNoErr;
}

HostErr CScaleBar::MakeBarLine(HostArtHandle layerGroup, HostRealPoint start, HostRealPoint end,
                               HostArtHandle& path) {
    path = nullptr;
    if (HostErr err = sArt->NewArt(kHostPathArt, kHostPlaceInsideOnTop, layerGroup, &path);
        err != kHostNoErr)
        return err;
    if (HostErr err = sPath->SetPathSegmentCount(path, 2); err != kHostNoErr) return err;
    const HostPathSegment segments[2] = {{start, start, start, 1}, {end, end, end, 1}};
    if (HostErr err = sPath->SetPathSegments(path, 0, 2, segments); err != kHostNoErr) return err;
    HostPathStyle style{};
    if (HostErr err = sPathStyle->GetPathStyle(path, &style); err != kHostNoErr) return err;
    style.fillPaint = 0;
    style.strokePaint = 1;
    style.stroke.color = ProcessBlack();
    style.stroke.width = kLineWidth;
    if (HostErr err = sPathStyle->SetPathStyle(path, &style); err != kHostNoErr) return err;
    return sArt->SetArtUserAttr(path, kHostArtSelected, kHostArtSelected);
}

HostErr CScaleBar::MakeBarLabel(HostArtHandle layerGroup, HostRealPoint anchor,
                                std::string_view text, HostArtHandle& label) {
    label = nullptr;
    if (HostErr err = sTextFrame->NewPointText(kHostPlaceInsideOnTop, layerGroup,
                                               kATEHorizontalOrientation, anchor, &label);
        err != kHostNoErr)
        return err;
    const HostErr styled = WithWrapperErrors([&]() -> HostErr {
        ATETextRangeRef rangeRef = nullptr;
        if (HostErr err = sTextFrame->GetATETextRange(label, &rangeRef); err != kHostNoErr)
            return err;
        ATE::ITextRange range(rangeRef);
        range.InsertAfter(ATE::FromUTF8(text));

        // Centred: the anchor is the middle of the baseline.
        ATE::IParaFeatures para = range.GetUniqueParaFeatures();
        para.SetJustification(kATECenterJustify);
        range.SetLocalParaFeatures(para);

        ATE::ICharFeatures chars = range.GetUniqueCharFeatures();
        HostPathStyle style{};
        if (HostErr err = sATEPaint->GetPathStyleFromCharFeatures(chars.GetRef(), &style);
            err != kHostNoErr)
            return err;
        style.fillPaint = 1;
        style.fill.color = ProcessBlack();
        style.strokePaint = 0;
        if (HostErr err = sATEPaint->SetCharFeaturesFromPathStyle(&style, chars.GetRef());
            err != kHostNoErr)
            return err;
        chars.SetFontSize(kLabelFontSize);
        range.SetLocalCharFeatures(chars);
        return kHostNoErr;
    });
    if (styled != kHostNoErr) return styled;
    if (HostErr err = sDocument->RedrawDocument(); err != kHostNoErr) return err;
    return sArt->SetArtUserAttr(label, kHostArtSelected, kHostArtSelected);
}

std::string CScaleBar::FormatScaleText(uint32_t scale) {
    const std::string digits = numberfields::FormatInteger(scale);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return "1 : " + grouped;
}

std::string CScaleBar::FormatDistanceText(double distance, int32_t unit) {
    return numberfields::FormatReal(distance) + (unit == 0 ? "km" : "m");
}
