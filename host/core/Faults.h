// Fault injection and call counting for every host operation.
//
// Each operation of a host suite starts with one line,
//
//     HostErr AddMenuItem(...) {
//         HOST_OP(kHostMenuSuite, "AddMenuItem");
//         ...
//
// which counts the call against the current application and returns the injected code when
// a test armed a fault for it. Operations that do not return a HostErr use
// HOST_OP_OR(suite, op, valueOnFault): the fault makes them return that value instead.
// Without a current application the operation fails with kHostErrCant.
//
// Tests arm faults through Application::faults():
//
//     app.faults().failAcquisition(50, kHostErrMemory);              // the 50th acquisition
//     app.faults().failOperation("AI Menu Suite/AddMenuItem", 'NOPE'); // every call
//     app.faults().failOperation("AddMenuItem", 'NOPE', 3);          // only the 3rd call
//     app.faults().failOperation(kEveryOperation, 'ANS?');           // every operation
//     app.faults().failCall(120, kHostErrMemory);                    // the 120th call of any
//     app.faults().calls("AddMenuItem");                             // calls so far
//
//     app.faults().atCall(40, [] { std::raise(SIGINT); });           // Ctrl-C at the 40th call
//
// Counting starts when a rule is armed: "the 3rd call" is the 3rd call after failOperation.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

/// The rule name that matches every operation of every suite: the host uses it to stop a
/// command at its next host call.
inline constexpr std::string_view kEveryOperation = "*";

/// Process-wide number of one operation ("AI Menu Suite" / "AddMenuItem").
using OperationId = std::uint32_t;

/// Registers an operation once and returns its number; the same names always give the same
/// number. Thread-safe; called from the static local of HOST_OP.
OperationId registerOperation(std::string_view suite, std::string_view operation);

/// "Suite/Operation" of a registered operation.
std::string operationName(OperationId id);

class Faults {
public:
    /// Rule value for failOperation: the fault fires on every call.
    static constexpr std::uint64_t kEveryCall = 0;

    /// The nth suite acquisition from now on (1 is the next one) fails with code.
    void failAcquisition(std::uint64_t nth, HostErr code);

    /// Calls of the operation named "Suite/Operation" or, matching every suite, "Operation"
    /// fail with code: every call (onCall kEveryCall) or only the onCall-th call from now on.
    void failOperation(std::string_view name, HostErr code, std::uint64_t onCall = kEveryCall);

    /// The nth call of any operation from now on (1 is the next one) fails with code: a
    /// sweep counts the calls of a run with totalCalls(), then fails each in turn.
    void failCall(std::uint64_t nth, HostErr code);

    /// Runs action as the nth call of any operation from now on begins (the call then goes
    /// on as usual): a test presses Ctrl-C at a chosen point of a command.
    void atCall(std::uint64_t nth, std::function<void()> action);

    /// Drops every armed rule; counts stay.
    void clear();

    /// Calls so far of "Suite/Operation", or of "Operation" in every suite.
    [[nodiscard]] std::uint64_t calls(std::string_view name) const;
    /// Suite acquisitions attempted so far (failed ones included).
    [[nodiscard]] std::uint64_t acquisitions() const { return acquisitions_; }
    /// Faults that fired so far: lets a test check that its rule matched something.
    [[nodiscard]] std::uint64_t fired() const { return fired_; }
    /// Calls so far of every operation together.
    [[nodiscard]] std::uint64_t totalCalls() const { return totalCalls_; }
    /// "Suite/Operation" of the last call a fault fired on; empty before the first.
    [[nodiscard]] const std::string& lastFiredOperation() const { return lastFired_; }

    /// Host side: counts one call and returns the injected code, or 0.
    HostErr enterOperation(OperationId id);
    /// Host side: counts one acquisition and returns the injected code, or 0.
    HostErr enterAcquisition();

private:
    [[gnu::noinline]] HostErr applyRules(OperationId id);

    struct OperationRule {
        std::string name;
        HostErr code;
        std::uint64_t onCall;
        std::uint64_t seen = 0;
    };
    struct AcquisitionRule {
        std::uint64_t nth;
        HostErr code;
        std::uint64_t seen = 0;
    };

    std::vector<std::uint64_t> calls_; // by OperationId
    std::vector<OperationRule> operationRules_;
    std::vector<AcquisitionRule> acquisitionRules_;
    std::vector<AcquisitionRule> callRules_; // the same shape: the nth of all calls
    struct CallAction {
        std::uint64_t nth;
        std::function<void()> action;
        std::uint64_t seen = 0;
    };
    std::vector<CallAction> callActions_;
    std::uint64_t acquisitions_ = 0;
    std::uint64_t totalCalls_ = 0;
    std::string lastFired_;
    std::uint64_t fired_ = 0;
};

/// Counts one call of the operation in the current application and returns its injected code
/// (kHostErrCant without a current application).
HostErr checkOperation(OperationId id) noexcept;

} // namespace host

#define HOST_OP(suiteName, operationName)                                                          \
    do {                                                                                           \
        static const ::host::OperationId hostOpId_ =                                               \
            ::host::registerOperation(suiteName, operationName);                                   \
        if (const HostErr hostOpErr_ = ::host::checkOperation(hostOpId_)) return hostOpErr_;       \
    } while (false)

#define HOST_OP_OR(suiteName, operationName, valueOnFault)                                         \
    do {                                                                                           \
        static const ::host::OperationId hostOpId_ =                                               \
            ::host::registerOperation(suiteName, operationName);                                   \
        if (::host::checkOperation(hostOpId_) != kHostNoErr) return valueOnFault;                  \
    } while (false)

namespace host {

/// An operation's name as a template argument.
template <std::size_t N> struct OperationLiteral {
    char text[N];
    // Implicit: written as a plain string literal.
    constexpr OperationLiteral(const char (&name)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }
};

template <const char* Suite, OperationLiteral Name, auto Impl> struct CountedOperation;

template <const char* Suite, OperationLiteral Name, class... Args, HostErr (*Impl)(Args...)>
struct CountedOperation<Suite, Name, Impl> {
    static HostErr call(Args... args) {
        HOST_OP(Suite, Name.text);
        return Impl(args...);
    }
};

/// A suite table's entry for an operation that HOST_OP counts as Suite/Name and Impl carries
/// out: operations that share one implementation differ only in the name they count under.
template <const char* Suite, OperationLiteral Name, auto Impl>
inline constexpr auto counted = &CountedOperation<Suite, Name, Impl>::call;

} // namespace host
