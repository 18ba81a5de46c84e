#include "panels/MoveLayerPanelView.h"

#include "panels/MoveLayerPanel.h"
#include "panels/PanelSupport.h"
#include "resources/CartovelResources.h"

namespace {

constexpr const char* kGroupLabel = "複数選択時はグループ化";
constexpr const char* kRefreshText = "レイヤーリストを更新";
constexpr int kBitmapSize = 20;
// The tree's images, by index: a layer, a folder (unused here), the document.
constexpr int32_t kTreeBitmaps[] = {movelayer::kLayerBitmap, movelayer::kFolderBitmap,
                                    movelayer::kDocumentBitmap};

struct Geometry {
    double x, y, width, height;
};

int Pixels(double value) {
    return static_cast<int>(value);
}

void Place(WsWindow control, const Geometry& g) {
    WsMoveWindow(control, Pixels(g.x), Pixels(g.y), Pixels(g.width), Pixels(g.height));
}

} // namespace

MoveLayerPanelView::MoveLayerPanelView(CMoveLayerPanel& owner) : owner_(owner) {
    scale_ = InterfaceScale();
    WsLogFont font{};
    WsGetIconTitleFont(&font);
    font.weight = WS_FW_NORMAL;
    font.height = -static_cast<int32_t>(12.0 * scale_);
    font_ = WsCreateFont(&font);
}

MoveLayerPanelView::~MoveLayerPanelView() {
    if (imageList_ != nullptr) WsImageListDestroy(imageList_);
    if (font_ != nullptr) WsDeleteObject(font_);
}

HostErr MoveLayerPanelView::CreateControls(WsWindow parent, WsModule module) {
    parent_ = parent;
    module_ = module;
    const double s = scale_;
    tree_ = WsCreateWindow(
        "TREEVIEW", "",
        WS_TVS_HASBUTTONS | WS_TVS_DISABLEDRAGDROP | WS_TVS_SHOWSELALWAYS | WS_TVS_FULLROWSELECT,
        Pixels(2 * s), Pixels(2 * s), Pixels(230 * s), Pixels(120 * s), parent, kTreeId, nullptr);
    groupBox_ = WsCreateWindow("BUTTON", "", WS_BS_AUTOCHECKBOX | WS_STYLE_TABSTOP, Pixels(7 * s),
                               Pixels(100 * s), Pixels(13 * s), Pixels(13 * s), parent, kGroupBoxId,
                               nullptr);
    groupLabel_ =
        WsCreateWindow("STATIC", kGroupLabel, WS_SS_NOTIFY, Pixels(22 * s), Pixels(100 * s),
                       Pixels(148 * s), Pixels(16 * s), parent, kGroupLabelId, nullptr);
    refreshButton_ = WsCreateWindow("BUTTON", kRefreshText, WS_BS_PUSHBUTTON | WS_STYLE_TABSTOP,
                                    Pixels(4 * s), Pixels(130 * s), Pixels(80 * s), Pixels(24 * s),
                                    parent, kRefreshId, nullptr);
    if (tree_ == nullptr || groupBox_ == nullptr || groupLabel_ == nullptr ||
        refreshButton_ == nullptr)
        return kHostErrCant;
    for (WsWindow control : {tree_, groupBox_, groupLabel_, refreshButton_})
        WsSendMessage(control, WS_SETFONT, reinterpret_cast<WsWParam>(font_), 0);

    imageList_ = WsImageListCreate(kBitmapSize, kBitmapSize, WS_ILC_COLOR24, 3, 0);
    if (imageList_ != nullptr) {
        for (int32_t id : kTreeBitmaps) {
            // The list keeps its own copy of each picture.
            WsBitmap bitmap = WsLoadBitmap(module, id);
            if (bitmap == nullptr) continue;
            WsImageListAdd(imageList_, bitmap, nullptr);
            WsDeleteObject(bitmap);
        }
        if (WsImageListGetImageCount(imageList_) > 2)
            WsSendMessage(tree_, WS_TVM_SETIMAGELIST, 0, reinterpret_cast<WsLParam>(imageList_));
    }
    return kHostNoErr;
}

void MoveLayerPanelView::Layout(double width, double height) {
    const double s = scale_;
    Place(tree_, {4 * s, 4 * s, (width - 8) * s, (height - 55) * s});
    // The box's left edge scales like everything else.
    Place(groupBox_, {6 * s, (height - 45) * s, 13 * s, 13 * s});
    Place(groupLabel_, {22 * s, (height - 47) * s, 150 * s, 16 * s});
    Place(refreshButton_, {4 * s, (height - 25) * s, 150 * s, 22 * s});
}

void MoveLayerPanelView::ClearTree() {
    WsSendMessage(tree_, WS_TVM_DELETEITEM, 0, reinterpret_cast<WsLParam>(WS_TVI_ROOT));
    itemMap_.clear();
}

WsTreeItem MoveLayerPanelView::InsertItem(WsTreeItem parent, std::string_view text, int image) {
    const std::string label(text);
    WsTvInsert insert{};
    insert.parent = parent != nullptr ? parent : WS_TVI_ROOT;
    insert.insertAfter = WS_TVI_LAST;
    insert.text = label.c_str();
    insert.image = image;
    insert.selectedImage = image;
    return reinterpret_cast<WsTreeItem>(
        WsSendMessage(tree_, WS_TVM_INSERTITEM, 0, reinterpret_cast<WsLParam>(&insert)));
}

void MoveLayerPanelView::Expand(WsTreeItem item) {
    WsSendMessage(tree_, WS_TVM_EXPAND, WS_TVE_EXPAND, reinterpret_cast<WsLParam>(item));
}

void MoveLayerPanelView::EnableTree(bool enable) {
    WsEnableWindow(tree_, enable ? 1 : 0);
}

bool MoveLayerPanelView::GroupChecked() const {
    return WsSendMessage(groupBox_, WS_BM_GETCHECK, 0, 0) == WS_BST_CHECKED;
}

void MoveLayerPanelView::OnTreeClick() {
    WsPoint point{};
    if (!WsGetCursorPos(&point) || !WsScreenToClient(tree_, &point)) return;
    WsTvHitTestInfo hit{};
    hit.pt = point;
    WsSendMessage(tree_, WS_TVM_HITTEST, 0, reinterpret_cast<WsLParam>(&hit));
    if (hit.item == nullptr ||
        (hit.flags & (WS_TVHT_ONITEMICON | WS_TVHT_ONITEMLABEL | WS_TVHT_ONITEMRIGHT)) == 0)
        return;
    auto it = itemMap_.find(hit.item);
    // The root item (the document) is not in the map.
    if (it == itemMap_.end()) return;
    static_cast<void>(owner_.MoveSelectionToLayer(it->second));
}

bool MoveLayerPanelView::HandleMessage(WsLResult&, WsWindow, uint32_t message, WsWParam wParam,
                                       WsLParam lParam) {
    if (message == WS_NOTIFY) {
        const auto* header = reinterpret_cast<const WsNmHdr*>(lParam);
        if (header == nullptr || header->from != tree_) return false;
        if (header->code == WS_NM_CLICK) OnTreeClick();
        FocusMainWindow();
        return false;
    }
    if (message != WS_COMMAND) return false;
    const auto control = reinterpret_cast<WsWindow>(lParam);
    if (control == groupBox_ && control != nullptr) {
        owner_.SetGroupOption(GroupChecked());
    } else if (control == refreshButton_ && control != nullptr) {
        owner_.RefreshLayerTree();
    } else {
        if (control == groupLabel_ && control != nullptr && WS_HIWORD(wParam) == WS_STN_CLICKED &&
            WsIsWindowEnabled(groupBox_)) {
            WsSendMessage(groupBox_, WS_BM_SETCHECK,
                          GroupChecked() ? WS_BST_UNCHECKED : WS_BST_CHECKED, 0);
            owner_.SetGroupOption(GroupChecked());
        }
        return false;
    }
    FocusMainWindow();
    return true;
}
