// Answers given by question name (--answer NAME=ANSWER): each answers its question every
// time the module asks it, in any order; other questions go on to the answers given in
// order.
#pragma once

#include "host/core/Responder.h"

#include <string>
#include <vector>

namespace cartovel {

struct NamedAnswer {
    /// The question as the module asks it; "NAME" stands for any text it fills in.
    std::string pattern;
    host::Answer answer;
};

/// Whether the module's question text is the pattern with its NAME filled in.
bool questionMatches(std::string_view pattern, std::string_view asked);

class NamedAnswerResponder final : public host::Responder {
public:
    NamedAnswerResponder(std::vector<NamedAnswer> answers, host::Responder& inner)
        : answers_(std::move(answers)), inner_(inner) {}

    void showMessage(std::string_view text) override { inner_.showMessage(text); }
    std::optional<host::Answer> ask(host::QuestionKind kind, std::string_view text) override;
    void showProgressText(std::string_view text) override { inner_.showProgressText(text); }
    void showProgress(std::int32_t current, std::int32_t maximum) override {
        inner_.showProgress(current, maximum);
    }
    bool cancelRequested() override { return inner_.cancelRequested(); }

private:
    std::vector<NamedAnswer> answers_;
    host::Responder& inner_;
};

} // namespace cartovel
