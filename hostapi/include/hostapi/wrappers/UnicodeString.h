// Owner of one host Unicode string: disposes of it through the suite that made it, on
// every way out.
#pragma once

#include "hostapi/suites/UnicodeStringSuite.h"

#include <string>
#include <string_view>

namespace ai {

class UnicodeString {
public:
    /** Holds no string. */
    UnicodeString() noexcept = default;
    /** A new host string with the given UTF-8 text; throws ai::Error when the host refuses
     *  (no suite, invalid UTF-8, out of memory). */
    UnicodeString(const HostUnicodeStringSuite* suite, std::string_view utf8);
    ~UnicodeString() { Dispose(); }

    UnicodeString(UnicodeString&& other) noexcept;
    UnicodeString& operator=(UnicodeString&& other) noexcept;
    UnicodeString(const UnicodeString&) = delete;
    UnicodeString& operator=(const UnicodeString&) = delete;

    /** The non-throwing form of the constructor: on failure out holds no string. */
    static HostErr Make(const HostUnicodeStringSuite* suite, std::string_view utf8,
                        UnicodeString& out) noexcept;

    /** Disposes of the current string and returns the place for a string the host hands
     *  over, which this object then owns:
     *  `err = sFilePath->GetFileName(path, true, name.Receive(sUnicodeString));` */
    HostUString* Receive(const HostUnicodeStringSuite* suite) noexcept;

    /** The text as UTF-8; throws ai::Error when the host cannot give it. */
    std::string as_UTF8() const;
    /** The non-throwing form of as_UTF8. */
    HostErr GetUTF8(std::string& out) const noexcept;

    /** Borrowed for a host call; stays owned by this object. */
    HostUString get() const noexcept { return string_; }
    explicit operator bool() const noexcept { return string_ != nullptr; }

private:
    void Dispose() noexcept;

    const HostUnicodeStringSuite* suite_ = nullptr;
    HostUString string_ = nullptr;
};

} // namespace ai
