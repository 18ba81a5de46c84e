// The wrappers of the text engine and of the host report failures by throwing. A command
// that uses them runs that part through here, so the failure ends it with its own code
// like any other host error.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/AIError.h"
#include "hostapi/wrappers/IText.h"

#include <new>

template <class Body> HostErr WithWrapperErrors(Body&& body) {
    try {
        return body();
    } catch (const ATE::Exception& e) {
        return e.error;
    } catch (const ai::Error& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return kHostErrMemory;
    }
}
