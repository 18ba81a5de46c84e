// `cartovel inx --out-dir DIR` (hidden): one Inkscape effect description per command, made
// from the command table, the dialog field tables and the dialogs themselves as they open
// with the built-in settings, so the extensions cannot drift from what `cartovel run` takes.
#include "commands/Inx.h"

#include "FieldNames.h"
#include "commands/CommandTable.h"
#include "commands/Common.h"

#include "host/docsuites/DocumentSession.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace cartovel {
namespace {

constexpr std::string_view kSubmenu = "Mirvak-Cartovel1.6";

// Every dialog of a command as it opened: the ones before the last are confirmed so the
// next one shows, the last is cancelled, and nothing is stored.
class DialogRecorder final : public ws::UserAgent {
public:
    explicit DialogRecorder(std::size_t count) : left_(count) {}
    std::map<std::int32_t, std::vector<ws::ControlInfo>> dialogs;

    void runDialog(ws::DialogView& dialog) override {
        std::vector<ws::ControlInfo> controls = dialog.controls();
        // The file dialog's own part lies in a child window: take the field controls too.
        if (const DialogFieldTable* table = dialogFields(dialog.templateId()))
            for (const DialogField& field : table->fields)
                if (auto shown = dialog.control(field.controlId); shown && !has(controls, field))
                    controls.push_back(*shown);
        dialogs[dialog.templateId()] = std::move(controls);
        if (dialog.isOpen()) dialog.click(--left_ > 0 ? WS_IDOK : WS_IDCANCEL);
    }
    void reportError(const std::string&) override {}

private:
    static bool has(const std::vector<ws::ControlInfo>& controls, const DialogField& field) {
        for (const ws::ControlInfo& c : controls)
            if (c.id == field.controlId) return true;
        return false;
    }
    std::size_t left_;
};

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char by) {
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find(by);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

const ws::ControlInfo* byId(const std::vector<ws::ControlInfo>& controls, std::int32_t id) {
    for (const ws::ControlInfo& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

// The text a person reads as the field's name: a static text to its left on its row, else
// the nearest captioned control above it.
std::string labelOf(const std::vector<ws::ControlInfo>& controls, const ws::ControlInfo& field) {
    const ws::ControlInfo* left = nullptr;
    const ws::ControlInfo* above = nullptr;
    for (const ws::ControlInfo& c : controls) {
        if (&c == &field || c.text.empty()) continue;
        const bool row = std::abs(c.rect.top - field.rect.top) <= 6;
        if (c.kind == ws::ControlKind::Static && row && c.rect.right <= field.rect.left + 2 &&
            (left == nullptr || c.rect.left > left->rect.left))
            left = &c;
        const bool captioned =
            c.kind == ws::ControlKind::CheckBox || c.kind == ws::ControlKind::RadioButton ||
            c.kind == ws::ControlKind::Static || c.kind == ws::ControlKind::GroupBox;
        if (captioned && c.rect.bottom <= field.rect.top + 2 && c.rect.left <= field.rect.left &&
            (above == nullptr || c.rect.top > above->rect.top))
            above = &c;
    }
    std::string text = left ? left->text : above ? above->text : std::string();
    while (text.ends_with(' '))
        text.pop_back();
    return text;
}

std::string chosenChoice(const DialogField& field, const std::vector<ws::ControlInfo>& controls) {
    for (const std::string_view pair : split(field.choices, ',')) {
        const std::string_view value = pair.substr(0, pair.find(':'));
        const auto id = choiceControl(field.choices, value);
        if (const ws::ControlInfo* radio = id ? byId(controls, *id) : nullptr;
            radio && radio->checked)
            return std::string(value);
    }
    return {};
}

// Inkscape starts an option group with its first option, so the one the dialog opens with
// comes first.
std::string rowLabel(const std::vector<ws::ControlInfo>& controls, const ws::ControlInfo& field) {
    for (const ws::ControlInfo& c : controls)
        if (c.kind == ws::ControlKind::Static && !c.text.empty() &&
            std::abs(c.rect.top - field.rect.top) <= 6 && c.rect.right <= field.rect.left + 2)
            return c.text;
    return {};
}

void writeChoice(std::ostream& out, const DialogField& field,
                 const std::vector<ws::ControlInfo>& controls) {
    const std::string chosen = chosenChoice(field, controls);
    std::string first, rest, label;
    for (const std::string_view pair : split(field.choices, ',')) {
        const std::string_view value = pair.substr(0, pair.find(':'));
        const auto id = choiceControl(field.choices, value);
        const ws::ControlInfo* radio = id ? byId(controls, *id) : nullptr;
        if (radio == nullptr) continue;
        // Only a text on the first button's row names the group: the captions above are
        // the dialog's group headers or other fields.
        if (label.empty() && first.empty() && rest.empty()) label = rowLabel(controls, *radio);
        const std::string option = "      <option value=\"" + escaped(value) + "\">" +
                                   escaped(radio->text) + "</option>\n";
        (value == chosen && first.empty() ? first : rest) += option;
    }
    out << "    <param name=\"" << field.name << "\" type=\"optiongroup\" appearance=\"radio\"";
    if (!label.empty()) out << " gui-text=\"" << escaped(label) << "\"";
    out << ">\n" << first << rest << "    </param>\n";
}

// A pick list's entries by alias where the field has one, else by index.
std::string pickValue(const DialogField& field, int index) {
    for (const std::string_view pair : split(field.choices, ',')) {
        const auto colon = pair.find(':');
        if (colon != std::string_view::npos && pair.substr(colon + 1) == std::to_string(index))
            return std::string(pair.substr(0, colon));
    }
    return std::to_string(index);
}

void writeField(std::ostream& out, const DialogField& field,
                const std::vector<ws::ControlInfo>& controls, bool saving) {
    using Kind = DialogField::Kind;
    if (field.kind == Kind::Choice) {
        writeChoice(out, field, controls);
        return;
    }
    const ws::ControlInfo* shown = byId(controls, field.controlId);
    if (shown == nullptr) return;
    const std::string name(field.name);
    switch (field.kind) {
    case Kind::Check:
        out << "    <param name=\"" << name << "\" type=\"bool\" gui-text=\""
            << escaped(shown->text) << "\">" << (shown->checked ? "true" : "false") << "</param>\n";
        return;
    case Kind::Text:
        if (shown->digitsOnly) {
            out << "    <param name=\"" << name << "\" type=\"int\" min=\"0\" max=\"999999999\" "
                << "gui-text=\"" << escaped(labelOf(controls, *shown)) << "\">"
                << escaped(shown->text) << "</param>\n";
        } else {
            out << "    <param name=\"" << name << "\" type=\"string\" "
                << "gui-text=\"" << escaped(labelOf(controls, *shown)) << "\">"
                << escaped(shown->text) << "</param>\n";
        }
        return;
    case Kind::Pick: {
        out << "    <param name=\"" << name << "\" type=\"optiongroup\" appearance=\"combo\" "
            << "gui-text=\"" << escaped(labelOf(controls, *shown)) << "\">\n";
        // The entry the dialog opens with comes first: Inkscape starts with the first.
        std::vector<int> order;
        if (shown->selection >= 0) order.push_back(shown->selection);
        for (int i = 0; i < static_cast<int>(shown->items.size()); ++i)
            if (i != shown->selection) order.push_back(i);
        for (const int i : order)
            out << "      <option value=\"" << escaped(pickValue(field, i)) << "\">"
                << escaped(shown->items[static_cast<std::size_t>(i)]) << "</option>\n";
        out << "    </param>\n";
        return;
    }
    case Kind::Path:
        out << "    <param name=\"" << name << "\" type=\"path\" mode=\""
            << (saving ? "file_new" : "file") << "\" filetypes=\"txt\" gui-text=\"ファイル\"/>\n";
        return;
    case Kind::Choice:
        return;
    }
}

// The control is the field's, or one of its radio buttons.
bool showsField(const DialogField& field, std::int32_t control) {
    if (field.kind != DialogField::Kind::Choice) return field.controlId == control;
    for (const std::string_view pair : split(field.choices, ','))
        if (choiceControl(field.choices, pair.substr(0, pair.find(':'))) == control) return true;
    return false;
}

std::map<std::int32_t, std::vector<ws::ControlInfo>> recordDialogs(const CliContext& context,
                                                                   const CommandEntry& entry) {
    DialogRecorder recorder(entry.dialogs.size());
    if (entry.dialogs.empty()) return {};
    std::ostringstream quiet;
    SessionOptions options = sessionOptions(context, {});
    options.interactive = false;
    options.builtInSettings = true;
    options.out = &quiet;
    options.err = &quiet;
    Session session(std::move(options));
    if (session.start() != kHostNoErr) return {};
    host::DocumentSession open(session.app(), dialogProbeDocument());
    host::MenuItem* item = session.findItem(entry.menuText);
    if (item == nullptr) return {};
    ws::ScopedUserAgent scope(recorder);
    session.app().chooseMenuItem(item->handle());
    session.finish(kHostNoErr);
    return std::move(recorder.dialogs);
}

std::string_view answerText(std::string_view answer) {
    if (answer == "ok") return "OK";
    if (answer == "cancel") return "キャンセル";
    if (answer == "yes") return "はい";
    return "いいえ";
}

void writeQuestion(std::ostream& out, const CommandQuestion& question) {
    const bool okCancel = question.kind == host::QuestionKind::OkCancel;
    std::vector<std::string_view> answers = okCancel ? std::vector<std::string_view>{"ok", "cancel"}
                                                     : std::vector<std::string_view>{"yes", "no"};
    if (answers.front() != question.preferred) std::swap(answers.front(), answers.back());
    out << "    <param name=\"answer-" << question.name
        << "\" type=\"optiongroup\" appearance=\"combo\" gui-text=\"" << escaped(question.text)
        << "\">\n";
    for (const std::string_view answer : answers)
        out << "      <option value=\"" << answer << "\">" << answerText(answer) << "</option>\n";
    out << "    </param>\n";
}

void writePanelField(std::ostream& out, const PanelField& field) {
    if (field.values == "on|off") {
        out << "    <param name=\"" << field.name << "\" type=\"bool\" gui-text=\""
            << escaped(field.label) << "\">false</param>\n";
    } else if (field.labels.empty()) {
        out << "    <param name=\"" << field.name << "\" type=\"string\" gui-text=\""
            << escaped(field.label) << "\"></param>\n";
    } else {
        out << "    <param name=\"" << field.name
            << "\" type=\"optiongroup\" appearance=\"radio\" gui-text=\"" << escaped(field.label)
            << "\">\n";
        const auto values = split(field.values, '|');
        const auto labels = split(field.labels, '|');
        for (std::size_t i = 0; i < values.size() && i < labels.size(); ++i)
            out << "      <option value=\"" << values[i] << "\">" << escaped(labels[i])
                << "</option>\n";
        out << "    </param>\n";
    }
}

std::string helpText(const CommandEntry& entry) {
    std::string text = std::string(entry.summary) + ".";
    if (entry.panel || entry.dialogs.empty())
        text += " It works on the current layer and the selection.";
    for (const CommandQuestion& question : entry.questions)
        text += " " + std::string(question.text) + " (" + std::string(question.name) +
                "): " + std::string(question.note) + ".";
    for (const PanelField& field : entry.panelFields)
        if (!field.label.empty())
            text += " " + std::string(field.label) + ": " + std::string(field.note) + ".";
    return text;
}

std::string displayName(std::string_view menuText) {
    std::string name(menuText);
    // Inkscape marks extensions that open a dialog itself.
    if (name.ends_with("...")) name.resize(name.size() - 3);
    return name;
}

} // namespace

void writeInx(std::ostream& out, const CliContext& context, const CommandEntry& entry) {
    const auto dialogs = recordDialogs(context, entry);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<inkscape-extension "
           "xmlns=\"http://www.inkscape.org/namespace/inkscape/extension\">\n"
        << "  <name>" << escaped(displayName(entry.menuText)) << "</name>\n"
        << "  <id>org.cartovel." << entry.name << "</id>\n"
        << "  <param name=\"command\" type=\"string\" gui-hidden=\"true\">" << entry.name
        << "</param>\n"
        << "  <param name=\"tab\" type=\"notebook\">\n"
        << "    <page name=\"settings\" gui-text=\"設定\">\n";
    for (const std::int32_t id : entry.dialogs) {
        const DialogFieldTable* table = dialogFields(id);
        const auto it = dialogs.find(id);
        if (table == nullptr || it == dialogs.end()) continue;
        // Fields in the order the dialog shows them, under the captions of its groups.
        std::vector<const DialogField*> pending;
        for (const DialogField& field : table->fields)
            pending.push_back(&field);
        for (const ws::ControlInfo& control : it->second) {
            if (control.kind == ws::ControlKind::GroupBox && !control.text.empty()) {
                out << "      <label appearance=\"header\">" << escaped(control.text)
                    << "</label>\n";
                continue;
            }
            for (auto field = pending.begin(); field != pending.end(); ++field) {
                if (!showsField(**field, control.id)) continue;
                std::ostringstream param;
                writeField(param, **field, it->second, entry.name == "save-layer-list");
                const std::string text = param.str();
                // One more level of indentation inside the page.
                std::string indented;
                for (const std::string_view line : split(text, '\n'))
                    if (!line.empty()) indented += "  " + std::string(line) + "\n";
                out << indented;
                pending.erase(field);
                break;
            }
        }
    }
    if (entry.panel) {
        for (const PanelField& field : entry.panelFields) {
            // A field the panel has no control for (a layer's id) stays on the command line.
            if (field.label.empty()) continue;
            std::ostringstream param;
            writePanelField(param, field);
            const std::string text = param.str(); // split's views point into it
            for (const std::string_view line : split(text, '\n'))
                if (!line.empty()) out << "  " << line << '\n';
        }
    }
    if (!entry.questions.empty()) out << "      <label appearance=\"header\">確認</label>\n";
    for (const CommandQuestion& question : entry.questions) {
        std::ostringstream param;
        writeQuestion(param, question);
        const std::string text = param.str(); // split's views point into it
        for (const std::string_view line : split(text, '\n'))
            if (!line.empty()) out << "  " << line << '\n';
    }
    if (entry.dialogs.empty() && !entry.panel && entry.questions.empty())
        out << "      <label>" << escaped(displayName(entry.menuText)) << "</label>\n";
    out << "    </page>\n"
        << "    <page name=\"help\" gui-text=\"ヘルプ\">\n"
        << "      <label>" << escaped(helpText(entry)) << "</label>\n"
        << "    </page>\n"
        << "  </param>\n"
        << "  <effect needs-live-preview=\"false\">\n"
        << "    <object-type>all</object-type>\n"
        << "    <effects-menu>\n"
        << "      <submenu name=\"" << kSubmenu << "\"/>\n"
        << "    </effects-menu>\n"
        << "  </effect>\n"
        << "  <script>\n"
        << "    <command location=\"inx\" interpreter=\"python\">cartovel.py</command>\n"
        << "  </script>\n"
        << "</inkscape-extension>\n";
}

void addInxCommand(CLI::App& cli, CliContext& context) {
    auto dir = std::make_shared<std::string>();
    CLI::App* inx = cli.add_subcommand("inx", "Write the Inkscape extension descriptions");
    inx->group(""); // a build step, not for users
    inx->add_option("--out-dir", *dir, "The folder to write COMMAND.inx files into")->required();
    inx->callback([&context, dir] {
        context.action = [&context, dir] {
            std::error_code ec;
            std::filesystem::create_directories(*dir, ec);
            for (const CommandEntry& entry : commandTable()) {
                const auto path =
                    std::filesystem::path(*dir) / ("cartovel-" + std::string(entry.name) + ".inx");
                std::ostringstream text;
                writeInx(text, context, entry);
                std::ofstream file(path, std::ios::binary);
                file << text.str();
                if (!file.flush()) {
                    context.err << "cartovel: cannot write " << path.string() << '\n';
                    return kExitError;
                }
            }
            return kExitOk;
        };
    });
}

} // namespace cartovel
