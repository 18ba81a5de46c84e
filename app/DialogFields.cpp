#include "DialogFields.h"

#include <array>

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
    DialogField{"vertical", Kind::Text, 1073},
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
    DialogField{"new-layer", Kind::Check, 1070},
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
    DialogFieldTable{127, "file dialog of save-layer-list and load-layer-list", kTextFile},
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

} // namespace cartovel
