// The plug-in's application context around work the host did not start with a message of
// its own (notifiers, panel windows).
#pragma once

#include "hostapi/HostTypes.h"

/** Pushes the plug-in's application context for a scope; the pop happens on every way
 *  out. A failed push is remembered and skips the pop. */
class AppContextScope {
public:
    /** withoutSuite is the result when the host gives no context suite, so nothing is
     *  pushed. */
    explicit AppContextScope(HostPluginRef pluginRef,
                             HostErr withoutSuite = kHostErrSuiteNotFound) noexcept;
    ~AppContextScope();
    AppContextScope(const AppContextScope&) = delete;
    AppContextScope& operator=(const AppContextScope&) = delete;

    HostErr Result() const noexcept { return result_; }

private:
    HostAppContext context_ = nullptr;
    HostErr result_ = kHostNoErr;
};
