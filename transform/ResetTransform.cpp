#include "transform/ResetTransform.h"

#include "common/ArtSet.h"
#include "common/WrapperErrors.h"
#include "frame/HostSuites.h"
#include "hostapi/wrappers/IText.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kAccumRotationTag = "BBAccumRotation";
// The object, its fill gradients, fill and stroke patterns and its children.
constexpr int32_t kImageMoveOptions = kHostTransformObjects | kHostTransformFillGradients |
                                      kHostTransformFillPatterns | kHostTransformStrokePatterns |
                                      kHostTransformChildren;

// Runs body on each art of the selection, stopping at the first error, wrapper failures
// included.
template <class Body> HostErr ForEachSelected(Body&& body) {
    return WithWrapperErrors([&]() -> HostErr {
        CArtSet selection;
        if (HostErr err = selection.FillFromSelection(); err != kHostNoErr) return err;
        const auto count = static_cast<int32_t>(selection.Count());
        for (int32_t i = 0; i < count; ++i) {
            HostArtHandle art = nullptr;
            if (HostErr err = selection.Get(i, art); err != kHostNoErr) return err;
            if (art == nullptr) continue;
            int16_t type = kHostUnknownArt;
            if (HostErr err = sArt->GetArtType(art, &type); err != kHostNoErr) return err;
            if (HostErr err = body(art, type); err != kHostNoErr) return err;
        }
        return kHostNoErr;
    });
}

// Removes every tag of that name, last first, so the indices still to visit stay valid.
HostErr RemoveTagsNamed(HostArtHandle art, std::string_view name) {
    int32_t count = 0;
    if (HostErr err = sTag->CountTags(art, &count); err != kHostNoErr) return err;
    for (int32_t n = count - 1; n >= 0; --n) {
        const char* tag = nullptr;
        if (HostErr err = sTag->GetNthTag(art, n, &tag); err != kHostNoErr) return err;
        if (tag == nullptr || name != tag) continue;
        // The host's copy of the name goes with the tag.
        const std::string owned(name);
        if (HostErr err = sTag->RemoveTag(art, owned.c_str()); err != kHostNoErr) return err;
    }
    return kHostNoErr;
}

HostErr TransformObject(HostArtHandle art, const HostRealMatrix& matrix, int32_t options) {
    return sTransformArt->TransformArt(art, &matrix, 1.0, options);
}

HostErr ResetPlaced(HostArtHandle art) {
    HostRealRect before{};
    if (HostErr err = sArt->GetArtBounds(art, &before); err != kHostNoErr) return err;
    HostRealMatrix m{};
    if (HostErr err = sPlaced->GetPlacedMatrix(art, &m); err != kHostNoErr) return err;
    // The pixel space of a placed image runs downwards from its top-left corner.
    m.a = 1;
    m.b = 0;
    m.c = 0;
    m.d = -1;
    if (HostErr err = sPlaced->SetPlacedMatrix(art, &m); err != kHostNoErr) return err;
    // Most images never had the entry.
    (void)sTag->RemoveTag(art, kAccumRotationTag);
    HostRealRect after{};
    if (HostErr err = sArt->GetArtBounds(art, &after); err != kHostNoErr) return err;
    // The corner a user aligned the image by stays where it was.
    HostRealMatrix move{};
    if (HostErr err =
            sRealMath->MatrixSetTranslate(&move, before.left - after.left, before.top - after.top);
        err != kHostNoErr)
        return err;
    return TransformObject(art, move, kImageMoveOptions);
}

HostErr ResetRaster(HostArtHandle art) {
    HostRealMatrix m{};
    if (HostErr err = sRaster->GetRasterMatrix(art, &m); err != kHostNoErr) return err;
    // The image keeps its matrix origin, not its corner.
    m.a = 1;
    m.b = 0;
    m.c = 0;
    m.d = 1;
    if (HostErr err = sRaster->SetRasterMatrix(art, &m); err != kHostNoErr) return err;
    (void)sTag->RemoveTag(art, kAccumRotationTag);
    return kHostNoErr;
}

ATE::ITextFrame TextEngineFrame(HostArtHandle text) {
    ATETextFrameRef ref = nullptr;
    ai::CheckError(sTextFrame->GetATETextFrame(text, &ref));
    return ATE::ITextFrame(ref);
}

ATE::ITextRange TextEngineRange(HostArtHandle text) {
    ATETextRangeRef ref = nullptr;
    ai::CheckError(sTextFrame->GetATETextRange(text, &ref));
    return ATE::ITextRange(ref);
}

HostErr StraightenOne(HostArtHandle text) {
    const ATE::ITextFrame frame = TextEngineFrame(text);
    const ATE::ITextRange range = TextEngineRange(text);
    if (frame.GetType() == kATEOnPathTextType) return kHostNoErr;
    ATE::ITextRunsIterator runs = range.GetTextRuns();

    if (HostErr err = RemoveTagsNamed(text, kAccumRotationTag); err != kHostNoErr) return err;

    // In the text engine's convention y grows downwards, so the angle of its matrix is
    // the visible rotation turned the other way: rotating by it undoes the rotation and
    // leaves any scale and shear of the frame.
    const HostRealMatrix m = frame.GetMatrix();
    HostReal angle = 0;
    if (HostErr err = sRealMath->MatrixGetRotate(&m, &angle); err != kHostNoErr) return err;
    HostRealPoint anchor{};
    if (HostErr err = sTextFrame->GetPointTextAnchor(text, &anchor); err != kHostNoErr) return err;
    HostRealMatrix turn{};
    if (HostErr err = sRealMath->MatrixSetTranslate(&turn, -anchor.h, -anchor.v); err != kHostNoErr)
        return err;
    if (HostErr err = sRealMath->MatrixConcatRotate(&turn, angle); err != kHostNoErr) return err;
    if (HostErr err = sRealMath->MatrixConcatTranslate(&turn, anchor.h, anchor.v);
        err != kHostNoErr)
        return err;
    if (HostErr err = TransformObject(text, turn, kHostTransformObjects); err != kHostNoErr)
        return err;

    if (runs.IsEmpty()) return kHostNoErr;
    for (; runs.IsNotDone(); runs.Next()) {
        ATE::ITextRange run = runs.Item();
        ATE::ICharFeatures features = run.GetUniqueCharFeatures();
        features.SetCharacterRotation(0);
        run.SetLocalCharFeatures(features);
    }
    return kHostNoErr;
}

HostErr FramePathSegments(HostArtHandle text, std::vector<HostPathSegment>& segments) {
    HostArtHandle path = nullptr;
    if (HostErr err = sTextFrame->GetFramePath(text, &path); err != kHostNoErr) return err;
    int32_t count = 0;
    if (HostErr err = sPath->GetPathSegmentCount(path, &count); err != kHostNoErr) return err;
    segments.assign(static_cast<size_t>(count < 0 ? 0 : count), HostPathSegment{});
    if (segments.empty()) return kHostNoErr;
    return sPath->GetPathSegments(path, 0, count, segments.data());
}

HostErr RestoreFramePath(HostArtHandle text, const std::vector<HostPathSegment>& segments) {
    HostArtHandle path = nullptr;
    if (HostErr err = sTextFrame->GetFramePath(text, &path); err != kHostNoErr) return err;
    if (segments.empty()) return kHostNoErr;
    return sPath->SetPathSegments(path, 0, static_cast<int32_t>(segments.size()), segments.data());
}

HostErr RemoveShearOne(HostArtHandle text) {
    int32_t kind = kATEPointTextType;
    if (HostErr err = sTextFrame->GetType(text, &kind); err != kHostNoErr) return err;
    int32_t orientation = kATEHorizontalOrientation;
    if (HostErr err = sTextFrame->GetOrientation(text, &orientation); err != kHostNoErr) return err;

    HostRealPoint pivot{};
    if (kind == kATEPointTextType) {
        if (HostErr err = sTextFrame->GetPointTextAnchor(text, &pivot); err != kHostNoErr)
            return err;
    } else {
        HostRealRect bounds{};
        if (HostErr err = sArt->GetArtBounds(text, &bounds); err != kHostNoErr) return err;
        pivot = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }

    // The frame's linear part in the document's convention, where its angle is the one a
    // user sees.
    HostRealMatrix m = TextEngineFrame(text).GetMatrix();
    if (HostErr err = sHardSoft->MatrixTextEngineToDocument(&m); err != kHostNoErr) return err;
    m.tx = 0;
    m.ty = 0;
    HostReal theta = 0;
    if (HostErr err = sRealMath->MatrixGetRotate(&m, &theta); err != kHostNoErr) return err;
    // With the rotation taken out only scale and shear are left: r.b is 0, r.a the scale
    // along the lines and r.d the scale across them.
    HostRealMatrix r = m;
    if (HostErr err = sRealMath->MatrixConcatRotate(&r, -theta); err != kHostNoErr) return err;
    // A collapsed frame is passed over; a failure to invert one that is not is an error.
    if (!(std::fabs(m.a * m.d - m.b * m.c) > 1e-12)) return kHostNoErr;
    HostRealMatrix inverse = m;
    if (HostErr err = sRealMath->MatrixInvert(&inverse); err != kHostNoErr) return err;
    // A mirrored frame has a negative scale across its lines; the mirror goes with the rest
    // of the frame's linear part, and the type takes the size of the scale alone.
    // Across the lines of horizontal text, across the columns of vertical text: the
    // frame's area over the length of its column axis, whatever the shear.
    const double across = orientation == kATEVerticalOrientation
                              ? std::fabs(r.a * r.d) / std::hypot(r.c, r.d)
                              : std::fabs(r.d);
    if (!(across > 0) || !std::isfinite(across)) return kHostNoErr;

    HostRealMatrix t{};
    if (HostErr err = sRealMath->MatrixSetTranslate(&t, -pivot.h, -pivot.v); err != kHostNoErr)
        return err;
    HostRealMatrix undone{};
    if (HostErr err = sRealMath->MatrixConcat(&t, &inverse, &undone); err != kHostNoErr) return err;
    if (kind == kATEPointTextType) {
        // Vertical text keeps the direction of its columns, which the shear had tilted
        // away from the frame's x axis.
        const double restore =
            orientation == kATEVerticalOrientation ? theta + std::atan(-r.c / r.d) : theta;
        if (HostErr err = sRealMath->MatrixConcatRotate(&undone, restore); err != kHostNoErr)
            return err;
    }
    if (HostErr err = sRealMath->MatrixConcatTranslate(&undone, pivot.h, pivot.v);
        err != kHostNoErr)
        return err;

    // Text on a path moves, its path does not.
    std::vector<HostPathSegment> segments;
    if (kind == kATEOnPathTextType) {
        if (HostErr err = FramePathSegments(text, segments); err != kHostNoErr) return err;
    }
    if (HostErr err = TransformObject(text, undone, kHostTransformObjects); err != kHostNoErr)
        return err;
    if (kind == kATEOnPathTextType) {
        if (HostErr err = RestoreFramePath(text, segments); err != kHostNoErr) return err;
    }

    ATE::ITextRunsIterator runs = TextEngineFrame(text).GetTextRange(true).GetTextRuns();
    for (; runs.IsNotDone(); runs.Next()) {
        ATE::ITextRange run = runs.Item();
        ATE::ICharFeatures features = run.GetUniqueCharFeatures();
        bool assigned = false;
        const double size = features.GetFontSize(&assigned);
        if (assigned) features.SetFontSize(size * across);
        if (orientation == kATEVerticalOrientation) {
            const double scale = features.GetVerticalScale(&assigned);
            if (assigned) features.SetVerticalScale(scale / across);
        } else {
            const double scale = features.GetHorizontalScale(&assigned);
            if (assigned) features.SetHorizontalScale(scale / across);
        }
        run.SetLocalCharFeatures(features);
    }
    return kHostNoErr;
}

} // namespace

HostErr CResetTransform::ResetPlacedImageSize() {
    return ForEachSelected([](HostArtHandle art, int16_t type) -> HostErr {
        if (type == kHostPlacedArt) return ResetPlaced(art);
        if (type == kHostRasterArt) return ResetRaster(art);
        return kHostNoErr;
    });
}

HostErr CResetTransform::StraightenText() {
    return ForEachSelected([](HostArtHandle art, int16_t type) -> HostErr {
        return type == kHostTextFrameArt ? StraightenOne(art) : kHostNoErr;
    });
}

HostErr CResetTransform::RemoveTextShear() {
    return ForEachSelected([](HostArtHandle art, int16_t type) -> HostErr {
        return type == kHostTextFrameArt ? RemoveShearOne(art) : kHostNoErr;
    });
}
