#include "commands/CommandTable.h"

#include <array>

namespace cartovel {

std::span<const CommandEntry> commandTable() {
    static constexpr std::array<CommandEntry, 13> kCommands{{
        {"polygon-colouring", "ポリゴン色分け", "colour touching polygons apart"},
        {"map-scaling", "地図拡大縮小...", "rescale the map from one scale to another"},
        {"scale-bar", "スケールバー作成...", "draw a scale bar"},
        {"fast-move", "高速移動", "move all art by the vector of the selected path"},
        {"layer-numbering", "レイヤー通し番号作成...", "number the layers"},
        {"layer-replace", "レイヤー名置換...", "replace text in layer names"},
        {"save-layer-list", "レイヤー名リストをファイルに保存...",
         "save the layer names to a file"},
        {"load-layer-list", "レイヤー名をファイルから設定...", "set the layer names from a file"},
        {"reset-image-size", "配置画像サイズをリセット", "reset the size of placed images"},
        {"straighten-text", "テキストを水平垂直に戻す", "turn rotated text back"},
        {"remove-text-shear", "テキストのシアー変形除去", "remove shear from text"},
        {"move-to-layer", "レイヤー間移動", "move the selection to another layer (panel)"},
        {"text-origin", "テキスト原点", "set text orientation and justification (panel)"},
    }};
    return kCommands;
}

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& entry : commandTable())
        if (entry.name == name) return &entry;
    return nullptr;
}

} // namespace cartovel
