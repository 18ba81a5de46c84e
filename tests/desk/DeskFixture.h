// One desktop window on the bundled maps: the host with the built module, a preference
// store of its own, and helpers to answer the dialogs and message boxes as they open.
#pragma once

#include "Canvas.h"
#include "DeskHost.h"
#include "DeskResponder.h"
#include "MainWindow.h"
#include "QtUserAgent.h"
#include "WsDialogWidget.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

class DeskTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Opens an example map (by file name) or any path.
    void open(const std::string& name);
    /// The next dialog that opens is handed to f (in the order they are queued).
    void onDialog(std::function<void(desk::WsDialogWidget&)> f);
    /// Every dialog that opens when no step is queued is handed to f.
    void onAnyDialog(std::function<void(desk::WsDialogWidget&)> f) { anyDialog_ = std::move(f); }
    /// Every message box is answered with this button from now on.
    void answerBoxes(QMessageBox::StandardButton button);
    /// Chooses the module's menu item for a command, as a click in the menu would.
    int choose(const std::string& command);
    /// The document as SVG text.
    std::string svg() const;
    std::string path(const std::string& name) const;

    template <class W> W* widget(desk::WsDialogWidget& dialog, std::int32_t id) {
        W* w = qobject_cast<W*>(dialog.control(id));
        EXPECT_NE(w, nullptr) << "control " << id;
        return w;
    }

    QTemporaryDir dir_;
    std::unique_ptr<desk::DeskHost> host_;
    std::unique_ptr<desk::MainWindow> window_;
    std::deque<std::function<void(desk::WsDialogWidget&)>> dialogs_;
    std::function<void(desk::WsDialogWidget&)> anyDialog_;
    int dialogsSeen_ = 0;
    int boxesSeen_ = 0;
    QStringList boxTexts_;
    QMessageBox::StandardButton boxAnswer_ = QMessageBox::Ok;
};
