#include "host/core/Responder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <istream>
#include <ostream>

namespace host {

std::optional<Answer> parseAnswer(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr std::array<std::pair<std::string_view, Answer>, 4> kAnswers{
        {{"ok", Answer::Ok}, {"cancel", Answer::Cancel}, {"yes", Answer::Yes}, {"no", Answer::No}}};
    for (const auto& [name, answer] : kAnswers)
        if (lower == name) return answer;
    return std::nullopt;
}

std::string_view answerText(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "ok";
    case Answer::Cancel:
        return "cancel";
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    }
    return "?";
}

bool answerFits(QuestionKind kind, Answer answer) {
    if (kind == QuestionKind::OkCancel) return answer == Answer::Ok || answer == Answer::Cancel;
    return answer == Answer::Yes || answer == Answer::No;
}

// ---- ScriptedResponder ----

ScriptedResponder::ScriptedResponder(std::vector<Answer> answers, Responder* fallback)
    : answers_(std::move(answers)), fallback_(fallback) {}

void ScriptedResponder::cancelAtQuery(std::uint64_t k) {
    cancelAt_ = queries_ + k;
}

void ScriptedResponder::showMessage(std::string_view text) {
    if (fallback_ != nullptr) fallback_->showMessage(text);
}

std::optional<Answer> ScriptedResponder::ask(QuestionKind kind, std::string_view text) {
    if (next_ < answers_.size()) return answers_[next_++];
    if (fallback_ != nullptr) return fallback_->ask(kind, text);
    return std::nullopt;
}

void ScriptedResponder::showProgressText(std::string_view text) {
    if (fallback_ != nullptr) fallback_->showProgressText(text);
}

void ScriptedResponder::showProgress(std::int32_t current, std::int32_t maximum) {
    if (fallback_ != nullptr) fallback_->showProgress(current, maximum);
}

bool ScriptedResponder::cancelRequested() {
    ++queries_;
    const bool scripted = cancelAt_.has_value() && queries_ >= *cancelAt_;
    const bool user = fallback_ != nullptr && fallback_->cancelRequested();
    return scripted || user;
}

// ---- TerminalResponder ----

TerminalResponder::TerminalResponder(std::istream& in, std::ostream& out,
                                     const std::atomic<bool>* interrupted)
    : in_(in), out_(out), interrupted_(interrupted) {}

void TerminalResponder::endProgressLine() {
    if (!barOnLine_) return;
    out_ << '\n';
    barOnLine_ = false;
    shownPermille_ = -1;
}

void TerminalResponder::showMessage(std::string_view text) {
    endProgressLine();
    out_ << text << '\n';
    out_.flush();
}

std::optional<Answer> TerminalResponder::ask(QuestionKind kind, std::string_view text) {
    endProgressLine();
    const char* choices = kind == QuestionKind::OkCancel ? "[ok/cancel]" : "[yes/no]";
    for (;;) {
        out_ << text << ' ' << choices << ' ';
        out_.flush();
        std::string line;
        if (!std::getline(in_, line)) {
            out_ << '\n';
            return std::nullopt;
        }
        const auto first = line.find_first_not_of(" \t\r");
        const auto last = line.find_last_not_of(" \t\r");
        const std::string word =
            first == std::string::npos ? "" : line.substr(first, last - first + 1);
        std::optional<Answer> answer = parseAnswer(word);
        // Single letters are what people type at a prompt.
        if (!answer && word.size() == 1) {
            switch (std::tolower(static_cast<unsigned char>(word[0]))) {
            case 'o':
                answer = Answer::Ok;
                break;
            case 'c':
                answer = Answer::Cancel;
                break;
            case 'y':
                answer = Answer::Yes;
                break;
            case 'n':
                answer = Answer::No;
                break;
            default:
                break;
            }
        }
        if (answer && answerFits(kind, *answer)) return answer;
        out_ << "Please answer " << choices << ".\n";
    }
}

void TerminalResponder::showProgressText(std::string_view text) {
    progressText_ = text;
    shownPermille_ = -1; // redraw with the new text at the next value
}

void TerminalResponder::showProgress(std::int32_t current, std::int32_t maximum) {
    const std::int64_t max = std::max<std::int64_t>(maximum, 1);
    const std::int64_t cur = std::clamp<std::int64_t>(current, 0, max);
    const int permille = static_cast<int>(cur * 1000 / max);
    if (permille == shownPermille_) return;
    shownPermille_ = permille;
    const int filled = permille * kBarWidth / 1000;
    out_ << '\r';
    if (!progressText_.empty()) out_ << progressText_ << ' ';
    out_ << '[' << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '-') << "] " << permille / 10
         << '%';
    out_.flush();
    barOnLine_ = true;
    if (cur == max) endProgressLine();
}

bool TerminalResponder::cancelRequested() {
    return interrupted_ != nullptr && interrupted_->load();
}

} // namespace host
