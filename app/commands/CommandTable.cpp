#include "commands/CommandTable.h"

#include <array>
#include <string>

namespace cartovel {
namespace {

using host::QuestionKind;

constexpr std::array<std::int32_t, 1> kMapScalingDialogs{115};
constexpr std::array<std::int32_t, 1> kScaleBarDialogs{123};
constexpr std::array<std::int32_t, 1> kNumberingDialogs{125};
constexpr std::array<std::int32_t, 1> kReplaceDialogs{126};
constexpr std::array<std::int32_t, 1> kSaveListDialogs{127};
constexpr std::array<std::int32_t, 2> kLoadListDialogs{128, 127};

constexpr std::array kColouringQuestions{
    CommandQuestion{"confirm", QuestionKind::OkCancel,
                    "レイヤー「NAME」上のポリゴンすべてを色分けします。よろしいですか？",
                    "asked first; cancel ends the command"},
    CommandQuestion{"too-many-neighbours", QuestionKind::OkCancel,
                    "隣接数が多すぎます。一旦終了して数を減らして下さい。",
                    "asked when the neighbour search finds very many touching polygons: cancel "
                    "searches on; ok stops the search and asks once more, where ok ends the "
                    "command without colouring and cancel colours the polygons found so far",
                    "cancel"},
};
constexpr std::array kFastMoveQuestions{
    CommandQuestion{"delete-path", QuestionKind::YesNo,
                    "移動完了後に、移動先を示すパスを削除しますか？", "asked first", "no"},
    CommandQuestion{"ignore-guides", QuestionKind::YesNo, "ガイドを無視しますか？",
                    "asked at the first guide met; yes leaves the guides where they are", "yes"},
};
constexpr std::array kSaveListQuestions{
    CommandQuestion{"overwrite", QuestionKind::OkCancel,
                    "指定されたファイルは既に存在します。上書きしてよろしいですか？",
                    "asked when the file exists; cancel ends the command"},
};

constexpr std::array kMoveToLayerFields{
    PanelField{"layer", "PATH",
               "the layer to click in the panel's tree: its name, under its parents' names "
               "(Labels/Towns; \\/ for a \"/\" in a name, \\\\ for a backslash); this or "
               "layer-id is required",
               "移動先のレイヤー (親/子)", ""},
    PanelField{"layer-id", "ID", "the layer to click, by its SVG id", "", ""},
    PanelField{"group", "on|off",
               "the check box \"複数選択時はグループ化\": two or more objects land in one new "
               "group (default: off)",
               "複数選択時はグループ化", ""},
};
constexpr std::array kTextOriginFields{
    PanelField{"origin", "left|centre|right|top|middle|bottom",
               "the button to click: left, centre and right make the selected text "
               "horizontal, top, middle and bottom vertical, with that justification; "
               "required",
               "テキスト原点", "左|中央|右|上|中|下"},
};

} // namespace

std::span<const CommandEntry> commandTable() {
    static constexpr std::array<CommandEntry, 13> kCommands{{
        {"polygon-colouring",
         "ポリゴン色分け",
         "colour touching polygons apart",
         {},
         kColouringQuestions},
        {"map-scaling", "地図拡大縮小...", "rescale the map from one scale to another",
         kMapScalingDialogs},
        {"scale-bar", "スケールバー作成...", "draw a scale bar", kScaleBarDialogs},
        {"fast-move",
         "高速移動",
         "move all art by the vector of the selected path",
         {},
         kFastMoveQuestions},
        {"layer-numbering", "レイヤー通し番号作成...", "number the layers", kNumberingDialogs},
        {"layer-replace", "レイヤー名置換...", "replace text in layer names", kReplaceDialogs},
        {"save-layer-list", "レイヤー名リストをファイルに保存...", "save the layer names to a file",
         kSaveListDialogs, kSaveListQuestions},
        {"load-layer-list", "レイヤー名をファイルから設定...", "set the layer names from a file",
         kLoadListDialogs},
        {"reset-image-size", "配置画像サイズをリセット", "reset the size of placed images"},
        {"straighten-text", "テキストを水平垂直に戻す", "turn rotated text back"},
        {"remove-text-shear", "テキストのシアー変形除去", "remove shear from text"},
        {"move-to-layer",
         "レイヤー間移動",
         "move the selection to another layer (panel)",
         {},
         {},
         true,
         kMoveToLayerFields},
        {"text-origin",
         "テキスト原点",
         "set text orientation and justification (panel)",
         {},
         {},
         true,
         kTextOriginFields},
    }};
    return kCommands;
}

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& entry : commandTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

const CommandQuestion* findQuestion(const CommandEntry& entry, std::string_view name) {
    for (const CommandQuestion& question : entry.questions)
        if (question.name == name) return &question;
    return nullptr;
}

std::string commandNames() {
    std::string names;
    for (const CommandEntry& entry : commandTable())
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names;
}

} // namespace cartovel
