#include "MainWindow.h"

#include "Canvas.h"
#include "DeskApp.h"
#include "DeskHost.h"
#include "DeskResponder.h"
#include "LayersPanel.h"
#include "PanelDocks.h"
#include "QtUserAgent.h"
#include "WsPanelWidget.h"

#include "host/core/Application.h"
#include "host/core/Errors.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

namespace desk {
namespace {

constexpr int kRecentFiles = 8;

// Where the host's own menu groups appear in the window's menus.
struct GroupPlace {
    const char* group;
    const char* menu;
};
constexpr GroupPlace kGroupPlaces[] = {
    {"Document Utilities", "&File"},
    {"Edit Utilities", "&Edit"},
    {"Object Utilities", "&Object"},
    {"Type Utilities", "&Type"},
    {"Tool Palettes", "&Window"},
    {"Window Utilities", "&Window"},
    {"Help", "&Help"},
    {"About", "&Help"},
};

} // namespace

MainWindow::MainWindow(DeskHost& host, QWidget* parent)
    : QMainWindow(parent), host_(host), canvas_(new Canvas(host, this)),
      layers_(new LayersPanel(host, this)), layersDock_(new QDockWidget(tr("Layers"), this)),
      progress_(new ProgressPanel(this)), panels_(new PanelDocks(host, *this)),
      agent_(std::make_unique<QtUserAgent>(this)),
      agentScope_(std::make_unique<ws::ScopedUserAgent>(*agent_)),
      responder_(std::make_unique<DeskResponder>(this, *progress_)) {
    setObjectName("mainWindow");
    setCentralWidget(canvas_);
    layersDock_->setObjectName("layersDock");
    layersDock_->setWidget(layers_);
    addDockWidget(Qt::RightDockWidgetArea, layersDock_);
    statusBar()->addPermanentWidget(progress_);
    host_.app().user().setResponder(responder_.get());
    connect(agent_.get(), &QtUserAgent::errorReported, this,
            [this](const QString& message) { statusBar()->showMessage(message, 8000); });
    connect(canvas_, &Canvas::selectionChanged, this, [this] {
        changedOutsideMessage();
        canvas_->update();
        refreshMenus();
    });
    connect(layers_, &LayersPanel::layersChanged, this, [this] {
        changedOutsideMessage();
        canvas_->invalidate();
        updateTitle();
    });
    connect(layers_, &LayersPanel::currentLayerChanged, this, [this] {
        changedOutsideMessage();
        refreshMenus();
    });
    connect(panels_, &PanelDocks::panelActed, this, [this] {
        changedOutsideMessage();
        documentReplaced();
    });
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    resize(1100, 760);
    updateTitle();
}

MainWindow::~MainWindow() {
    host_.app().user().setResponder(nullptr);
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("&File");
    QAction* open = file->addAction(tr("&Open..."), this, [this] {
        if (!maybeSave()) return;
        const QString path = QFileDialog::getOpenFileName(this, tr("Open Map"), QString(),
                                                          tr("SVG maps (*.svg);;All files (*)"));
        if (!path.isEmpty()) openFile(path);
    });
    open->setObjectName("fileOpen");
    open->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(tr("Open &Recent"));
    save_ = file->addAction(tr("&Save"), this, [this] {
        if (host_.filePath().empty()) {
            action("fileSaveAs")->trigger();
            return;
        }
        saveFile(QString::fromStdString(host_.filePath().string()));
    });
    save_->setObjectName("fileSave");
    save_->setShortcut(QKeySequence::Save);
    QAction* saveAs = file->addAction(tr("Save &As..."), this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Save Map"), QString::fromStdString(host_.filePath().string()),
            tr("SVG maps (*.svg)"));
        if (!path.isEmpty()) saveFile(path);
    });
    saveAs->setObjectName("fileSaveAs");
    saveAs->setShortcut(QKeySequence::SaveAs);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    file->addSeparator();
    updateRecent();
}

void MainWindow::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("&Edit");
    undo_ = edit->addAction(tr("&Undo"), this, [this] { undoOrRedo(true); });
    undo_->setObjectName("editUndo");
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = edit->addAction(tr("&Redo"), this, [this] { undoOrRedo(false); });
    redo_->setObjectName("editRedo");
    redo_->setShortcut(QKeySequence::Redo);
    edit->addSeparator();
    // The precision of path operations, kept with the window's other settings.
    const QVariant stored = QSettings().value("precision");
    if (stored.isValid()) host_.app().setPrecision(stored.toDouble());
    QAction* precision = edit->addAction(tr("Path &Precision..."), this, [this] {
        bool ok = false;
        const double value = QInputDialog::getDouble(
            this, tr("Path Precision"),
            tr("Points and edges closer than this (pt) are treated as one:"),
            host_.app().precision(), 0.0, 10.0, 3, &ok);
        if (!ok) return;
        host_.app().setPrecision(value);
        QSettings().setValue("precision", host_.app().precision());
    });
    precision->setObjectName("editPrecision");
    edit->addSeparator();
}

void MainWindow::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("&View");
    QAction* zoomIn = view->addAction(tr("Zoom &In"), this, [this] {
        canvas_->zoomBy(1.25, QPointF(canvas_->width() / 2.0, canvas_->height() / 2.0));
    });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = view->addAction(tr("Zoom &Out"), this, [this] {
        canvas_->zoomBy(0.8, QPointF(canvas_->width() / 2.0, canvas_->height() / 2.0));
    });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* fit = view->addAction(tr("&Fit in Window"), this, [this] { canvas_->fit(); });
    fit->setObjectName("viewFit");
    fit->setShortcut(Qt::CTRL | Qt::Key_0);
    view->addSeparator();
    QAction* layers = layersDock_->toggleViewAction();
    layers->setObjectName("viewLayers");
    view->addAction(layers);
    QAction* dark = view->addAction(tr("&Dark Interface"));
    dark->setObjectName("viewDark");
    dark->setCheckable(true);
    connect(dark, &QAction::toggled, this, [this](bool on) { panels_->setDark(on); });
}

void MainWindow::addGroup(QMenu& menu, const host::MenuGroup& group) {
    for (host::MenuItem* item : group.items) {
        if (item->isSeparator()) {
            menu.addSeparator();
            continue;
        }
        const QString text = QString::fromStdString(item->text);
        if (item->subMenu != nullptr) {
            QMenu* sub = menu.addMenu(text);
            addGroup(*sub, *item->subMenu);
            continue;
        }
        QAction* act = menu.addAction(text);
        act->setObjectName(QString::fromStdString(item->keyboardName));
        connect(act, &QAction::triggered, this, [this, item] { runItem(*item); });
        hostActions_.emplace_back(act, item);
    }
}

void MainWindow::buildMenus() {
    hostActions_.clear();
    const host::Menus& menus = host_.app().menus();
    std::vector<const host::MenuGroup*> placed;
    for (const GroupPlace& place : kGroupPlaces) {
        const host::MenuGroup* group = menus.findGroup(place.group);
        if (group == nullptr || group->items.empty()) continue;
        QMenu* menu = menuBar()->findChild<QMenu*>(place.menu, Qt::FindDirectChildrenOnly);
        if (menu == nullptr) {
            menu = menuBar()->addMenu(tr(place.menu));
            menu->setObjectName(place.menu);
        } else if (!menu->isEmpty() && !menu->actions().back()->isSeparator()) {
            menu->addSeparator();
        }
        addGroup(*menu, *group);
        placed.push_back(group);
    }
    // Top-level groups a module made itself get a menu of their own.
    for (std::size_t i = 0; i < menus.groupCount(); ++i) {
        const host::MenuGroup* group = menus.group(i);
        if (group->parent != nullptr || group->items.empty() ||
            std::find(placed.begin(), placed.end(), group) != placed.end())
            continue;
        addGroup(*menuBar()->addMenu(QString::fromStdString(group->name)), *group);
    }
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::refreshMenus, Qt::UniqueConnection);
    refreshMenus();
}

void MainWindow::refreshMenus() {
    host_.app().updateMenus();
    for (auto& [act, item] : hostActions_) {
        act->setEnabled(!running_ && item->enabled());
        if (item->checked) act->setCheckable(true);
        if (act->isCheckable()) act->setChecked(item->checked);
    }
    const bool open = host_.document() != nullptr;
    undo_->setEnabled(!running_ && host_.canUndo());
    undo_->setText(host_.canUndo() ? tr("&Undo %1").arg(QString::fromStdString(host_.undoName()))
                                   : tr("&Undo"));
    redo_->setEnabled(!running_ && host_.canRedo());
    redo_->setText(host_.canRedo() ? tr("&Redo %1").arg(QString::fromStdString(host_.redoName()))
                                   : tr("&Redo"));
    save_->setEnabled(open);
    action("fileSaveAs")->setEnabled(open);
    panels_->sync();
}

void MainWindow::showModulePanels() {
    for (const char* command : {"move-to-layer", "text-origin"}) {
        refreshMenus();
        QAction* act = hostAction(commandMenuText(command));
        if (act != nullptr && act->isEnabled() && !act->isChecked()) act->trigger();
    }
    // The move panel lists the layers as at the last press of its refresh button and starts
    // empty: press it, as a person opening the panel on a map would.
    if (WsPanelWidget* move = panels_->panel(commandMenuText("move-to-layer")))
        for (QPushButton* button : move->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("レイヤーリストを更新") && button->isEnabled())
                button->click();
}

void MainWindow::changedOutsideMessage() {
    host_.app().documentChangedOutsideMessage();
    host_.app().idle();
    panels_->sync();
}

QAction* MainWindow::aboutAction() const {
    for (const auto& [act, item] : hostActions_)
        if (item->group != nullptr && item->group->parent != nullptr &&
            item->group->parent->group != nullptr && item->group->parent->group->name == "About" &&
            item->owner == host_.module())
            return act;
    return nullptr;
}

QAction* MainWindow::hostAction(const QString& text) const {
    for (const auto& [act, item] : hostActions_)
        if (act->text() == text) return act;
    return nullptr;
}

HostErr MainWindow::runItem(host::MenuItem& item) {
    if (running_) return kHostErrRefused;
    host_.app().updateMenus();
    if (!item.enabled()) return kHostErrRefused;
    running_ = true;
    // The window takes no other work while the command runs; only Cancel stays live.
    menuBar()->setEnabled(false);
    canvas_->setEnabled(false);
    layers_->setEnabled(false);
    responder_->beginCommand();
    statusBar()->showMessage(QString::fromStdString(item.text));
    const HostErr result = host_.runMenuItem(item);
    responder_->endCommand();
    running_ = false;
    menuBar()->setEnabled(true);
    canvas_->setEnabled(true);
    layers_->setEnabled(true);
    documentReplaced();
    if (result == kHostErrCancelled)
        statusBar()->showMessage(tr("Cancelled"), 5000);
    else if (result != kHostNoErr)
        statusBar()->showMessage(
            QString::fromStdString(host::codeText(result) + ": " + host::describeCode(result)),
            8000);
    else
        statusBar()->clearMessage();
    emit commandFinished(result);
    return result;
}

void MainWindow::undoOrRedo(bool undo) {
    if (running_) return;
    if (undo ? host_.undo() : host_.redo()) documentReplaced();
}

void MainWindow::documentReplaced() {
    canvas_->invalidate();
    layers_->reload();
    refreshMenus();
    updateTitle();
    emit documentChanged();
}

bool MainWindow::openFile(const QString& path) {
    std::string message;
    const bool done = host_.open(path.toStdString(), &message);
    if (!fileDone(done, tr("Cannot open %1:\n%2"), path, message)) return false;
    documentReplaced();
    canvas_->fit();
    return true;
}

bool MainWindow::saveFile(const QString& path) {
    std::string message;
    const bool done = host_.save(path.toStdString(), &message);
    if (!fileDone(done, tr("Cannot save %1:\n%2"), path, message)) return false;
    updateTitle();
    return true;
}

bool MainWindow::fileDone(bool done, const QString& failure, const QString& path,
                          const std::string& message) {
    if (!done) {
        showError(failure.arg(path, QString::fromStdString(message)));
        return false;
    }
    rememberRecent(QFileInfo(path).absoluteFilePath());
    return true;
}

void MainWindow::showError(const QString& text) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        statusBar()->showMessage(text);
        return;
    }
    QMessageBox::warning(this, tr("Cartovel"), text);
}

void MainWindow::updateTitle() {
    const QString name =
        host_.filePath().empty()
            ? tr("(no map)")
            : QFileInfo(QString::fromStdString(host_.filePath().string())).fileName();
    setWindowTitle(name + "[*] - Cartovel");
    setWindowModified(host_.modified());
    if (undo_ != nullptr) refreshMenus();
}

void MainWindow::rememberRecent(const QString& path) {
    QSettings settings;
    QStringList recent = settings.value("recentFiles").toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentFiles)
        recent.removeLast();
    settings.setValue("recentFiles", recent);
    updateRecent();
}

void MainWindow::updateRecent() {
    recentMenu_->clear();
    const QStringList recent = QSettings().value("recentFiles").toStringList();
    for (const QString& path : recent)
        recentMenu_
            ->addAction(QFileInfo(path).fileName(), this,
                        [this, path] {
                            if (maybeSave()) openFile(path);
                        })
            ->setToolTip(path);
    recentMenu_->setEnabled(!recent.isEmpty());
}

bool MainWindow::maybeSave() {
    if (!host_.modified() || host_.document() == nullptr) return true;
    const auto answer =
        QMessageBox::question(this, tr("Cartovel"), tr("The map has changed. Save it?"),
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::Discard) return true;
    save_->trigger();
    return !host_.modified();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (running_ || !maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace desk
