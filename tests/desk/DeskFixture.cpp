#include "DeskFixture.h"

#include "DeskApp.h"

#include "host/svg/SvgFile.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

void DeskTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    host_ = std::make_unique<desk::DeskHost>(
        desk::DeskHostOptions{CARTOVEL_MODULE_PATH, path("prefs.json")});
    window_ = std::make_unique<desk::MainWindow>(*host_);
    std::string message;
    ASSERT_EQ(host_->start(&message), kHostNoErr) << message;
    window_->buildMenus();
    window_->show();
    QObject::connect(&window_->agent(), &desk::QtUserAgent::dialogOpened, window_.get(),
                     [this](desk::WsDialogWidget* dialog) {
                         ++dialogsSeen_;
                         QApplication::processEvents();
                         if (dialogs_.empty() && anyDialog_) {
                             anyDialog_(*dialog);
                             return;
                         }
                         if (dialogs_.empty()) {
                             ADD_FAILURE() << "unexpected dialog " << dialog->dialog().templateId();
                             dialog->dialog().click(WS_IDCANCEL);
                             return;
                         }
                         auto f = std::move(dialogs_.front());
                         dialogs_.pop_front();
                         f(*dialog);
                     });
    QObject::connect(&window_->responder(), &desk::DeskResponder::messageBoxOpened, window_.get(),
                     [this](QMessageBox* box) {
                         ++boxesSeen_;
                         boxTexts_.append(box->text());
                         QAbstractButton* button = box->button(boxAnswer_);
                         if (button == nullptr) button = box->defaultButton();
                         ASSERT_NE(button, nullptr);
                         button->click();
                     });
}

void DeskTest::TearDown() {
    EXPECT_TRUE(dialogs_.empty()) << dialogs_.size() << " dialog step(s) never ran";
    window_.reset();
    host_.reset();
}

std::string DeskTest::path(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
}

void DeskTest::open(const std::string& name) {
    const std::string file =
        name.find('/') == std::string::npos ? std::string(CARTOVEL_EXAMPLES) + "/" + name : name;
    ASSERT_TRUE(window_->openFile(QString::fromStdString(file))) << file;
}

void DeskTest::onDialog(std::function<void(desk::WsDialogWidget&)> f) {
    dialogs_.push_back(std::move(f));
}

void DeskTest::answerBoxes(QMessageBox::StandardButton button) {
    boxAnswer_ = button;
}

int DeskTest::choose(const std::string& command) {
    const QString text = desk::commandMenuText(QString::fromStdString(command));
    QAction* act = window_->hostAction(text);
    EXPECT_NE(act, nullptr) << command;
    if (act == nullptr) return -1;
    window_->refreshMenus();
    EXPECT_TRUE(act->isEnabled()) << command;
    int result = -1;
    auto c = QObject::connect(window_.get(), &desk::MainWindow::commandFinished,
                              [&](int r) { result = r; });
    act->trigger();
    QObject::disconnect(c);
    return result;
}

std::string DeskTest::svg() const {
    std::string out;
    std::string message;
    if (const host::Document* doc = host_->document()) host::writeSvgText(*doc, out, message);
    return out;
}
