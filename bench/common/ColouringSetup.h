// What every in-process colouring benchmark sets up: the stand-in host with the document
// suites, the module loaded and started, the colouring command's menu item, and the
// answers a run gets.
#pragma once

#include "host/core/Application.h"
#include "host/core/Menus.h"
#include "host/core/Responder.h"

#include <optional>
#include <string_view>

namespace benchmap {

/// Loads and starts the module in app; the colouring command's menu item, or null when
/// the module does not start or has no such item.
host::MenuItem* LoadColouring(host::Application& app, const char* modulePath);

/// Confirms the run, then goes on at both node-limit questions.
host::Answer ColouringAnswer(std::string_view question);

/// Answers as ColouringAnswer and shows nothing.
class GoOn : public host::Responder {
public:
    void showMessage(std::string_view) override {}
    std::optional<host::Answer> ask(host::QuestionKind, std::string_view text) override {
        return ColouringAnswer(text);
    }
};

} // namespace benchmap
