#include "panels/MoveLayerPanel.h"

#include "common/FilePath.h"
#include "common/HostText.h"
#include "frame/HostSuites.h"
#include "panels/PanelSupport.h"
#include "resources/CartovelResources.h"

namespace {

constexpr const char* kIdentifier = "MvCartovel1.5MoveLayerPanelID";
constexpr const char* kTitle = "レイヤー間移動";
constexpr int kLayerImage = 0;
constexpr int kDocumentImage = 2;
// The tree copies a name into 256 UTF-16 units with the terminator.
constexpr size_t kMaxNameUnits = 255;

/** The current document's file name without extension; empty when it has no file. */
std::string DocumentName() {
    CFilePath path;
    if (sDocument == nullptr || sFilePath == nullptr || path.Make() != kHostNoErr) return {};
    if (sDocument->GetDocumentFileSpecification(path.get()) != kHostNoErr) return {};
    ai::UnicodeString name;
    if (sFilePath->GetFileName(path.get(), 0, name.Receive(sUnicodeString)) != kHostNoErr)
        return {};
    std::string text;
    if (name.GetUTF8(text) != kHostNoErr) return {};
    return text;
}

} // namespace

CMoveLayerPanel::CMoveLayerPanel(HostPluginRef pluginRef)
    : CMvPanel(pluginRef), view_(std::make_unique<MoveLayerPanelView>(*this)) {}

// The windows go before the font and image list they use.
CMoveLayerPanel::~CMoveLayerPanel() {
    Detach();
}

void CMoveLayerPanel::UpdateTheme() {
    UpdateThemeAndIcon(movelayer::kLightIcon, movelayer::kDarkIcon);
}

HostErr CMoveLayerPanel::SetupPanel() {
    return SetupAs(kIdentifier, kTitle, {160.0, 144.0}, 1);
}

HostErr CMoveLayerPanel::CreateControls() {
    if (const HostErr err = view_->CreateControls(window_, moduleInstance_)) return err;
    // The creation geometry makes the box and its label overlap the tree: use the table
    // of a size change from the start.
    OnPanelSizeChanged();
    return kHostNoErr;
}

void CMoveLayerPanel::OnPanelSizeChanged() {
    HostPanelSize size{};
    if (sPanel == nullptr || sPanel->GetSize(panel_, &size) != kHostNoErr) return;
    view_->Layout(size.width, size.height);
}

bool CMoveLayerPanel::HandleMessage(WsLResult& result, WsWindow window, uint32_t message,
                                    WsWParam wParam, WsLParam lParam) {
    if (view_->HandleMessage(result, window, message, wParam, lParam)) return true;
    return CMvPanel::HandleMessage(result, window, message, wParam, lParam);
}

void CMoveLayerPanel::OnDocumentChanged() {
    int32_t count = 0;
    if (sLayer == nullptr || sLayer->CountLayers(&count) != kHostNoErr) count = 0;
    // Without a document a stale tree must not move anything.
    if (count <= 0) {
        view_->EnableTree(false);
        return;
    }
    HostDocumentHandle document = nullptr;
    if (sDocument == nullptr || sDocument->GetDocument(&document) != kHostNoErr) document = nullptr;
    view_->EnableTree(document != nullptr && document == snapshotDocument_);
}

void CMoveLayerPanel::RefreshLayerTree() {
    view_->ClearTree();
    {
        AppContextScope context(pluginRef_);
        snapshot_.clear();
        HostErr err = context.Result();
        if (err == kHostNoErr) err = BuildLayerTree(snapshot_);
        if (err == kHostNoErr) {
            HostDocumentHandle document = nullptr;
            err = sDocument != nullptr ? sDocument->GetDocument(&document) : kHostErrSuiteNotFound;
            if (err == kHostNoErr) snapshotDocument_ = document;
        }
        if (err != kHostNoErr) return;
    }
    if (snapshot_.empty()) return;
    const WsTreeItem root = view_->InsertItem(nullptr, DocumentName(), kDocumentImage);
    if (root == nullptr) return;
    InsertNodes(root, snapshot_);
    view_->Expand(root);
    view_->EnableTree(true);
}

void CMoveLayerPanel::InsertNodes(WsTreeItem parent, const std::vector<LayerNode>& nodes) {
    WalkLayerNodes(nodes, parent, [&](const LayerNode& node, WsTreeItem above, WsTreeItem& item) {
        std::string title;
        if (node.title.GetUTF8(title) != kHostNoErr) title.clear();
        // A cut at 255 units never splits a surrogate pair.
        item = view_->InsertItem(above, CutToUTF16Units(title, kMaxNameUnits), kLayerImage);
        if (item == nullptr) return NodeStep::PassOver;
        view_->MapItem(item, node.layer);
        return NodeStep::Descend;
    });
}
