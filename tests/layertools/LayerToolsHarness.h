// A stand-in host with an open document for the layer tools: the module's code runs in
// this process against the host's real suites (acquired the way the module acquires them),
// dialogs are answered by a scripted user and alerts by scripted answers. The built module
// is loaded too, so the dialog templates are found the way the host finds them.
#pragma once

#include "frame/SuiteHolder.h"
#include "host/core/Application.h"
#include "host/core/Responder.h"
#include "host/docsuites/DocumentSession.h"
#include "platform/UserAgent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lt {

/** One layer of a document to build, in pre-order. */
struct LayerEntry {
    int depth;
    std::string title;
    bool visible = true;
};

/** Bytes of a file, as written or read. */
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
/** text converted with the C library's iconv, as another program would write it. */
std::string Iconv(const std::string& text, const char* to, const char* from = "UTF-8");

class LayerToolsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /** Replaces the open document with one holding these layers; the first layer is
     *  current. */
    void OpenDocument(const std::vector<LayerEntry>& layers);
    host::Document& document() const { return session_->document(); }
    /** Every layer in pre-order as "depth:title" (hidden ones marked with "*"). */
    std::vector<std::string> Outline() const;
    std::vector<std::string> Titles() const;
    host::Layer* LayerNamed(const std::string& title) const;
    HostLayerHandle HandleOf(const std::string& title) const;

    /** Dialogs of this test are played from script. */
    void Script(std::vector<ws::ScriptedUser::Action> actions);
    ws::ScriptedUser& user() { return *user_; }
    /** Answers to the host's questions, in order. */
    void Answer(std::vector<host::Answer> answers);
    /** Texts of the message alerts shown so far. */
    std::vector<std::string> Messages() const;

    /** Loads the built module and starts it (for commands chosen from its menus). */
    void StartModule();
    /** Chooses the module's menu item with this text, as a user would. */
    HostErr ChooseMenu(const std::string& text);

    HostPluginRef pluginRef() const { return module_->ref(); }
    const std::filesystem::path& dir() const { return dir_; }

    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;

private:
    std::filesystem::path dir_;
    std::unique_ptr<host::DocumentSession> session_;
    std::unique_ptr<SuiteHolder> suites_;
    std::unique_ptr<host::ScriptedResponder> responder_;
    std::unique_ptr<ws::ScriptedUser> user_;
    std::unique_ptr<ws::ScopedUserAgent> agent_;
};

} // namespace lt
