// The module started in the stand-in host with its two panels, a small map open, and the
// panels driven through the window system as a person would: by title, by control text,
// by tree path.
#pragma once

#include "support/ModuleHostTest.h"

#include "host/document/Document.h"
#include "platform/UserAgent.h"

#include <memory>
#include <string>
#include <vector>

namespace paneltest {

inline constexpr const char* kMoveTitle = "レイヤー間移動";
inline constexpr const char* kOriginTitle = "テキスト原点";
inline constexpr const char* kRefresh = "レイヤーリストを更新";
inline constexpr const char* kGroupLabel = "複数選択時はグループ化";
inline constexpr const char* kNothingSelected = "オブジェクトが選択されていません";
inline constexpr const char* kLayerMissing = "指定されたレイヤーは現在のドキュメント上にありません";
inline constexpr const char* kFailed = "エラーにより操作を完了できませんでした";

/** Layers, front to back:
 *    Roads: road1, road2
 *    Areas (map.svg's second layer): its own art "area", sublayers Parks (hidden: park)
 *           and Lakes (lake)
 *    Labels: group "pair" {a, b}, text "town" */
std::unique_ptr<host::Document> SampleMap(const std::string& filePath = "/maps/sample.svg");

/** The vertical point text "river" on top of Labels; null when the host refuses it. */
host::Art* AddRiver(host::Document& doc);
host::Art* AddPath(host::Document& doc, host::Art& parent, const std::string& name, double x,
                   double y);
host::Art* FindArt(const host::Document& doc, const std::string& name);
host::Layer* FindLayer(const host::Document& doc, const std::string& title);
/** Titles of the layers that hold the art, innermost first is not needed: the direct one. */
std::string LayerOf(const host::Document& doc, const std::string& name);
/** Names of the children of art, front to back. */
std::vector<std::string> Children(const host::Art& art);

class PanelTest : public cartotest::ModuleHostTest {
protected:
    void StopHost() override;

    /** Opens one more document and makes it current. */
    host::DocumentSession& OpenAnother(std::unique_ptr<host::Document> document);
    void CloseOthers() { others_.clear(); }

    ws::PanelView Panel(const char* title) const {
        return ws::PanelView(ws::PanelView::find(title));
    }
    ws::ControlInfo Tree() const;
    void Select(const std::vector<std::string>& names);
    /** Clicks a tree item of the move panel and lets the host idle. */
    void ClickLayer(const std::vector<std::string>& path,
                    std::uint32_t where = WS_TVHT_ONITEMLABEL);
    void Click(const char* title, const std::string& text);

private:
    std::vector<std::unique_ptr<host::DocumentSession>> others_;
};

} // namespace paneltest
