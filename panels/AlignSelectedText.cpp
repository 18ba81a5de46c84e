// The work of one text origin button.
#include "common/ArtSet.h"
#include "common/WrapperErrors.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"
#include "panels/PanelSupport.h"
#include "panels/TextAlignPanel.h"

namespace {

/** The state of one text that a failure part-way puts back. */
class TextUndo {
public:
    TextUndo(HostArtHandle art, ATE::ITextRange& range) : art_(art), range_(range) {}
    ~TextUndo() {
        if (committed_) return;
        // Best effort: the first failure is what the caller reports.
        try {
            if (justificationSet_) {
                ATE::IParaFeatures features;
                features.SetJustification(oldJustification_);
                range_.SetLocalParaFeatures(features);
            }
        } catch (...) {
        }
        if (orientationSet_) sTextFrame->SetOrientation(art_, oldOrientation_);
    }
    TextUndo(const TextUndo&) = delete;
    TextUndo& operator=(const TextUndo&) = delete;

    void OrientationSet(int32_t old) {
        orientationSet_ = true;
        oldOrientation_ = old;
    }
    void JustificationSet(int32_t old) {
        justificationSet_ = true;
        oldJustification_ = old;
    }
    void Commit() { committed_ = true; }

private:
    HostArtHandle art_;
    ATE::ITextRange& range_;
    bool orientationSet_ = false;
    int32_t oldOrientation_ = 0;
    bool justificationSet_ = false;
    int32_t oldJustification_ = 0;
    bool committed_ = false;
};

// Every check comes before the first change, so a text that is passed over is left as it
// was.
HostErr AlignOne(HostArtHandle art, int32_t orientation, int32_t justification) {
    ATETextRangeRef rangeRef = nullptr;
    if (const HostErr err = sTextFrame->GetATETextRange(art, &rangeRef)) return err;
    ATE::ITextRange range(rangeRef);
    int32_t oldOrientation = 0;
    if (const HostErr err = sTextFrame->GetOrientation(art, &oldOrientation)) return err;
    int32_t kind = 0;
    if (const HostErr err = sTextFrame->GetType(art, &kind)) return err;
    HostRealPoint anchor{};
    if (const HostErr err = sTextFrame->GetPointTextAnchor(art, &anchor)) return err;
    ATETextFrameRef frameRef = nullptr;
    if (const HostErr err = sTextFrame->GetATETextFrame(art, &frameRef)) return err;
    const ATE::ITextFrame frame(frameRef);
    ATE::IParaFeatures features = range.GetUniqueParaFeatures();
    bool assigned = false;
    const int32_t oldJustification = features.GetJustification(&assigned);
    const bool turns = oldOrientation != orientation;

    TextUndo undo(art, range);
    if (assigned && oldJustification == justification) {
        if (turns) {
            if (const HostErr err = sTextFrame->SetOrientation(art, orientation)) return err;
        }
        undo.Commit();
        return kHostNoErr;
    }
    if (const HostErr err = sDocument->RedrawDocument()) return err;
    HostRealRect before{};
    if (const HostErr err = sArt->GetArtBounds(art, &before)) return err;
    if (turns) {
        if (const HostErr err = sTextFrame->SetOrientation(art, orientation)) return err;
        undo.OrientationSet(oldOrientation);
    }
    features.SetJustification(justification);
    undo.JustificationSet(oldJustification);
    range.SetLocalParaFeatures(features);
    // A text that turns does so about its anchor and stays there; one that only changes
    // its justification is moved back to where it stood.
    if (!turns) {
        if (const HostErr err = sDocument->RedrawDocument()) return err;
        HostRealRect after{};
        if (const HostErr err = sArt->GetArtBounds(art, &after)) return err;
        HostRealMatrix shift{};
        if (const HostErr err = sRealMath->MatrixSetTranslate(&shift, before.left - after.left,
                                                              before.top - after.top))
            return err;
        if (const HostErr err =
                sTransformArt->TransformArt(art, &shift, 1.0, kHostTransformObjects))
            return err;
    }
    undo.Commit();
    return kHostNoErr;
}

} // namespace

HostErr CTextAlignPanel::AlignSelectedText(int32_t orientation, int32_t justification) {
    if (sArt == nullptr || sTextFrame == nullptr || sDocument == nullptr || sRealMath == nullptr ||
        sTransformArt == nullptr || sArtSet == nullptr)
        return kHostErrSuiteNotFound;
    CArtSet selection;
    HostErr first = selection.FillFromSelection();
    const auto keep = [&first](HostErr err) {
        if (first == kHostNoErr) first = err;
    };
    for (uint64_t i = 0; i < selection.Count(); ++i) {
        HostArtHandle art = nullptr;
        int16_t type = 0;
        // A failed read of the entry or its type ends the pass.
        HostErr err = selection.Get(i, art);
        if (err == kHostNoErr) err = sArt->GetArtType(art, &type);
        if (err != kHostNoErr) {
            keep(err);
            break;
        }
        if (type != kHostTextFrameArt) continue;
        // A failing text is passed over, the next ones are still done, and the first
        // failure is the result.
        keep(WithWrapperErrors([&] { return AlignOne(art, orientation, justification); }));
    }
    if (first != kHostNoErr) frame::MessageAlert(kPanelErrorMessage);
    return first;
}
