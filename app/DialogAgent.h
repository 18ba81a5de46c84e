// Answers the module's dialogs for the command-line host: types the --set fields that
// belong to each dialog and confirms it, or hands the dialog to a person at the terminal.
#pragma once

#include "RunLog.h"
#include "platform/UserAgent.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace cartovel {

struct FieldSetting {
    std::string name;
    std::string value;
    bool used = false;
    /// Left as the dialog shows it when its control is disabled or hidden (a form that
    /// gives every field, as a person skips what the dialog greys out).
    bool ifEnabled = false;
};

class DialogAgent final : public ws::UserAgent {
public:
    /// interactive (may be null) gets every dialog that has no --set field; echo (may be
    /// null) shows each dialog the agent answers; log (may be null) hears of each dialog.
    DialogAgent(std::vector<FieldSetting> fields, ws::UserAgent* interactive, std::ostream* echo,
                RunLog* log = nullptr);

    void runDialog(ws::DialogView& dialog) override;
    void reportError(const std::string& message) override;
    void shellOpen(const std::string& target) override;

    /// What went wrong with the dialogs (a dialog left open, a file dialog with no file),
    /// first first.
    [[nodiscard]] const std::vector<std::string>& errors() const { return errors_; }
    /// --set values a dialog would not take, with what the dialog said: the command line's
    /// fault, not the run's.
    [[nodiscard]] const std::vector<std::string>& refusals() const { return refusals_; }
    /// Some --set field was typed into a dialog.
    [[nodiscard]] bool anyFieldUsed() const;
    /// --set fields that no dialog took.
    [[nodiscard]] std::vector<std::string> unusedFields() const;

private:
    void answer(ws::DialogView& dialog);
    bool apply(ws::DialogView& dialog, FieldSetting& setting, const struct DialogField& field);
    /// Records a refused value, with the alert the dialog showed since alertsBefore.
    void refuse(std::string what, std::size_t alertsBefore);

    std::vector<FieldSetting> fields_;
    ws::UserAgent* interactive_;
    std::ostream* echo_;
    RunLog* log_;
    std::vector<std::string> errors_;
    std::vector<std::string> refusals_;
};

} // namespace cartovel
