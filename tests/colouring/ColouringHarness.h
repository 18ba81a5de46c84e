// The stand-in host with the built module loaded and an SVG document open, for running
// polygon colouring the way a user does: through its menu item, with scripted answers.
#pragma once

#include "host/core/Application.h"
#include "host/core/Responder.h"
#include "host/docsuites/DocumentSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace colouring {

inline constexpr const char* kMenuText = "ポリゴン色分け";

class ColouringTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Opens SVG text (user units are points, y down) as the document.
    void Open(const std::string& svg);
    void OpenFile(const std::string& path);
    host::Document& doc() const { return session_->document(); }

    /// Chooses the colouring's menu item, answering the questions in order.
    HostErr Colour(std::vector<host::Answer> answers);

    /// The art whose SVG id is name.
    host::Art& Named(const std::string& name) const;
    /// The process colour of a path's fill: cyan, magenta, yellow, black; or what it holds.
    HostColor Fill(const std::string& name) const;
    /// The palette index a fill matches; -1 when it is not a palette colour.
    static int PaletteIndex(const HostColor& colour);

    std::vector<std::string> Messages() const;
    std::vector<std::string> Questions() const;
    std::uint64_t Calls(const char* operation) const { return app_->faults().calls(operation); }

    host::Application& app() const { return *app_; }
    host::ScriptedResponder& responder() const { return *responder_; }

private:
    std::unique_ptr<host::Application> app_;
    host::Module* module_ = nullptr;
    std::unique_ptr<host::ScriptedResponder> responder_;
    std::unique_ptr<host::DocumentSession> session_;
};

} // namespace colouring
