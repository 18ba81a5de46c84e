#include "commands/Run.h"

#include "DialogFields.h"
#include "commands/CommandTable.h"
#include "commands/Common.h"
#include "commands/PanelRun.h"

#include "host/docsuites/DocumentSession.h"
#include "host/svg/SvgFile.h"

#include <ostream>

namespace cartovel {

namespace {

// "Dialog fields" for --help, generated from the tables so that it cannot drift.
std::string fieldHelp() {
    std::string text = "Dialog fields (--set FIELD=VALUE, applied in order, then OK):";
    for (const DialogFieldTable& table : allDialogFields()) {
        text += "\n  " + std::string(table.dialogName) + ":";
        for (const DialogField& field : table.fields) {
            text += "\n    " + std::string(field.name) + "=";
            switch (field.kind) {
            case DialogField::Kind::Text:
                text += "TEXT";
                break;
            case DialogField::Kind::Path:
                text += "PATH";
                break;
            case DialogField::Kind::Check:
                text += "on|off";
                break;
            case DialogField::Kind::Choice:
            case DialogField::Kind::Pick: {
                std::string values;
                std::string_view rest = field.choices;
                while (!rest.empty()) {
                    const auto comma = rest.find(',');
                    const std::string_view pair = rest.substr(0, comma);
                    values +=
                        (values.empty() ? "" : "|") + std::string(pair.substr(0, pair.find(':')));
                    rest = comma == std::string_view::npos ? std::string_view{}
                                                           : rest.substr(comma + 1);
                }
                if (field.kind == DialogField::Kind::Pick)
                    values = "ENTRY|INDEX" + (values.empty() ? "" : "|" + values);
                text += values;
                break;
            }
            }
        }
    }
    return text;
}

} // namespace

void addRunCommand(CLI::App& cli, CliContext& context) {
    auto options = std::make_shared<RunOptions>();
    std::string commands;
    for (const CommandEntry& entry : commandTable())
        commands += "\n  " + std::string(entry.name) + ": " + std::string(entry.summary);
    CLI::App* command =
        cli.add_subcommand("run", "Run a command on a document and save the result");
    command->footer("Commands:" + commands + "\n\n" + fieldHelp());
    std::vector<std::string> names;
    for (const CommandEntry& entry : commandTable())
        names.emplace_back(entry.name);
    command->add_option("COMMAND", options->command, "The command to run")
        ->required()
        ->check(CLI::IsMember(names));
    command->add_option("INPUT", options->input, "The document (SVG)")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("-o,--output", options->output, "Where to save the result (SVG)")
        ->required();
    command->add_option("--layer", options->layer, "The current layer, by name");
    command->add_option("--select", options->select, "The selection, by SVG id")->delimiter(',');
    command->add_option("--prefs", options->prefs,
                        "The preference store (default: in the user's configuration folder)");
    addInteractionOptions(*command, options->interaction);
    command->callback([&context, options] {
        context.action = [&context, options] { return runDocumentCommand(context, *options); };
    });
}

namespace {

// The panels have no menu command: the run acts on the panel's window instead.
bool isPanelCommand(std::string_view name) {
    return name == "move-to-layer" || name == "text-origin";
}

host::Layer* findLayer(const host::Document& doc, std::string_view title) {
    for (host::Layer* layer : doc.allLayers())
        if (layer->title == title) return layer;
    return nullptr;
}

host::Art* findArt(const host::Document& doc, std::string_view id) {
    for (std::int32_t i = 0; i < doc.layerCount(); ++i)
        for (host::Art* art : doc.layerArt(*doc.layerAt(i)))
            if (art->name == id) return art;
    return nullptr;
}

// Sets the current layer and the selection the options ask for; false (with the session's
// failure recorded) when one of them names nothing in the document.
bool prepareDocument(Session& session, host::Document& doc, const RunOptions& options) {
    if (!options.layer.empty()) {
        host::Layer* layer = findLayer(doc, options.layer);
        if (layer == nullptr) {
            session.fail(kHostErrNotFound, "no layer is named \"" + options.layer + "\"");
            return false;
        }
        if (const HostErr err = doc.setCurrentLayer(*layer)) {
            session.fail(err, "cannot make \"" + options.layer + "\" the current layer");
            return false;
        }
    }
    for (const std::string& id : options.select) {
        host::Art* art = findArt(doc, id);
        if (art == nullptr) {
            session.fail(kHostErrNotFound, "no art has the id \"" + id + "\"");
            return false;
        }
        if (const HostErr err =
                doc.setUserAttributes(*art, host::kAttrSelected, host::kAttrSelected)) {
            session.fail(err, "cannot select \"" + id + "\"");
            return false;
        }
    }
    return true;
}

} // namespace

int runDocumentCommand(CliContext& context, const RunOptions& options) {
    const CommandEntry* entry = findCommand(options.command);
    SessionOptions sessionOpts = sessionOptions(context, options.interaction);
    sessionOpts.preferencesFile = options.prefs;
    // The panel commands' fields are for the panel, not for a dialog.
    std::erase_if(sessionOpts.fields,
                  [](const FieldSetting& field) { return isPanelField(field.name); });
    Session session(std::move(sessionOpts));
    if (entry == nullptr) {
        session.fail(kHostErrNotImplemented,
                     "the command " + options.command + " is not available from the command line");
        return session.finish(kHostErrNotImplemented);
    }
    if (const HostErr result = session.start()) return session.finish(result);

    host::SvgLoadResult loaded = host::loadSvgFile(options.input);
    for (const std::string& warning : loaded.warnings)
        context.err << "cartovel: warning: " << warning << '\n';
    if (!loaded.document) {
        session.fail(loaded.error != kHostNoErr ? loaded.error : kHostErrFile, loaded.message);
        return session.finish(kHostErrFile);
    }
    host::DocumentSession document(session.app(), std::move(loaded.document));
    if (!prepareDocument(session, document.document(), options))
        return session.finish(kHostErrNotFound);

    if (isPanelCommand(options.command)) {
        const int status =
            runPanelCommand(session, options.command, entry->menuText, options.interaction.fields,
                            context.terminal, context.in, context.err);
        if (status != kExitOk || session.hasFailed()) return status;
        std::string message;
        if (const HostErr err = host::saveSvgFile(document.document(), options.output, message)) {
            session.fail(err, message);
            return session.finish(err);
        }
        return session.finish(kHostNoErr);
    }
    host::MenuItem* item = session.findItem(entry->menuText);
    if (item == nullptr) {
        session.fail(kHostErrNotFound, "the module has no menu item \"" +
                                           std::string(entry->menuText) + "\" for " +
                                           options.command);
        return session.finish(kHostErrNotFound);
    }
    session.app().updateMenus();
    if (!item->enabled()) {
        session.fail(kHostErrRefused, "the command " + options.command +
                                          " is not available for this document (\"" + item->text +
                                          "\" is disabled; check --select)");
        return session.finish(kHostErrRefused);
    }
    const HostErr result = session.app().chooseMenuItem(item->handle());
    if (result == kHostNoErr && !session.hasFailed()) {
        std::string message;
        if (const HostErr err = host::saveSvgFile(document.document(), options.output, message)) {
            session.fail(err, message);
            return session.finish(err);
        }
    }
    return session.finish(result);
}

} // namespace cartovel
