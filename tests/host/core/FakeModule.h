// In-process modules for the host's tests: an entry function of this program that records
// every message and can answer with a handler of the test's choosing.
#pragma once

#include "host/core/Application.h"
#include "hostapi/HostMessages.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace host::test {

struct FakeModule;
inline std::array<FakeModule*, 4> gFakes{};

struct FakeModule {
    FakeModule() = default;
    FakeModule(const FakeModule&) = delete;
    FakeModule& operator=(const FakeModule&) = delete;
    /// A module that is gone answers nothing more (the application may outlive it).
    ~FakeModule() {
        for (FakeModule*& slot : gFakes)
            if (slot == this) slot = nullptr;
    }

    using Handler = std::function<HostErr(FakeModule&, std::string_view caller,
                                          std::string_view selector, HostMessageData& message)>;
    /// "caller/selector", notifications with "/type".
    std::vector<std::string> log;
    Handler onMessage;
    Module* module = nullptr;
    const HostBasicSuite* basic = nullptr;

    HostErr receive(const char* caller, const char* selector, void* message) {
        auto& data = *static_cast<HostMessageData*>(message);
        basic = data.basic;
        std::string entry = std::string(caller) + "/" + selector;
        if (std::string_view(caller) == kCallerNotifier)
            entry += "/" + std::string(static_cast<HostNotifierMessage*>(message)->type);
        log.push_back(entry);
        return onMessage ? onMessage(*this, caller, selector, data) : kHostNoErr;
    }

    /// Acquires a suite through the basic suite of the last message.
    template <class Suite> const Suite* acquire(const char* name, int32_t version) const {
        const void* table = nullptr;
        return basic->AcquireSuite(name, version, &table) == kHostNoErr
                   ? static_cast<const Suite*>(table)
                   : nullptr;
    }
};

template <std::size_t N>
HostErr fakeEntry(const char* caller, const char* selector, void* message) {
    return gFakes[N] != nullptr ? gFakes[N]->receive(caller, selector, message) : kHostNoErr;
}

/// Adds fake as an in-process module of app; slot picks one of four entries.
template <std::size_t N = 0>
Module& addFakeModule(Application& app, FakeModule& fake, std::string path = "fake.so") {
    gFakes[N] = &fake;
    fake.module = &app.addModule(Module::inProcess(std::move(path), fakeEntry<N>));
    return *fake.module;
}

/// Acquires a suite from the application's registry, as a module would.
template <class Suite> const Suite* acquire(Application& app, const char* name, int32_t version) {
    const void* table = nullptr;
    return app.basicSuite()->AcquireSuite(name, version, &table) == kHostNoErr
               ? static_cast<const Suite*>(table)
               : nullptr;
}

} // namespace host::test
