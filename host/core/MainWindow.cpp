#include "host/core/MainWindow.h"

#include "platform/ws.h"

namespace host {
namespace {

// The only call that makes the window, so a different window system needs one change here.
HostPlatformWindow createPlatformMainWindow() {
    return WsCreateWindow("FRAME", "Cartovel", 0, 0, 0, 1024, 768, nullptr, 0, nullptr);
}

} // namespace

MainWindow::~MainWindow() {
    if (window_ != nullptr) WsDestroyWindow(window_);
}

HostPlatformWindow MainWindow::get() {
    if (window_ == nullptr) window_ = createPlatformMainWindow();
    return window_;
}

} // namespace host
