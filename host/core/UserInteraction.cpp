#include "host/core/UserInteraction.h"

#include "host/core/Errors.h"

namespace host {

UserInteraction::UserInteraction() : responder_(&silent_) {}

void UserInteraction::setResponder(Responder* responder) {
    responder_ = responder != nullptr ? responder : &silent_;
}

void UserInteraction::message(std::string text) {
    alerts_.push_back({AlertRecord::Kind::Message, text, std::nullopt});
    responder_->showMessage(text);
}

HostErr UserInteraction::ask(QuestionKind kind, std::string text, std::int32_t* result) {
    if (result != nullptr) *result = 0;
    const auto recordKind =
        kind == QuestionKind::OkCancel ? AlertRecord::Kind::OkCancel : AlertRecord::Kind::YesNo;
    alerts_.push_back({recordKind, text, std::nullopt});
    const std::optional<Answer> answer = responder_->ask(kind, text);
    const char* kindName = kind == QuestionKind::OkCancel ? "OK/Cancel" : "Yes/No";
    if (!answer || !answerFits(kind, *answer)) {
        if (!failure_) {
            failure_ = answer ? "the answer \"" + std::string(answerText(*answer)) +
                                    "\" does not fit the " + kindName + " question \"" + text + "\""
                              : "no answer was given to the " + std::string(kindName) +
                                    " question \"" + text + "\"";
        }
        return kHostErrNoAnswer;
    }
    alerts_.back().answer = answer;
    if (result != nullptr) *result = (*answer == Answer::Ok || *answer == Answer::Yes) ? 1 : 0;
    return kHostNoErr;
}

void UserInteraction::progressText(std::string text) {
    responder_->showProgressText(text);
    progressTexts_.push_back(std::move(text));
}

void UserInteraction::progressValue(std::int32_t current, std::int32_t maximum) {
    progressValues_.push_back({current, maximum});
    responder_->showProgress(current, maximum);
}

bool UserInteraction::cancelQuery() {
    ++cancelQueries_;
    return responder_->cancelRequested();
}

void UserInteraction::clearRecords() {
    alerts_.clear();
    progressTexts_.clear();
    progressValues_.clear();
    cancelQueries_ = 0;
    failure_.reset();
}

} // namespace host
