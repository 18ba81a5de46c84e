// The module's menu commands: their items in the objects sub-menu, in menu order, with
// the host's automatic enabling, and the runner each item starts.
#pragma once

#include "hostapi/HostTypes.h"

#include <array>
#include <cstddef>
#include <span>

namespace plugin {

/** In menu order. */
enum class MenuCommand : size_t {
    FastMove,
    MapScaling,
    ScaleBar,
    PolygonColouring,
    LayerNumbering,
    LayerReplace,
    SaveLayerList,
    LoadLayerList,
    ResetImageSize,
    StraightenText,
    RemoveTextShear,
};
inline constexpr size_t kMenuCommandCount = 11;

/** Arguments of the host's automatic enabling, in the order the call takes them. */
struct AutoEnabling {
    int32_t action;
    int32_t ifArtInDocument;
    int32_t ifNotArtInDocument;
    int32_t ifSelectedArt;
    int32_t ifNotSelectedArt;
    int32_t ifIsTrue;
    int32_t ifNotTrue;
};

struct MenuCommandItem {
    MenuCommand command;
    /** UTF-8. */
    const char* text;
    AutoEnabling enabling;
    bool separatorAfter;
};

/** The objects sub-menu, top to bottom. */
std::span<const MenuCommandItem, kMenuCommandCount> ObjectMenuItems() noexcept;

/** Runs one command for the plug-in reference: creates its object, runs it, destroys it.
 *  0 is success, kHostErrCancelled a cancel, anything else the failure. */
using CommandRunner = HostErr (*)(HostPluginRef pluginRef);
using CommandRunners = std::array<CommandRunner, kMenuCommandCount>;

/** The runner of every command, indexed by MenuCommand (CommandRunners.cpp). */
const CommandRunners& DefaultCommandRunners() noexcept;

/** Tells the user that the chosen command is not available and answers
 *  kHostErrNotImplemented, so the host never takes it for a success. */
HostErr CommandNotAvailable();

constexpr size_t Index(MenuCommand command) noexcept {
    return static_cast<size_t>(command);
}

} // namespace plugin
