#include "hostapi/suites/UnicodeStringSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/TextEncoding.h"
#include "host/core/suites/SuiteSupport.h"
#include "host/core/suites/UnicodeStringReplacing.h"

#include <algorithm>

namespace host {

HostErr newFromBytes(const char* bytes, size_t length, int32_t encoding, HostUString* string,
                     const ByteDecoders& decoders) {
    if (string == nullptr || (bytes == nullptr && length != 0)) return kHostErrBadParameter;
    *string = nullptr;
    return guarded([&]() -> HostErr {
        const std::string_view input(bytes == nullptr ? "" : bytes, length);
        std::optional<std::string> text;
        switch (encoding) {
        case kHostEncodingUTF8:
            text = decoders.utf8(input);
            break;
        case kHostEncodingPlatform:
        case kHostEncodingShiftJIS:
            text = decoders.shiftJis(input);
            break;
        default:
            return kHostErrBadParameter;
        }
        if (!text) return kHostErrEncoding;
        *string = suites::context().strings().make(std::move(*text));
        return kHostNoErr;
    });
}

namespace {

HostUStringOpaque* find(HostUString string) {
    return suites::context().strings().find(string);
}

/// Runs body with the string behind a handle, or answers kHostErrBadHandle.
template <class Body> HostErr withString(HostUString string, Body&& body) noexcept {
    return suites::withFound([&] { return find(string); }, body);
}

// Every string the host holds is well-formed UTF-8, so decoding cannot fail here.
std::u32string codePoints(const HostUStringOpaque& s) {
    return decodeUtf8(s.utf8).value();
}

void assign(HostUStringOpaque& s, std::string utf8) {
    s.utf8 = std::move(utf8);
    s.bytes.clear();
    s.utf16.clear();
}

std::optional<std::string> fromText(const char* utf8, size_t length) {
    if (utf8 == nullptr) return length == 0 ? std::optional<std::string>("") : std::nullopt;
    std::string text(utf8, length);
    if (!isValidUtf8(text)) return std::nullopt;
    return text;
}

HostErr New(const char* utf8, size_t length, HostUString* string) {
    HOST_OP(kHostUnicodeStringSuite, "New");
    if (string == nullptr) return kHostErrBadParameter;
    *string = nullptr;
    return guarded([&]() -> HostErr {
        auto text = fromText(utf8, length);
        if (!text) return kHostErrBadParameter;
        *string = suites::context().strings().make(std::move(*text));
        return kHostNoErr;
    });
}

HostErr Dispose(HostUString string) {
    HOST_OP(kHostUnicodeStringSuite, "Dispose");
    return suites::context().strings().dispose(string) ? kHostNoErr : kHostErrBadHandle;
}

HostErr Set(HostUString string, const char* utf8, size_t length) {
    HOST_OP(kHostUnicodeStringSuite, "Set");
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        auto text = fromText(utf8, length);
        if (!text) return kHostErrBadParameter;
        assign(*s, std::move(*text));
        return kHostNoErr;
    });
}

HostErr GetUTF8(HostUString string, const char** utf8, size_t* length) {
    HOST_OP(kHostUnicodeStringSuite, "GetUTF8");
    if (utf8 == nullptr) return kHostErrBadParameter;
    *utf8 = nullptr;
    const HostUStringOpaque* s = find(string);
    if (s == nullptr) return kHostErrBadHandle;
    *utf8 = s->utf8.c_str();
    if (length != nullptr) *length = s->utf8.size();
    return kHostNoErr;
}

HostErr Length(HostUString string, size_t* length) {
    HOST_OP(kHostUnicodeStringSuite, "Length");
    if (length == nullptr) return kHostErrBadParameter;
    *length = 0;
    const HostUStringOpaque* s = find(string);
    if (s == nullptr) return kHostErrBadHandle;
    *length = static_cast<size_t>(std::count_if(s->utf8.begin(), s->utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
    return kHostNoErr;
}

HostErr Find(HostUString string, HostUString what, size_t from, size_t* position) {
    HOST_OP(kHostUnicodeStringSuite, "Find");
    if (position == nullptr) return kHostErrBadParameter;
    *position = kHostUStringNotFound;
    return guarded([&]() -> HostErr {
        const HostUStringOpaque* s = find(string);
        const HostUStringOpaque* w = find(what);
        if (s == nullptr || w == nullptr) return kHostErrBadHandle;
        const std::u32string text = codePoints(*s);
        if (from > text.size()) return kHostNoErr;
        const auto found = text.find(codePoints(*w), from);
        if (found != std::u32string::npos) *position = found;
        return kHostNoErr;
    });
}

HostErr Compare(HostUString a, HostUString b, int32_t* result) {
    HOST_OP(kHostUnicodeStringSuite, "Compare");
    if (result == nullptr) return kHostErrBadParameter;
    *result = 0;
    const HostUStringOpaque* sa = find(a);
    const HostUStringOpaque* sb = find(b);
    if (sa == nullptr || sb == nullptr) return kHostErrBadHandle;
    // UTF-8 byte order is code point order.
    const int order = sa->utf8.compare(sb->utf8);
    *result = order < 0 ? -1 : order > 0 ? 1 : 0;
    return kHostNoErr;
}

HostErr Erase(HostUString string, size_t position, size_t count) {
    HOST_OP(kHostUnicodeStringSuite, "Erase");
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        std::u32string text = codePoints(*s);
        if (position > text.size()) return kHostErrBadParameter;
        text.erase(position, count);
        assign(*s, encodeUtf8(text).value());
        return kHostNoErr;
    });
}

HostErr Substring(HostUString string, size_t position, size_t count, HostUString result) {
    HOST_OP(kHostUnicodeStringSuite, "Substring");
    return guarded([&]() -> HostErr {
        const HostUStringOpaque* s = find(string);
        HostUStringOpaque* out = find(result);
        if (s == nullptr || out == nullptr) return kHostErrBadHandle;
        const std::u32string text = codePoints(*s);
        if (position > text.size()) return kHostErrBadParameter;
        assign(*out, encodeUtf8(text.substr(position, count)).value());
        return kHostNoErr;
    });
}

HostErr Append(HostUString string, HostUString tail) {
    HOST_OP(kHostUnicodeStringSuite, "Append");
    return guarded([&]() -> HostErr {
        HostUStringOpaque* s = find(string);
        const HostUStringOpaque* t = find(tail);
        if (s == nullptr || t == nullptr) return kHostErrBadHandle;
        assign(*s, s->utf8 + t->utf8);
        return kHostNoErr;
    });
}

HostErr CharAt(HostUString string, size_t position, uint32_t* codePoint) {
    HOST_OP(kHostUnicodeStringSuite, "CharAt");
    if (codePoint == nullptr) return kHostErrBadParameter;
    *codePoint = 0;
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        const std::u32string text = codePoints(*s);
        if (position >= text.size()) return kHostErrBadParameter;
        *codePoint = text[position];
        return kHostNoErr;
    });
}

HostErr SetFromCodePoint(HostUString string, uint32_t codePoint) {
    HOST_OP(kHostUnicodeStringSuite, "SetFromCodePoint");
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        auto text = encodeUtf8(std::u32string(1, static_cast<char32_t>(codePoint)));
        if (!text) return kHostErrBadParameter;
        assign(*s, std::move(*text));
        return kHostNoErr;
    });
}

HostErr NewFromBytes(const char* bytes, size_t length, int32_t encoding, HostUString* string) {
    HOST_OP(kHostUnicodeStringSuite, "NewFromBytes");
    constexpr ByteDecoders kStrict = {[](std::string_view input) -> std::optional<std::string> {
                                          if (!isValidUtf8(input)) return std::nullopt;
                                          return std::string(input);
                                      },
                                      shiftJisToUtf8};
    return newFromBytes(bytes, length, encoding, string, kStrict);
}

HostErr GetBytes(HostUString string, int32_t encoding, const char** bytes, size_t* length) {
    HOST_OP(kHostUnicodeStringSuite, "GetBytes");
    if (bytes == nullptr) return kHostErrBadParameter;
    *bytes = nullptr;
    if (length != nullptr) *length = 0;
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        std::optional<std::string> converted;
        switch (encoding) {
        case kHostEncodingUTF8:
            converted = s->utf8;
            break;
        case kHostEncodingPlatform:
        case kHostEncodingShiftJIS:
            converted = utf8ToShiftJis(s->utf8);
            break;
        default:
            return kHostErrBadParameter;
        }
        if (!converted) return kHostErrEncoding;
        s->bytes = std::move(*converted);
        *bytes = s->bytes.c_str();
        if (length != nullptr) *length = s->bytes.size();
        return kHostNoErr;
    });
}

HostErr NewFromUTF16(const uint16_t* units, size_t count, HostUString* string) {
    HOST_OP(kHostUnicodeStringSuite, "NewFromUTF16");
    if (string == nullptr || (units == nullptr && count != 0)) return kHostErrBadParameter;
    *string = nullptr;
    return guarded([&]() -> HostErr {
        std::u16string input(count, u'\0');
        std::copy_n(units, count, input.begin());
        auto text = utf16ToUtf8(input);
        if (!text) return kHostErrEncoding;
        *string = suites::context().strings().make(std::move(*text));
        return kHostNoErr;
    });
}

HostErr GetUTF16(HostUString string, const uint16_t** units, size_t* count) {
    HOST_OP(kHostUnicodeStringSuite, "GetUTF16");
    if (units == nullptr) return kHostErrBadParameter;
    *units = nullptr;
    if (count != nullptr) *count = 0;
    return withString(string, [&](HostUStringOpaque* s) -> HostErr {
        s->utf16 = utf8ToUtf16(s->utf8).value();
        static_assert(sizeof(char16_t) == sizeof(uint16_t));
        *units = reinterpret_cast<const uint16_t*>(s->utf16.c_str());
        if (count != nullptr) *count = s->utf16.size();
        return kHostNoErr;
    });
}

constexpr HostUnicodeStringSuite kTable = {New,
                                           Dispose,
                                           Set,
                                           GetUTF8,
                                           Length,
                                           Find,
                                           Compare,
                                           Erase,
                                           Substring,
                                           Append,
                                           CharAt,
                                           SetFromCodePoint,
                                           NewFromBytes,
                                           GetBytes,
                                           NewFromUTF16,
                                           GetUTF16,
                                           NewFromBytesReplacing};

} // namespace

void installUnicodeStringSuite(SuiteRegistry& registry) {
    registry.provide(kHostUnicodeStringSuite, kHostUnicodeStringSuiteVersion, &kTable);
}

} // namespace host
