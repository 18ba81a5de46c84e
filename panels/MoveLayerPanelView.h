// The child controls of the move-between-layers panel: the layer tree, the group check box
// with its label, and the refresh button, with their font, image list and geometry.
#pragma once

#include "hostapi/HostTypes.h"
#include "platform/ws.h"

#include <map>
#include <string_view>

class CMoveLayerPanel;

class MoveLayerPanelView {
public:
    enum ControlId : int32_t {
        kTreeId = 1001,
        kGroupBoxId = 1002,
        kGroupLabelId = 1003,
        kRefreshId = 1004
    };

    /** Reads the interface scale and makes the font; no window yet. */
    explicit MoveLayerPanelView(CMoveLayerPanel& owner);
    /** Deletes the font and the image list: the windows are gone by now. */
    ~MoveLayerPanelView();
    MoveLayerPanelView(const MoveLayerPanelView&) = delete;
    MoveLayerPanelView& operator=(const MoveLayerPanelView&) = delete;

    /** Makes the four controls in parent, with the bitmaps of module for the tree. */
    HostErr CreateControls(WsWindow parent, WsModule module);
    /** Places the controls for a panel of width x height (the host's units). */
    void Layout(double width, double height);
    /** The controls' messages: clicks in the tree, the check box, its label and the
     *  refresh button. */
    bool HandleMessage(WsLResult& result, WsWindow window, uint32_t message, WsWParam wParam,
                       WsLParam lParam);

    /** Removes every item and empties the item map. */
    void ClearTree();
    /** A new item at the end of parent's children (null parent: a top-level item). */
    WsTreeItem InsertItem(WsTreeItem parent, std::string_view text, int image);
    void MapItem(WsTreeItem item, HostLayerHandle layer) { itemMap_[item] = layer; }
    void Expand(WsTreeItem item);
    void EnableTree(bool enable);

    double Scale() const noexcept { return scale_; }
    WsWindow Tree() const noexcept { return tree_; }
    bool GroupChecked() const;

private:
    void OnTreeClick();

    CMoveLayerPanel& owner_;
    WsWindow parent_ = nullptr;
    WsModule module_ = nullptr;
    WsFont font_ = nullptr;
    double scale_ = 1.0;
    std::map<WsTreeItem, HostLayerHandle> itemMap_;
    WsWindow tree_ = nullptr;
    WsWindow groupBox_ = nullptr;
    WsWindow groupLabel_ = nullptr;
    WsWindow refreshButton_ = nullptr;
    WsImageList imageList_ = nullptr;
};
