#include "DeskResponder.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace desk {
namespace {

// Events are processed at most this often from inside a command.
constexpr int kPumpMilliseconds = 30;

} // namespace

ProgressPanel::ProgressPanel(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName("progress");
    cancel_->setObjectName("progressCancel");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_);
    bar_->setMinimumWidth(200);
    hide();
}

DeskResponder::DeskResponder(QWidget* owner, ProgressPanel& panel) : owner_(owner), panel_(panel) {
    connect(panel_.cancelButton(), &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

int DeskResponder::runBox(QMessageBox& box) {
    QEventLoop loop;
    bool done = false;
    connect(&box, &QMessageBox::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    box.open();
    emit messageBoxOpened(&box);
    if (!done) loop.exec();
    return box.result();
}

void DeskResponder::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Cartovel"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, owner_);
    runBox(box);
}

std::optional<host::Answer> DeskResponder::ask(host::QuestionKind kind, std::string_view text) {
    const bool okCancel = kind == host::QuestionKind::OkCancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Cartovel"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    okCancel ? QMessageBox::Ok | QMessageBox::Cancel
                             : QMessageBox::Yes | QMessageBox::No,
                    owner_);
    box.setDefaultButton(okCancel ? QMessageBox::Ok : QMessageBox::Yes);
    switch (runBox(box)) {
    case QMessageBox::Ok:
        return host::Answer::Ok;
    case QMessageBox::Yes:
        return host::Answer::Yes;
    case QMessageBox::No:
        return host::Answer::No;
    default:
        return okCancel ? host::Answer::Cancel : host::Answer::No;
    }
}

void DeskResponder::showPanel() {
    if (panel_.isVisible()) return;
    panel_.show();
    emit progressShown();
}

void DeskResponder::showProgressText(std::string_view text) {
    panel_.label()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    showPanel();
    pump(false);
}

void DeskResponder::showProgress(std::int32_t current, std::int32_t maximum) {
    panel_.bar()->setRange(0, std::max(maximum, 1));
    panel_.bar()->setValue(std::clamp(current, 0, std::max(maximum, 1)));
    showPanel();
    pump(false);
}

bool DeskResponder::cancelRequested() {
    pump(false);
    return cancelled_;
}

void DeskResponder::pump(bool force) {
    if (!force && lastPump_.isValid() && lastPump_.elapsed() < kPumpMilliseconds) return;
    lastPump_.start();
    QApplication::processEvents(QEventLoop::AllEvents);
}

void DeskResponder::beginCommand() {
    cancelled_ = false;
    lastPump_.invalidate();
    panel_.bar()->setValue(0);
    panel_.label()->clear();
}

void DeskResponder::endCommand() {
    panel_.hide();
    cancelled_ = false;
}

} // namespace desk
