// cartovel-desk: open an SVG map in a window and work on it with the module's commands.
//   cartovel-desk [--prefs FILE] [--plugin FILE] [MAP.svg]
//   cartovel-desk --screenshot OUT.png [--run COMMAND] [--open-dialog COMMAND]
//                 [--show-panels] MAP.svg
#include "DeskApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return desk::runDesk(app);
}
