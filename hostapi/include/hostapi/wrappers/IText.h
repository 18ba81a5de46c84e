// The text engine's wrapper classes on the module's side of the boundary: each method
// forwards to one operation of the text engine's suites and throws ATE::Exception when it
// answers with a non-zero code. Objects hold one count of their reference and give it
// back when they go; copies share the reference and take a count of their own.
#pragma once

#include "hostapi/ATETypes.h"
#include "hostapi/suites/ATECharFeaturesSuite.h"
#include "hostapi/suites/ATEParaFeaturesSuite.h"
#include "hostapi/suites/ATETextFrameSuite.h"
#include "hostapi/suites/ATETextRangeSuite.h"
#include "hostapi/suites/ATETextRunsIteratorSuite.h"

#include <exception>
#include <string>
#include <string_view>
#include <utility>

// The suite tables the wrappers call, acquired and defined by the module (its suite
// table); null while not held.
extern const ATETextRangeSuite* sATETextRange;
extern const ATECharFeaturesSuite* sATECharFeatures;
extern const ATEParaFeaturesSuite* sATEParaFeatures;
extern const ATETextFrameSuite* sATETextFrame;
extern const ATETextRunsIteratorSuite* sATETextRunsIterator;

namespace ATE {

class Exception : public std::exception {
public:
    explicit Exception(ATEErr code) noexcept : error(code) {}
    /** Always "ATE Exception"; error says what failed. */
    const char* what() const noexcept override;

    ATEErr error;
};

/** Throws ATE::Exception for a non-zero code. */
inline void Check(ATEErr code) {
    if (code != kHostNoErr) throw Exception(code);
}

/** UTF-8 as the UTF-16 the engine takes; ill-formed UTF-8 throws kHostErrEncoding. */
std::u16string FromUTF8(std::string_view utf8);

namespace detail {

template <class Ref> struct SuiteOf;
template <> struct SuiteOf<ATETextRangeRef> {
    static const ATETextRangeSuite* get() noexcept { return sATETextRange; }
};
template <> struct SuiteOf<ATECharFeaturesRef> {
    static const ATECharFeaturesSuite* get() noexcept { return sATECharFeatures; }
};
template <> struct SuiteOf<ATEParaFeaturesRef> {
    static const ATEParaFeaturesSuite* get() noexcept { return sATEParaFeatures; }
};
template <> struct SuiteOf<ATETextFrameRef> {
    static const ATETextFrameSuite* get() noexcept { return sATETextFrame; }
};
template <> struct SuiteOf<ATETextRunsIteratorRef> {
    static const ATETextRunsIteratorSuite* get() noexcept { return sATETextRunsIterator; }
};

/** One counted reference. */
template <class Ref> class Counted {
public:
    Counted() noexcept = default;
    /** Takes over the count the caller holds. */
    explicit Counted(Ref ref) noexcept : ref_(ref) {}
    Counted(const Counted& other) : ref_(other.ref_) {
        if (ref_ == nullptr) return;
        const auto* suite = SuiteOf<Ref>::get();
        const ATEErr err = suite && suite->AddRef ? suite->AddRef(ref_) : kHostErrSuiteNotFound;
        if (err != kHostNoErr) {
            ref_ = nullptr;
            throw Exception(err);
        }
    }
    Counted(Counted&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
    Counted& operator=(const Counted& other) {
        Counted copy(other);
        std::swap(ref_, copy.ref_);
        return *this;
    }
    Counted& operator=(Counted&& other) noexcept {
        Counted gone(std::move(other));
        std::swap(ref_, gone.ref_);
        return *this;
    }
    ~Counted() {
        const auto* suite = SuiteOf<Ref>::get();
        if (ref_ != nullptr && suite != nullptr && suite->Release != nullptr) suite->Release(ref_);
    }

    Ref get() const noexcept { return ref_; }

private:
    Ref ref_ = nullptr;
};

} // namespace detail

class ICharFeatures {
public:
    /** New features with no field assigned. */
    ICharFeatures();
    explicit ICharFeatures(ATECharFeaturesRef features) noexcept : ref_(features) {}

    ATECharFeaturesRef GetRef() const noexcept { return ref_.get(); }
    bool IsNull() const noexcept { return ref_.get() == nullptr; }
    ICharFeatures Clone() const;

    double GetFontSize(bool* isAssigned) const;
    void SetFontSize(double size);
    void ClearFontSize();
    double GetHorizontalScale(bool* isAssigned) const;
    void SetHorizontalScale(double scale);
    void ClearHorizontalScale();
    double GetVerticalScale(bool* isAssigned) const;
    void SetVerticalScale(double scale);
    void ClearVerticalScale();
    double GetCharacterRotation(bool* isAssigned) const;
    void SetCharacterRotation(double degrees);
    void ClearCharacterRotation();
    /** Whether the fill is painted; *color receives its colour when given. */
    bool GetFillPaint(bool* isAssigned, HostColor* color = nullptr) const;
    void SetFillPaint(bool paint, const HostColor& color);
    void ClearFillPaint();

private:
    detail::Counted<ATECharFeaturesRef> ref_;
};

class IParaFeatures {
public:
    /** New features with no field assigned. */
    IParaFeatures();
    explicit IParaFeatures(ATEParaFeaturesRef features) noexcept : ref_(features) {}

    ATEParaFeaturesRef GetRef() const noexcept { return ref_.get(); }
    bool IsNull() const noexcept { return ref_.get() == nullptr; }
    IParaFeatures Clone() const;

    int32_t GetJustification(bool* isAssigned) const;
    void SetJustification(int32_t justification);
    void ClearJustification();

private:
    detail::Counted<ATEParaFeaturesRef> ref_;
};

class ITextRunsIterator;

class ITextRange {
public:
    ITextRange() noexcept = default;
    explicit ITextRange(ATETextRangeRef range) noexcept : ref_(range) {}

    ATETextRangeRef GetRef() const noexcept { return ref_.get(); }
    bool IsNull() const noexcept { return ref_.get() == nullptr; }

    int32_t GetStart() const;
    int32_t GetEnd() const;
    int32_t GetSize() const;
    std::u16string GetContents() const;
    /** Inserts at the end of the range, which grows to take the text in. */
    void InsertAfter(std::u16string_view text);

    ICharFeatures GetUniqueCharFeatures() const;
    IParaFeatures GetUniqueParaFeatures() const;
    void SetLocalCharFeatures(const ICharFeatures& features);
    void SetLocalParaFeatures(const IParaFeatures& features);
    ITextRunsIterator GetTextRuns() const;

private:
    detail::Counted<ATETextRangeRef> ref_;
};

class ITextRunsIterator {
public:
    explicit ITextRunsIterator(ATETextRunsIteratorRef runs) noexcept : ref_(runs) {}

    ATETextRunsIteratorRef GetRef() const noexcept { return ref_.get(); }
    bool IsEmpty() const;
    bool IsNotDone() const;
    bool IsDone() const;
    void Next();
    /** The current run. */
    ITextRange Item() const;

private:
    detail::Counted<ATETextRunsIteratorRef> ref_;
};

class ITextFrame {
public:
    ITextFrame() noexcept = default;
    explicit ITextFrame(ATETextFrameRef frame) noexcept : ref_(frame) {}

    ATETextFrameRef GetRef() const noexcept { return ref_.get(); }
    bool IsNull() const noexcept { return ref_.get() == nullptr; }

    /** kATEPointTextType, kATEInPathTextType or kATEOnPathTextType. */
    int32_t GetType() const;
    /** In the text engine's convention (y down). */
    HostRealMatrix GetMatrix() const;
    ITextRange GetTextRange(bool includeOverflow = true) const;

private:
    detail::Counted<ATETextFrameRef> ref_;
};

} // namespace ATE
