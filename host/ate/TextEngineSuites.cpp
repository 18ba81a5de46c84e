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

namespace host {
namespace {

using namespace docsuites;
using namespace ate;

template <class Body> HostErr withRange(ATETextRangeRef ref, Body&& body) {
    return withDocument([&](Document& d) -> HostErr {
        RangeObject& range = objectOf<RangeObject>(ref);
        Art& art = textArtOf(d, range.art);
        // Another range may have shortened the text since this one was made.
        const std::int32_t length = textLength(*art.text());
        range.end = std::clamp(range.end, 0, length);
        range.start = std::clamp(range.start, 0, range.end);
        return body(d, art, range);
    });
}

ATETextRangeRef newRange(HostArtHandle art, std::int32_t start, std::int32_t end) {
    auto object = std::make_unique<RangeObject>();
    object->art = art;
    object->start = start;
    object->end = end;
    return hand<ATETextRangeRef>(std::move(object));
}

template <class Object> HostErr AddRefOf(const void* ref) {
    return guarded([&]() -> HostErr {
        if (find<Object>(ref) == nullptr) return kHostErrBadHandle;
        addRef(ref);
        return kHostNoErr;
    });
}

template <class Object> HostErr ReleaseOf(const void* ref) {
    return guarded([&]() -> HostErr {
        if (find<Object>(ref) == nullptr) return kHostErrBadHandle;
        release(ref);
        return kHostNoErr;
    });
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

template <class Body> HostErr withChars(ATECharFeaturesRef ref, Body&& body) {
    return guarded([&]() -> HostErr { return body(objectOf<CharFeaturesObject>(ref).features); });
}

bool positiveSize(double v) {
    return std::isfinite(v) && v > 0.0;
}
bool anyAngle(double v) {
    return std::isfinite(v);
}

HostErr GetField(const std::optional<double>& field, ATEBool8* isAssigned, HostReal* value) {
    if (isAssigned == nullptr || value == nullptr) return kHostErrBadParameter;
    *isAssigned = field ? 1 : 0;
    if (field) *value = *field;
    return kHostNoErr;
}

HostErr SetField(std::optional<double>& field, double value, bool (*valid)(double)) {
    if (!valid(value)) return kHostErrBadParameter;
    field = value;
    return kHostNoErr;
}

HostErr Initialize(ATECharFeaturesRef* features) {
    HOST_OP(kATECharFeaturesSuite, "Initialize");
    return guarded([&]() -> HostErr {
        requireOut(features);
        *features = hand<ATECharFeaturesRef>(std::make_unique<CharFeaturesObject>());
        return kHostNoErr;
    });
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
    return withChars(features, [&](CharFeatureSet& set) -> HostErr {
        requireOut(copy);
        auto object = std::make_unique<CharFeaturesObject>();
        object->features = set;
        *copy = hand<ATECharFeaturesRef>(std::move(object));
        return kHostNoErr;
    });
}

#define CARTOVEL_REAL_FEATURE(Name, field, valid)                                                  \
    HostErr Get##Name(ATECharFeaturesRef features, ATEBool8* isAssigned, HostReal* value) {        \
        HOST_OP(kATECharFeaturesSuite, "Get" #Name);                                               \
        return withChars(features, [&](CharFeatureSet& set) {                                      \
            return GetField(set.field, isAssigned, value);                                         \
        });                                                                                        \
    }                                                                                              \
    HostErr Set##Name(ATECharFeaturesRef features, HostReal value) {                               \
        HOST_OP(kATECharFeaturesSuite, "Set" #Name);                                               \
        return withChars(features,                                                                 \
                         [&](CharFeatureSet& set) { return SetField(set.field, value, valid); });  \
    }                                                                                              \
    HostErr Clear##Name(ATECharFeaturesRef features) {                                             \
        HOST_OP(kATECharFeaturesSuite, "Clear" #Name);                                             \
        return withChars(features, [&](CharFeatureSet& set) {                                      \
            set.field.reset();                                                                     \
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
    return withChars(features, [&](CharFeatureSet& set) -> HostErr {
        requireOut(isAssigned, paint, color);
        *isAssigned = set.fill ? 1 : 0;
        if (set.fill) {
            *paint = set.fill->paint ? 1 : 0;
            *color = set.fill->color;
        }
        return kHostNoErr;
    });
}

HostErr SetFillPaint(ATECharFeaturesRef features, HostBool paint, const HostColor* color) {
    HOST_OP(kATECharFeaturesSuite, "SetFillPaint");
    return withChars(features, [&](CharFeatureSet& set) -> HostErr {
        if (color == nullptr || !isValidColour(*color)) return kHostErrBadParameter;
        set.fill = Paint{paint != 0, *color};
        return kHostNoErr;
    });
}

HostErr ClearFillPaint(ATECharFeaturesRef features) {
    HOST_OP(kATECharFeaturesSuite, "ClearFillPaint");
    return withChars(features, [&](CharFeatureSet& set) -> HostErr {
        set.fill.reset();
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

template <class Body> HostErr withParas(ATEParaFeaturesRef ref, Body&& body) {
    return guarded([&]() -> HostErr { return body(objectOf<ParaFeaturesObject>(ref).features); });
}

HostErr ParaInitialize(ATEParaFeaturesRef* features) {
    HOST_OP(kATEParaFeaturesSuite, "Initialize");
    return guarded([&]() -> HostErr {
        requireOut(features);
        *features = hand<ATEParaFeaturesRef>(std::make_unique<ParaFeaturesObject>());
        return kHostNoErr;
    });
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
    return withParas(features, [&](ParaFeatureSet& set) -> HostErr {
        requireOut(copy);
        auto object = std::make_unique<ParaFeaturesObject>();
        object->features = set;
        *copy = hand<ATEParaFeaturesRef>(std::move(object));
        return kHostNoErr;
    });
}

HostErr GetJustification(ATEParaFeaturesRef features, ATEBool8* isAssigned, int32_t* value) {
    HOST_OP(kATEParaFeaturesSuite, "GetJustification");
    return withParas(features, [&](ParaFeatureSet& set) -> HostErr {
        requireOut(isAssigned, value);
        *isAssigned = set.justification ? 1 : 0;
        if (set.justification) *value = *set.justification;
        return kHostNoErr;
    });
}

HostErr SetJustification(ATEParaFeaturesRef features, int32_t value) {
    HOST_OP(kATEParaFeaturesSuite, "SetJustification");
    return withParas(features, [&](ParaFeatureSet& set) -> HostErr {
        if (value != kATELeftJustify && value != kATERightJustify && value != kATECenterJustify)
            return kHostErrBadParameter;
        set.justification = value;
        return kHostNoErr;
    });
}

HostErr ClearJustification(ATEParaFeaturesRef features) {
    HOST_OP(kATEParaFeaturesSuite, "ClearJustification");
    return withParas(features, [&](ParaFeatureSet& set) -> HostErr {
        set.justification.reset();
        return kHostNoErr;
    });
}

constexpr ATEParaFeaturesSuite kParaFeaturesSuite = {
    ParaInitialize,   ParaAddRef,       ParaRelease,        ParaClone,
    GetJustification, SetJustification, ClearJustification,
};

// ---- ATE TextFrame Suite ---------------------------------------------------------------------

template <class Body> HostErr withFrame(ATETextFrameRef ref, Body&& body) {
    return withDocument(
        [&](Document& d) -> HostErr { return body(textArtOf(d, objectOf<FrameObject>(ref).art)); });
}

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
    return withFrame(frame, [&](Art& art) -> HostErr {
        requireOut(range);
        *range = newRange(art.handle(), 0, textLength(*art.text()));
        return kHostNoErr;
    });
}

HostErr FrameGetType(ATETextFrameRef frame, int32_t* kind) {
    HOST_OP(kATETextFrameSuite, "GetType");
    return withFrame(frame, [&](Art& art) -> HostErr {
        requireOut(kind);
        *kind = static_cast<int32_t>(art.text()->kind);
        return kHostNoErr;
    });
}

HostErr FrameGetMatrix(ATETextFrameRef frame, HostRealMatrix* matrix) {
    HOST_OP(kATETextFrameSuite, "GetMatrix");
    return withFrame(frame, [&](Art& art) -> HostErr {
        requireOut(matrix);
        *matrix = textEngineMatrix(art.text()->matrix);
        return kHostNoErr;
    });
}

constexpr ATETextFrameSuite kTextFrameSuite = {
    FrameAddRef, FrameRelease, FrameGetTextRange, FrameGetType, FrameGetMatrix,
};

// ---- ATE TextRunsIterator Suite -------------------------------------------------------------

template <class Body> HostErr withRuns(ATETextRunsIteratorRef ref, Body&& body) {
    return guarded([&]() -> HostErr { return body(objectOf<RunsObject>(ref)); });
}

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
    return withRuns(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(empty);
        *empty = runs.runs.empty() ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr IsNotDone(ATETextRunsIteratorRef ref, ATEBool8* notDone) {
    HOST_OP(kATETextRunsIteratorSuite, "IsNotDone");
    return withRuns(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(notDone);
        *notDone = runs.current < runs.runs.size() ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr IsDone(ATETextRunsIteratorRef ref, ATEBool8* done) {
    HOST_OP(kATETextRunsIteratorSuite, "IsDone");
    return withRuns(ref, [&](RunsObject& runs) -> HostErr {
        requireOut(done);
        *done = runs.current < runs.runs.size() ? 0 : 1;
        return kHostNoErr;
    });
}

HostErr Next(ATETextRunsIteratorRef ref) {
    HOST_OP(kATETextRunsIteratorSuite, "Next");
    return withRuns(ref, [&](RunsObject& runs) -> HostErr {
        if (runs.current >= runs.runs.size()) return kHostErrNotFound;
        ++runs.current;
        return kHostNoErr;
    });
}

HostErr Item(ATETextRunsIteratorRef ref, ATETextRangeRef* run) {
    HOST_OP(kATETextRunsIteratorSuite, "Item");
    return withRuns(ref, [&](RunsObject& runs) -> HostErr {
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
