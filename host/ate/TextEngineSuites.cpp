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

template <class Object, class Ref> HostErr AddRefOf(Ref ref) {
    return withTextObject<Object>(ref, [&](Object&) -> HostErr {
        addRef(ref);
        return kHostNoErr;
    });
}

template <class Object, class Ref> HostErr ReleaseOf(Ref ref) {
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

template <class Member> struct FieldOf;
template <class T, class Set> struct FieldOf<std::optional<T> Set::*> { using Value = T; };

/** Reading, setting (when valid) and clearing the feature in Field of the feature set of
 *  an Object behind a Ref. */
template <class Object, class Ref, auto Field> struct Feature {
    using Value = typename FieldOf<decltype(Field)>::Value;

    template <class Out> static HostErr get(Ref ref, ATEBool8* isAssigned, Out* value) {
        return withTextObject<Object>(ref, [&](Object& object) {
            return GetField(object.features.*Field, isAssigned, value);
        });
    }
    template <bool (*Valid)(Value)> static HostErr set(Ref ref, Value value) {
        return withTextObject<Object>(
            ref, [&](Object& object) { return SetField(object.features.*Field, value, Valid); });
    }
    static HostErr clear(Ref ref) {
        return withTextObject<Object>(ref, [&](Object& object) -> HostErr {
            (object.features.*Field).reset();
            return kHostNoErr;
        });
    }
};

template <OperationLiteral Name, auto Impl>
constexpr auto RangeOp = counted<kATETextRangeSuite, Name, Impl>;
template <OperationLiteral Name, auto Impl>
constexpr auto CharOp = counted<kATECharFeaturesSuite, Name, Impl>;
template <OperationLiteral Name, auto Impl>
constexpr auto ParaOp = counted<kATEParaFeaturesSuite, Name, Impl>;
template <OperationLiteral Name, auto Impl>
constexpr auto FrameOp = counted<kATETextFrameSuite, Name, Impl>;
template <OperationLiteral Name, auto Impl>
constexpr auto RunsOp = counted<kATETextRunsIteratorSuite, Name, Impl>;

// ---- ATE TextRange Suite ---------------------------------------------------------------------

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
    RangeOp<"AddRef", AddRefOf<RangeObject, ATETextRangeRef>>,
    RangeOp<"Release", ReleaseOf<RangeObject, ATETextRangeRef>>,
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

template <auto Field> using CharFeature = Feature<CharFeaturesObject, ATECharFeaturesRef, Field>;

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

constexpr ATECharFeaturesSuite kCharFeaturesSuite = {
    CharOp<"Initialize", InitializeOf<CharFeaturesObject, ATECharFeaturesRef>>,
    CharOp<"AddRef", AddRefOf<CharFeaturesObject, ATECharFeaturesRef>>,
    CharOp<"Release", ReleaseOf<CharFeaturesObject, ATECharFeaturesRef>>,
    CharOp<"Clone", CloneOf<CharFeaturesObject, ATECharFeaturesRef>>,
    CharOp<"GetFontSize", CharFeature<&CharFeatureSet::fontSize>::get<HostReal>>,
    CharOp<"SetFontSize", CharFeature<&CharFeatureSet::fontSize>::set<positiveSize>>,
    CharOp<"ClearFontSize", CharFeature<&CharFeatureSet::fontSize>::clear>,
    CharOp<"GetHorizontalScale", CharFeature<&CharFeatureSet::horizontalScale>::get<HostReal>>,
    CharOp<"SetHorizontalScale", CharFeature<&CharFeatureSet::horizontalScale>::set<positiveSize>>,
    CharOp<"ClearHorizontalScale", CharFeature<&CharFeatureSet::horizontalScale>::clear>,
    CharOp<"GetVerticalScale", CharFeature<&CharFeatureSet::verticalScale>::get<HostReal>>,
    CharOp<"SetVerticalScale", CharFeature<&CharFeatureSet::verticalScale>::set<positiveSize>>,
    CharOp<"ClearVerticalScale", CharFeature<&CharFeatureSet::verticalScale>::clear>,
    CharOp<"GetCharacterRotation", CharFeature<&CharFeatureSet::rotation>::get<HostReal>>,
    CharOp<"SetCharacterRotation", CharFeature<&CharFeatureSet::rotation>::set<anyAngle>>,
    CharOp<"ClearCharacterRotation", CharFeature<&CharFeatureSet::rotation>::clear>,
    GetFillPaint,
    SetFillPaint,
    CharOp<"ClearFillPaint", CharFeature<&CharFeatureSet::fill>::clear>,
};

// ---- ATE ParaFeatures Suite ------------------------------------------------------------------

template <auto Field> using ParaFeature = Feature<ParaFeaturesObject, ATEParaFeaturesRef, Field>;

bool isJustification(std::int32_t v) {
    return v == kATELeftJustify || v == kATERightJustify || v == kATECenterJustify;
}

constexpr ATEParaFeaturesSuite kParaFeaturesSuite = {
    ParaOp<"Initialize", InitializeOf<ParaFeaturesObject, ATEParaFeaturesRef>>,
    ParaOp<"AddRef", AddRefOf<ParaFeaturesObject, ATEParaFeaturesRef>>,
    ParaOp<"Release", ReleaseOf<ParaFeaturesObject, ATEParaFeaturesRef>>,
    ParaOp<"Clone", CloneOf<ParaFeaturesObject, ATEParaFeaturesRef>>,
    ParaOp<"GetJustification", ParaFeature<&ParaFeatureSet::justification>::get<int32_t>>,
    ParaOp<"SetJustification", ParaFeature<&ParaFeatureSet::justification>::set<isJustification>>,
    ParaOp<"ClearJustification", ParaFeature<&ParaFeatureSet::justification>::clear>,
};

// ---- ATE TextFrame Suite ---------------------------------------------------------------------

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
    FrameOp<"AddRef", AddRefOf<FrameObject, ATETextFrameRef>>,
    FrameOp<"Release", ReleaseOf<FrameObject, ATETextFrameRef>>,
    FrameGetTextRange,
    FrameGetType,
    FrameGetMatrix,
};

// ---- ATE TextRunsIterator Suite -------------------------------------------------------------

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
    RunsOp<"AddRef", AddRefOf<RunsObject, ATETextRunsIteratorRef>>,
    RunsOp<"Release", ReleaseOf<RunsObject, ATETextRunsIteratorRef>>,
    IsEmpty,
    IsNotDone,
    IsDone,
    Next,
    Item,
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
