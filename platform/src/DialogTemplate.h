// Dialog templates, stored in "DLG " resources as compact JSON:
//
//   {"caption": "Title", "width": 240, "height": 120,
//    "controls": [
//      {"class": "STATIC", "text": "Scale:", "x": 8, "y": 8, "width": 40, "height": 10},
//      {"class": "EDIT", "id": 1074, "x": 50, "y": 6, "width": 60, "height": 12,
//       "style": ["digits"]},
//      {"class": "BUTTON", "id": 1075, "text": "By scale", "style": ["radio", "checked"],
//       "radioGroup": "mode"},
//      {"class": "COMBOBOX", "id": 1083, "items": ["A", "B"]},
//      {"class": "BUTTON", "id": 1, "text": "OK", "style": ["default"]}]}
//
// Every key but "class" is optional: id -1, empty text, zero geometry, no style. Classes:
// BUTTON, EDIT, STATIC, COMBOBOX, LISTBOX, TREEVIEW. Style words: for any class
// "disabled", "hidden", "tabstop"; BUTTON "default" (default push button), "checkbox",
// "radio", "groupbox", "checked", "icon", "bitmap"; EDIT "digits", "readonly", "password",
// "multiline"; COMBOBOX "dropdown" (editable) or "dropdownlist" (the default). "items" fills
// a COMBOBOX or LISTBOX. Radio buttons with the same "radioGroup" (default: none) form one
// group, wherever they sit in the list, so groups may interleave.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ws {

struct ControlTemplate {
    std::string className;
    std::int32_t id = -1;
    std::string text;
    int x = 0, y = 0, width = 0, height = 0;
    std::uint32_t style = 0;
    bool checked = false;
    std::vector<std::string> items;
    std::string radioGroup;
};

struct DialogTemplate {
    std::string caption;
    int width = 0, height = 0;
    std::vector<ControlTemplate> controls;
};

/** Parses template JSON; on failure returns nullopt and, when error is given, a sentence
 *  naming the fault. */
std::optional<DialogTemplate> parseDialogTemplate(std::string_view json,
                                                  std::string* error = nullptr);

} // namespace ws
