// Scale bar: draws a grouped scale bar for a map scale and a ground distance at the
// centre of the view, on a new layer or on the current one.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstdint>
#include <string>
#include <string_view>

struct ScaleBarSettings {
    /** The n of the map scale 1 : n. */
    uint32_t scale = 25000;
    /** The ground distance the bar shows, in the unit below. */
    double distance = 1.0;
    /** 0 kilometres, 1 metres. */
    int32_t unit = 0;
    bool newLayer = true;
    /** The current layer cannot take the bar (missing, hidden or locked); not saved. */
    bool layerUnusable = true;

    bool operator==(const ScaleBarSettings&) const = default;
};

namespace scalebar {
// The dialog's resource and controls are named in the resource script.
/** Field texts are read with at most this many characters. */
inline constexpr int kFieldLimit = 23;
} // namespace scalebar

/** The values the dialog accepts: a scale of at least 1 that the store can keep, a
 *  distance that is a finite number other than 0. */
bool IsValidBarScale(int64_t scale) noexcept;
bool IsValidBarDistance(double distance) noexcept;

/** Puts a damaged setting (a scale or distance the dialog refuses, a unit that does not
 *  exist) back to its default. Returns true when something was put back. */
bool RepairSettings(ScaleBarSettings& settings) noexcept;

/** The procedure of dialog 123. The parameter is the address of a ScaleBarSettings,
 *  written only when the dialog is confirmed (end code 0); cancel ends with kHostErrCancelled. */
intptr_t ScaleBarDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);

class CScaleBar {
public:
    explicit CScaleBar(HostPluginRef pluginRef) noexcept : pluginRef_(pluginRef) {}

    /** 0, kHostErrCancelled when the dialog was cancelled, or the first host error. */
    HostErr Run();

    static void ReadSettings(ScaleBarSettings& settings) noexcept;
    static void WriteSettings(const ScaleBarSettings& settings) noexcept;
    /** Ends text editing and deselects every layer's art; the first failure ends it. */
    static HostErr ClearArtSelection();
    static HostErr DrawScaleBar(const ScaleBarSettings& settings);
    /** The bar's length in points; kHostErrBadParameter for settings that give none. */
    static HostErr BarLength(const ScaleBarSettings& settings, double& length) noexcept;
    static HostErr MakeBarLine(HostArtHandle layerGroup, HostRealPoint start, HostRealPoint end,
                               HostArtHandle& path);
    static HostErr MakeBarLabel(HostArtHandle layerGroup, HostRealPoint anchor,
                                std::string_view text, HostArtHandle& label);
    /** "1 : 25,000" for 25000. */
    static std::string FormatScaleText(uint32_t scale);
    /** "1km", "0.5km", "500m". */
    static std::string FormatDistanceText(double distance, int32_t unit);

private:
    HostPluginRef pluginRef_;
};
