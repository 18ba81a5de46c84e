#include "DeskApp.h"

#include "DeskHost.h"
#include "DeskResponder.h"
#include "MainWindow.h"
#include "QtUserAgent.h"
#include "Scene.h"
#include "Screenshot.h"
#include "WsDialogWidget.h"
#include "commands/CommandTable.h"
#include "host/loader/ModuleLocation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <iostream>

namespace desk {

QFont interfaceFont() {
    QFont font(textFontFamily());
    font.setPointSize(9);
    return font;
}

void setUpApplication(QApplication& app) {
    app.setApplicationName("cartovel-desk");
    app.setOrganizationName("cartovel");
    app.setFont(interfaceFont());
}

QString commandMenuText(const QString& command) {
    const cartovel::CommandEntry* entry = cartovel::findCommand(command.toStdString());
    return entry == nullptr ? QString()
                            : QString::fromUtf8(entry->menuText.data(),
                                                static_cast<qsizetype>(entry->menuText.size()));
}

namespace {

struct Options {
    QString map;
    QString prefs;
    QString plugin;
    QString screenshot;
    QString run;
    QString openDialog;
    bool showPanels = false;
    double interfaceScale = 1.0;
};

int usage(const QString& message) {
    std::cerr << "cartovel-desk: " << message.toStdString() << '\n';
    return 64;
}

// Answers every message box with its default button, for pictures taken unattended.
void answerBoxes(DeskResponder& responder) {
    QObject::connect(&responder, &DeskResponder::messageBoxOpened, &responder,
                     [](QMessageBox* box) {
                         if (QAbstractButton* button = box->defaultButton())
                             button->click();
                         else
                             box->accept();
                     });
}

int screenshot(MainWindow& window, const Options& options) {
    QImage picture;
    answerBoxes(window.responder());
    const QString command = options.run.isEmpty() ? options.openDialog : options.run;
    if (!command.isEmpty()) {
        QAction* act = window.hostAction(commandMenuText(command));
        if (act == nullptr && command == QLatin1String("about")) act = window.aboutAction();
        if (act == nullptr) return usage("no menu item for the command " + command);
        if (!options.openDialog.isEmpty()) {
            QObject::connect(&window.agent(), &QtUserAgent::dialogOpened, &window,
                             [&](WsDialogWidget* dialog) {
                                 if (!picture.isNull()) return;
                                 QApplication::processEvents();
                                 picture = grabWindow(window, dialog);
                                 dialog->dismiss();
                                 if (dialog->dialog().isOpen()) window.agent().abandonDialog();
                             });
        } else {
            window.agent().setConfirmDialogs(true);
        }
        act->trigger();
    }
    QApplication::processEvents();
    if (picture.isNull()) picture = grabWindow(window);
    if (!picture.save(options.screenshot)) return usage("cannot write " + options.screenshot);
    return 0;
}

} // namespace

int runDesk(QApplication& app) {
    setUpApplication(app);
    QCommandLineParser parser;
    parser.setApplicationDescription("Open an SVG map and work on it with the Cartovel commands.");
    parser.addHelpOption();
    parser.addPositionalArgument("MAP", "The map to open (SVG).");
    parser.addOption({"prefs", "The preference store.", "FILE"});
    parser.addOption(
        {"plugin",
         "The module file (default: " + QString::fromStdString(host::moduleSearchHelp()) + ").",
         "FILE"});
    parser.addOption({"screenshot", "Draw the window into a PNG and exit.", "OUT"});
    parser.addOption({"run", "With --screenshot: run a command first.", "COMMAND"});
    parser.addOption({"open-dialog",
                      "With --screenshot: picture a command's dialog (\"about\": the about box).",
                      "COMMAND"});
    parser.addOption({"show-panels", "Show the module's panels."});
    parser.addOption({"interface-scale", "The panels' interface scale (default 1).", "FACTOR"});
    parser.addOption({"dark", "A dark interface for the panels."});
    parser.process(app);
    Options options;
    options.prefs = parser.value("prefs");
    options.plugin = parser.value("plugin");
    options.screenshot = parser.value("screenshot");
    options.run = parser.value("run");
    options.openDialog = parser.value("open-dialog");
    options.showPanels = parser.isSet("show-panels");
    if (parser.isSet("interface-scale")) {
        bool ok = false;
        options.interfaceScale = parser.value("interface-scale").toDouble(&ok);
        if (!ok || options.interfaceScale < 0.5 || options.interfaceScale > 4)
            return usage("--interface-scale takes a factor from 0.5 to 4");
    }
    if (!parser.positionalArguments().isEmpty()) options.map = parser.positionalArguments().front();
    if (!options.screenshot.isEmpty() && options.map.isEmpty())
        return usage("--screenshot needs a map");
    if (options.screenshot.isEmpty() && (!options.run.isEmpty() || !options.openDialog.isEmpty()))
        return usage("--run and --open-dialog go with --screenshot");

    DeskHost host(
        {options.plugin.toStdString(), options.prefs.toStdString(), options.interfaceScale});
    MainWindow window(host);
    std::string message;
    if (host.start(&message) != kHostNoErr)
        return usage("the module did not start: " + QString::fromStdString(message));
    window.buildMenus();
    window.show();
    if (!options.map.isEmpty() && !window.openFile(options.map) && !options.screenshot.isEmpty())
        return usage("cannot open " + options.map);
    if (parser.isSet("dark")) window.action("viewDark")->setChecked(true);
    if (options.showPanels) window.showModulePanels();
    if (!options.screenshot.isEmpty()) return screenshot(window, options);
    return app.exec();
}

} // namespace desk
