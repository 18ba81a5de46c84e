#include "maptools/FastMove.h"

#include "common/ArtSet.h"
#include "common/ArtWalk.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"

namespace {

constexpr const char* kSelectOnePath = "移動先を示すパスを1つだけ選択して実行してください";
constexpr const char* kDeleteDestination = "移動完了後に、移動先を示すパスを削除しますか？";
constexpr const char* kIgnoreGuides = "ガイドを無視しますか？";

// Object geometry, gradient and pattern fills, pattern strokes and a plug-in group's
// contents.
constexpr int32_t kMoveOptions = kHostTransformObjects | kHostTransformFillGradients |
                                 kHostTransformFillPatterns | kHostTransformStrokePatterns |
                                 kHostTransformChildren;

bool MovesItself(int16_t type) {
    switch (type) {
    case kHostPlacedArt:
    case kHostRasterArt:
    case kHostPluginArt:
    case kHostMeshArt:
    case kHostTextFrameArt:
    case kHostSymbolArt:
    case kHostForeignArt:
    case kHostLegacyTextArt:
        return true;
    default:
        return false;
    }
}

} // namespace

// Groups in the selection are passed over (a path selected with its own group counts as
// one path); a second path or art of any other type means there is no destination.
HostErr CFastMove::FindDestination() {
    CArtSet selection;
    if (HostErr err = selection.FillFromSelection(); err != kHostNoErr) return err;
    HostArtHandle candidate = nullptr;
    for (int32_t i = 0; static_cast<uint64_t>(i) < selection.Count(); ++i) {
        HostArtHandle art = nullptr;
        if (HostErr err = selection.Get(i, art); err != kHostNoErr) return err;
        int16_t type = 0;
        if (HostErr err = sArt->GetArtType(art, &type); err != kHostNoErr) return err;
        if (type == kHostGroupArt) continue;
        if (type != kHostPathArt || candidate != nullptr) return kHostNoErr;
        candidate = art;
    }
    destination = candidate;
    return kHostNoErr;
}

HostErr CFastMove::Run() {
    guidesAsked = 0;
    ignoreGuides = 0;
    destination = nullptr;

    const HostErr found = FindDestination();
    if (found != kHostNoErr || destination == nullptr) {
        frame::MessageAlert(kSelectOnePath);
        return found;
    }
    int32_t deleteAnswer = 0;
    if (const HostErr err = frame::YesNoAlert(kDeleteDestination, deleteAnswer)) return err;
    const bool deleteAfterwards = deleteAnswer == 1;

    // A path whose anchors cannot be read gives no vector: a host failure says so rather
    // than passing for a move of nothing.
    int32_t count = 0;
    if (HostErr err = sPath->GetPathSegmentCount(destination, &count); err != kHostNoErr)
        return err;
    if (count < 1) return kHostNoErr;
    HostPathSegment first{}, last{};
    if (HostErr err = sPath->GetPathSegments(destination, 0, 1, &first); err != kHostNoErr)
        return err;
    if (HostErr err = sPath->GetPathSegments(destination, count - 1, 1, &last); err != kHostNoErr)
        return err;
    // Anchor to anchor, never back to the first anchor of a closed path.
    HostRealMatrix matrix{};
    if (HostErr err =
            sRealMath->MatrixSetTranslate(&matrix, last.p.h - first.p.h, last.p.v - first.p.v);
        err != kHostNoErr)
        return err;

    HostLayerHandle layer = nullptr;
    if (HostErr err = sLayer->GetNthLayer(0, &layer); err != kHostNoErr) return err;
    while (layer != nullptr) {
        // A layer whose state cannot be read is not passed over: the rest would move
        // without it.
        HostBool visible = 0, editable = 0;
        if (HostErr err = sLayer->GetLayerVisible(layer, &visible); err != kHostNoErr) return err;
        if (HostErr err = sLayer->GetLayerEditable(layer, &editable); err != kHostNoErr) return err;
        if (visible && editable) {
            HostArtHandle group = nullptr;
            if (HostErr err = sArt->GetFirstArtOfLayer(layer, &group); err != kHostNoErr)
                return err;
            if (HostErr err = MoveTree(group, matrix, false); err != kHostNoErr) return err;
        }
        HostLayerHandle next = nullptr;
        if (HostErr err = sLayer->GetNextLayer(layer, &next); err != kHostNoErr) return err;
        layer = next;
    }
    // Only after a clean walk: a failed move keeps the path that says where art belongs.
    if (deleteAfterwards) return sArt->DisposeArt(destination);
    return kHostNoErr;
}

HostErr CFastMove::MoveTree(HostArtHandle art, const HostRealMatrix& matrix, bool withSiblings) {
    if (art == nullptr) return kHostNoErr;
    return WalkArtTree(
        art, withSiblings, [&](HostArtHandle object, HostArtHandle& descend) -> HostErr {
            descend = nullptr;
            int16_t type = 0;
            bool skipped = false;
            if (HostErr err = ReadTypeAndLock(object, type, skipped); err != kHostNoErr) return err;
            if (skipped) return kHostNoErr;

            HostArtHandle child = nullptr;
            if (HostErr err = sArt->GetArtFirstChild(object, &child); err != kHostNoErr) return err;
            if ((type == kHostGroupArt || type == kHostCompoundPathArt) && child != nullptr)
                descend = child;
            if (object == destination) return kHostNoErr;

            if (type == kHostPathArt) {
                HostBool guide = 0;
                if (HostErr err = sPath->GetPathGuide(object, &guide); err != kHostNoErr)
                    return err;
                if (guide) {
                    if (guidesAsked == 0) {
                        guidesAsked = 1;
                        int32_t answer = 0;
                        if (HostErr err = frame::YesNoAlert(kIgnoreGuides, answer)) return err;
                        if (answer == 1) ignoreGuides = 1;
                    }
                    if (ignoreGuides == 1) return kHostNoErr;
                }
            } else if (!MovesItself(type)) {
                return kHostNoErr;
            }
            return sTransformArt->TransformArt(object, &matrix, 1.0, kMoveOptions);
        });
}
