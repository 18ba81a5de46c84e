// A person at a terminal: sees the dialog as text and answers with short commands.
#include "platform/UserAgent.h"

#include <istream>
#include <ostream>
#include <sstream>

namespace ws {
namespace {

const char* const kHelp = "commands: set ID TEXT | click ID | pick ID INDEX | ok | cancel | "
                          "show | help\n";

std::string state(const ControlInfo& c) {
    return c.enabled ? "" : " (disabled)";
}

bool isButton(ControlKind k) {
    return k == ControlKind::PushButton || k == ControlKind::DefaultButton;
}

void printControl(const ControlInfo& c, std::ostream& out) {
    const std::string id = "[" + std::to_string(c.id) + "] ";
    switch (c.kind) {
    case ControlKind::Static:
        if (!c.text.empty()) out << "  " << c.text << "\n";
        break;
    case ControlKind::GroupBox:
        out << "  -- " << c.text << " --\n";
        break;
    case ControlKind::Edit:
        out << "  " << id << "\"" << c.text << "\"" << state(c) << "\n";
        break;
    case ControlKind::CheckBox:
        out << "  " << id << (c.checked ? "[x] " : "[ ] ") << c.text << state(c) << "\n";
        break;
    case ControlKind::RadioButton:
        out << "  " << id << (c.checked ? "(*) " : "( ) ") << c.text << state(c) << "\n";
        break;
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
        out << "  " << id << "list" << state(c) << ":\n";
        for (std::size_t i = 0; i < c.items.size(); ++i)
            out << "      " << (static_cast<int>(i) == c.selection ? "> " : "  ") << i << ": "
                << c.items[i] << "\n";
        break;
    default:
        break;
    }
}

} // namespace

TerminalUser::TerminalUser(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

void TerminalUser::print(const DialogView& dialog, std::ostream& out) {
    out << "== " << dialog.caption() << " ==\n";
    std::string buttons;
    for (const ControlInfo& c : dialog.controls()) {
        if (!c.visible) continue;
        if (isButton(c.kind))
            buttons += "  [" + std::to_string(c.id) + "] " + c.text + state(c);
        else
            printControl(c, out);
    }
    if (!buttons.empty()) out << " " << buttons << "\n";
}

void TerminalUser::runDialog(DialogView& dialog) {
    print(dialog, out_);
    std::string line;
    while (dialog.isOpen()) {
        out_ << "> " << std::flush;
        if (!std::getline(in_, line)) return;
        std::istringstream words(line);
        std::string command;
        words >> command;
        std::int32_t id = 0;
        Outcome outcome;
        if (command.empty()) continue;
        if (command == "ok")
            outcome = dialog.click(WS_IDOK);
        else if (command == "cancel")
            outcome = dialog.click(WS_IDCANCEL);
        else if (command == "show")
            print(dialog, out_);
        else if (command == "help")
            out_ << kHelp;
        else if (command == "click" && words >> id)
            outcome = dialog.click(id);
        else if (command == "pick" && words >> id) {
            int index = 0;
            outcome = words >> index ? dialog.pickIndex(id, index) : Outcome{"pick needs an index"};
        } else if (command == "set" && words >> id) {
            std::string text;
            std::getline(words >> std::ws, text);
            outcome = dialog.type(id, text);
            if (outcome) outcome = dialog.leave(id);
        } else {
            out_ << kHelp;
            continue;
        }
        if (!outcome)
            reportError(outcome.error);
        else if (command != "show" && command != "help" && dialog.isOpen())
            print(dialog, out_);
    }
}

void TerminalUser::reportError(const std::string& message) {
    out_ << "error: " << message << "\n";
}

} // namespace ws
