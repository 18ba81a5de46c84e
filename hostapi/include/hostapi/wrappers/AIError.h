// The failure the module's wrapper classes throw: a non-zero host code, turned back into
// that code at the message boundary.
#pragma once

#include "hostapi/HostTypes.h"

#include <exception>

namespace ai {

class Error : public std::exception {
public:
    explicit Error(HostErr code) noexcept : code_(code) {}

    /** Always "AI Exception"; the code says what failed. */
    const char* what() const noexcept override;
    HostErr code() const noexcept { return code_; }

private:
    HostErr code_;
};

/** Throws ai::Error for a non-zero code; lets 0 through. */
inline void CheckError(HostErr code) {
    if (code != kHostNoErr) throw Error(code);
}

} // namespace ai
