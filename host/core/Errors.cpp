#include "host/core/Errors.h"

#include <array>
#include <utility>

namespace host {

std::string codeText(HostErr code) {
    const auto value = static_cast<std::uint32_t>(code);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((value >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::to_string(code);
        text.push_back(c);
    }
    return text;
}

std::string describeCode(HostErr code) {
    static constexpr std::array<std::pair<HostErr, const char*>, 16> kTexts{{
        {kHostNoErr, "No error."},
        {kHostErrMemory, "The host ran out of memory."},
        {kHostErrUnhandledMessage, "The module did not handle the message."},
        {kHostErrCancelled, "The user cancelled."},
        {kHostErrCant, "The operation failed for a reason that has no host code."},
        {kHostErrPurgeFreed, "The module released memory."},
        {kHostErrSuiteNotFound, "The host has no suite of that name and version."},
        {kHostErrBadParameter, "An operation was given an argument it cannot take."},
        {kHostErrWrongType, "The operation does not apply to this kind of object."},
        {kHostErrBadHandle, "A handle names nothing the host holds."},
        {kHostErrNotFound, "An object, key or item does not exist."},
        {kHostErrNoDocument, "There is no document open."},
        {kHostErrRefused, "The operation was refused in the object's current state."},
        {kHostErrFile, "A file could not be read or written."},
        {kHostErrNoAnswer, "A question was asked that nobody answered."},
        {kHostErrBadModule, "The module file could not be loaded."},
    }};
    for (const auto& [known, text] : kTexts)
        if (known == code) return text;
    return "The operation failed.";
}

} // namespace host
