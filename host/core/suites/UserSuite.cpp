#include "hostapi/suites/UserSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr MessageAlert(HostUString text) {
    HOST_OP(kHostUserSuite, "MessageAlert");
    return suites::withText(text, [](const std::string& message) {
        suites::context().user().message(message);
        return kHostNoErr;
    });
}

HostErr Ask(QuestionKind kind, HostUString text, int32_t* result) {
    if (result == nullptr) return kHostErrBadParameter;
    *result = 0;
    return suites::withText(text, [&](const std::string& question) {
        return suites::context().user().ask(kind, question, result);
    });
}

HostErr OKCancelAlert(HostUString text, HostBool /*defaultOK*/, int32_t* result) {
    HOST_OP(kHostUserSuite, "OKCancelAlert");
    return Ask(QuestionKind::OkCancel, text, result);
}

HostErr YesNoAlert(HostUString text, int32_t* result) {
    HOST_OP(kHostUserSuite, "YesNoAlert");
    return Ask(QuestionKind::YesNo, text, result);
}

HostErr SetProgressText(HostUString text) {
    HOST_OP(kHostUserSuite, "SetProgressText");
    return suites::withText(text, [](const std::string& message) {
        suites::context().user().progressText(message);
        return kHostNoErr;
    });
}

HostErr UpdateProgress(int32_t current, int32_t maximum) {
    HOST_OP(kHostUserSuite, "UpdateProgress");
    return guarded([&]() -> HostErr {
        suites::context().user().progressValue(current, maximum);
        return kHostNoErr;
    });
}

// The query has no way to report a failure: one that fails reads as "no stop asked", so a
// host fault is never passed off as the user's cancel.
HostBool Cancel() {
    HOST_OP_OR(kHostUserSuite, "Cancel", 0);
    try {
        return suites::context().user().cancelQuery() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

HostErr GetUIScaleFactor(HostReal* factor) {
    HOST_OP(kHostUserSuite, "GetUIScaleFactor");
    if (factor == nullptr) return kHostErrBadParameter;
    *factor = suites::context().panels().look().uiScale;
    return kHostNoErr;
}

HostErr GetPlatformScaleFactor(HostReal* factor) {
    HOST_OP(kHostUserSuite, "GetPlatformScaleFactor");
    if (factor == nullptr) return kHostErrBadParameter;
    *factor = suites::context().panels().look().platformScale;
    return kHostNoErr;
}

constexpr HostUserSuite kTable = {MessageAlert,     OKCancelAlert,         YesNoAlert,
                                  SetProgressText,  UpdateProgress,        Cancel,
                                  GetUIScaleFactor, GetPlatformScaleFactor};

} // namespace

void installUserSuite(SuiteRegistry& registry) {
    registry.provide(kHostUserSuite, kHostUserSuiteVersion, &kTable);
}

} // namespace host
