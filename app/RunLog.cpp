#include "RunLog.h"

namespace cartovel {

RunLog::Outcome RunLog::outcome(HostErr result) const {
    if (result != kHostNoErr && result != kHostErrCancelled) return {kExitError, {}};
    if (!events_.empty() && events_.back().event == Event::Message) {
        bool userGaveInput = false;
        for (const Entry& entry : events_)
            userGaveInput =
                userGaveInput || entry.event == Event::Answered || entry.event == Event::Dialog;
        const std::string& alert = events_.back().text;
        if (!userGaveInput) return {kExitRefused, alert};
        return {result == kHostErrCancelled ? kExitError : kExitOk, alert};
    }
    return {result == kHostErrCancelled ? kExitCancelled : kExitOk, {}};
}

std::string RunLog::lastMessageSince(std::size_t from) const {
    for (std::size_t i = events_.size(); i > from; --i)
        if (events_[i - 1].event == Event::Message) return events_[i - 1].text;
    return {};
}

LoggingResponder::LoggingResponder(host::Responder& inner, RunLog& log,
                                   std::function<void()> onUnanswered)
    : inner_(inner), log_(log), onUnanswered_(std::move(onUnanswered)) {}

void LoggingResponder::showMessage(std::string_view text) {
    log_.add(RunLog::Event::Message, std::string(text));
    inner_.showMessage(text);
}

std::optional<host::Answer> LoggingResponder::ask(host::QuestionKind kind, std::string_view text) {
    std::optional<host::Answer> answer = inner_.ask(kind, text);
    if (answer && host::answerFits(kind, *answer)) {
        log_.add(RunLog::Event::Answered, std::string(text));
    } else {
        log_.add(RunLog::Event::Unanswered, std::string(text));
        if (onUnanswered_) onUnanswered_();
    }
    return answer;
}

bool LoggingResponder::cancelRequested() {
    const bool cancel = inner_.cancelRequested();
    if (cancel) log_.add(RunLog::Event::CancelRequested);
    return cancel;
}

} // namespace cartovel
