// A stand-in host with an open document for the map tools: the module's code runs in this
// process against the host's real suites (acquired the way the module acquires them),
// dialogs are answered by a scripted user and questions by scripted answers. The built
// module is loaded too, so the dialog templates are found the way the host finds them.
#pragma once

#include "frame/SuiteHolder.h"
#include "host/core/Application.h"
#include "host/core/Responder.h"
#include "host/docsuites/DocumentSession.h"
#include "platform/UserAgent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace maptest {

class MapToolsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /** A new empty document (one layer, "Layer 1", current) replaces the open one. */
    host::Document& NewDocument();
    host::Document& doc() const { return session_->document(); }
    /** Ends the host and starts a new one on the same preference file; the open document
     *  goes. */
    void RestartHost();

    // Building documents.
    host::Layer& AddLayer(const std::string& title);
    host::Art& Group(host::Art& parent);
    host::Art& Path(host::Art& parent, std::vector<HostRealPoint> points, bool closed = false);
    void SetAttributes(host::Art& art, std::uint32_t mask, std::uint32_t value);
    void Select(host::Art& art) { SetAttributes(art, host::kAttrSelected, host::kAttrSelected); }

    // Reading documents.
    static std::vector<HostRealPoint> Points(const host::Art& path);

    /** Dialogs are played from this script from now on. */
    void Script(std::vector<ws::ScriptedUser::Action> actions);
    const ws::ScriptedUser& user() const { return *user_; }
    /** Answers to the host's questions, in the order they are asked. */
    void Answers(std::vector<host::Answer> answers);
    std::vector<std::string> Messages() const;
    std::vector<std::string> Questions() const;

    /** Starts the loaded module and chooses its menu item with this text, as a user would. */
    HostErr ChooseMenu(const std::string& text);

    HostPluginRef pluginRef() const { return module_->ref(); }
    host::Application& app() const { return *app_; }
    const std::filesystem::path& preferencesFile() const { return prefs_; }

private:
    void StartHost();
    void StopHost();

    std::filesystem::path dir_;
    std::filesystem::path prefs_;
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    std::unique_ptr<host::DocumentSession> session_;
    std::unique_ptr<SuiteHolder> suites_;
    std::unique_ptr<host::ScriptedResponder> responder_;
    std::unique_ptr<ws::ScriptedUser> user_;
    std::unique_ptr<ws::ScopedUserAgent> agent_;
};

} // namespace maptest
