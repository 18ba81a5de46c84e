// The program around the main window: options, start-up of the host and module, and the
// screenshot mode that opens a map, runs or opens a command and writes a picture.
#pragma once

#include <QString>

class QApplication;
class QFont;

namespace desk {

class MainWindow;

/// The interface font: one that has Japanese, so the module's texts show.
QFont interfaceFont();
/// Application name, font and style the window and the tests share.
void setUpApplication(QApplication& app);
/// The menu text of a command by its command-line name; empty when there is none.
QString commandMenuText(const QString& command);
int runDesk(QApplication& app);

} // namespace desk
