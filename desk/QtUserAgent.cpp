#include "QtUserAgent.h"

#include "WsDialogWidget.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

namespace desk {

QtUserAgent::QtUserAgent(QWidget* owner) : owner_(owner) {}

void QtUserAgent::runDialog(ws::DialogView& dialog) {
    if (confirm_) {
        dialog.click(WS_IDOK);
        return;
    }
    WsDialogWidget widget(dialog, owner_);
    WsDialogWidget* outer = current_;
    QEventLoop* outerLoop = loop_;
    current_ = &widget;
    QEventLoop loop;
    loop_ = &loop;
    abandoned_ = false;
    connect(&widget, &WsDialogWidget::ended, &loop, &QEventLoop::quit);
    widget.show();
    widget.raise();
    widget.activateWindow();
    emit dialogOpened(&widget);
    if (dialog.isOpen() && !abandoned_) loop.exec();
    widget.hide();
    current_ = outer;
    loop_ = outerLoop;
    abandoned_ = false;
}

void QtUserAgent::abandonDialog() {
    abandoned_ = true;
    if (loop_ != nullptr) loop_->quit();
}

void QtUserAgent::reportError(const std::string& message) {
    errors_.append(QString::fromStdString(message));
    emit errorReported(errors_.back());
}

void QtUserAgent::shellOpen(const std::string& target) {
    // Off screen (tests, screenshots) nothing is launched.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

} // namespace desk
