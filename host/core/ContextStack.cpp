#include "host/core/ContextStack.h"

namespace host {

HostErr ContextStack::push(Module* owner, HostAppContext* context) {
    if (context == nullptr) return kHostErrBadParameter;
    // Handles are serial numbers, never reused, so a stale handle cannot match a new top.
    ++pushes_;
    const auto handle = reinterpret_cast<HostAppContext>(static_cast<std::uintptr_t>(pushes_));
    stack_.push_back({handle, owner});
    *context = handle;
    return kHostNoErr;
}

HostErr ContextStack::pop(HostAppContext context) {
    if (stack_.empty() || stack_.back().handle != context) {
        ++mismatches_;
        return kHostErrBadParameter;
    }
    stack_.pop_back();
    return kHostNoErr;
}

Module* ContextStack::currentOwner() const {
    return stack_.empty() ? nullptr : stack_.back().owner;
}

std::size_t ContextStack::unwindTo(std::size_t depth) {
    std::size_t dropped = 0;
    while (stack_.size() > depth) {
        stack_.pop_back();
        ++dropped;
    }
    mismatches_ += dropped;
    return dropped;
}

} // namespace host
