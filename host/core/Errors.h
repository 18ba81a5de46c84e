// Host-side error handling: the exception that carries a host code inside the host, the
// guard that keeps every exception from crossing the C boundary, and the texts the
// command-line host prints for a code.
#pragma once

#include "hostapi/HostTypes.h"

#include <new>
#include <stdexcept>
#include <string>

namespace host {

/// Codes the stand-in host produces beside those of the interface headers.
enum : HostErr {
    /// A question was asked that nobody could answer (no scripted answer, no terminal), or
    /// the answer given does not fit the question.
    kHostErrNoAnswer = HOST_FOURCC('A', 'N', 'S', '?'),
    /// A module file could not be loaded: unreadable, no or malformed property list, no
    /// entry.
    kHostErrBadModule = HOST_FOURCC('M', 'O', 'D', '?'),
};

/// A failure inside the host with its code and a sentence for the user.
class HostError : public std::runtime_error {
public:
    HostError(HostErr code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    [[nodiscard]] HostErr code() const { return code_; }

private:
    HostErr code_;
};

/// Runs the body of a suite operation; an exception becomes a host code so that none crosses
/// the C boundary (bad_alloc 'MEM!', HostError its code, anything else 'CANT').
template <class Body> HostErr guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return kHostErrMemory;
    } catch (const HostError& e) {
        return e.code();
    } catch (...) {
        return kHostErrCant;
    }
}

/// The code as its four characters ("MEM!"), or as a decimal number when it is not four
/// printable characters.
std::string codeText(HostErr code);

/// A sentence saying what the code means, for messages to the user.
std::string describeCode(HostErr code);

} // namespace host
