#include "hostapi/suites/UserSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr MessageAlert(HostUString text) {
    HOST_OP(kHostUserSuite, "MessageAlert");
    return guarded([&]() -> HostErr {
        const std::string* message = suites::text(text);
        if (message == nullptr) return kHostErrBadHandle;
        suites::app().user().message(*message);
        return kHostNoErr;
    });
}

HostErr Ask(QuestionKind kind, HostUString text, int32_t* result) {
    if (result == nullptr) return kHostErrBadParameter;
    *result = 0;
    return guarded([&]() -> HostErr {
        const std::string* question = suites::text(text);
        if (question == nullptr) return kHostErrBadHandle;
        return suites::app().user().ask(kind, *question, result);
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
    return guarded([&]() -> HostErr {
        const std::string* message = suites::text(text);
        if (message == nullptr) return kHostErrBadHandle;
        suites::app().user().progressText(*message);
        return kHostNoErr;
    });
}

HostErr UpdateProgress(int32_t current, int32_t maximum) {
    HOST_OP(kHostUserSuite, "UpdateProgress");
    return guarded([&]() -> HostErr {
        suites::app().user().progressValue(current, maximum);
        return kHostNoErr;
    });
}

// A cancel query that fails reads as a request to stop: the host cannot confirm that the
// user wants the work to go on.
HostBool Cancel() {
    HOST_OP_OR(kHostUserSuite, "Cancel", 1);
    try {
        return suites::app().user().cancelQuery() ? 1 : 0;
    } catch (...) {
        return 1;
    }
}

HostErr GetUIScaleFactor(HostReal* factor) {
    HOST_OP(kHostUserSuite, "GetUIScaleFactor");
    if (factor == nullptr) return kHostErrBadParameter;
    *factor = suites::app().panels().look().uiScale;
    return kHostNoErr;
}

HostErr GetPlatformScaleFactor(HostReal* factor) {
    HOST_OP(kHostUserSuite, "GetPlatformScaleFactor");
    if (factor == nullptr) return kHostErrBadParameter;
    *factor = suites::app().panels().look().platformScale;
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
