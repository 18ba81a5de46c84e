#include "commands/CommandHelp.h"

#include "FieldNames.h"
#include "commands/CommandTable.h"
#include "commands/Common.h"

#include "host/docsuites/DocumentSession.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>

namespace cartovel {
namespace {

// Reads the fields of every dialog the command opens, then cancels the dialog: the command
// ends with 'STOP' and writes no settings.
class FieldProbe final : public ws::UserAgent {
public:
    std::map<std::string, std::string> values; // "templateId/field" -> shown value

    void runDialog(ws::DialogView& dialog) override {
        if (const DialogFieldTable* table = dialogFields(dialog.templateId()))
            for (const DialogField& field : table->fields)
                if (auto shown = read(dialog, field))
                    values[key(table->templateId, field.name)] = *shown;
        if (dialog.isOpen()) dialog.click(WS_IDCANCEL);
    }
    void reportError(const std::string&) override {}

    static std::string key(std::int32_t templateId, std::string_view field) {
        return std::to_string(templateId) + "/" + std::string(field);
    }

private:
    static std::optional<std::string> read(ws::DialogView& dialog, const DialogField& field) {
        if (field.kind == DialogField::Kind::Choice) {
            std::string_view rest = field.choices;
            while (!rest.empty()) {
                const auto comma = rest.find(',');
                const std::string_view pair = rest.substr(0, comma);
                const std::string_view name = pair.substr(0, pair.find(':'));
                const auto id = choiceControl(field.choices, name);
                if (const auto shown = id ? dialog.control(*id) : std::nullopt;
                    shown && shown->checked)
                    return std::string(name);
                rest =
                    comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            }
            return std::nullopt;
        }
        const auto shown = dialog.control(field.controlId);
        if (!shown) return std::nullopt;
        if (field.kind == DialogField::Kind::Check) return shown->checked ? "on" : "off";
        if (field.kind == DialogField::Kind::Pick && shown->text.empty() && shown->selection >= 0 &&
            static_cast<std::size_t>(shown->selection) < shown->items.size())
            return shown->items[static_cast<std::size_t>(shown->selection)];
        return shown->text;
    }
};

std::map<std::string, std::string> probeDialogs(const CliContext& context,
                                                const CommandEntry& entry, const std::string& prefs,
                                                bool builtIn) {
    FieldProbe probe;
    if (entry.dialogs.empty()) return probe.values;
    std::ostringstream quiet; // the probe's alerts are no one's business
    SessionOptions options = sessionOptions(context, {});
    options.interactive = false;
    options.preferencesFile = prefs;
    options.builtInSettings = builtIn;
    options.out = &quiet;
    options.err = &quiet;
    Session session(std::move(options));
    if (session.start() != kHostNoErr) return probe.values;
    host::DocumentSession open(session.app(), dialogProbeDocument());
    host::MenuItem* item = session.findItem(entry.menuText);
    if (item == nullptr) return probe.values;
    ws::ScopedUserAgent scope(probe);
    session.app().chooseMenuItem(item->handle());
    session.finish(kHostNoErr);
    return probe.values;
}

// The panels have no dialog: their fields say what the run clicks.
void printPanelFields(std::ostream& out, const CommandEntry& entry) {
    out << "\nNo dialog: the run uses the panel's window with the selection (--select). Its "
           "fields (--set FIELD=VALUE):\n";
    for (const PanelField& field : entry.panelFields)
        out << "  " << field.name << '=' << field.values << "\n      " << field.note << '\n';
}

std::string_view kindName(host::QuestionKind kind) {
    return kind == host::QuestionKind::OkCancel ? "ok|cancel" : "yes|no";
}

} // namespace

std::string commandListHelp() {
    std::string text = "Commands:";
    for (const CommandEntry& entry : commandTable())
        text += "\n  " + std::string(entry.name) + ": " + std::string(entry.summary);
    text += "\n\n'cartovel run COMMAND --help' or 'cartovel help COMMAND' lists a command's "
            "dialog fields (--set), their values and defaults, and its questions (--answer).";
    return text;
}

int printCommandHelp(CliContext& context, const CommandEntry& entry, const std::string& prefs) {
    std::ostream& out = context.out;
    out << "cartovel run " << entry.name << " INPUT.svg... (-o OUTPUT.svg | --out-dir DIR) "
        << "[options]\n\n"
        << entry.summary << " (menu item \"" << entry.menuText << "\")\n";
    // The dialogs open with the stored settings where there are any.
    const auto builtIn = probeDialogs(context, entry, prefs, true);
    const auto defaults = probeDialogs(context, entry, prefs, false);
    bool anyStored = false;
    if (entry.panel) {
        printPanelFields(out, entry);
    } else if (entry.dialogs.empty()) {
        out << "\nNo dialog: the command works on the document, the current layer (--layer) and "
               "the selection (--select).\n";
    }
    for (const std::int32_t id : entry.dialogs) {
        const DialogFieldTable* table = dialogFields(id);
        if (table == nullptr) continue;
        out << "\nFields of the " << table->dialogName << " dialog (--set FIELD=VALUE):\n";
        for (const DialogField& field : table->fields) {
            out << "  " << field.name << '=' << fieldValues(field);
            const std::string key = FieldProbe::key(id, field.name);
            if (const auto it = defaults.find(key); it != defaults.end()) {
                const auto own = builtIn.find(key);
                const bool stored = own != builtIn.end() && own->second != it->second;
                anyStored = anyStored || stored;
                out << "  (default: \"" << it->second << "\"";
                if (stored) out << ", stored; built in: \"" << own->second << "\"";
                out << ')';
            }
            out << '\n';
        }
    }
    if (anyStored)
        out << "\nDefaults marked \"stored\" come from the preference store, where the last "
               "confirmed dialog left them; --defaults starts from the built-in ones and "
               "stores nothing.\n";
    if (!entry.questions.empty()) {
        out << "\nQuestions (--answer NAME=ANSWER answers one whenever it is asked; a plain "
               "--answer ANSWER the next question not answered by name):\n";
        for (const CommandQuestion& question : entry.questions)
            out << "  " << question.name << " [" << kindName(question.kind) << "] " << question.text
                << "\n      " << question.note << '\n';
    } else {
        out << "\nThe command asks no question.\n";
    }
    return kExitOk;
}

int runHelpRequest(int argc, const char* const* argv, CliContext& context) {
    if (argc < 3 || std::string_view(argv[1]) != "run") return -1;
    static constexpr std::string_view kTakesValue[] = {
        "-o", "--output", "--out-dir", "--layer", "--select", "--prefs", "--answer", "--set"};
    bool help = false;
    std::string command;
    std::string prefs;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (std::find(std::begin(kTakesValue), std::end(kTakesValue), arg) !=
                   std::end(kTakesValue)) {
            if (arg == "--prefs" && i + 1 < argc) prefs = argv[i + 1];
            ++i;
        } else if (command.empty() && !arg.starts_with('-')) {
            command = arg;
        }
    }
    if (!help || command.empty()) return -1;
    const CommandEntry* entry = findCommand(command);
    if (entry == nullptr)
        throw UsageError("unknown command \"" + command + "\" (commands: " + commandNames() + ")");
    return printCommandHelp(context, *entry, prefs);
}

void addHelpCommand(CLI::App& cli, CliContext& context) {
    auto command = std::make_shared<std::string>();
    auto prefs = std::make_shared<std::string>();
    CLI::App* help = cli.add_subcommand("help", "Show a command's dialog fields and questions");
    help->add_option("COMMAND", *command, "The command")->required();
    help->add_option("--prefs", *prefs, "Read the defaults from this preference store");
    help->callback([&context, command, prefs] {
        context.action = [&context, command, prefs] {
            const CommandEntry* entry = findCommand(*command);
            if (entry == nullptr)
                throw UsageError("unknown command \"" + *command +
                                 "\" (commands: " + commandNames() + ")");
            return printCommandHelp(context, *entry, *prefs);
        };
    });
}

} // namespace cartovel
