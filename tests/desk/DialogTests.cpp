// The module's dialogs through the window-system view: typing, clicking, picking and
// Enter reach the dialog procedures, every dialog shows its texts whole, and the file
// dialog with its encoding row saves the layer list.
#include "DeskFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

constexpr const char* kJapaneseLayers = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
     width="100pt" height="100pt" viewBox="0 0 100 100">
  <g inkscape:groupmode="layer" inkscape:label="沖縄"><path d="M0 0 H10 V10 Z"/></g>
  <g inkscape:groupmode="layer" inkscape:label="北海道"><path d="M20 0 H30 V10 Z"/></g>
</svg>
)";

std::string readFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

// Latin text comes as key presses, Japanese as an input method's commit.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(edit, text);
        return;
    }
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

std::string overflowText(const std::vector<desk::Overflow>& overflows) {
    std::string out;
    for (const desk::Overflow& o : overflows)
        out += "control " + std::to_string(o.id) + " \"" + o.text.toStdString() + "\" needs " +
               std::to_string(o.needed) + " px, has " + std::to_string(o.available) + "\n";
    return out;
}

} // namespace

class DeskDialogs : public DeskTest {};

TEST_F(DeskDialogs, ScalingDialogTakesTypedScalesAndRuns) {
    open("us-states.svg");
    const host::Document* before = host_->document();
    const QRectF bounds = window_->canvas().scene().bounds();
    onDialog([&](desk::WsDialogWidget& dialog) {
        EXPECT_EQ(dialog.dialog().templateId(), 115);
        EXPECT_EQ(dialog.windowTitle(), "地図拡大・縮小 -  Mirvak-Cartovel");
        QTest::mouseClick(widget<QRadioButton>(dialog, 1075), Qt::LeftButton);
        EXPECT_TRUE(widget<QLineEdit>(dialog, 1090)->isEnabled());
        EXPECT_FALSE(widget<QLineEdit>(dialog, 1072)->isEnabled());
        typeInto(widget<QLineEdit>(dialog, 1074), "10000");
        typeInto(widget<QLineEdit>(dialog, 1090), "20000");
        // A digits-only field takes no letters: the key never reaches the window system.
        QTest::keyClicks(widget<QLineEdit>(dialog, 1090), "x");
        EXPECT_EQ(dialog.dialog().control(1090)->text, "20000");
        QTest::mouseClick(widget<QPushButton>(dialog, WS_IDOK), Qt::LeftButton);
    });
    ASSERT_EQ(choose("map-scaling"), kHostNoErr);
    EXPECT_EQ(dialogsSeen_, 1);
    ASSERT_NE(host_->document(), nullptr);
    (void)before;
    const QRectF after = window_->canvas().scene().bounds();
    EXPECT_NEAR(after.width(), bounds.width() / 2, bounds.width() * 0.01);
    EXPECT_NEAR(after.center().x(), bounds.center().x(), 1.0);
}

TEST_F(DeskDialogs, ADialogOpensWithItsFieldFocusedSoTypingReplacesTheValue) {
    open("us-states.svg");
    onDialog([&](desk::WsDialogWidget& dialog) {
        auto* scale = widget<QLineEdit>(dialog, 1093);
        EXPECT_EQ(QApplication::focusWidget(), scale);
        EXPECT_EQ(scale->selectedText(), scale->text());
        QTest::keyClicks(QApplication::focusWidget(), "12345");
        EXPECT_EQ(dialog.dialog().control(1093)->text, "12345");
        QTest::mouseClick(widget<QPushButton>(dialog, WS_IDCANCEL), Qt::LeftButton);
    });
    choose("scale-bar");
}

TEST_F(DeskDialogs, EnterPressesTheDefaultButton) {
    open("us-states.svg");
    onDialog([&](desk::WsDialogWidget& dialog) {
        QTest::mouseClick(widget<QRadioButton>(dialog, 1075), Qt::LeftButton);
        typeInto(widget<QLineEdit>(dialog, 1074), "10000");
        typeInto(widget<QLineEdit>(dialog, 1090), "5000");
        QTest::keyClick(widget<QLineEdit>(dialog, 1090), Qt::Key_Return);
    });
    const QRectF bounds = window_->canvas().scene().bounds();
    ASSERT_EQ(choose("map-scaling"), kHostNoErr);
    EXPECT_NEAR(window_->canvas().scene().bounds().width(), bounds.width() * 2,
                bounds.width() * 0.02);
}

TEST_F(DeskDialogs, LayerReplaceCancelledChangesNothing) {
    open("us-states.svg");
    const std::string before = svg();
    onDialog([&](desk::WsDialogWidget& dialog) {
        EXPECT_EQ(dialog.dialog().templateId(), 126);
        QTest::mouseClick(widget<QRadioButton>(dialog, 1115), Qt::LeftButton);
        typeInto(widget<QLineEdit>(dialog, 1105), "states");
        typeInto(widget<QLineEdit>(dialog, 1106), "州");
        EXPECT_EQ(dialog.dialog().control(1106)->text, "州");
        QTest::mouseClick(widget<QPushButton>(dialog, WS_IDCANCEL), Qt::LeftButton);
    });
    choose("layer-replace");
    EXPECT_EQ(svg(), before);
    EXPECT_FALSE(host_->canUndo());
}

TEST_F(DeskDialogs, LayerListIsSavedThroughTheFileDialogWithItsEncoding) {
    {
        QFile file(QString::fromStdString(path("jp.svg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kJapaneseLayers);
    }
    open(path("jp.svg"));
    const std::string list = path("layers.txt");
    onDialog([&](desk::WsDialogWidget& dialog) {
        EXPECT_EQ(dialog.dialog().templateId(), 127);
        QComboBox* encoding = widget<QComboBox>(dialog, 1131);
        ASSERT_GE(encoding->count(), 2);
        encoding->setFocus();
        QTest::keyClick(encoding, Qt::Key_Home);
        QTest::keyClick(encoding, Qt::Key_Down);
        EXPECT_EQ(dialog.dialog().control(1131)->selection, 1);
        typeInto(widget<QLineEdit>(dialog, WS_FD_FILENAME), QString::fromStdString(list));
        QTest::keyClick(widget<QLineEdit>(dialog, WS_FD_FILENAME), Qt::Key_Return);
    });
    EXPECT_EQ(choose("save-layer-list"), kHostNoErr);
    const std::string text = readFile(list);
    EXPECT_NE(text.find("北海道"), std::string::npos) << text;
    EXPECT_NE(text.find("沖縄"), std::string::npos) << text;
}

TEST_F(DeskDialogs, EveryControlTextFitsItsRectangle) {
    open("us-states.svg");
    int checked = 0;
    onAnyDialog([&](desk::WsDialogWidget& dialog) {
        ++checked;
        EXPECT_EQ(overflowText(dialog.overflowingControls()), "")
            << "dialog " << dialog.dialog().templateId();
        // The restore choice goes on to its open-file dialog.
        if (dialog.dialog().templateId() == 128)
            QTest::mouseClick(dialog.control(WS_IDOK), Qt::LeftButton);
        else if (WsGetDlgItem(dialog.dialog().window(), WS_IDCANCEL) != nullptr)
            QTest::mouseClick(dialog.control(WS_IDCANCEL), Qt::LeftButton);
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    for (const char* command : {"map-scaling", "scale-bar", "layer-numbering", "layer-replace",
                                "save-layer-list", "load-layer-list"})
        choose(command);
    // The about box sits in the Help menu's sub-menu of the host's "About" group.
    QAction* about = window_->aboutAction();
    ASSERT_NE(about, nullptr);
    about->trigger();
    EXPECT_EQ(checked, 8);
}
