// The host's alerts, questions and progress display on screen: message boxes, and a
// progress bar with a Cancel button. A command runs on the main thread inside one host
// message, so the progress callbacks let the window process its events (at most every few
// milliseconds): the bar moves and a click on Cancel is seen by the next cancel query.
#pragma once

#include "host/core/Responder.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QMessageBox;
class QProgressBar;
class QPushButton;

namespace desk {

class ProgressPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* parent = nullptr);
    [[nodiscard]] QProgressBar* bar() const { return bar_; }
    [[nodiscard]] QPushButton* cancelButton() const { return cancel_; }
    [[nodiscard]] QLabel* label() const { return label_; }

private:
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

class DeskResponder final : public QObject, public host::Responder {
    Q_OBJECT
public:
    DeskResponder(QWidget* owner, ProgressPanel& panel);

    void showMessage(std::string_view text) override;
    std::optional<host::Answer> ask(host::QuestionKind kind, std::string_view text) override;
    void showProgressText(std::string_view text) override;
    void showProgress(std::int32_t current, std::int32_t maximum) override;
    bool cancelRequested() override;

    /// A command starts or ends: the bar is reset and hidden, the cancel request dropped.
    void beginCommand();
    void endCommand();
    [[nodiscard]] bool cancelled() const { return cancelled_; }

signals:
    /// A message box is on screen (its answer may be given from the slot).
    void messageBoxOpened(QMessageBox* box);
    /// The progress bar has appeared for the running command.
    void progressShown();

private:
    int runBox(QMessageBox& box);
    void showPanel();
    void pump(bool force);

    QWidget* owner_;
    ProgressPanel& panel_;
    QElapsedTimer lastPump_;
    bool cancelled_ = false;
};

} // namespace desk
