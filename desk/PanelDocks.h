// The module's panels as dock windows of the main window: one dock per panel the host
// made, showing its window through a WsPanelWidget, shown and hidden as the host shows and
// hides the panel (the module's Window menu items), in the interface's colours and scale.
#pragma once

#include <QObject>

#include <map>

class QDockWidget;
class QMainWindow;

namespace desk {

class DeskHost;
class WsPanelWidget;

class PanelDocks final : public QObject {
    Q_OBJECT
public:
    PanelDocks(DeskHost& host, QMainWindow& window);

    /// Makes docks for new panels and follows every panel's shown state and look.
    void sync();
    /// The dock of the panel with this title; null when there is none.
    [[nodiscard]] QDockWidget* dock(const QString& title) const;
    [[nodiscard]] WsPanelWidget* panel(const QString& title) const;
    /// Switches the interface between light and dark and repaints the panels.
    void setDark(bool dark);

signals:
    /// A person acted on a panel: the document may have changed.
    void panelActed();

private:
    DeskHost& host_;
    QMainWindow& window_;
    std::map<void*, QDockWidget*> docks_;
    bool syncing_ = false;
};

} // namespace desk
