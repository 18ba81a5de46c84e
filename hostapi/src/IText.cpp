#include "hostapi/wrappers/IText.h"

#include <utf8.h>

#include <cstdint>
#include <iterator>
#include <limits>

namespace ATE {

namespace {

/** Calls one operation of suite, throwing for a missing suite or operation and for a
 *  non-zero code. */
template <class Suite, class Fn, class... Args>
void Call(const Suite* suite, Fn Suite::*operation, Args... args) {
    if (suite == nullptr || suite->*operation == nullptr) throw Exception(kHostErrSuiteNotFound);
    Check((suite->*operation)(args...));
}

template <class Suite, class Ref, class Get>
double GetReal(const Suite* suite, Get Suite::*operation, Ref ref, bool* isAssigned) {
    ATEBool8 assigned = 0;
    HostReal value = 0.0;
    Call(suite, operation, ref, &assigned, &value);
    if (isAssigned != nullptr) *isAssigned = assigned != 0;
    return value;
}

} // namespace

const char* Exception::what() const noexcept {
    return "ATE Exception";
}

std::u16string FromUTF8(std::string_view text) {
    if (!utf8::is_valid(text.begin(), text.end())) throw Exception(kHostErrEncoding);
    std::u16string out;
    out.reserve(text.size());
    utf8::unchecked::utf8to16(text.begin(), text.end(), std::back_inserter(out));
    return out;
}

// ---- ICharFeatures -------------------------------------------------------------------------

ICharFeatures::ICharFeatures() {
    ATECharFeaturesRef made = nullptr;
    Call(sATECharFeatures, &ATECharFeaturesSuite::Initialize, &made);
    ref_ = detail::Counted<ATECharFeaturesRef>(made);
}

ICharFeatures ICharFeatures::Clone() const {
    ATECharFeaturesRef copy = nullptr;
    Call(sATECharFeatures, &ATECharFeaturesSuite::Clone, GetRef(), &copy);
    return ICharFeatures(copy);
}

double ICharFeatures::GetFontSize(bool* isAssigned) const {
    return GetReal(sATECharFeatures, &ATECharFeaturesSuite::GetFontSize, GetRef(), isAssigned);
}
void ICharFeatures::SetFontSize(double size) {
    Call(sATECharFeatures, &ATECharFeaturesSuite::SetFontSize, GetRef(), size);
}
void ICharFeatures::ClearFontSize() {
    Call(sATECharFeatures, &ATECharFeaturesSuite::ClearFontSize, GetRef());
}
double ICharFeatures::GetHorizontalScale(bool* isAssigned) const {
    return GetReal(sATECharFeatures, &ATECharFeaturesSuite::GetHorizontalScale, GetRef(),
                   isAssigned);
}
void ICharFeatures::SetHorizontalScale(double scale) {
    Call(sATECharFeatures, &ATECharFeaturesSuite::SetHorizontalScale, GetRef(), scale);
}
void ICharFeatures::ClearHorizontalScale() {
    Call(sATECharFeatures, &ATECharFeaturesSuite::ClearHorizontalScale, GetRef());
}
double ICharFeatures::GetVerticalScale(bool* isAssigned) const {
    return GetReal(sATECharFeatures, &ATECharFeaturesSuite::GetVerticalScale, GetRef(), isAssigned);
}
void ICharFeatures::SetVerticalScale(double scale) {
    Call(sATECharFeatures, &ATECharFeaturesSuite::SetVerticalScale, GetRef(), scale);
}
void ICharFeatures::ClearVerticalScale() {
    Call(sATECharFeatures, &ATECharFeaturesSuite::ClearVerticalScale, GetRef());
}
double ICharFeatures::GetCharacterRotation(bool* isAssigned) const {
    return GetReal(sATECharFeatures, &ATECharFeaturesSuite::GetCharacterRotation, GetRef(),
                   isAssigned);
}
void ICharFeatures::SetCharacterRotation(double degrees) {
    Call(sATECharFeatures, &ATECharFeaturesSuite::SetCharacterRotation, GetRef(), degrees);
}
void ICharFeatures::ClearCharacterRotation() {
    Call(sATECharFeatures, &ATECharFeaturesSuite::ClearCharacterRotation, GetRef());
}
bool ICharFeatures::GetFillPaint(bool* isAssigned, HostColor* color) const {
    ATEBool8 assigned = 0;
    HostBool paint = 0;
    HostColor colour{};
    Call(sATECharFeatures, &ATECharFeaturesSuite::GetFillPaint, GetRef(), &assigned, &paint,
         &colour);
    if (isAssigned != nullptr) *isAssigned = assigned != 0;
    if (color != nullptr && assigned) *color = colour;
    return paint != 0;
}
void ICharFeatures::SetFillPaint(bool paint, const HostColor& color) {
    Call(sATECharFeatures, &ATECharFeaturesSuite::SetFillPaint, GetRef(),
         static_cast<HostBool>(paint ? 1 : 0), &color);
}
void ICharFeatures::ClearFillPaint() {
    Call(sATECharFeatures, &ATECharFeaturesSuite::ClearFillPaint, GetRef());
}

// ---- IParaFeatures -------------------------------------------------------------------------

IParaFeatures::IParaFeatures() {
    ATEParaFeaturesRef made = nullptr;
    Call(sATEParaFeatures, &ATEParaFeaturesSuite::Initialize, &made);
    ref_ = detail::Counted<ATEParaFeaturesRef>(made);
}

IParaFeatures IParaFeatures::Clone() const {
    ATEParaFeaturesRef copy = nullptr;
    Call(sATEParaFeatures, &ATEParaFeaturesSuite::Clone, GetRef(), &copy);
    return IParaFeatures(copy);
}

int32_t IParaFeatures::GetJustification(bool* isAssigned) const {
    ATEBool8 assigned = 0;
    int32_t value = kATELeftJustify;
    Call(sATEParaFeatures, &ATEParaFeaturesSuite::GetJustification, GetRef(), &assigned, &value);
    if (isAssigned != nullptr) *isAssigned = assigned != 0;
    return value;
}
void IParaFeatures::SetJustification(int32_t justification) {
    Call(sATEParaFeatures, &ATEParaFeaturesSuite::SetJustification, GetRef(), justification);
}
void IParaFeatures::ClearJustification() {
    Call(sATEParaFeatures, &ATEParaFeaturesSuite::ClearJustification, GetRef());
}

// ---- ITextRange -----------------------------------------------------------------------------

int32_t ITextRange::GetStart() const {
    int32_t value = 0;
    Call(sATETextRange, &ATETextRangeSuite::GetStart, GetRef(), &value);
    return value;
}
int32_t ITextRange::GetEnd() const {
    int32_t value = 0;
    Call(sATETextRange, &ATETextRangeSuite::GetEnd, GetRef(), &value);
    return value;
}
int32_t ITextRange::GetSize() const {
    int32_t value = 0;
    Call(sATETextRange, &ATETextRangeSuite::GetSize, GetRef(), &value);
    return value;
}

std::u16string ITextRange::GetContents() const {
    const int32_t size = GetSize();
    std::u16string text(static_cast<size_t>(size > 0 ? size : 0), u'\0');
    int32_t copied = 0;
    Call(sATETextRange, &ATETextRangeSuite::GetContents, GetRef(),
         reinterpret_cast<uint16_t*>(text.data()), static_cast<int32_t>(text.size()), &copied);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void ITextRange::InsertAfter(std::u16string_view text) {
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw Exception(kHostErrBadParameter);
    Call(sATETextRange, &ATETextRangeSuite::InsertAfter, GetRef(),
         reinterpret_cast<const uint16_t*>(text.data()), static_cast<int32_t>(text.size()));
}

ICharFeatures ITextRange::GetUniqueCharFeatures() const {
    ATECharFeaturesRef features = nullptr;
    Call(sATETextRange, &ATETextRangeSuite::GetUniqueCharFeatures, GetRef(), &features);
    return ICharFeatures(features);
}

IParaFeatures ITextRange::GetUniqueParaFeatures() const {
    ATEParaFeaturesRef features = nullptr;
    Call(sATETextRange, &ATETextRangeSuite::GetUniqueParaFeatures, GetRef(), &features);
    return IParaFeatures(features);
}

void ITextRange::SetLocalCharFeatures(const ICharFeatures& features) {
    Call(sATETextRange, &ATETextRangeSuite::SetLocalCharFeatures, GetRef(), features.GetRef());
}

void ITextRange::SetLocalParaFeatures(const IParaFeatures& features) {
    Call(sATETextRange, &ATETextRangeSuite::SetLocalParaFeatures, GetRef(), features.GetRef());
}

ITextRunsIterator ITextRange::GetTextRuns() const {
    ATETextRunsIteratorRef runs = nullptr;
    Call(sATETextRange, &ATETextRangeSuite::GetTextRuns, GetRef(), &runs);
    return ITextRunsIterator(runs);
}

// ---- ITextRunsIterator --------------------------------------------------------------------

namespace {

using RunsQuestion = ATEErr (*)(ATETextRunsIteratorRef, ATEBool8*);

bool Ask(RunsQuestion ATETextRunsIteratorSuite::*question, ATETextRunsIteratorRef runs) {
    ATEBool8 answer = 0;
    Call(sATETextRunsIterator, question, runs, &answer);
    return answer != 0;
}

} // namespace

bool ITextRunsIterator::IsEmpty() const {
    return Ask(&ATETextRunsIteratorSuite::IsEmpty, GetRef());
}
bool ITextRunsIterator::IsNotDone() const {
    return Ask(&ATETextRunsIteratorSuite::IsNotDone, GetRef());
}
bool ITextRunsIterator::IsDone() const {
    return Ask(&ATETextRunsIteratorSuite::IsDone, GetRef());
}
void ITextRunsIterator::Next() {
    Call(sATETextRunsIterator, &ATETextRunsIteratorSuite::Next, GetRef());
}

ITextRange ITextRunsIterator::Item() const {
    ATETextRangeRef run = nullptr;
    Call(sATETextRunsIterator, &ATETextRunsIteratorSuite::Item, GetRef(), &run);
    return ITextRange(run);
}

// ---- ITextFrame ---------------------------------------------------------------------------

int32_t ITextFrame::GetType() const {
    int32_t kind = 0;
    Call(sATETextFrame, &ATETextFrameSuite::GetType, GetRef(), &kind);
    return kind;
}

HostRealMatrix ITextFrame::GetMatrix() const {
    HostRealMatrix matrix{};
    Call(sATETextFrame, &ATETextFrameSuite::GetMatrix, GetRef(), &matrix);
    return matrix;
}

ITextRange ITextFrame::GetTextRange(bool includeOverflow) const {
    ATETextRangeRef range = nullptr;
    Call(sATETextFrame, &ATETextFrameSuite::GetTextRange, GetRef(),
         static_cast<ATEBool8>(includeOverflow ? 1 : 0), &range);
    return ITextRange(range);
}

} // namespace ATE
