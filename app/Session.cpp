#include "Session.h"

#include "host/core/Errors.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <ostream>
#include <unistd.h>

namespace cartovel {
namespace {

std::atomic<bool> gInterrupted{false};

extern "C" void onInterrupt(int) {
    gInterrupted = true;
}

// Without a person at the terminal: alerts are printed, questions have no answer, and the
// progress bar is drawn only on a terminal (a log gets no carriage-return noise).
class BatchResponder final : public host::Responder {
public:
    BatchResponder(std::istream& in, std::ostream& err)
        : terminal_(in, err, &gInterrupted), drawProgress_(isatty(STDERR_FILENO) != 0) {}
    void showMessage(std::string_view text) override { terminal_.showMessage(text); }
    std::optional<host::Answer> ask(host::QuestionKind, std::string_view) override {
        return std::nullopt;
    }
    void showProgressText(std::string_view text) override {
        if (drawProgress_) terminal_.showProgressText(text);
    }
    void showProgress(std::int32_t current, std::int32_t maximum) override {
        if (drawProgress_) terminal_.showProgress(current, maximum);
    }
    bool cancelRequested() override { return gInterrupted.load(); }

private:
    host::TerminalResponder terminal_;
    bool drawProgress_;
};

} // namespace

Session::Session(SessionOptions options) : options_(std::move(options)) {
    gInterrupted = false;
    // Without SA_RESTART, so that Ctrl-C also ends a read at a question prompt.
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInterrupt_);
    if (options_.interactive) {
        terminal_ =
            std::make_unique<host::TerminalResponder>(*options_.in, *options_.err, &gInterrupted);
        terminalUser_ = std::make_unique<ws::TerminalUser>(*options_.in, *options_.err);
    } else {
        terminal_ = std::make_unique<BatchResponder>(*options_.in, *options_.err);
    }
    answers_ = std::make_unique<host::ScriptedResponder>(options_.answers, terminal_.get());
    // A question nobody answers stops the command at once: every later host operation
    // fails, and the first failure ends the command.
    namedAnswers_ = std::make_unique<NamedAnswerResponder>(options_.namedAnswers, *answers_);
    logging_ = std::make_unique<LoggingResponder>(*namedAnswers_, log_, [this] {
        app_->faults().failOperation(host::kEveryOperation, host::kHostErrNoAnswer);
    });
    dialogs_ = std::make_unique<DialogAgent>(options_.fields, terminalUser_.get(),
                                             options_.echoDialogs ? options_.out : nullptr, &log_);
    agentScope_ = std::make_unique<ws::ScopedUserAgent>(*dialogs_);
    host::ApplicationOptions appOptions;
    appOptions.preferencesFile = options_.preferencesFile;
    appOptions.preferencesInMemory = options_.builtInSettings;
    appOptions.precision = options_.precision;
    app_ = std::make_unique<host::Application>(std::move(appOptions));
    app_->user().setResponder(logging_.get());
}

Session::~Session() {
    app_.reset();
    agentScope_.reset();
    ::sigaction(SIGINT, &previousInterrupt_, nullptr);
}

HostErr Session::start() {
    try {
        module_ = &app_->loadModule(options_.pluginPath);
    } catch (const host::HostError& e) {
        fail(e.code(), e.what());
        return e.code();
    }
    const HostErr started = app_->startModules();
    armTestInterrupt();
    return started;
}

void Session::armTestInterrupt() {
    // Tests of interrupted runs press Ctrl-C at a chosen host call of the command.
    const char* at = std::getenv("CARTOVEL_TEST_INTERRUPT_AT_CALL");
    if (at == nullptr) return;
    std::uint64_t nth = 0;
    const std::string_view text(at);
    if (std::from_chars(text.data(), text.data() + text.size(), nth).ptr !=
            text.data() + text.size() ||
        nth == 0)
        return;
    app_->faults().atCall(nth, [] { std::raise(SIGINT); });
}

host::MenuItem* Session::findItem(std::string_view text) const {
    for (host::MenuItem* item : app_->menus().items())
        if (item->owner == module_ && item->text == text && !item->isSeparator()) return item;
    return nullptr;
}

host::MenuItem* Session::aboutItem() const {
    const host::MenuGroup* about = app_->menus().findGroup("About");
    if (about == nullptr) return nullptr;
    for (const host::MenuItem* holder : about->items) {
        if (holder->subMenu == nullptr) continue;
        for (host::MenuItem* item : holder->subMenu->items)
            if (item->owner == module_ && !item->isSeparator()) return item;
    }
    return nullptr;
}

void Session::fail(HostErr code, std::string message, ExitStatus status) {
    if (!failure_) failure_ = Failure{code, std::move(message), status};
}

Session::Verdict Session::verdict(HostErr result) const {
    const auto error = [](HostErr code, const std::string& sentence) {
        return Verdict{kExitError, host::codeText(code) + ": " + sentence};
    };
    // Ctrl-C ends the run as cancelled, whatever the command made of it, unless its result
    // was already saved.
    if (interruptRequested() && !saved_) return {kExitCancelled, "interrupted"};
    if (failure_) {
        if (failure_->status != kExitError) return {failure_->status, failure_->message};
        return error(failure_->code, failure_->message);
    }
    if (const auto& question = app_->user().failure())
        return error(host::kHostErrNoAnswer, *question);
    if (!dialogs_->refusals().empty())
        return {kExitUsage, "--set: " + dialogs_->refusals().front()};
    if (!dialogs_->errors().empty()) {
        const HostErr code =
            result != kHostNoErr && result != kHostErrCancelled ? result : host::kHostErrNoAnswer;
        return error(code, "dialog: " + dialogs_->errors().front());
    }
    const RunLog::Outcome outcome = log_.outcome(result);
    switch (outcome.status) {
    case kExitOk:
        return {kExitOk, {}};
    case kExitCancelled:
        return {kExitCancelled, "cancelled"};
    case kExitRefused:
        return {kExitRefused, "refused: " + outcome.alert};
    default:
        // Settings typed in from the command line that the command found out of range.
        if (result == kHostErrBadParameter && !outcome.alert.empty() && dialogs_->anyFieldUsed())
            return {kExitUsage,
                    "--set: the command refused the settings: \"" + outcome.alert + "\""};
        if (!outcome.alert.empty())
            return {kExitError, "the command ended with the alert \"" + outcome.alert + "\""};
        return error(result, host::describeCode(result));
    }
}

bool Session::hasFailed() const {
    return failure_.has_value() || app_->user().failure().has_value() ||
           !dialogs_->errors().empty() || !dialogs_->refusals().empty();
}

int Session::finish(HostErr result) {
    // The module is shut down after the command; the stop armed by an unanswered question
    // must not reach that.
    app_->faults().clear();
    std::ostream& err = *options_.err;
    const Verdict v = verdict(result);
    if (v.status == kExitOk) {
        // Only a run that worked has fields and answers left over by choice of the user;
        // after a failure they are left because the command ended early.
        for (const std::string& name : dialogs_->unusedFields())
            err << "cartovel: warning: no dialog took the field \"" << name << "\"\n";
        if (answers_->answersLeft() > 0)
            err << "cartovel: warning: " << answers_->answersLeft() << " answer(s) were not used\n";
    }
    if (!v.message.empty()) err << "cartovel: " << v.message << '\n';
    return v.status;
}

bool Session::interruptRequested() {
    return gInterrupted.load();
}

} // namespace cartovel
