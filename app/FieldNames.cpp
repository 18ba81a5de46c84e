#include "FieldNames.h"

#include <array>
#include <charconv>

namespace cartovel {
namespace {

using Kind = DialogField::Kind;

// The about box (107) has only buttons, so it takes no fields.
constexpr std::array kMapScaling{
    DialogField{"mode", Kind::Choice, 1075, "scale:1075,ratio:1076,paper:1077"},
    DialogField{"keep-proportion", Kind::Check, 1070},
    DialogField{"current-scale", Kind::Text, 1074},
    DialogField{"target-scale", Kind::Text, 1090},
    DialogField{"horizontal", Kind::Text, 1072},
    DialogField{"vertical",
                Kind::Text,
                1073,
                {},
                "it is tied to horizontal while keep-proportion is on: give horizontal, or "
                "keep-proportion=off"},
    DialogField{"paper", Kind::Pick, 1083},
    DialogField{"scale-fonts", Kind::Check, 1078},
    DialogField{"scale-symbols", Kind::Check, 1079},
    DialogField{"scale-strokes", Kind::Check, 1080},
    DialogField{"scale-patterns", Kind::Check, 1081},
    DialogField{"scale-guides", Kind::Check, 1082},
    DialogField{"selection-only", Kind::Check, 1092},
};

constexpr std::array kScaleBar{
    DialogField{"scale", Kind::Text, 1093},
    DialogField{"distance", Kind::Text, 1094},
    DialogField{"unit", Kind::Choice, 1095, "km:1095,m:1096"},
    DialogField{"new-layer",
                Kind::Check,
                1070,
                {},
                "the current layer is hidden or locked, so the bar can only go on a new layer"},
};

constexpr std::string_view kLayerTargets = "top-level:0,sublayers:1,all:2";

constexpr std::array kLayerNumbering{
    DialogField{"target", Kind::Pick, 1120, kLayerTargets},
    DialogField{"exclude-hidden", Kind::Check, 1125},
    DialogField{"start", Kind::Text, 1126},
    DialogField{"step", Kind::Text, 1127},
    DialogField{"prefix-on", Kind::Check, 1106},
    DialogField{"prefix", Kind::Text, 1128},
    DialogField{"suffix-on", Kind::Check, 1108},
    DialogField{"suffix", Kind::Text, 1109},
    DialogField{"add-to-name", Kind::Check, 1110},
    DialogField{"position", Kind::Choice, 1129, "front:1129,back:1130"},
};

constexpr std::array kLayerReplace{
    DialogField{"target", Kind::Pick, 1120, kLayerTargets},
    DialogField{"exclude-hidden", Kind::Check, 1125},
    DialogField{"operation", Kind::Choice, 1115,
                "replace:1115,insert:1111,strip-digits:1112,delete-to:1114"},
    DialogField{"search", Kind::Text, 1105},
    DialogField{"replacement", Kind::Text, 1106},
    DialogField{"insert", Kind::Text, 1107},
    DialogField{"insert-at", Kind::Choice, 1123, "head:1123,tail:1124"},
    DialogField{"delimiter", Kind::Text, 1104},
    DialogField{"with-delimiter", Kind::Check, 1070},
};

constexpr std::array kLoadLayerList{
    DialogField{"mode", Kind::Choice, 1134, "rename:1134,create:1135"},
};

// The file dialog of the layer list commands: the platform's standard controls plus the
// module's encoding list.
constexpr std::array kTextFile{
    DialogField{"file", Kind::Path, 1152},
    DialogField{"encoding", Kind::Pick, 1131, "sjis:0,utf-8:1,utf-16:2"},
};

constexpr std::array kTables{
    DialogFieldTable{115, "map-scaling", kMapScaling},
    DialogFieldTable{123, "scale-bar", kScaleBar},
    DialogFieldTable{125, "layer-numbering", kLayerNumbering},
    DialogFieldTable{126, "layer-replace", kLayerReplace},
    DialogFieldTable{128, "load-layer-list", kLoadLayerList},
    DialogFieldTable{127, "file", kTextFile},
};

} // namespace

const DialogFieldTable* dialogFields(std::int32_t templateId) {
    for (const DialogFieldTable& table : kTables)
        if (table.templateId == templateId) return &table;
    return nullptr;
}

std::span<const DialogFieldTable> allDialogFields() {
    return kTables;
}

const DialogField* findField(std::span<const std::int32_t> dialogs, std::string_view name) {
    for (const std::int32_t id : dialogs)
        if (const DialogFieldTable* table = dialogFields(id))
            for (const DialogField& field : table->fields)
                if (field.name == name) return &field;
    return nullptr;
}

std::optional<bool> parseSwitch(std::string_view value) {
    for (std::string_view on : {"on", "yes", "true", "1"})
        if (value == on) return true;
    for (std::string_view off : {"off", "no", "false", "0"})
        if (value == off) return false;
    return std::nullopt;
}

std::optional<std::int32_t> choiceControl(std::string_view choices, std::string_view value) {
    while (!choices.empty()) {
        const auto comma = choices.find(',');
        const std::string_view pair = choices.substr(0, comma);
        const auto colon = pair.find(':');
        if (colon != std::string_view::npos && pair.substr(0, colon) == value) {
            std::int32_t id = 0;
            const std::string_view digits = pair.substr(colon + 1);
            std::from_chars(digits.data(), digits.data() + digits.size(), id);
            return id;
        }
        if (comma == std::string_view::npos) break;
        choices.remove_prefix(comma + 1);
    }
    return std::nullopt;
}

namespace {

std::string choiceNames(std::string_view choices) {
    std::string names;
    while (!choices.empty()) {
        const auto comma = choices.find(',');
        const std::string_view pair = choices.substr(0, comma);
        names += (names.empty() ? "" : "|") + std::string(pair.substr(0, pair.find(':')));
        choices = comma == std::string_view::npos ? std::string_view{} : choices.substr(comma + 1);
    }
    return names;
}

} // namespace

std::string fieldValues(const DialogField& field) {
    switch (field.kind) {
    case DialogField::Kind::Text:
        return "TEXT";
    case DialogField::Kind::Path:
        return "PATH";
    case DialogField::Kind::Check:
        return "on|off";
    case DialogField::Kind::Choice:
        return choiceNames(field.choices);
    case DialogField::Kind::Pick: {
        const std::string aliases = choiceNames(field.choices);
        return "ENTRY|INDEX" + (aliases.empty() ? "" : "|" + aliases);
    }
    }
    return {};
}

std::optional<std::string> checkFieldValue(const DialogField& field, std::string_view value) {
    const std::string where = "the field \"" + std::string(field.name) + "\"";
    if (field.kind == DialogField::Kind::Check && !parseSwitch(value))
        return where + " takes on or off, not \"" + std::string(value) + "\"";
    if (field.kind == DialogField::Kind::Choice && !choiceControl(field.choices, value))
        return where + " takes one of " + fieldValues(field) + ", not \"" + std::string(value) +
               "\"";
    if (field.kind == DialogField::Kind::Path && value.empty()) return where + " needs a file name";
    return std::nullopt;
}

} // namespace cartovel
