// The application context stack: a module pushes its context around work it does outside a
// host message (or while handling a notification) and pops it afterwards.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstdint>
#include <vector>

namespace host {

class Module;

class ContextStack {
public:
    /// Pushes a new context for owner; *context receives its handle.
    HostErr push(Module* owner, HostAppContext* context);
    /// Pops context, which must be the top: kHostErrBadParameter otherwise (the stack is
    /// left as it was).
    HostErr pop(HostAppContext context);

    [[nodiscard]] std::size_t depth() const { return stack_.size(); }
    /// Owner of the top context; null when the stack is empty.
    [[nodiscard]] Module* currentOwner() const;
    /// Drops contexts above depth (a module that left without popping); returns how many.
    std::size_t unwindTo(std::size_t depth);

    [[nodiscard]] std::uint64_t pushes() const { return pushes_; }
    /// Pops refused because the context was not the top one, and contexts left behind.
    [[nodiscard]] std::uint64_t mismatches() const { return mismatches_; }

private:
    struct Entry {
        HostAppContext handle;
        Module* owner;
    };
    std::vector<Entry> stack_;
    std::uint64_t pushes_ = 0;
    std::uint64_t mismatches_ = 0;
};

} // namespace host
