// Turns a failure thrown by the module's code into a host code, so that no exception
// ever reaches the host.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/AIError.h"

/** The code of a thrown ai::Error; kHostErrCant for anything else, and for an ai::Error that
 *  carries no code, which would otherwise read as success. */
inline HostErr ConvertAIError(const ai::Error& error) noexcept {
    return error.code() != kHostNoErr ? error.code() : kHostErrCant;
}

/** Runs operation (returning a HostErr) and converts whatever it throws. */
template <class Operation> HostErr CallConverted(Operation&& operation) noexcept {
    try {
        return operation();
    } catch (const ai::Error& error) {
        return ConvertAIError(error);
    } catch (...) {
        return kHostErrCant;
    }
}
