// "レイヤー間移動": a floating panel that shows the document's layers as a tree; a click on
// a layer moves the selected art into it, into one new group when the check box asks.
#pragma once

#include "common/LayerTree.h"
#include "panels/MoveLayerPanelView.h"
#include "panels/MvPanel.h"

#include <memory>
#include <vector>

class CMoveLayerPanel : public CMvPanel {
public:
    explicit CMoveLayerPanel(HostPluginRef pluginRef);
    ~CMoveLayerPanel() override;

    void UpdateTheme() override;
    HostErr SetupPanel() override;
    HostErr CreateControls() override;
    void OnPanelSizeChanged() override;
    bool HandleMessage(WsLResult& result, WsWindow window, uint32_t message, WsWParam wParam,
                       WsLParam lParam) override;
    /** The tree may be clicked only while the document it shows is the current one. */
    virtual void OnDocumentChanged();

    /** Rebuilds the snapshot and the tree from the current document. */
    void RefreshLayerTree();
    /** Moves the selection into target; failures are reported by an alert and returned. */
    HostErr MoveSelectionToLayer(HostLayerHandle target);
    /** 0 when art and everything inside it (and, withSiblings, its following siblings
     *  and theirs) are selected, -1 when something is not, a host code on failure. */
    static HostErr IsFullySelected(HostArtHandle art, bool withSiblings);

    bool GroupOption() const noexcept { return groupOption_; }
    void SetGroupOption(bool on) noexcept { groupOption_ = on; }

private:
    void InsertNodes(WsTreeItem parent, const std::vector<LayerNode>& nodes);
    HostErr MoveSelection(HostLayerHandle target);

    bool groupOption_ = false;
    std::vector<LayerNode> snapshot_;
    HostDocumentHandle snapshotDocument_ = nullptr;
    std::unique_ptr<MoveLayerPanelView> view_;
};
