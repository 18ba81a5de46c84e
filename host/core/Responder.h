// Who answers the host's alerts and questions and watches its progress display: a script of
// answers (tests, batch runs) or a person at a terminal.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

enum class Answer { Ok, Cancel, Yes, No };
enum class QuestionKind { OkCancel, YesNo };

/// "ok", "cancel", "yes", "no" (any case); nullopt for anything else.
std::optional<Answer> parseAnswer(std::string_view text);
std::string_view answerText(Answer answer);
/// Ok and Cancel answer OK/Cancel questions, Yes and No answer Yes/No questions.
bool answerFits(QuestionKind kind, Answer answer);

class Responder {
public:
    virtual ~Responder() = default;
    /// A message alert; returns when the user has closed it.
    virtual void showMessage(std::string_view text) = 0;
    /// The user's answer; nullopt when nobody can answer.
    virtual std::optional<Answer> ask(QuestionKind kind, std::string_view text) = 0;
    virtual void showProgressText(std::string_view /*text*/) {}
    virtual void showProgress(std::int32_t /*current*/, std::int32_t /*maximum*/) {}
    /// True when the user asked to stop the work in progress.
    virtual bool cancelRequested() { return false; }
};

/// Answers from a list, in the order the questions come. When the list runs out, the
/// fallback (if any) is asked; messages, progress and cancel requests reach the fallback
/// too.
class ScriptedResponder final : public Responder {
public:
    explicit ScriptedResponder(std::vector<Answer> answers = {}, Responder* fallback = nullptr);

    void addAnswer(Answer answer) { answers_.push_back(answer); }
    /// The k-th cancel query from now on (1 is the next) and every later one report that the
    /// user asked to stop, as a user who pressed Cancel once.
    void cancelAtQuery(std::uint64_t k);
    [[nodiscard]] std::size_t answersLeft() const { return answers_.size() - next_; }

    void showMessage(std::string_view text) override;
    std::optional<Answer> ask(QuestionKind kind, std::string_view text) override;
    void showProgressText(std::string_view text) override;
    void showProgress(std::int32_t current, std::int32_t maximum) override;
    bool cancelRequested() override;

private:
    std::vector<Answer> answers_;
    std::size_t next_ = 0;
    Responder* fallback_;
    std::uint64_t queries_ = 0;
    std::optional<std::uint64_t> cancelAt_;
};

/// A person at a terminal: alerts are printed to out, questions read from in (asked again
/// until the answer fits; end of input means no answer), progress drawn as a bar. A cancel is
/// requested once *interrupted becomes true (the command-line host sets it on Ctrl-C).
class TerminalResponder final : public Responder {
public:
    TerminalResponder(std::istream& in, std::ostream& out,
                      const std::atomic<bool>* interrupted = nullptr);

    void showMessage(std::string_view text) override;
    std::optional<Answer> ask(QuestionKind kind, std::string_view text) override;
    void showProgressText(std::string_view text) override;
    void showProgress(std::int32_t current, std::int32_t maximum) override;
    bool cancelRequested() override;

    /// Width of the bar in characters.
    static constexpr int kBarWidth = 30;

private:
    void endProgressLine();

    std::istream& in_;
    std::ostream& out_;
    const std::atomic<bool>* interrupted_;
    std::string progressText_;
    int shownPermille_ = -1;
    bool barOnLine_ = false;
};

} // namespace host
