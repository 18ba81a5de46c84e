// The desktop program's main window: the map, the layers list, the host's menus as the
// module built them (with File, Edit and View of the window's own), the progress bar, and
// the user agent and responder through which the module's dialogs, alerts and progress
// reach the person at the screen.
#pragma once

#include "host/core/Menus.h"
#include "hostapi/HostTypes.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QMenu;

namespace ws {
class ScopedUserAgent;
}

namespace desk {

class Canvas;
class DeskHost;
class DeskResponder;
class LayersPanel;
class PanelDocks;
class ProgressPanel;
class QtUserAgent;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(DeskHost& host, QWidget* parent = nullptr);
    ~MainWindow() override;

    DeskHost& host() { return host_; }
    Canvas& canvas() { return *canvas_; }
    LayersPanel& layers() { return *layers_; }
    QtUserAgent& agent() { return *agent_; }
    DeskResponder& responder() { return *responder_; }
    ProgressPanel& progress() { return *progress_; }
    PanelDocks& panels() { return *panels_; }

    /// Builds the menus from the host's menu groups (after the module has started).
    void buildMenus();
    /// Enabling and check marks as the host evaluates them now.
    void refreshMenus();
    /// The action of the host menu item with this text; null when there is none.
    [[nodiscard]] QAction* hostAction(const QString& text) const;
    [[nodiscard]] QAction* action(const QString& objectName) const;
    /// The module's item under the host's "About" group; null when there is none.
    [[nodiscard]] QAction* aboutAction() const;

    /// Shows both of the module's panels (from their Window menu items), the move panel
    /// with its layers listed.
    void showModulePanels();
    bool openFile(const QString& path);
    bool saveFile(const QString& path);
    /// Runs the host menu item as if chosen from the menu.
    HostErr runItem(host::MenuItem& item);
    [[nodiscard]] bool commandRunning() const { return running_; }

signals:
    void commandFinished(int result);
    void documentChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void addGroup(QMenu& menu, const host::MenuGroup& group);
    void documentReplaced();
    void updateTitle();
    void updateRecent();
    void rememberRecent(const QString& path);
    /// A file opened or saved is remembered among the recent ones; a failure is shown with
    /// failure, which takes the path and the host's reason.
    bool fileDone(bool done, const QString& failure, const QString& path,
                  const std::string& message);
    bool maybeSave();
    void showError(const QString& text);
    void undoOrRedo(bool undo);
    /// The document changed outside a module's message (a click on the map, a layer
    /// switch): the modules hear of it at the host's idle time, as they would.
    void changedOutsideMessage();

    DeskHost& host_;
    Canvas* canvas_;
    LayersPanel* layers_;
    QDockWidget* layersDock_;
    ProgressPanel* progress_;
    PanelDocks* panels_;
    std::unique_ptr<QtUserAgent> agent_;
    std::unique_ptr<ws::ScopedUserAgent> agentScope_;
    std::unique_ptr<DeskResponder> responder_;
    std::vector<std::pair<QAction*, host::MenuItem*>> hostActions_;
    QMenu* recentMenu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* save_ = nullptr;
    bool running_ = false;
};

} // namespace desk
