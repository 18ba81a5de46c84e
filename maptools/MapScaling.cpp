// Map scaling: the command, its settings and the walk that transforms the art.
#include "maptools/MapScaling.h"

#include "common/ArtSet.h"
#include "common/ArtWalk.h"
#include "common/SettingsTable.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

const std::array<PaperRatio, 9> kPaperRatios = {{
    {"A3→A5  B4→B6 (50%)", 0.5},
    {"A3→B5  A4→B6 (61%)", 0.61},
    {"A3→A4  B4→B5 (71%)", 0.71},
    {"B4→A4  B5→A5 (82%)", 0.82},
    {"A3→B4  A4→B5 (87%)", 0.87},
    {"B4→A3  B5→A4 (115%)", 1.15},
    {"A4→B4  A5→B5 (122%)", 1.22},
    {"A4→A3  A5→A4 (141%)", 1.41},
    {"A5→A3  B6→B4 (200%)", 2.0},
}};

bool IsValidScale(int64_t scale) noexcept {
    return scale > 1 && scale <= std::numeric_limits<int32_t>::max();
}

bool IsValidRatio(double percent) noexcept {
    return std::isfinite(percent) && percent > 0.0;
}

bool RepairSettings(MapScalingSettings& s) noexcept {
    const MapScalingSettings defaults;
    const MapScalingSettings before = s;
    if (s.mode < 0 || s.mode > 2) s.mode = defaults.mode;
    if (!IsValidScale(s.currentScale)) s.currentScale = defaults.currentScale;
    if (!IsValidScale(s.targetScale)) s.targetScale = defaults.targetScale;
    if (!IsValidRatio(s.horizontalRatio)) s.horizontalRatio = defaults.horizontalRatio;
    if (!IsValidRatio(s.verticalRatio)) s.verticalRatio = defaults.verticalRatio;
    if (s.paperIndex < 0 || s.paperIndex >= static_cast<int32_t>(kPaperRatios.size()))
        s.paperIndex = defaults.paperIndex;
    return !(s == before);
}

HostErr ComputeFactors(const MapScalingSettings& s, double& sx, double& sy,
                       double& lineScale) noexcept {
    switch (s.mode) {
    case 0:
        if (!IsValidScale(s.currentScale) || !IsValidScale(s.targetScale))
            return kHostErrBadParameter;
        sx = sy = lineScale =
            static_cast<double>(s.currentScale) / static_cast<double>(s.targetScale);
        return kHostNoErr;
    case 1:
        if (!IsValidRatio(s.horizontalRatio) || !IsValidRatio(s.verticalRatio))
            return kHostErrBadParameter;
        sx = s.horizontalRatio / 100.0;
        sy = s.verticalRatio / 100.0;
        lineScale = std::sqrt(sx * sy);
        return kHostNoErr;
    case 2:
        if (s.paperIndex < 0 || s.paperIndex >= static_cast<int32_t>(kPaperRatios.size()))
            return kHostErrBadParameter;
        sx = sy = lineScale = kPaperRatios[static_cast<size_t>(s.paperIndex)].factor;
        return kHostNoErr;
    default:
        return kHostErrBadParameter;
    }
}

const char* SettingOutOfRange(const MapScalingSettings& s, const HostRealRect* bounds) noexcept {
    double sx = 1.0, sy = 1.0, lineScale = 1.0;
    const bool computed = ComputeFactors(s, sx, sy, lineScale) == kHostNoErr;
    const auto scaledFits = [&](double factor, double low, double high) {
        if (!std::isfinite(factor) || !(factor > 0.0)) return false;
        if (bounds == nullptr) return true;
        // About the centre, the farther edge moves to centre + factor * half the extent.
        const double centre = (low + high) / 2.0;
        const double reach = std::fabs(centre) + factor * std::fabs(high - low) / 2.0;
        return std::isfinite(reach) && reach <= kMaxMapCoordinate;
    };
    const bool fitsX =
        computed && scaledFits(sx, bounds ? bounds->left : 0, bounds ? bounds->right : 0);
    const bool fitsY =
        computed && scaledFits(sy, bounds ? bounds->bottom : 0, bounds ? bounds->top : 0);
    if (fitsX && fitsY && std::isfinite(lineScale) && lineScale > 0.0) return nullptr;
    switch (s.mode) {
    case 0:
        return "現在の縮尺と変更後の縮尺";
    case 1:
        return fitsX ? "縦の比率" : "横の比率";
    default:
        return "用紙サイズ";
    }
}

namespace {

// Read and written in this order.
constexpr std::array<settings::Entry<MapScalingSettings>, 13> kSettings = {{
    {"MS_Mode", &MapScalingSettings::mode},
    {"MS_CurrentScale", &MapScalingSettings::currentScale},
    {"MS_TargetScale", &MapScalingSettings::targetScale},
    {"MS_HorizontalRatio", &MapScalingSettings::horizontalRatio},
    {"MS_VerticalRatio", &MapScalingSettings::verticalRatio},
    {"MS_PaperScaling", &MapScalingSettings::paperIndex},
    {"MS_KeepProportion", &MapScalingSettings::keepProportion},
    {"MS_ScaleFontSize", &MapScalingSettings::scaleFontSize},
    {"MS_ScaleSymbolSize", &MapScalingSettings::scaleSymbolSize},
    {"MS_ScaleStrokeEffect", &MapScalingSettings::scaleStrokeEffect},
    {"MS_ScaleGuide", &MapScalingSettings::scaleGuide},
    {"MS_ScalePattern", &MapScalingSettings::scalePattern},
    {"MS_SelectionOnly", &MapScalingSettings::selectionOnly},
}};

} // namespace

void CMapScaling::ReadSettings() noexcept {
    settings::ReadAll(kSettings, settings);
}

void CMapScaling::WriteSettings() const noexcept {
    settings::WriteAll(kSettings, settings);
}

HostErr CMapScaling::Run(HostPluginRef plugin) {
    pluginRef = plugin;
    ReadSettings();
    // A damaged setting never reaches the dialog or the factors.
    RepairSettings(settings);

    // A document with nothing drawn has nothing to scale: say so before asking how.
    bool drawn = false;
    if (HostErr err = AnythingDrawn(drawn); err != kHostNoErr) return err;
    if (!drawn) {
        frame::MessageAlert("拡大・縮小するオブジェクトがありません");
        return kHostErrCancelled;
    }

    if (HostErr err = frame::RunModalDialog(pluginRef, mapscaling::kDialogId, MapScalingDialogProc,
                                            reinterpret_cast<WsLParam>(&settings));
        err != kHostNoErr)
        return err;
    WriteSettings();

    HostRealRect bounds{};
    bool found = false;
    if (HostErr err = CollectBounds(bounds, found); err != kHostNoErr) return err;
    // Nothing with geometry takes part: any finite centre leaves everything as it is.
    if (found && std::isfinite(bounds.left) && std::isfinite(bounds.right) &&
        std::isfinite(bounds.top) && std::isfinite(bounds.bottom))
        centre = {(bounds.left + bounds.right) / 2.0, (bounds.top + bounds.bottom) / 2.0};
    if (const char* setting = SettingOutOfRange(settings, found ? &bounds : nullptr)) {
        frame::MessageAlert(std::string("設定値が範囲外です: ") + setting);
        return kHostErrBadParameter;
    }
    if (HostErr err = PrepareTransform(centre.h, centre.v); err != kHostNoErr) return err;
    return WalkLayers();
}

namespace {

// An empty group has no extent: its bounds come back inverted or infinite.
bool HasExtent(const HostRealRect& r) noexcept {
    return r.left <= r.right && r.bottom <= r.top && std::isfinite(r.left) &&
           std::isfinite(r.right) && std::isfinite(r.top) && std::isfinite(r.bottom);
}

} // namespace

HostErr CMapScaling::AnythingDrawn(bool& found) {
    found = false;
    int32_t layers = 0;
    if (HostErr err = sLayer->CountLayers(&layers); err != kHostNoErr) return err;
    for (int32_t n = 0; n < layers && !found; ++n) {
        HostLayerHandle layer = nullptr;
        if (HostErr err = sLayer->GetNthLayer(n, &layer); err != kHostNoErr) return err;
        CArtSet set;
        if (HostErr err = set.FillFromLayer(layer); err != kHostNoErr) return err;
        for (int32_t i = 0; static_cast<uint64_t>(i) < set.Count() && !found; ++i) {
            HostArtHandle art = nullptr;
            HostRealRect r{};
            if (HostErr err = set.Get(i, art); err != kHostNoErr) return err;
            if (HostErr err = sArt->GetArtBounds(art, &r); err != kHostNoErr) return err;
            found = HasExtent(r);
        }
    }
    return kHostNoErr;
}

HostErr CMapScaling::CollectBounds(HostRealRect& bounds, bool& found) {
    found = false;
    const auto unite = [&](HostArtHandle art) -> HostErr {
        HostRealRect r{};
        if (HostErr err = sArt->GetArtBounds(art, &r); err != kHostNoErr) return err;
        if (!HasExtent(r)) return kHostNoErr;
        if (!found) {
            bounds = r;
            found = true;
            return kHostNoErr;
        }
        const HostRealRect sofar = bounds;
        return sRealMath->RectUnion(&sofar, &r, &bounds);
    };
    const auto clampCount = [](uint64_t n) {
        return static_cast<int32_t>(std::min<uint64_t>(n, std::numeric_limits<int32_t>::max()));
    };

    if (settings.selectionOnly) {
        CArtSet set;
        if (HostErr err = set.FillFromSelection(); err != kHostNoErr) return err;
        progressMaximum = clampCount(set.Count());
        for (int32_t i = 0; static_cast<uint64_t>(i) < set.Count(); ++i) {
            HostArtHandle art = nullptr;
            if (HostErr err = set.Get(i, art); err != kHostNoErr) return err;
            // The set also holds the layers and groups that carry the selected mark for a
            // member: the centre is that of the selected art, not of their whole extent.
            int32_t whole = 0;
            if (HostErr err = sArt->GetArtUserAttr(art, kHostArtFullySelected, &whole);
                err != kHostNoErr)
                return err;
            if (whole == 0) continue;
            if (HostErr err = unite(art); err != kHostNoErr) return err;
        }
        return kHostNoErr;
    }

    int32_t layers = 0;
    if (HostErr err = sLayer->CountLayers(&layers); err != kHostNoErr) return err;
    // The walk visits at most every object of every layer, so the progress maximum is
    // their number.
    uint64_t objects = 0;
    for (int32_t n = 0; n < layers; ++n) {
        HostLayerHandle layer = nullptr;
        if (HostErr err = sLayer->GetNthLayer(n, &layer); err != kHostNoErr) return err;
        // A layer left out of the bounds would move the centre: its failure ends the run.
        CArtSet set;
        if (HostErr err = set.FillFromLayer(layer); err != kHostNoErr) return err;
        objects += set.Count();
        for (int32_t i = 0; static_cast<uint64_t>(i) < set.Count(); ++i) {
            HostArtHandle art = nullptr;
            if (HostErr err = set.Get(i, art); err != kHostNoErr) return err;
            if (HostErr err = unite(art); err != kHostNoErr) return err;
        }
    }
    progressMaximum = clampCount(objects);
    return kHostNoErr;
}

HostErr CMapScaling::PrepareTransform(double cx, double cy) {
    double sx = 1.0, sy = 1.0;
    if (HostErr err = ComputeFactors(settings, sx, sy, lineScale); err != kHostNoErr) return err;
    if (HostErr err = sRealMath->MatrixSetTranslate(&matrix, -cx, -cy); err != kHostNoErr)
        return err;
    if (HostErr err = sRealMath->MatrixConcatScale(&matrix, sx, sy); err != kHostNoErr) return err;
    if (HostErr err = sRealMath->MatrixConcatTranslate(&matrix, cx, cy); err != kHostNoErr)
        return err;
    transformOptions = kHostTransformObjects;
    if (settings.scaleStrokeEffect) transformOptions |= kHostScaleLines;
    if (settings.scalePattern)
        transformOptions |= kHostTransformFillPatterns | kHostTransformStrokePatterns;
    return kHostNoErr;
}

HostErr CMapScaling::WalkLayers() {
    frame::SetProgressText("拡大/縮小しています");
    HostLayerHandle layer = nullptr;
    if (HostErr err = sLayer->GetNthLayer(0, &layer); err != kHostNoErr) return err;
    while (layer != nullptr) {
        HostArtHandle group = nullptr;
        if (HostErr err = sArt->GetFirstArtOfLayer(layer, &group); err != kHostNoErr) return err;
        if (group != nullptr) {
            if (HostErr err = WalkArt(group, false); err != kHostNoErr) return err;
        }
        HostLayerHandle next = nullptr;
        if (HostErr err = sLayer->GetNextLayer(layer, &next); err != kHostNoErr) return err;
        layer = next;
    }
    return kHostNoErr;
}

HostErr CMapScaling::WalkArt(HostArtHandle art, bool withSiblings) {
    return WalkArtTree(
        art, withSiblings, [&](HostArtHandle object, HostArtHandle& descend) -> HostErr {
            descend = nullptr;
            ++progressPosition;
            frame::SetProgressValue(progressPosition, progressMaximum);

            int16_t type = 0;
            bool skipped = false;
            if (HostErr err = ReadTypeAndLock(object, type, skipped); err != kHostNoErr) return err;
            HostArtHandle child = nullptr;
            if (HostErr err = sArt->GetArtFirstChild(object, &child); err != kHostNoErr) return err;

            if (skipped) return kHostNoErr;
            if (settings.selectionOnly) {
                // A container is entered only when it carries the selected mark itself.
                int32_t selected = 0;
                if (HostErr err = sArt->GetArtUserAttr(object, kHostArtSelected, &selected);
                    err != kHostNoErr)
                    return err;
                if (!(selected & kHostArtSelected)) return kHostNoErr;
            }
            if (child != nullptr && (type == kHostGroupArt || type == kHostCompoundPathArt)) {
                descend = child;
                return kHostNoErr;
            }
            return ScaleOneArt(object, type);
        });
}

HostErr CMapScaling::TransformNormally(HostArtHandle art) const {
    return sTransformArt->TransformArt(art, &matrix, lineScale, transformOptions);
}

// Moves art by the offset the scaling gives the point from, without scaling it.
HostErr CMapScaling::TranslateBy(HostArtHandle art, HostRealPoint from, double scale,
                                 int32_t options) const {
    HostRealPoint to{};
    if (HostErr err = sRealMath->MatrixXformPoint(&matrix, &from, &to); err != kHostNoErr)
        return err;
    HostRealMatrix move{};
    if (HostErr err = sRealMath->MatrixSetTranslate(&move, to.h - from.h, to.v - from.v);
        err != kHostNoErr)
        return err;
    return sTransformArt->TransformArt(art, &move, scale, options);
}

HostErr CMapScaling::ScaleOneArt(HostArtHandle art, int16_t type) {
    switch (type) {
    case kHostPathArt: {
        HostBool guide = 0;
        if (HostErr err = sPath->GetPathGuide(art, &guide); err != kHostNoErr) return err;
        if (guide && !settings.scaleGuide) return kHostNoErr;
        return TransformNormally(art);
    }
    case kHostPluginArt:
        return sTransformArt->TransformArt(art, &matrix, lineScale,
                                           transformOptions | kHostTransformChildren |
                                               kHostTransformStrokeGradients);
    case kHostTextFrameArt:
    case kHostLegacyTextArt: {
        if (settings.scaleFontSize) return TransformNormally(art);
        int32_t kind = 0;
        if (HostErr err = sTextFrame->GetType(art, &kind); err != kHostNoErr) return err;
        if (kind == kATEPointTextType) {
            // The anchor goes through a translation to it concatenated with the matrix, and
            // the text follows by the difference, keeping its size and rotation.
            HostRealPoint anchor{};
            if (HostErr err = sTextFrame->GetPointTextAnchor(art, &anchor); err != kHostNoErr)
                return err;
            HostRealMatrix at{};
            if (HostErr err = sRealMath->MatrixSetTranslate(&at, anchor.h, anchor.v);
                err != kHostNoErr)
                return err;
            HostRealMatrix moved{};
            if (HostErr err = sRealMath->MatrixConcat(&at, &matrix, &moved); err != kHostNoErr)
                return err;
            HostRealPoint to{};
            if (HostErr err = sRealMath->MatrixGetTranslate(&moved, &to.h, &to.v);
                err != kHostNoErr)
                return err;
            HostRealMatrix move{};
            if (HostErr err =
                    sRealMath->MatrixSetTranslate(&move, to.h - anchor.h, to.v - anchor.v);
                err != kHostNoErr)
                return err;
            return sTransformArt->TransformArt(art, &move, 1.0, kHostTransformObjects);
        }
        if (kind == kATEInPathTextType || kind == kATEOnPathTextType) {
            HostArtHandle path = nullptr;
            if (HostErr err = sTextFrame->GetFramePath(art, &path); err != kHostNoErr) return err;
            return TransformNormally(path);
        }
        return kHostNoErr;
    }
    case kHostSymbolArt: {
        if (settings.scaleSymbolSize) return TransformNormally(art);
        HostRealRect bounds{};
        if (HostErr err = sArt->GetArtBounds(art, &bounds); err != kHostNoErr) return err;
        const HostRealPoint centreOfSymbol{(bounds.left + bounds.right) / 2.0,
                                           (bounds.top + bounds.bottom) / 2.0};
        // An instance without geometry has no centre to move.
        if (!std::isfinite(centreOfSymbol.h) || !std::isfinite(centreOfSymbol.v)) return kHostNoErr;
        return TranslateBy(art, centreOfSymbol, lineScale, transformOptions);
    }
    default:
        return TransformNormally(art);
    }
}
