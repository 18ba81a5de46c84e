// A Qt view of one modeless panel window of the window system, for a dock. Like the dialog
// view it holds no state of its own: each child control becomes a widget at its rectangle
// (the panel is laid out in pixels at the interface's scale), with its text, check,
// enabling, icon and tree items as the window system holds them, and a person's clicks on
// buttons, clickable texts and tree items go back as the panel's own mouse messages.
#pragma once

#include "platform/UserAgent.h"

#include <QWidget>

#include <map>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace desk {

class WsPanelWidget final : public QWidget {
    Q_OBJECT
public:
    WsPanelWidget(WsWindow panel, QWidget* parent = nullptr);

    [[nodiscard]] WsWindow window() const { return panel_; }
    /// The widget of the control with this id; null when there is none.
    [[nodiscard]] QWidget* control(std::int32_t id) const;
    [[nodiscard]] QTreeWidget* tree() const;
    /// Reads the panel again: controls made or destroyed since are made or dropped.
    void refresh();
    /// Background and text colours of the interface's look.
    void setColours(const QColor& background, const QColor& text);
    [[nodiscard]] const QString& lastError() const { return lastError_; }

    [[nodiscard]] QSize sizeHint() const override;

signals:
    /// A person is about to act on the panel, and has acted (the document may have
    /// changed).
    void aboutToAct();
    void acted();

private:
    struct Entry {
        WsWindow window = nullptr;
        QWidget* widget = nullptr;
        ws::ControlKind kind = ws::ControlKind::Other;
    };

    void rebuild(const std::vector<ws::ControlInfo>& controls);
    QWidget* makeWidget(const ws::ControlInfo& info);
    void update(const Entry& entry, const ws::ControlInfo& info);
    void fillTree(QTreeWidget& tree, const ws::ControlInfo& info);
    void act(const ws::Outcome& outcome);
    void clickTreeItem(QTreeWidgetItem* item);

    WsWindow panel_;
    std::vector<Entry> entries_;
    std::map<const QTreeWidget*, std::vector<ws::TreeItemInfo>> shownTrees_;
    bool refreshing_ = false;
    QString lastError_;
};

} // namespace desk
