// A Qt view of one window-system dialog. The window system stays the model: each control
// becomes a widget placed from its rectangle in dialog units, shows the text, check,
// entries and enabling the window system holds, and hands a person's typing, clicking,
// picking, focus changes and Enter back as the actions (and so the messages) the dialog's
// own procedure receives. Nothing here knows any one dialog.
#pragma once

#include "platform/UserAgent.h"

#include <QDialog>
#include <QFont>
#include <QMap>

namespace desk {

/// Dialog units to pixels for a font: a quarter of the average character width across and
/// an eighth of the line height down, as desktop dialog templates are laid out.
struct DialogUnits {
    double x = 1.5;
    double y = 1.625;
    static DialogUnits of(const QFont& font);
    [[nodiscard]] QRect toPixels(const WsRect& r) const;
};

/// A control whose text is wider than its rectangle leaves room for.
struct Overflow {
    std::int32_t id = -1;
    QString text;
    int needed = 0;
    int available = 0;
};

class WsDialogWidget final : public QDialog {
    Q_OBJECT
public:
    WsDialogWidget(ws::DialogView& dialog, QWidget* parent = nullptr);
    ~WsDialogWidget() override;

    [[nodiscard]] ws::DialogView& dialog() { return dialog_; }
    /// The widget of the control with this id; null when there is none.
    [[nodiscard]] QWidget* control(std::int32_t id) const;
    /// Closes the dialog as a person closing its window would: Cancel when it has one.
    void dismiss();
    /// Reads every control again from the window system.
    void refresh();
    /// Controls whose text does not fit their widget with the font in use.
    [[nodiscard]] std::vector<Overflow> overflowingControls() const;
    /// The last refused action, for the status line and tests.
    [[nodiscard]] const QString& lastError() const { return lastError_; }

signals:
    /// The dialog ended (its procedure called the end of the dialog).
    void ended();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Entry {
        WsWindow window = nullptr;
        QWidget* widget = nullptr;
        ws::ControlKind kind = ws::ControlKind::Other;
    };

    void build();
    QWidget* makeWidget(const ws::ControlInfo& info, std::uint32_t style);
    void place(const Entry& entry);
    void update(const Entry& entry, const ws::ControlInfo& info);
    void act(const ws::Outcome& outcome);
    void onFocusChanged(QWidget* old, QWidget* now);
    [[nodiscard]] std::int32_t defaultButton() const;

    ws::DialogView& dialog_;
    DialogUnits units_;
    std::vector<Entry> entries_;
    bool refreshing_ = false;
    bool endSignalled_ = false;
    QString lastError_;
};

} // namespace desk
