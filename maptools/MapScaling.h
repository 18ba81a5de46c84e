// Map scaling: rescales the whole map, or the selection, about the centre of the bounds of
// everything that takes part, from one map scale to another, by horizontal and vertical
// percentages, or by a paper-size ratio, with options for type sizes, symbols, strokes
// and effects, patterns and guides.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <array>
#include <cstdint>

/** The dialog's values, read and written as one block. */
struct MapScalingSettings {
    /** 0 by scale, 1 by ratio, 2 by paper size. */
    int32_t mode = 0;
    uint32_t currentScale = 25000;
    uint32_t targetScale = 30000;
    /** Percent. */
    double horizontalRatio = 100.0;
    double verticalRatio = 100.0;
    int32_t paperIndex = 0;
    bool keepProportion = true;
    bool scaleFontSize = false;
    bool scaleSymbolSize = false;
    bool scaleStrokeEffect = false;
    bool scaleGuide = false;
    bool scalePattern = false;
    bool selectionOnly = false;

    bool operator==(const MapScalingSettings&) const = default;
};

struct PaperRatio {
    const char* label;
    /** The exact factor; the percentage in the label is rounded. */
    double factor;
};

/** The entries of the paper-size list, in order. */
extern const std::array<PaperRatio, 9> kPaperRatios;

namespace mapscaling {
// The dialog's resource and controls are named in the resource script.
/** Field texts are read with at most this many characters. */
inline constexpr int kFieldLimit = 47;
} // namespace mapscaling

/** The scales and ratios the dialog accepts; anything else is refused. */
bool IsValidScale(int64_t scale) noexcept;
bool IsValidRatio(double percent) noexcept;

/** Puts every value that no confirmed dialog could have left (a damaged setting: a mode
 *  or paper entry that does not exist, a scale of 1 or less, a ratio that is not a
 *  positive number) back to its default. Returns true when something was put back. */
bool RepairSettings(MapScalingSettings& settings) noexcept;

/** The factors for the settings: horizontal, vertical and the line scale for stroke
 *  weights and effects. kHostErrBadParameter for settings that give none. */
HostErr ComputeFactors(const MapScalingSettings& settings, double& sx, double& sy,
                       double& lineScale) noexcept;
/** Coordinates beyond this (points, about 350 000 km) are no map's. */
inline constexpr double kMaxMapCoordinate = 1e12;
/** The name of the setting whose value would scale the map (bounds, when it has any)
 *  beyond kMaxMapCoordinate or to nothing; null when the settings fit. */
const char* SettingOutOfRange(const MapScalingSettings& settings,
                              const HostRealRect* bounds) noexcept;

/** The procedure of dialog 115. The parameter is the address of a MapScalingSettings,
 *  written only when the dialog is confirmed (end code 0); cancel ends with kHostErrCancelled. */
intptr_t MapScalingDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);

class CMapScaling {
public:
    CMapScaling() noexcept = default;
    virtual ~CMapScaling() = default;
    CMapScaling(const CMapScaling&) = delete;
    CMapScaling& operator=(const CMapScaling&) = delete;

    /** 0, kHostErrCancelled when the dialog was cancelled, or the first host error. */
    HostErr Run(HostPluginRef pluginRef);

    void ReadSettings() noexcept;
    void WriteSettings() const noexcept;
    /** The union of the bounds of what takes part; found is false when there is nothing.
     *  Also sets the progress maximum. */
    HostErr CollectBounds(HostRealRect& bounds, bool& found);
    /** found: some art of the document has an extent (stops at the first). */
    static HostErr AnythingDrawn(bool& found);
    /** The matrix, line scale and transform options for the settings and centre. */
    HostErr PrepareTransform(double cx, double cy);
    HostErr WalkLayers();
    HostErr WalkArt(HostArtHandle art, bool withSiblings);
    HostErr ScaleOneArt(HostArtHandle art, int16_t type);

    HostPluginRef pluginRef = nullptr;
    MapScalingSettings settings;
    int32_t progressMaximum = 0;
    int32_t progressPosition = 0;
    HostRealPoint centre{0.0, 0.0};
    HostRealMatrix matrix{1.0, 0.0, 0.0, 1.0, 0.0, 0.0};
    double lineScale = 1.0;
    int32_t transformOptions = 0;

private:
    HostErr TransformNormally(HostArtHandle art) const;
    HostErr TranslateBy(HostArtHandle art, HostRealPoint from, double scale, int32_t options) const;
};
