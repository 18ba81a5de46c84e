// One run of the command-line host: the application, the module, who answers questions and
// dialogs, and the exit status the run ends with.
#pragma once

#include "DialogAgent.h"
#include "NamedAnswers.h"
#include "RunLog.h"
#include "host/core/Application.h"
#include "host/core/Responder.h"

#include <csignal>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cartovel {

struct SessionOptions {
    std::string pluginPath;
    /// The preference store's file (--prefs); empty: the user's configuration folder.
    std::filesystem::path preferencesFile;
    /// --precision: path operations treat outlines closer than this (points) as one.
    double precision = host::kDefaultPrecision;
    /// --defaults: the commands start from their built-in settings and store none.
    bool builtInSettings = false;
    /// Answers to the module's questions, in the order they are asked (--answer).
    std::vector<host::Answer> answers;
    /// Answers to questions by name (--answer NAME=ANSWER), whenever they are asked.
    std::vector<NamedAnswer> namedAnswers;
    /// Dialog fields (--set).
    std::vector<FieldSetting> fields;
    /// Questions and dialogs without a scripted answer go to the person at the terminal.
    bool interactive = false;
    /// Shows each dialog the session answers on its own (the about box's text).
    bool echoDialogs = false;
    std::istream* in = nullptr;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

class Session {
public:
    explicit Session(SessionOptions options);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    host::Application& app() { return *app_; }
    [[nodiscard]] host::Module* module() const { return module_; }

    /// Loads the module (property list first) and starts it. A load failure is kept and
    /// returned as its code.
    HostErr start();
    /// The module's menu item with this text; null when there is none.
    [[nodiscard]] host::MenuItem* findItem(std::string_view text) const;
    /// The module's item in the sub-menu of the host's "About" group.
    [[nodiscard]] host::MenuItem* aboutItem() const;

    /// Records a failure of the host's own (it wins over the module's result); status is
    /// the exit status it gives.
    void fail(HostErr code, std::string message, ExitStatus status = kExitError);
    /// A failure is recorded: the host's own, an unanswered question or a dialog's.
    [[nodiscard]] bool hasFailed() const;
    /// A command-line argument that does not fit the document (exit status 64).
    void usageError(std::string message) {
        fail(kHostErrBadParameter, std::move(message), kExitUsage);
    }
    /// Prints what the run ended with and returns the exit status (see RunLog::outcome):
    /// 0 done, 1 an error (with the code's four characters and a sentence, or the alert
    /// that ended the command), 2 cancelled, 3 refused, 64 a usage error.
    int finish(HostErr result);
    struct Verdict {
        int status;
        std::string message; // what finish prints, without "cartovel: "
    };
    /// What finish would return and print, without printing it.
    [[nodiscard]] Verdict verdict(HostErr result) const;
    /// Ctrl-C was pressed during the last session (a batch stops there).
    static bool interruptRequested();
    /// The result is saved: a Ctrl-C from now on no longer cancels the run.
    void markSaved() { saved_ = true; }

private:
    void armTestInterrupt();

    SessionOptions options_;
    std::unique_ptr<host::Responder> terminal_;
    std::unique_ptr<host::ScriptedResponder> answers_;
    std::unique_ptr<NamedAnswerResponder> namedAnswers_;
    RunLog log_;
    std::unique_ptr<LoggingResponder> logging_;
    std::unique_ptr<ws::UserAgent> terminalUser_;
    std::unique_ptr<DialogAgent> dialogs_;
    std::unique_ptr<ws::ScopedUserAgent> agentScope_;
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    struct Failure {
        HostErr code;
        std::string message;
        ExitStatus status;
    };
    std::optional<Failure> failure_;
    struct sigaction previousInterrupt_ {};
    bool saved_ = false;
};

} // namespace cartovel
