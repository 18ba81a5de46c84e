// Pictures of the window drawn off screen: the main window, and a dialog over it with a
// caption bar of its own (off screen there is no window manager to draw one).
#pragma once

#include <QImage>

class QDialog;
class QWidget;

namespace desk {

QImage grabWindow(QWidget& window, QDialog* dialog = nullptr);

} // namespace desk
