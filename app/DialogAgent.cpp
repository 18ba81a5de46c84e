#include "DialogAgent.h"

#include "FieldNames.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <ostream>

namespace cartovel {
namespace {

// The platform marks its standard file dialogs with this window property.
bool isFileDialog(const ws::DialogView& dialog) {
    return WsGetProp(dialog.window(), "ws.FileDialog") != nullptr;
}

} // namespace

DialogAgent::DialogAgent(std::vector<FieldSetting> fields, ws::UserAgent* interactive,
                         std::ostream* echo, RunLog* log)
    : fields_(std::move(fields)), interactive_(interactive), echo_(echo), log_(log) {}

void DialogAgent::refuse(std::string what, std::size_t alertsBefore) {
    if (log_ != nullptr)
        if (const std::string alert = log_->lastMessageSince(alertsBefore); !alert.empty())
            what += ": the dialog says \"" + alert + "\"";
    refusals_.push_back(std::move(what));
}

bool DialogAgent::anyFieldUsed() const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [](const FieldSetting& setting) { return setting.used; });
}

bool DialogAgent::apply(ws::DialogView& dialog, FieldSetting& setting, const DialogField& field) {
    const std::string where = "field \"" + setting.name + "\"";
    const std::size_t alertsBefore = log_ != nullptr ? log_->size() : 0;
    if (setting.ifEnabled) {
        const auto choice = field.kind == DialogField::Kind::Choice
                                ? choiceControl(field.choices, setting.value)
                                : std::optional<std::int32_t>(field.controlId);
        const auto shown = dialog.control(choice.value_or(field.controlId));
        if (shown && (!shown->enabled || !shown->visible)) {
            setting.used = true;
            return true;
        }
    }
    if (!field.whenDisabled.empty()) {
        const auto shown = dialog.control(field.controlId);
        if (shown && !shown->enabled) {
            refuse(where + " is disabled: " + std::string(field.whenDisabled), alertsBefore);
            return false;
        }
    }
    ws::Outcome outcome;
    switch (field.kind) {
    case DialogField::Kind::Text:
    case DialogField::Kind::Path: {
        // The file dialog starts in a folder of its own; a path typed here means the
        // current folder, so it is handed over absolute.
        std::string text = setting.value;
        if (field.kind == DialogField::Kind::Path) {
            std::error_code ec;
            const auto absolute = std::filesystem::absolute(setting.value, ec);
            if (!ec) text = absolute.lexically_normal().string();
        }
        outcome = dialog.type(field.controlId, text);
        if (outcome) outcome = dialog.leave(field.controlId);
        if (outcome) {
            // The dialog restores a value it does not accept when the field is left.
            const auto shown = dialog.control(field.controlId);
            if (shown && shown->text != text) {
                refuse("the dialog did not accept \"" + setting.value + "\" for " + where +
                           " (it shows \"" + shown->text + "\")",
                       alertsBefore);
                return false;
            }
        }
        break;
    }
    case DialogField::Kind::Check: {
        const auto wanted = parseSwitch(setting.value);
        if (!wanted) {
            refuse(where + " takes on or off, not \"" + setting.value + "\"", alertsBefore);
            return false;
        }
        const auto shown = dialog.control(field.controlId);
        if (shown && shown->checked != *wanted) outcome = dialog.click(field.controlId);
        break;
    }
    case DialogField::Kind::Choice: {
        const auto id = choiceControl(field.choices, setting.value);
        if (!id) {
            refuse(where + " takes one of " + std::string(field.choices) + ", not \"" +
                       setting.value + "\"",
                   alertsBefore);
            return false;
        }
        outcome = dialog.click(*id);
        break;
    }
    case DialogField::Kind::Pick: {
        int index = -1;
        const auto* end = setting.value.data() + setting.value.size();
        if (const auto alias = choiceControl(field.choices, setting.value))
            outcome = dialog.pickIndex(field.controlId, *alias);
        else if (!setting.value.empty() &&
                 std::from_chars(setting.value.data(), end, index).ptr == end)
            outcome = dialog.pickIndex(field.controlId, index);
        else
            outcome = dialog.pickText(field.controlId, setting.value);
        break;
    }
    }
    if (!outcome) {
        refuse(where + ": " + outcome.error, alertsBefore);
        return false;
    }
    setting.used = true;
    return true;
}

void DialogAgent::runDialog(ws::DialogView& dialog) {
    const std::string caption = dialog.caption();
    answer(dialog);
    if (log_ != nullptr) log_->add(RunLog::Event::Dialog, caption);
}

void DialogAgent::answer(ws::DialogView& dialog) {
    const DialogFieldTable* table = dialogFields(dialog.templateId());
    std::vector<std::pair<FieldSetting*, const DialogField*>> mine;
    if (table != nullptr)
        for (FieldSetting& setting : fields_)
            for (const DialogField& field : table->fields)
                if (!setting.used && field.name == setting.name)
                    mine.emplace_back(&setting, &field);

    if (mine.empty() && interactive_ != nullptr) {
        interactive_->runDialog(dialog);
        return;
    }
    if (isFileDialog(dialog) && interactive_ == nullptr) {
        // Confirming the file name the module proposes would read or write a file nobody
        // named.
        bool named = false;
        for (const auto& [setting, field] : mine)
            named = named || field->kind == DialogField::Kind::Path;
        if (!named) {
            errors_.push_back("the file dialog \"" + dialog.caption() +
                              "\" needs a file: give --set file=PATH");
            if (dialog.isOpen()) dialog.click(WS_IDCANCEL);
            return;
        }
    }
    if (echo_ != nullptr) ws::TerminalUser::print(dialog, *echo_);
    const std::size_t alertsBefore = log_ != nullptr ? log_->size() : 0;
    for (auto& [setting, field] : mine) {
        if (!apply(dialog, *setting, *field)) {
            if (dialog.isOpen()) dialog.click(WS_IDCANCEL);
            return;
        }
    }
    if (dialog.isOpen()) dialog.click(WS_IDOK);
    if (!dialog.isOpen()) return;
    // A dialog that keeps itself open on OK has refused what was typed into it.
    const std::string alert = log_ != nullptr ? log_->lastMessageSince(alertsBefore) : "";
    if (!alert.empty() && !mine.empty())
        refuse("dialog \"" + dialog.caption() + "\" refused the fields", alertsBefore);
    else
        errors_.push_back("dialog \"" + dialog.caption() + "\" stayed open after OK");
    dialog.click(WS_IDCANCEL);
}

void DialogAgent::reportError(const std::string& message) {
    errors_.push_back(message);
}

void DialogAgent::shellOpen(const std::string& target) {
    if (echo_ != nullptr) *echo_ << "(open " << target << ")\n";
}

std::vector<std::string> DialogAgent::unusedFields() const {
    std::vector<std::string> names;
    for (const FieldSetting& setting : fields_)
        if (!setting.used) names.push_back(setting.name);
    return names;
}

} // namespace cartovel
