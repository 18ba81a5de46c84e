// The text engine's suites over the document's text: TextRange, CharFeatures,
// ParaFeatures, TextFrame and TextRunsIterator.
#include "hostapi/suites/ATECharFeaturesSuite.h"
#include "hostapi/suites/ATEParaFeaturesSuite.h"
#include "hostapi/suites/ATETextFrameSuite.h"
#include "hostapi/suites/ATETextRangeSuite.h"
#include "hostapi/suites/ATETextRunsIteratorSuite.h"

#include "host/ate/TextSuites.h"
#include "host/ate/TextSupport.h"
#include "host/document/PathStyle.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace host {
namespace {

using namespace docsuites;
using namespace ate;

/** Runs body with the document, the text art and the range behind ref, the range first
 *  clamped to the text: another range may have shortened it since this one was made. */
template <class Body> HostErr withRange(ATETextRangeRef ref, Body&& body) {
    return withObjectText<RangeObject>(
        ref, [&](Document& d, Art& art, RangeObject& range) -> HostErr {
            range.end = std::clamp(range.end, 0, textLength(*art.text()));
            range.start = std::clamp(range.start, 0, range.end);
            return body(d, art, range);
        });
}

// What the kinds of object answer alike: counting, making and copying feature sets, and
// reading or setting one of their fields.

template <class Object> HostErr AddRefOf(const void* ref) {
    return withTextObject<Object>(ref, [&](Object&) -> HostErr {
        addRef(ref);
        return kHostNoErr;
    });
}

template <class Object> HostErr ReleaseOf(const void* ref) {
    return withTextObject<Object>(ref, [&](Object&) -> HostErr {
        release(ref);
        return kHostNoErr;
    });
}

template <class Object, class Ref> HostErr InitializeOf(Ref* made) {
    return guarded([&]() -> HostErr {
        requireOut(made);
        *made = hand<Ref>(std::make_unique<Object>());
        return kHostNoErr;
    });
}

template <class Object, class Ref> HostErr CloneOf(Ref ref, Ref* copy) {
    return withTextObject<Object>(ref, [&](Object& original) -> HostErr {
        requireOut(copy);
        auto object = std::make_unique<Object>();
        object->features = original.features;
        *copy = hand<Ref>(std::move(object));
        return kHostNoErr;
    });
}

template <class T, class Value>
HostErr GetField(const std::optional<T>& field, ATEBool8* isAssigned, Value* value) {
    requireOut(isAssigned, value);
    *isAssigned = field ? 1 : 0;
    if (field) *value = *field;
    return kHostNoErr;
}

template <class T>
HostErr SetField(std::optional<T>& field, std::type_identity_t<T> value,
                 bool (*valid)(std::type_identity_t<T>)) {
    if (!valid(value)) return kHostErrBadParameter;
    field = value;
    return kHostNoErr;
}

// ---- ATE TextRange Suite ---------------------------------------------------------------------

HostErr RangeAddRef(ATETextRangeRef range) {
    HOST_OP(kATETextRangeSuite, "AddRef");
    return AddRefOf<RangeObject>(range);
}

HostErr RangeRelease(ATETextRangeRef range) {
    HOST_OP(kATETextRangeSuite, "Release");
    return ReleaseOf<RangeObject>(range);
}

HostErr GetStart(ATETextRangeRef ref, int32_t* start) {
    HOST_OP(kATETextRangeSuite, "GetStart");
    return withRange(ref, [&](Document&, Art&, RangeObject& range) -> HostErr {
        requireOut(start);
        *start = range.start;
        return kHostNoErr;
    });
}

HostErr GetEnd(ATETextRangeRef ref, int32_t* end) {
    HOST_OP(kATETextRangeSuite, "GetEnd");
    return withRange(ref, [&](Document&, Art&, RangeObject& range) -> HostErr {
        requireOut(end);
        *end = range.end;
        return kHostNoErr;
    });
}

HostErr GetSize(ATETextRangeRef ref, int32_t* size) {
    HOST_OP(kATETextRangeSuite, "GetSize");
    return withRange(ref, [&](Document&, Art&, RangeObject& range) -> HostErr {
        requireOut(size);
        *size = range.end - range.start;
        return kHostNoErr;
    });
}

HostErr GetContents(ATETextRangeRef ref, uint16_t* text, int32_t maxLength, int32_t* length) {
    HOST_OP(kATETextRangeSuite, "GetContents");
    return withRange(ref, [&](Document&, Art& art, RangeObject& range) -> HostErr {
        requireOut(length);
        const std::u16string contents = textContents(*art.text(), range.start, range.end);
        if (text == nullptr) {
            *length = static_cast<int32_t>(contents.size());
            return kHostNoErr;
        }
        if (maxLength < 0) return kHostErrBadParameter;
        const auto n = std::min(static_cast<std::size_t>(maxLength), contents.size());
        std::copy_n(contents.begin(), n, text);
        *length = static_cast<int32_t>(n);
        return kHostNoErr;
    });
}

HostErr InsertAfter(ATETextRangeRef ref, const uint16_t* text, int32_t length) {
    HOST_OP(kATETextRangeSuite, "InsertAfter");
    return withRange(ref, [&](Document& d, Art& art, RangeObject& range) -> HostErr {
        if (length < 0 || (text == nullptr && length > 0)) return kHostErrBadParameter;
        if (HostErr err = d.checkEditable(art)) return err;
        const std::u16string units(text, text + length);
        const std::optional<std::int32_t> grew = insertText(*art.text(), range.end, units);
        if (!grew) return kHostErrEncoding;
        range.end += *grew;
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetUniqueCharFeatures(ATETextRangeRef ref, ATECharFeaturesRef* features) {
    HOST_OP(kATETextRangeSuite, "GetUniqueCharFeatures");
    return withRange(ref, [&](Document&, Art& art, RangeObject& range) -> HostErr {
        requireOut(features);
        auto object = std::make_unique<CharFeaturesObject>();
        object->features = uniqueFeatures(*art.text(), range.start, range.end);
        *features = hand<ATECharFeaturesRef>(std::move(object));
        return kHostNoErr;
    });
}

HostErr GetUniqueParaFeatures(ATETextRangeRef ref, ATEParaFeaturesRef* features) {
    HOST_OP(kATETextRangeSuite, "GetUniqueParaFeatures");
    return withRange(ref, [&](Document&, Art& art, RangeObject&) -> HostErr {
        requireOut(features);
        auto object = std::make_unique<ParaFeaturesObject>();
        // A text frame has one set of paragraph features for all its paragraphs.
        object->features.justification = art.text()->para.justification;
        *features = hand<ATEParaFeaturesRef>(std::move(object));
        return kHostNoErr;
    });
}

HostErr SetLocalCharFeatures(ATETextRangeRef ref, ATECharFeaturesRef features) {
    HOST_OP(kATETextRangeSuite, "SetLocalCharFeatures");
    return withRange(ref, [&](Document& d, Art& art, RangeObject& range) -> HostErr {
        const CharFeaturesObject& set = objectOf<CharFeaturesObject>(features);
        if (HostErr err = d.checkEditable(art)) return err;
        applyFeatures(*art.text(), range.start, range.end, set.features);
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr SetLocalParaFeatures(ATETextRangeRef ref, ATEParaFeaturesRef features) {
    HOST_OP(kATETextRangeSuite, "SetLocalParaFeatures");
    return withRange(ref, [&](Document& d, Art& art, RangeObject&) -> HostErr {
        const ParaFeaturesObject& set = objectOf<ParaFeaturesObject>(features);
        if (HostErr err = d.checkEditable(art)) return err;
        if (set.features.justification)
            art.text()->para.justification = *set.features.justification;
        d.noteChange();
        return kHostNoErr;
    });
}

HostErr GetTextRuns(ATETextRangeRef ref, ATETextRunsIteratorRef* runs) {
    HOST_OP(kATETextRangeSuite, "GetTextRuns");
    return withRange(ref, [&](Document&, Art& art, RangeObject& range) -> HostErr {
        requireOut(runs);
        auto object = std::make_unique<RunsObject>();
        object->art = art.handle();
        object->runs = runsOf(*art.text(), range.start, range.end);
        *runs = hand<ATETextRunsIteratorRef>(std::move(object));
        return kHostNoErr;
    });
}

constexpr ATETextRangeSuite kTextRangeSuite = {
    RangeAddRef,
    RangeRelease,
    GetStart,
    GetEnd,
    GetSize,
    GetContents,
    InsertAfter,
    GetUniqueCharFeatures,
    GetUniqueParaFeatures,
    SetLocalCharFeatures,
    SetLocalParaFeatures,
    GetTextRuns,
};

// ---- ATE CharFeatures Suite ------------------------------------------------------------------

bool positiveSize(double v) {
    return std::isfinite(v) && v > 0.0;
}
bool anyAngle(double v) {
    return std::isfinite(v);
}

HostErr Initialize(ATECharFeaturesRef* features) {
    HOST_OP(kATECharFeaturesSuite, "Initialize");
    return InitializeOf<CharFeaturesObject>(features);
}

HostErr CharAddRef(ATECharFeaturesRef features) {
    HOST_OP(kATECharFeaturesSuite, "AddRef");
    return AddRefOf<CharFeaturesObject>(features);
}

HostErr CharRelease(ATECharFeaturesRef features) {
    HOST_OP(kATECharFeaturesSuite, "Release");
    return ReleaseOf<CharFeaturesObject>(features);
}

HostErr CharClone(ATECharFeaturesRef features, ATECharFeaturesRef* copy) {
    HOST_OP(kATECharFeaturesSuite, "Clone");
    return CloneOf<CharFeaturesObject>(features, copy);
}

#define CARTOVEL_REAL_FEATURE(Name, field, valid)                                                  \
    HostErr Get##Name(ATECharFeaturesRef features, ATEBool8* isAssigned, HostReal* value) {        \
        HOST_OP(kATECharFeaturesSuite, "Get" #Name);                                               \
        return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) {       \
            return GetField(chars.features.field, isAssigned, value);                              \
        });                                                                                        \
    }                                                                                              \
    HostErr Set##Name(ATECharFeaturesRef features, HostReal value) {                               \
        HOST_OP(kATECharFeaturesSuite, "Set" #Name);                                               \
        return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) {       \
            return SetField(chars.features.field, value, valid);                                   \
        });                                                                                        \
    }                                                                                              \
    HostErr Clear##Name(ATECharFeaturesRef features) {                                             \
        HOST_OP(kATECharFeaturesSuite, "Clear" #Name);                                             \
        return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) {       \
            chars.features.field.reset();                                                          \
            return kHostNoErr;                                                                     \
        });                                                                                        \
    }

CARTOVEL_REAL_FEATURE(FontSize, fontSize, positiveSize)
CARTOVEL_REAL_FEATURE(HorizontalScale, horizontalScale, positiveSize)
CARTOVEL_REAL_FEATURE(VerticalScale, verticalScale, positiveSize)
CARTOVEL_REAL_FEATURE(CharacterRotation, rotation, anyAngle)
#undef CARTOVEL_REAL_FEATURE

HostErr GetFillPaint(ATECharFeaturesRef features, ATEBool8* isAssigned, HostBool* paint,
                     HostColor* color) {
    HOST_OP(kATECharFeaturesSuite, "GetFillPaint");
    return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) -> HostErr {
        requireOut(isAssigned, paint, color);
        const std::optional<Paint>& fill = chars.features.fill;
        *isAssigned = fill ? 1 : 0;
        if (fill) {
            *paint = fill->paint ? 1 : 0;
            *color = fill->color;
        }
        return kHostNoErr;
    });
}

HostErr SetFillPaint(ATECharFeaturesRef features, HostBool paint, const HostColor* color) {
    HOST_OP(kATECharFeaturesSuite, "SetFillPaint");
    return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) -> HostErr {
        if (color == nullptr || !isValidColour(*color)) return kHostErrBadParameter;
        chars.features.fill = Paint{paint != 0, *color};
        return kHostNoErr;
    });
}

HostErr ClearFillPaint(ATECharFeaturesRef features) {
    HOST_OP(kATECharFeaturesSuite, "ClearFillPaint");
    return withTextObject<CharFeaturesObject>(features, [&](CharFeaturesObject& chars) -> HostErr {
        chars.features.fill.reset();
        return kHostNoErr;
    });
}

constexpr ATECharFeaturesSuite kCharFeaturesSuite = {
    Initialize,         CharAddRef,           CharRelease,          CharClone,
    GetFontSize,        SetFontSize,          ClearFontSize,        GetHorizontalScale,
    SetHorizontalScale, ClearHorizontalScale, GetVerticalScale,     SetVerticalScale,
    ClearVerticalScale, GetCharacterRotation, SetCharacterRotation, ClearCharacterRotation,
    GetFillPaint,       SetFillPaint,         ClearFillPaint,
};

// ---- ATE ParaFeatures Suite ------------------------------------------------------------------

bool isJustification(std::int32_t v) {
    return v == kATELeftJustify || v == kATERightJustify || v == kATECenterJustify;
}

HostErr ParaInitialize(ATEParaFeaturesRef* features) {
    HOST_OP(kATEParaFeaturesSuite, "Initialize");
    return InitializeOf<ParaFeaturesObject>(features);
}

HostErr ParaAddRef(ATEParaFeaturesRef features) {
    HOST_OP(kATEParaFeaturesSuite, "AddRef");
    return AddRefOf<ParaFeaturesObject>(features);
}

HostErr ParaRelease(ATEParaFeaturesRef features) {
    HOST_OP(kATEParaFeaturesSuite, "Release");
    return ReleaseOf<ParaFeaturesObject>(features);
}

HostErr ParaClone(ATEParaFeaturesRef features, ATEParaFeaturesRef* copy) {
    HOST_OP(kATEParaFeaturesSuite, "Clone");
    return CloneOf<ParaFeaturesObject>(features, copy);
}

HostErr GetJustification(ATEParaFeaturesRef features, ATEBool8* isAssigned, int32_t* value) {
    HOST_OP(kATEParaFeaturesSuite, "GetJustification");
    return withTextObject<ParaFeaturesObject>(features, [&](ParaFeaturesObject& paras) {
        return GetField(paras.features.justification, isAssigned, value);
    });
}

HostErr SetJustification(ATEParaFeaturesRef features, int32_t value) {
    HOST_OP(kATEParaFeaturesSuite, "SetJustification");
    return withTextObject<ParaFeaturesObject>(features, [&](ParaFeaturesObject& paras) {
        return SetField(paras.features.justification, value, isJustification);
    });
}

HostErr ClearJustification(ATEParaFeaturesRef features) {
    HOST_OP(kATEParaFeaturesSuite, "ClearJustification");
    return withTextObject<ParaFeaturesObject>(features, [&](ParaFeaturesObject& paras) -> HostErr {
        paras.features.justification.reset();
        return kHostNoErr;
    });
}

constexpr ATEParaFeaturesSuite kParaFeaturesSuite = {
    ParaInitialize,   ParaAddRef,       ParaRelease,        ParaClone,
    GetJustification, SetJustification, ClearJustification,
};

// ---- ATE TextFrame Suite ---------------------------------------------------------------------

HostErr FrameAddRef(ATETextFrameRef frame) {
    HOST_OP(kATETextFrameSuite, "AddRef");
    return AddRefOf<FrameObject>(frame);
}

HostErr FrameRelease(ATETextFrameRef frame) {
    HOST_OP(kATETextFrameSuite, "Release");
    return ReleaseOf<FrameObject>(frame);
}

HostErr FrameGetTextRange(ATETextFrameRef frame, ATEBool8 /*includeOverflow*/,
                          ATETextRangeRef* range) {
    HOST_OP(kATETextFrameSuite, "GetTextRange");
    // Frames here hold all of their story: there is no overflow to leave out.
    return withObjectText<FrameObject>(frame, [&](Document&, Art& art, FrameObject&) -> HostErr {
        requireOut(range);
        *range = newRange(art.handle(), 0, textLength(*art.text()));
        return kHostNoErr;
    });
}

HostErr FrameGetType(ATETextFrameRef frame, int32_t* kind) {
    HOST_OP(kATETextFrameSuite, "GetType");
    return withObjectText<FrameObject>(frame, [&](Document&, Art& art, FrameObject&) -> HostErr {
        requireOut(kind);
        *kind = static_cast<int32_t>(art.text()->kind);
        return kHostNoErr;
    });
}

HostErr FrameGetMatrix(ATETextFrameRef frame, HostRealMatrix* matrix) {
    HOST_OP(kATETextFrameSuite, "GetMatrix");
    return withObjectText<FrameObject>(frame, [&](Document&, Art& art, FrameObject&) -> HostErr {
        requireOut(matrix);
        *matrix = textEngineMatrix(art.text()->matrix);
        return kHostNoErr;
    });
}

constexpr ATETextFrameSuite kTextFrameSuite = {
    FrameAddRef, FrameRelease, FrameGetTextRange, FrameGetType, FrameGetMatrix,
};

// ---- ATE TextRunsIterator Suite -------------------------------------------------------------

HostErr RunsAddRef(ATETextRunsIteratorRef runs) {
    HOST_OP(kATETextRunsIteratorSuite, "AddRef");
    return AddRefOf<RunsObject>(runs);
}

HostErr RunsRelease(ATETextRunsIteratorRef runs) {
    HOST_OP(kATETextRunsIteratorSuite, "Release");
    return ReleaseOf<RunsObject>(runs);
}

HostErr IsEmpty(ATETextRunsIteratorRef ref, ATEBool8* empty) {
    HOST_OP(kATETextRunsIteratorSuite, "IsEmpty");
    return withTextObject<RunsObject>(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(empty);
        *empty = runs.runs.empty() ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr IsNotDone(ATETextRunsIteratorRef ref, ATEBool8* notDone) {
    HOST_OP(kATETextRunsIteratorSuite, "IsNotDone");
    return withTextObject<RunsObject>(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(notDone);
        *notDone = runs.current < runs.runs.size() ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr IsDone(ATETextRunsIteratorRef ref, ATEBool8* done) {
    HOST_OP(kATETextRunsIteratorSuite, "IsDone");
    return withTextObject<RunsObject>(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(done);
        *done = runs.current < runs.runs.size() ? 0 : 1;
        return kHostNoErr;
    });
}

HostErr Next(ATETextRunsIteratorRef ref) {
    HOST_OP(kATETextRunsIteratorSuite, "Next");
    return withTextObject<RunsObject>(ref, [&](RunsObject& runs) -> HostErr {
        if (runs.current >= runs.runs.size()) return kHostErrNotFound;
        ++runs.current;
        return kHostNoErr;
    });
}

HostErr Item(ATETextRunsIteratorRef ref, ATETextRangeRef* run) {
    HOST_OP(kATETextRunsIteratorSuite, "Item");
    return withTextObject<RunsObject>(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(run);
        if (runs.current >= runs.runs.size()) return kHostErrNotFound;
        const auto [start, end] = runs.runs[runs.current];
        *run = newRange(runs.art, start, end);
        return kHostNoErr;
    });
}

constexpr ATETextRunsIteratorSuite kTextRunsIteratorSuite = {
    RunsAddRef, RunsRelease, IsEmpty, IsNotDone, IsDone, Next, Item,
};

} // namespace

void installTextEngineSuites(SuiteRegistry& registry) {
    registry.provide(kATETextRangeSuite, kATETextRangeSuiteVersion, &kTextRangeSuite);
    registry.provide(kATECharFeaturesSuite, kATECharFeaturesSuiteVersion, &kCharFeaturesSuite);
    registry.provide(kATEParaFeaturesSuite, kATEParaFeaturesSuiteVersion, &kParaFeaturesSuite);
    registry.provide(kATETextFrameSuite, kATETextFrameSuiteVersion, &kTextFrameSuite);
    registry.provide(kATETextRunsIteratorSuite, kATETextRunsIteratorSuiteVersion,
                     &kTextRunsIteratorSuite);
}

} // namespace host
