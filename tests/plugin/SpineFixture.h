// The real module, loaded by the host from the build tree.
#pragma once

#include "host/core/Application.h"
#include "host/core/SuiteCatalog.h"
#include "platform/UserAgent.h"
#include "resources/CartovelResources.h"

#include <gtest/gtest.h>

#include <string_view>

namespace spine {

inline constexpr std::string_view kObjectsGroup = "Mirvak-Cartovel1.6 Objects";
inline constexpr std::string_view kWindowsGroup = "Mirvak-Cartovel1.6 Windows";
inline constexpr std::string_view kTextOrigin = menu::kTextOrigin.text;
inline constexpr std::string_view kMoveLayer = menu::kMoveToLayer.text;
inline constexpr std::string_view kAboutItem = "Mirvak-Cartovel1.6...";
/// The commands that need a document, then the three that need a selection.
inline constexpr std::string_view kDocumentCommands[] = {
    menu::kFastMove.text,         menu::kMapScaling.text,     menu::kScaleBar.text,
    menu::kPolygonColouring.text, menu::kLayerNumbering.text, menu::kLayerReplace.text,
    menu::kSaveLayerList.text,    menu::kLoadLayerList.text};
inline constexpr std::string_view kImageCommand = menu::kResetImageSize.text;
inline constexpr std::string_view kTextCommands[] = {menu::kStraightenText.text,
                                                     menu::kRemoveTextShear.text};

class Spine : public ::testing::Test {
protected:
    void SetUp() override { module = &app.loadModule(CARTOVEL_PLUGIN_FILE); }

    HostErr start() { return app.startModules(); }

    host::MenuItem* item(std::string_view text) {
        for (host::MenuItem* i : app.menus().items())
            if (i->owner == module && i->text == text) return i;
        return nullptr;
    }
    host::MenuItem& requireItem(std::string_view text) {
        host::MenuItem* i = item(text);
        if (i == nullptr) throw std::runtime_error("no menu item " + std::string(text));
        return *i;
    }

    /// Sends a message as it is, whatever the module's state.
    HostErr sendMenu(const char* selector, host::MenuItem* target) {
        HostMenuMessage message{};
        message.menuItem = target != nullptr ? target->handle() : nullptr;
        return app.send(*module, kCallerMenu, selector, message.d);
    }
    HostErr send(const char* caller, const char* selector) {
        HostMessageData record{};
        return app.send(*module, caller, selector, record);
    }

    // Declared first so that it outlives the application's shut-down.
    ws::ScriptedUser user;
    ws::ScopedUserAgent agent{user};
    host::Application app;
    host::Module* module = nullptr;
};

} // namespace spine
