#include "WindowsScript.h"

#include "DialogTemplate.h"
#include "Picture.h"
#include "ResourceScript.h"
#include "platform/ws.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <set>

namespace ws::rc {
namespace {

using nlohmann::json;

// The system's style bits, written as numbers so the script needs no headers.
constexpr std::uint32_t kChild = 0x40000000u;
constexpr std::uint32_t kVisible = 0x10000000u;
constexpr std::uint32_t kDisabled = 0x08000000u;
constexpr std::uint32_t kClipSiblings = 0x04000000u;
constexpr std::uint32_t kPopup = 0x80000000u;
constexpr std::uint32_t kCaption = 0x00C00000u;
constexpr std::uint32_t kBorder = 0x00800000u;
constexpr std::uint32_t kSysMenu = 0x00080000u;
constexpr std::uint32_t kVScroll = 0x00200000u;
constexpr std::uint32_t kGroup = 0x00020000u;
constexpr std::uint32_t kTabStop = 0x00010000u;
constexpr std::uint32_t kDsSetFont = 0x40u;
constexpr std::uint32_t kDsModalFrame = 0x80u;
constexpr std::uint32_t kDs3dLook = 0x04u;
constexpr std::uint32_t kDsControl = 0x400u;
constexpr std::uint32_t kEsAutoHScroll = 0x80u;
constexpr std::uint32_t kLbsNotify = 0x01u;
constexpr std::uint32_t kExClientEdge = 0x200u;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string hex(std::uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", v);
    return buffer;
}

std::string typeName(std::uint32_t type) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += static_cast<char>((type >> shift) & 0xFF);
    return name;
}

std::string controlClass(const std::string& name) {
    return name == "TREEVIEW" ? "SysTreeView32" : name;
}

std::pair<std::uint32_t, std::uint32_t> controlStyle(const ControlTemplate& c) {
    std::uint32_t style = kChild | (c.style & 0xFFFFu);
    std::uint32_t exStyle = 0;
    if (!(c.style & WS_STYLE_HIDDEN)) style |= kVisible;
    if (c.style & WS_STYLE_DISABLED) style |= kDisabled;
    if (c.style & WS_STYLE_TABSTOP) style |= kTabStop;
    if (c.className == "EDIT") {
        style |= kBorder | kEsAutoHScroll;
        exStyle |= kExClientEdge;
    } else if (c.className == "COMBOBOX") {
        style |= kVScroll;
    } else if (c.className == "LISTBOX") {
        style |= kVScroll | kBorder | kLbsNotify;
    } else if (c.className == "TREEVIEW") {
        style |= kBorder;
    }
    return {style, exStyle};
}

bool isRadio(const ControlTemplate& c) {
    return c.className == "BUTTON" && (c.style & WS_BS_TYPEMASK) == WS_BS_AUTORADIOBUTTON;
}

// The controls in the order the dialog gets them, each radio group together where its first
// member was, with the group mark on the first control of each group and of what follows.
std::vector<std::pair<const ControlTemplate*, bool>> ordered(const DialogTemplate& dialog) {
    std::vector<std::pair<const ControlTemplate*, bool>> out;
    std::set<std::string> placed;
    bool markNext = false;
    for (const ControlTemplate& c : dialog.controls) {
        if (!isRadio(c)) {
            out.push_back({&c, markNext});
            markNext = false;
            continue;
        }
        if (c.radioGroup.empty()) {
            out.push_back({&c, true});
            markNext = true;
            continue;
        }
        if (!placed.insert(c.radioGroup).second) continue;
        bool first = true;
        for (const ControlTemplate& member : dialog.controls)
            if (isRadio(member) && member.radioGroup == c.radioGroup) {
                out.push_back({&member, first});
                first = false;
            }
        markNext = true;
    }
    return out;
}

std::string dialogText(std::int32_t id, const DialogTemplate& dialog, const std::string& where) {
    const bool child = dialog.caption.empty();
    const std::uint32_t style = child ? kChild | kClipSiblings | kDsControl | kDs3dLook | kDsSetFont
                                      : kPopup | kCaption | kSysMenu | kDsModalFrame | kDsSetFont;
    std::string out = std::to_string(id) + " DIALOGEX 0, 0, " + std::to_string(dialog.width) +
                      ", " + std::to_string(dialog.height) + "\nSTYLE " + hex(style) + "\n";
    if (!child) out += "CAPTION " + quoted(dialog.caption) + "\n";
    out += "FONT 9, \"MS Shell Dlg\"\nBEGIN\n";
    for (const auto& [control, group] : ordered(dialog)) {
        if (control->checked || !control->items.empty())
            throw ScriptError(where + ": a Windows dialog template holds no check marks or "
                                      "list items; the dialog procedure sets them");
        auto [controlStyleBits, exStyle] = controlStyle(*control);
        if (group) controlStyleBits |= kGroup;
        const std::int32_t controlId = control->id < 0 ? -1 : control->id;
        if (controlId > 0xFFFF) throw ScriptError(where + ": control ids end at 65535");
        out += "    CONTROL " + quoted(control->text) + ", " + std::to_string(controlId) + ", " +
               quoted(controlClass(control->className)) + ", " + hex(controlStyleBits) + ", " +
               std::to_string(control->x) + ", " + std::to_string(control->y) + ", " +
               std::to_string(control->width) + ", " + std::to_string(control->height);
        if (exStyle != 0) out += ", " + hex(exStyle);
        out += "\n";
    }
    return out + "END\n";
}

// The script's pictures again: an icon file of device-independent bitmaps.
std::vector<std::uint8_t> dibIcon(const json& entry, const std::string& where) {
    const Picture picture = parsePicture(entry["picture"], where);
    std::vector<Picture> images;
    for (const json& size : entry.value("sizes", json::array({picture.width})))
        images.push_back(scalePicture(picture, size.get<int>() / picture.width));
    return encodeDibIcon(images);
}

} // namespace

WindowsScript translateToWindowsScript(const std::string& scriptText,
                                       const std::filesystem::path& baseDir,
                                       const std::filesystem::path& fileStem) {
    // Compiling first checks everything the resources share with the other form.
    const CompiledScript compiled = compileScript(scriptText, baseDir);
    const json entries = json::parse(scriptText)["resources"];

    WindowsScript out;
    out.text = "// Generated from the resource script; edit that instead.\n"
               "#pragma code_page(65001)\n\n";
    for (std::size_t i = 0; i < compiled.resources.size(); ++i) {
        const res::Resource& r = compiled.resources[i];
        const std::string type = typeName(r.type);
        const std::string where =
            "resource " + std::to_string(i + 1) + " ('" + type + "' " + std::to_string(r.id) + ")";
        if (r.id < 1 || r.id > 0xFFFF) throw ScriptError(where + ": Windows ids are 1 to 65535");
        out.text += "LANGUAGE " + std::to_string(r.language & 0x3FFu) + ", " +
                    std::to_string(r.language >> 10u) + "\n";
        const std::string id = std::to_string(r.id);
        auto addFile = [&](const char* extension, std::vector<std::uint8_t> bytes) {
            std::filesystem::path file = fileStem;
            file += "-" + id + "-" + std::to_string(r.language) + extension;
            out.files.push_back({file, std::move(bytes)});
            return quoted(file.generic_string());
        };
        if (r.type == WS_RT_DIALOG) {
            std::string error;
            const auto dialog = parseDialogTemplate(
                std::string_view(reinterpret_cast<const char*>(r.data.data()), r.data.size()),
                &error);
            if (!dialog) throw ScriptError(where + ": " + error);
            out.text += dialogText(r.id, *dialog, where);
        } else if (r.type == WS_RT_ICON) {
            const bool drawn = entries[i].contains("picture");
            out.text +=
                id + " ICON " + addFile(".ico", drawn ? dibIcon(entries[i], where) : r.data);
            out.text += "\n";
        } else if (r.type == WS_RT_BITMAP) {
            out.text += id + " BITMAP " + addFile(".bmp", r.data) + "\n";
        } else {
            std::string name = type;
            for (char c : name)
                if (!std::isalnum(static_cast<unsigned char>(c)))
                    throw ScriptError(where + ": a Windows resource type is letters and digits");
            out.text += id + " " + name + " " + addFile(".bin", r.data) + "\n";
        }
        out.text += "\n";
    }
    return out;
}

} // namespace ws::rc
