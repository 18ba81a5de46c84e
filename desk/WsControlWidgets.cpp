#include "WsControlWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

namespace desk {
namespace {

// A static text that tells its parent of clicks.
class ClickableLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick)
            onClick();
    }
};

QWidget* makeEdit(std::int32_t id, std::uint32_t style, QWidget* parent,
                  const ControlActions& actions) {
    if (style & WS_ES_MULTILINE) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly(style & WS_ES_READONLY);
        QObject::connect(edit, &QPlainTextEdit::textChanged, parent, [actions, id, edit] {
            if (!actions.refreshing()) actions.type(id, edit->toPlainText().toStdString());
        });
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(style & WS_ES_READONLY);
    if (style & WS_ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
    if (style & WS_ES_NUMBER)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    QObject::connect(edit, &QLineEdit::textEdited, parent,
                     [actions, id](const QString& text) { actions.type(id, text.toStdString()); });
    return edit;
}

QWidget* makeCombo(std::int32_t id, std::uint32_t style, QWidget* parent,
                   const ControlActions& actions) {
    auto* combo = new QComboBox(parent);
    combo->setEditable((style & WS_CBS_TYPEMASK) == WS_CBS_DROPDOWN);
    QObject::connect(combo, &QComboBox::activated, parent,
                     [actions, id](int index) { actions.pick(id, index); });
    if (combo->isEditable())
        QObject::connect(
            combo->lineEdit(), &QLineEdit::textEdited, parent,
            [actions, id](const QString& text) { actions.type(id, text.toStdString()); });
    return combo;
}

QWidget* makeButton(const ws::ControlInfo& info, ControlLook look, QWidget* parent,
                    const ControlActions& actions) {
    const std::int32_t id = info.id;
    QAbstractButton* button = nullptr;
    if (info.kind == ws::ControlKind::CheckBox) {
        button = new QCheckBox(parent);
    } else if (info.kind == ws::ControlKind::RadioButton && look == ControlLook::Dialog) {
        auto* radio = new QRadioButton(parent);
        // The window system keeps the groups.
        radio->setAutoExclusive(false);
        button = radio;
    } else {
        auto* push = new QPushButton(parent);
        // Enter is the window system's business; the default button is only marked.
        push->setAutoDefault(false);
        push->setDefault(look == ControlLook::Dialog &&
                         info.kind == ws::ControlKind::DefaultButton);
        if (look == ControlLook::Panel) push->setFocusPolicy(Qt::NoFocus);
        button = push;
    }
    QObject::connect(button, &QAbstractButton::clicked, parent,
                     [actions, id] { actions.click(id); });
    return button;
}

} // namespace

QWidget* makeControlWidget(const ws::ControlInfo& info, std::uint32_t style, ControlLook look,
                           QWidget* parent, const ControlActions& actions) {
    const std::int32_t id = info.id;
    const bool fields = actions.type && actions.pick;
    switch (info.kind) {
    case ws::ControlKind::PushButton:
    case ws::ControlKind::DefaultButton:
    case ws::ControlKind::CheckBox:
    case ws::ControlKind::RadioButton:
        return makeButton(info, look, parent, actions);
    case ws::ControlKind::GroupBox:
        if (look == ControlLook::Dialog) return new QGroupBox(parent);
        break;
    case ws::ControlKind::Edit:
        if (fields) return makeEdit(id, style, parent, actions);
        break;
    case ws::ControlKind::Static: {
        if (look == ControlLook::Dialog) {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            return label;
        }
        auto* label = new ClickableLabel(parent);
        label->setTextFormat(Qt::PlainText);
        if (style & WS_SS_NOTIFY) label->onClick = [actions, id] { actions.click(id); };
        return label;
    }
    case ws::ControlKind::ComboBox:
        if (fields) return makeCombo(id, style, parent, actions);
        break;
    case ws::ControlKind::ListBox:
        if (fields) {
            auto* list = new QListWidget(parent);
            QObject::connect(list, &QListWidget::currentRowChanged, parent, [actions, id](int row) {
                if (!actions.refreshing() && row >= 0) actions.pick(id, row);
            });
            return list;
        }
        break;
    case ws::ControlKind::TreeView: {
        auto* tree = new QTreeWidget(parent);
        tree->setHeaderHidden(true);
        if (look == ControlLook::Panel) tree->setRootIsDecorated(true);
        return tree;
    }
    case ws::ControlKind::Other:
        break;
    }
    return new QWidget(parent);
}

} // namespace desk
