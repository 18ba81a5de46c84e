#include "WsDialogWidget.h"

#include "WsControlWidgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>

#include <cmath>

namespace desk {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Combo boxes are one line tall on screen; their template height is the open list's.
constexpr int kComboRowUnits = 14;

QStringList itemTexts(const ws::ControlInfo& info) {
    QStringList out;
    for (const std::string& item : info.items)
        out.append(qs(item));
    return out;
}

} // namespace

DialogUnits DialogUnits::of(const QFont& font) {
    const QFontMetricsF metrics(font);
    const double average =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
    return {average / 4.0, metrics.height() / 8.0};
}

QRect DialogUnits::toPixels(const WsRect& r) const {
    const int left = static_cast<int>(std::lround(r.left * x));
    const int top = static_cast<int>(std::lround(r.top * y));
    const int right = static_cast<int>(std::lround(r.right * x));
    const int bottom = static_cast<int>(std::lround(r.bottom * y));
    return QRect(left, top, right - left, bottom - top);
}

WsDialogWidget::WsDialogWidget(ws::DialogView& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog), units_(DialogUnits::of(font())) {
    setObjectName(QStringLiteral("dialog%1").arg(dialog.templateId()));
    setModal(true);
    build();
    connect(qApp, &QApplication::focusChanged, this, &WsDialogWidget::onFocusChanged);
}

WsDialogWidget::~WsDialogWidget() = default;

QWidget* WsDialogWidget::control(std::int32_t id) const {
    for (const Entry& e : entries_)
        if (WsGetDlgCtrlID(e.window) == id) return e.widget;
    return nullptr;
}

void WsDialogWidget::build() {
    setWindowTitle(qs(dialog_.caption()));
    for (WsWindow c = WsGetFirstChild(dialog_.window()); c != nullptr; c = WsGetNextSibling(c)) {
        const ws::ControlInfo info = ws::describeControl(c);
        QWidget* widget = makeWidget(info, WsGetWindowStyle(c));
        widget->setObjectName(QStringLiteral("ws%1").arg(info.id));
        widget->setProperty("wsId", info.id);
        entries_.push_back({c, widget, info.kind});
    }
    // Group boxes frame the controls drawn over them.
    for (const Entry& e : entries_)
        if (e.kind == ws::ControlKind::GroupBox) e.widget->lower();
    refresh();
}

QWidget* WsDialogWidget::makeWidget(const ws::ControlInfo& info, std::uint32_t style) {
    ControlActions actions;
    actions.click = [this](std::int32_t id) { act(dialog_.click(id)); };
    actions.type = [this](std::int32_t id, const std::string& text) {
        act(dialog_.type(id, text));
    };
    actions.pick = [this](std::int32_t id, int index) { act(dialog_.pickIndex(id, index)); };
    actions.refreshing = [this] { return refreshing_; };
    return makeControlWidget(info, style, ControlLook::Dialog, this, actions);
}

void WsDialogWidget::place(const Entry& entry) {
    WsRect r{};
    WsGetWindowRect(entry.window, &r);
    QRect pixels = units_.toPixels(r);
    if (entry.kind == ws::ControlKind::ComboBox)
        pixels.setHeight(
            std::min(pixels.height(), static_cast<int>(std::lround(kComboRowUnits * units_.y))));
    entry.widget->setGeometry(pixels);
}

void WsDialogWidget::update(const Entry& entry, const ws::ControlInfo& info) {
    QWidget* w = entry.widget;
    w->setEnabled(info.enabled);
    w->setVisible(info.visible);
    const QString text = qs(info.text);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
        if (button->isCheckable() || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            button->setChecked(info.checked);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
        label->setWordWrap(w->height() >= 2 * QFontMetrics(w->font()).height());
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (plain->toPlainText() != text) plain->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const QStringList items = itemTexts(info);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.append(combo->itemText(i));
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(info.selection);
        if (combo->isEditable() && combo->currentText() != text) combo->setEditText(text);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        const QStringList items = itemTexts(info);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown.append(list->item(i)->text());
        if (shown != items) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentRow(info.selection);
    }
}

void WsDialogWidget::refresh() {
    if (!WsIsWindow(dialog_.window())) return;
    refreshing_ = true;
    setWindowTitle(qs(dialog_.caption()));
    WsRect client{};
    WsGetClientRect(dialog_.window(), &client);
    setFixedSize(units_.toPixels(client).size());
    WsWindow focus = WsGetFocus();
    for (const Entry& e : entries_) {
        if (!WsIsWindow(e.window)) {
            e.widget->hide();
            continue;
        }
        place(e);
        update(e, ws::describeControl(e.window));
    }
    for (const Entry& e : entries_)
        if (e.window == focus && !e.widget->hasFocus() && e.widget->isVisible())
            e.widget->setFocus(Qt::OtherFocusReason);
    refreshing_ = false;
}

void WsDialogWidget::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The field the window system focused when the dialog opened takes the keys at once,
    // its text selected as when tabbing into it, so typing replaces the value.
    const WsWindow focus = WsGetFocus();
    for (const Entry& e : entries_)
        if (e.window == focus && e.widget->isVisible()) {
            e.widget->setFocus(Qt::TabFocusReason);
            break;
        }
}

void WsDialogWidget::act(const ws::Outcome& outcome) {
    lastError_ = outcome ? QString() : qs(outcome.error);
    if (!dialog_.isOpen()) {
        if (!endSignalled_) {
            endSignalled_ = true;
            emit ended();
        }
        return;
    }
    refresh();
}

void WsDialogWidget::onFocusChanged(QWidget*, QWidget* now) {
    if (refreshing_ || now == nullptr || !dialog_.isOpen()) return;
    for (const Entry& e : entries_) {
        if (e.widget != now && !e.widget->isAncestorOf(now)) continue;
        // Static text and frames never take the focus in the window system.
        if (e.kind == ws::ControlKind::Static || e.kind == ws::ControlKind::GroupBox) return;
        if (WsGetFocus() != e.window) {
            WsSetFocus(e.window);
            act({});
        }
        return;
    }
}

std::int32_t WsDialogWidget::defaultButton() const {
    for (const Entry& e : entries_)
        if (e.kind == ws::ControlKind::DefaultButton) return WsGetDlgCtrlID(e.window);
    return WS_IDOK;
}

void WsDialogWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused push button takes Enter for itself; otherwise the default button does.
        std::int32_t id = defaultButton();
        for (const Entry& e : entries_)
            if (e.widget->hasFocus() &&
                (e.kind == ws::ControlKind::PushButton || e.kind == ws::ControlKind::DefaultButton))
                id = WsGetDlgCtrlID(e.window);
        act(dialog_.click(id));
        return;
    }
    case Qt::Key_Escape:
        dismiss();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void WsDialogWidget::dismiss() {
    if (!dialog_.isOpen()) return;
    const WsWindow cancel = WsGetDlgItem(dialog_.window(), WS_IDCANCEL);
    if (cancel != nullptr && WsIsWindowEnabled(cancel) && WsIsWindowVisible(cancel)) {
        act(dialog_.click(WS_IDCANCEL));
        return;
    }
    WsSendMessage(dialog_.window(), WS_CLOSE, 0, 0);
    act({});
}

void WsDialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    dismiss();
}

std::vector<Overflow> WsDialogWidget::overflowingControls() const {
    std::vector<Overflow> out;
    for (const Entry& e : entries_) {
        QWidget* w = e.widget;
        if (!w->isVisible()) continue;
        const QFontMetrics metrics(w->font());
        const QStyle* style = w->style();
        QString text;
        int needed = 0;
        int available = w->width();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            needed = metrics.horizontalAdvance(QString(text).remove('&'));
            if (e.kind == ws::ControlKind::CheckBox || e.kind == ws::ControlKind::RadioButton)
                needed += style->pixelMetric(QStyle::PM_IndicatorWidth) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            else
                needed += 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            text = group->title();
            needed = metrics.horizontalAdvance(text) + 16;
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            if (label->wordWrap()) {
                const QRect box =
                    metrics.boundingRect(QRect(0, 0, w->width(), 100000), Qt::TextWordWrap, text);
                needed = box.height();
                available = w->height();
            } else {
                needed = metrics.horizontalAdvance(text);
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                if (metrics.horizontalAdvance(combo->itemText(i)) > needed) {
                    text = combo->itemText(i);
                    needed = metrics.horizontalAdvance(text);
                }
            needed += style->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
        }
        if (!text.isEmpty() && needed > available)
            out.push_back({WsGetDlgCtrlID(e.window), text, needed, available});
    }
    return out;
}

} // namespace desk
