#include "hostapi/wrappers/UnicodeString.h"

#include "hostapi/wrappers/AIError.h"

#include <new>
#include <utility>

namespace ai {

UnicodeString::UnicodeString(const HostUnicodeStringSuite* suite, std::string_view utf8) {
    CheckError(Make(suite, utf8, *this));
}

UnicodeString::UnicodeString(UnicodeString&& other) noexcept
    : suite_(std::exchange(other.suite_, nullptr)), string_(std::exchange(other.string_, nullptr)) {
}

UnicodeString& UnicodeString::operator=(UnicodeString&& other) noexcept {
    if (this != &other) {
        Dispose();
        suite_ = std::exchange(other.suite_, nullptr);
        string_ = std::exchange(other.string_, nullptr);
    }
    return *this;
}

HostErr UnicodeString::Make(const HostUnicodeStringSuite* suite, std::string_view utf8,
                            UnicodeString& out) noexcept {
    out.Dispose();
    if (suite == nullptr || suite->New == nullptr) return kHostErrSuiteNotFound;
    HostUString made = nullptr;
    const HostErr err = suite->New(utf8.data(), utf8.size(), &made);
    if (err != kHostNoErr) {
        // A host that fails should not hand out a string, but never leak one it did.
        if (made != nullptr && suite->Dispose != nullptr) suite->Dispose(made);
        return err;
    }
    if (made == nullptr) return kHostErrMemory;
    out.suite_ = suite;
    out.string_ = made;
    return kHostNoErr;
}

HostUString* UnicodeString::Receive(const HostUnicodeStringSuite* suite) noexcept {
    Dispose();
    suite_ = suite;
    return &string_;
}

std::string UnicodeString::as_UTF8() const {
    std::string text;
    CheckError(GetUTF8(text));
    return text;
}

HostErr UnicodeString::GetUTF8(std::string& out) const noexcept {
    out.clear();
    if (string_ == nullptr) return kHostNoErr;
    if (suite_ == nullptr || suite_->GetUTF8 == nullptr) return kHostErrSuiteNotFound;
    const char* utf8 = nullptr;
    size_t length = 0;
    const HostErr err = suite_->GetUTF8(string_, &utf8, &length);
    if (err != kHostNoErr) return err;
    if (utf8 == nullptr || length == 0) return kHostNoErr;
    try {
        out.assign(utf8, length);
    } catch (const std::bad_alloc&) {
        return kHostErrMemory;
    }
    return kHostNoErr;
}

void UnicodeString::Dispose() noexcept {
    if (string_ != nullptr && suite_ != nullptr && suite_->Dispose != nullptr)
        suite_->Dispose(string_);
    string_ = nullptr;
}

} // namespace ai
