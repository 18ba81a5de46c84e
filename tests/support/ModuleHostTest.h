// The stand-in host with the built module loaded, on a temporary folder of its own that
// holds its documents and its preference file. Alerts are answered from a script of
// answers and dialogs are played by a scripted user, so a test drives the module the way a
// person would: through its menu items, dialogs and questions.
#pragma once

#include "host/core/Application.h"
#include "host/core/Responder.h"
#include "host/docsuites/DocumentSession.h"
#include "platform/UserAgent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace cartotest {

class ModuleHostTest : public ::testing::Test {
protected:
    /** Starts the host on the test's temporary folder. */
    void SetUp() override;
    /** Ends the host; the folder goes with everything in it after it. */
    void TearDown() override;

    /** Starts a host on the folder with the module loaded (not started), the scripted
     *  answers installed and an empty script of dialogs. */
    virtual void StartHost();
    /** Closes the document and ends the host. */
    virtual void StopHost();
    /** Ends the host and starts a new one on the same preference file; the open document
     *  goes. */
    void RestartHost();

    /** Replaces the open document with this one. */
    host::Document& OpenSession(std::unique_ptr<host::Document> document);
    host::Document& doc() const { return session_->document(); }

    /** Dialogs are played from this script from now on. */
    void Script(std::vector<ws::ScriptedUser::Action> actions);
    ws::ScriptedUser& user() const { return *user_; }
    /** Answers to the host's questions, in the order they are asked. */
    void Answers(std::vector<host::Answer> answers);
    /** Texts of the message alerts shown so far. */
    std::vector<std::string> Messages() const;
    /** Texts of the questions asked so far. */
    std::vector<std::string> Questions() const;

    /** Starts the loaded module, as the host does at launch. */
    void StartModule();
    /** Chooses the module's menu item with this text, as a user would; the module is
     *  started first when it has not been yet. */
    HostErr ChooseMenu(const std::string& text);

    /** How often the host was asked for this operation. */
    std::uint64_t Calls(const char* operation) const { return app_->faults().calls(operation); }

    host::Application& app() const { return *app_; }
    HostPluginRef pluginRef() const { return module_->ref(); }
    host::ScriptedResponder& responder() const { return *responder_; }
    const std::filesystem::path& dir() const { return folder_.path(); }
    const std::filesystem::path& preferencesFile() const { return prefs_; }

private:
    // Test programs run side by side: each test has a folder no other one can pick.
    TempFolder folder_{"cartovel-test"};
    std::filesystem::path prefs_;
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    std::unique_ptr<host::DocumentSession> session_;
    std::unique_ptr<host::ScriptedResponder> responder_;
    std::unique_ptr<ws::ScriptedUser> user_;
    std::unique_ptr<ws::ScopedUserAgent> agent_;
};

} // namespace cartotest
