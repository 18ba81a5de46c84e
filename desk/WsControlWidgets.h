// The one place a window-system control becomes a Qt widget, for dialogs and panels alike.
// The widget holds no state of its own: what it shows is set from the window system later,
// and a person's clicks, typing and picks go to the actions, which hand them to the window
// system as that control's own messages.
#pragma once

#include "platform/UserAgent.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

namespace desk {

struct ControlActions {
    std::function<void(std::int32_t id)> click;
    /// Null where the window has no fields or lists to type into or pick from (a panel):
    /// such controls are then shown and not used.
    std::function<void(std::int32_t id, const std::string& text)> type;
    std::function<void(std::int32_t id, int index)> pick;
    /// True while the window shows the window system's state: changes made then are not a
    /// person's.
    std::function<bool()> refreshing;
};

/// How the window lays its controls out: a dialog's take the keyboard focus and show radio
/// buttons as such; a panel's buttons never take the focus and its radio buttons are toggle
/// buttons (icon buttons of which one is down).
enum class ControlLook { Dialog, Panel };

/// A new widget for the control, a child of parent; a plain widget for a kind it does not
/// show. style is the control's window style.
QWidget* makeControlWidget(const ws::ControlInfo& info, std::uint32_t style, ControlLook look,
                           QWidget* parent, const ControlActions& actions);

} // namespace desk
