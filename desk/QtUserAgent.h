// The person at the screen, as the window system's user agent: each modal dialog the module
// opens is shown through a WsDialogWidget and runs until its procedure ends it.
#pragma once

#include "platform/UserAgent.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QEventLoop;
class QWidget;

namespace desk {

class WsDialogWidget;

class QtUserAgent final : public QObject, public ws::UserAgent {
    Q_OBJECT
public:
    explicit QtUserAgent(QWidget* owner);

    void runDialog(ws::DialogView& dialog) override;
    void reportError(const std::string& message) override;
    void shellOpen(const std::string& target) override;

    /// When set, every dialog is confirmed as it opens with the values it shows (the
    /// stored settings), the way a script would.
    void setConfirmDialogs(bool confirm) { confirm_ = confirm; }
    /// Stops waiting for the dialog on screen: the window system then cancels it the way it
    /// cancels any dialog its user leaves unanswered.
    void abandonDialog();
    /// The dialog on screen; null when none is.
    [[nodiscard]] WsDialogWidget* currentDialog() const { return current_; }
    [[nodiscard]] const QStringList& errors() const { return errors_; }

signals:
    /// A dialog is on screen and takes input; it may be ended from the slot.
    void dialogOpened(desk::WsDialogWidget* dialog);
    void errorReported(const QString& message);

private:
    QWidget* owner_;
    WsDialogWidget* current_ = nullptr;
    bool confirm_ = false;
    bool abandoned_ = false;
    QEventLoop* loop_ = nullptr;
    QStringList errors_;
};

} // namespace desk
