#include "plugin/MenuCommands.h"

#include "hostapi/suites/MenuSuite.h"

namespace plugin {

namespace {

constexpr AutoEnabling kWithDocument{kHostAutoEnable, 0, 0, 0, 0, kHostIfDocumentOpen, 0};
constexpr AutoEnabling kWithImageSelected{
    kHostAutoEnable, 0, 0, kHostIfPlacedArt | kHostIfRasterArt, 0, 0, 0};
constexpr AutoEnabling kWithTextSelected{kHostAutoEnable, 0, 0, kHostIfTextArt, 0, 0, 0};

constexpr MenuCommandItem kObjectMenuItems[kMenuCommandCount] = {
    {MenuCommand::FastMove, "高速移動", kWithDocument, false},
    {MenuCommand::MapScaling, "地図拡大縮小...", kWithDocument, false},
    {MenuCommand::ScaleBar, "スケールバー作成...", kWithDocument, false},
    {MenuCommand::PolygonColouring, "ポリゴン色分け", kWithDocument, true},
    {MenuCommand::LayerNumbering, "レイヤー通し番号作成...", kWithDocument, false},
    {MenuCommand::LayerReplace, "レイヤー名置換...", kWithDocument, false},
    {MenuCommand::SaveLayerList, "レイヤー名リストをファイルに保存...", kWithDocument, false},
    {MenuCommand::LoadLayerList, "レイヤー名をファイルから設定...", kWithDocument, true},
    {MenuCommand::ResetImageSize, "配置画像サイズをリセット", kWithImageSelected, false},
    {MenuCommand::StraightenText, "テキストを水平垂直に戻す", kWithTextSelected, false},
    {MenuCommand::RemoveTextShear, "テキストのシアー変形除去", kWithTextSelected, false},
};

constexpr bool InMenuOrder() {
    for (size_t i = 0; i < kMenuCommandCount; ++i)
        if (Index(kObjectMenuItems[i].command) != i) return false;
    return true;
}
static_assert(InMenuOrder(), "the items follow MenuCommand");

} // namespace

std::span<const MenuCommandItem, kMenuCommandCount> ObjectMenuItems() noexcept {
    return kObjectMenuItems;
}

} // namespace plugin
