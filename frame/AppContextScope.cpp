#include "frame/AppContextScope.h"

#include "frame/HostSuites.h"

AppContextScope::AppContextScope(HostPluginRef pluginRef, HostErr withoutSuite) noexcept {
    result_ = sContext != nullptr ? sContext->PushAppContext(pluginRef, &context_) : withoutSuite;
}

AppContextScope::~AppContextScope() {
    if (result_ == kHostNoErr && sContext != nullptr) sContext->PopAppContext(context_);
}
