#include "common/HostText.h"

#include "frame/HostSuites.h"

#include <utf8.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

HostErr Adopt(HostErr err, HostUString made, ai::UnicodeString& out) {
    HostUString* place = out.Receive(sUnicodeString);
    if (err != kHostNoErr) {
        if (made != nullptr) sUnicodeString->Dispose(made);
        return err;
    }
    if (made == nullptr) return kHostErrMemory;
    *place = made;
    return kHostNoErr;
}

} // namespace

std::string SanitizeUTF8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    // Well-formed runs are kept whole; the byte that breaks one is replaced.
    auto at = bytes.begin();
    while (true) {
        const auto bad = utf8::find_invalid(at, bytes.end());
        out.append(at, bad);
        if (bad == bytes.end()) break;
        out += kReplacement;
        at = bad + 1;
    }
    return out;
}

std::string CutToUTF16Units(std::string_view utf8, size_t maxUnits) {
    size_t units = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const size_t need = length == 4 ? 2 : 1;
        if (units + need > maxUnits) break;
        units += need;
        i += length;
    }
    return std::string(utf8.substr(0, std::min(i, utf8.size())));
}

HostErr NewText(std::string_view utf8, ai::UnicodeString& out) noexcept {
    return ai::UnicodeString::Make(sUnicodeString, utf8, out);
}

HostErr NewTextFromUTF16(std::span<const uint16_t> units, ai::UnicodeString& out) {
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    std::vector<uint16_t> clean(units.begin(), units.end());
    for (size_t i = 0; i < clean.size(); ++i) {
        const uint16_t u = clean[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 &&
            clean[i + 1] <= 0xDFFF) {
            ++i; // a whole pair
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            clean[i] = 0xFFFD;
        }
    }
    HostUString made = nullptr;
    const HostErr err = sUnicodeString->NewFromUTF16(clean.data(), clean.size(), &made);
    return Adopt(err, made, out);
}

HostErr NewTextFromBytes(std::string_view bytes, int32_t encoding, ai::UnicodeString& out) {
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    if (encoding == kHostEncodingUTF8) return NewText(SanitizeUTF8(bytes), out);
    HostUString made = nullptr;
    HostErr err = sUnicodeString->NewFromBytes(bytes.data(), bytes.size(), encoding, &made);
    if (err == kHostErrEncoding && sUnicodeString->NewFromBytesReplacing != nullptr) {
        if (made != nullptr) sUnicodeString->Dispose(made);
        made = nullptr;
        err = sUnicodeString->NewFromBytesReplacing(bytes.data(), bytes.size(), encoding, &made);
    }
    return Adopt(err, made, out);
}

HostErr TextToUTF8(HostUString text, std::string& out) {
    out.clear();
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    const char* utf8 = nullptr;
    size_t length = 0;
    if (const HostErr err = sUnicodeString->GetUTF8(text, &utf8, &length)) return err;
    if (utf8 != nullptr) out.assign(utf8, length);
    return kHostNoErr;
}

HostErr TextLength(HostUString text, size_t& length) noexcept {
    length = 0;
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    return sUnicodeString->Length(text, &length);
}

HostErr TextFind(HostUString text, HostUString what, size_t from, size_t& position) noexcept {
    position = kHostUStringNotFound;
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    return sUnicodeString->Find(text, what, from, &position);
}

HostErr TextEquals(HostUString a, HostUString b, bool& equal) noexcept {
    equal = false;
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    int32_t order = 1;
    const HostErr err = sUnicodeString->Compare(a, b, &order);
    equal = err == kHostNoErr && order == 0;
    return err;
}

HostErr TextCharAt(HostUString text, size_t position, uint32_t& codePoint) noexcept {
    codePoint = 0;
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    return sUnicodeString->CharAt(text, position, &codePoint);
}

HostErr TextErase(HostUString text, size_t position, size_t count) noexcept {
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    return sUnicodeString->Erase(text, position, count);
}

HostErr TextAppend(HostUString text, HostUString tail) noexcept {
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    return sUnicodeString->Append(text, tail);
}

HostErr TextSubstring(HostUString text, size_t position, size_t count,
                      ai::UnicodeString& out) noexcept {
    if (const HostErr err = NewText({}, out)) return err;
    return sUnicodeString->Substring(text, position, count, out.get());
}

HostErr TextCopy(HostUString text, ai::UnicodeString& out) noexcept {
    return TextSubstring(text, 0, kHostUStringNotFound, out);
}
