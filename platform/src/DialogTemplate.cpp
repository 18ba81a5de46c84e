#include "DialogTemplate.h"

#include "platform/ws.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace ws {
namespace {

using nlohmann::json;

struct StyleWord {
    const char* className; // null: any class
    std::uint32_t bits;
    std::uint32_t mask; // bits replaced, for kinds that exclude each other
};

const std::map<std::string, StyleWord>& styleWords() {
    static const std::map<std::string, StyleWord> words = {
        {"disabled", {nullptr, WS_STYLE_DISABLED, 0}},
        {"hidden", {nullptr, WS_STYLE_HIDDEN, 0}},
        {"tabstop", {nullptr, WS_STYLE_TABSTOP, 0}},
        {"default", {"BUTTON", WS_BS_DEFPUSHBUTTON, WS_BS_TYPEMASK}},
        {"checkbox", {"BUTTON", WS_BS_AUTOCHECKBOX, WS_BS_TYPEMASK}},
        {"radio", {"BUTTON", WS_BS_AUTORADIOBUTTON, WS_BS_TYPEMASK}},
        {"groupbox", {"BUTTON", WS_BS_GROUPBOX, WS_BS_TYPEMASK}},
        {"checked", {"BUTTON", 0, 0}},
        {"icon", {"BUTTON", WS_BS_ICON, 0}},
        {"bitmap", {"BUTTON", WS_BS_BITMAP, 0}},
        {"digits", {"EDIT", WS_ES_NUMBER, 0}},
        {"readonly", {"EDIT", WS_ES_READONLY, 0}},
        {"password", {"EDIT", WS_ES_PASSWORD, 0}},
        {"multiline", {"EDIT", WS_ES_MULTILINE, 0}},
        {"dropdown", {"COMBOBOX", WS_CBS_DROPDOWN, WS_CBS_TYPEMASK}},
        {"dropdownlist", {"COMBOBOX", WS_CBS_DROPDOWNLIST, WS_CBS_TYPEMASK}},
    };
    return words;
}

const char* const kClasses[] = {"BUTTON", "EDIT", "STATIC", "COMBOBOX", "LISTBOX", "TREEVIEW"};

[[noreturn]] void fail(const std::string& message) {
    throw std::runtime_error(message);
}

template <class T>
T field(const json& object, const char* key, T fallback, const std::string& where) {
    auto it = object.find(key);
    if (it == object.end()) return fallback;
    try {
        return it->get<T>();
    } catch (const json::exception&) {
        fail(where + ": \"" + key + "\" has the wrong type");
    }
}

int coordinate(const json& object, const char* key, const std::string& where) {
    const auto v = field<std::int64_t>(object, key, 0, where);
    if (v < -32768 || v > 32767) fail(where + ": \"" + key + "\" is out of range");
    return static_cast<int>(v);
}

ControlTemplate parseControl(const json& c, const std::string& where) {
    if (!c.is_object()) fail(where + " is not an object");
    static const std::vector<std::string> known = {
        "class", "id", "text", "x", "y", "width", "height", "style", "items", "radioGroup"};
    for (const auto& [key, value] : c.items())
        if (std::find(known.begin(), known.end(), key) == known.end())
            fail(where + ": unknown key \"" + key + "\"");

    ControlTemplate t;
    t.className = field<std::string>(c, "class", "", where);
    if (std::find(std::begin(kClasses), std::end(kClasses), t.className) == std::end(kClasses))
        fail(where + ": unknown class \"" + t.className + "\"");
    const auto id = field<std::int64_t>(c, "id", -1, where);
    if (id < INT32_MIN || id > INT32_MAX) fail(where + ": \"id\" is out of range");
    t.id = static_cast<std::int32_t>(id);
    t.text = field<std::string>(c, "text", "", where);
    t.x = coordinate(c, "x", where);
    t.y = coordinate(c, "y", where);
    t.width = coordinate(c, "width", where);
    t.height = coordinate(c, "height", where);
    if (t.className == "COMBOBOX") t.style = WS_CBS_DROPDOWNLIST;
    for (const auto& word : field<std::vector<std::string>>(c, "style", {}, where)) {
        auto it = styleWords().find(word);
        if (it == styleWords().end() ||
            (it->second.className && t.className != it->second.className))
            fail(where + ": style \"" + word + "\" does not apply to " + t.className);
        t.style = (t.style & ~it->second.mask) | it->second.bits;
        if (word == "checked") t.checked = true;
    }
    t.items = field<std::vector<std::string>>(c, "items", {}, where);
    if (!t.items.empty() && t.className != "COMBOBOX" && t.className != "LISTBOX")
        fail(where + ": only COMBOBOX and LISTBOX take \"items\"");
    t.radioGroup = field<std::string>(c, "radioGroup", "", where);
    if (!t.radioGroup.empty() &&
        (t.className != "BUTTON" || (t.style & WS_BS_TYPEMASK) != WS_BS_AUTORADIOBUTTON))
        fail(where + ": only radio buttons take \"radioGroup\"");
    return t;
}

} // namespace

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text, std::string* error) {
    try {
        const json root = json::parse(text);
        if (!root.is_object()) fail("the dialog template is not an object");
        for (const auto& [key, value] : root.items())
            if (key != "caption" && key != "width" && key != "height" && key != "controls")
                fail("unknown key \"" + key + "\" in the dialog");
        DialogTemplate t;
        t.caption = field<std::string>(root, "caption", "", "the dialog");
        t.width = coordinate(root, "width", "the dialog");
        t.height = coordinate(root, "height", "the dialog");
        const auto controls = root.find("controls");
        if (controls != root.end()) {
            if (!controls->is_array()) fail("\"controls\" is not an array");
            for (std::size_t i = 0; i < controls->size(); ++i)
                t.controls.push_back(
                    parseControl((*controls)[i], "control " + std::to_string(i + 1)));
        }
        return t;
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return std::nullopt;
    }
}

} // namespace ws
