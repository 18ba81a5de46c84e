// What the user saw and did while a command ran (alerts, questions, dialogs, cancel
// requests), and the exit status the run ends with, decided from that record and the
// command's code alone.
#pragma once

#include "host/core/Responder.h"
#include "hostapi/HostTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace cartovel {

enum ExitStatus : int {
    kExitOk = 0,
    kExitError = 1,
    kExitCancelled = 2,
    kExitRefused = 3,
    kExitUsage = 64,
};

class RunLog {
public:
    enum class Event { Message, Answered, Unanswered, Dialog, CancelRequested };

    void add(Event event, std::string text = {}) { events_.push_back({event, std::move(text)}); }
    void clear() { events_.clear(); }
    [[nodiscard]] std::size_t size() const { return events_.size(); }
    /// The last alert shown after the first `from` events; empty when none was.
    [[nodiscard]] std::string lastMessageSince(std::size_t from) const;

    struct Outcome {
        ExitStatus status;
        /// The alert that ended the command, when one did.
        std::string alert;
    };
    /// The rule, from the command's code and what the user saw:
    /// - a code other than 0 and 'STOP' is an error (1);
    /// - when a message alert is the last thing the command showed, it ended the command:
    ///   shown before the user gave anything (no dialog, no answered question) it is a
    ///   refusal that changed nothing (3); shown later, with 'STOP', it reports a problem
    ///   with what the user gave (1); with 0 it is the command's closing word (0);
    /// - otherwise 'STOP' is the user's cancel (2) and 0 is done (0).
    [[nodiscard]] Outcome outcome(HostErr result) const;

private:
    struct Entry {
        Event event;
        std::string text;
    };
    std::vector<Entry> events_;
};

/// Puts the host's alerts and questions through to another responder and writes them into
/// the log. A question that gets no fitting answer calls onUnanswered, so the host can stop
/// the command at once.
class LoggingResponder final : public host::Responder {
public:
    LoggingResponder(host::Responder& inner, RunLog& log, std::function<void()> onUnanswered);

    void showMessage(std::string_view text) override;
    std::optional<host::Answer> ask(host::QuestionKind kind, std::string_view text) override;
    void showProgressText(std::string_view text) override { inner_.showProgressText(text); }
    void showProgress(std::int32_t current, std::int32_t maximum) override {
        inner_.showProgress(current, maximum);
    }
    bool cancelRequested() override;

private:
    host::Responder& inner_;
    RunLog& log_;
    std::function<void()> onUnanswered_;
};

} // namespace cartovel
