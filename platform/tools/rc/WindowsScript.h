// The same resources as a Windows resource script, for the system's resource compiler:
// dialogs become DIALOGEX templates, pictures ICON and BITMAP resources read from files
// written beside the script, and every other type a custom resource of the same name
// holding the same bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ws::rc {

struct WindowsScript {
    std::string text;
    /** The files the script names: a full path and the bytes to write there. */
    std::vector<std::pair<std::filesystem::path, std::vector<std::uint8_t>>> files;
};

/** Translates a resource script; the files are named after fileStem (a path without an
 *  extension) and the resource. Throws ScriptError for anything a Windows resource cannot
 *  hold: ids outside 1 to 65535, initial check marks or list items, types that are no
 *  name. A dialog without a caption is a child template (a panel placed inside another
 *  dialog, such as a file dialog's). Radio buttons of one group are placed together, the
 *  system's groups being runs of controls. */
WindowsScript translateToWindowsScript(const std::string& scriptText,
                                       const std::filesystem::path& baseDir,
                                       const std::filesystem::path& fileStem);

} // namespace ws::rc
