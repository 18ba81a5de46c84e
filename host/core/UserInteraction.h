// The host's alerts, questions and progress display ("AI User Suite"), answered by a
// Responder and recorded so that tests and the command-line host can read what was shown.
#pragma once

#include "host/core/Responder.h"
#include "hostapi/HostTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct AlertRecord {
    enum class Kind { Message, OkCancel, YesNo };
    Kind kind;
    std::string text;
    /// The answer to a question; empty for a message or an unanswered question.
    std::optional<Answer> answer;
};

struct ProgressRecord {
    std::int32_t current;
    std::int32_t maximum;
};

class UserInteraction {
public:
    UserInteraction();

    /// responder answers from now on; it is not owned. Null goes back to the default, a
    /// script without answers (every question is then unanswered).
    void setResponder(Responder* responder);
    [[nodiscard]] Responder& responder() const { return *responder_; }

    void message(std::string text);
    /// Asks the responder; *result is 1 for Ok or Yes, 0 otherwise. When nobody answers or
    /// the answer does not fit the question, *result is 0, the failure is recorded (naming
    /// the question) and kHostErrNoAnswer is returned.
    HostErr ask(QuestionKind kind, std::string text, std::int32_t* result);
    void progressText(std::string text);
    void progressValue(std::int32_t current, std::int32_t maximum);
    bool cancelQuery();

    [[nodiscard]] const std::vector<AlertRecord>& alerts() const { return alerts_; }
    [[nodiscard]] const std::vector<std::string>& progressTexts() const { return progressTexts_; }
    [[nodiscard]] const std::vector<ProgressRecord>& progressValues() const {
        return progressValues_;
    }
    [[nodiscard]] std::uint64_t cancelQueries() const { return cancelQueries_; }
    /// The first question that could not be answered since the last clearFailure, as a
    /// sentence for the user.
    [[nodiscard]] const std::optional<std::string>& failure() const { return failure_; }
    void clearFailure() { failure_.reset(); }
    /// Forgets what was shown (alerts, progress, failure).
    void clearRecords();

private:
    ScriptedResponder silent_;
    Responder* responder_;
    std::vector<AlertRecord> alerts_;
    std::vector<std::string> progressTexts_;
    std::vector<ProgressRecord> progressValues_;
    std::uint64_t cancelQueries_ = 0;
    std::optional<std::string> failure_;
};

} // namespace host
