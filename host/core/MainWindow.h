// The host's main application window: the owner of the modules' modal dialogs and the
// window that gets the keyboard focus back after panel work.
#pragma once

#include "hostapi/HostTypes.h"

namespace host {

class MainWindow {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    /// The window, made on first use; null when the window system cannot make one.
    HostPlatformWindow get();
    [[nodiscard]] bool exists() const { return window_ != nullptr; }

private:
    HostPlatformWindow window_ = nullptr;
};

} // namespace host
