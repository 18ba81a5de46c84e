#include "Smoke.h"

// After the API's header: two of its message names are style macros here.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <commctrl.h>

#include <string_view>

namespace {

// The parent is a window of the system's with a procedure of its own, as a host's panel is.
// What each side saw, kept with the window.
struct SystemSide {
    LPARAM lastNotify = 0;
};
struct ApiSide {
    WsWindowProc previous = nullptr;
    WsNmHdr header{};
};

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* side = static_cast<SystemSide*>(GetPropW(window, L"smoke.system"));
    if (message == WM_NOTIFY && side != nullptr) side->lastNotify = lParam;
    return DefWindowProcW(window, message, wParam, lParam);
}

WsLResult panelProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    auto* side = static_cast<ApiSide*>(WsGetProp(window, "smoke.api"));
    if (side == nullptr) return WsDefWindowProc(window, message, wParam, lParam);
    if (message == WS_NOTIFY && lParam != 0)
        side->header = *reinterpret_cast<const WsNmHdr*>(lParam);
    return WsCallWindowProc(side->previous, window, message, wParam, lParam);
}

const char* checkTree(WsModule module, WsWindow parent) {
    WsWindow tree = WsCreateWindow("TREEVIEW", "", WS_TVS_HASBUTTONS | WS_TVS_SHOWSELALWAYS, 0, 0,
                                   200, 200, parent, 7, nullptr);
    if (tree == nullptr) return "no tree view";
    WsImageList images = WsImageListCreate(20, 20, WS_ILC_COLOR24, 3, 0);
    for (int32_t id : {118, 116, 117}) {
        WsBitmap bitmap = WsLoadBitmap(module, id);
        WsImageListAdd(images, bitmap, nullptr);
        WsDeleteObject(bitmap);
    }
    if (WsImageListGetImageCount(images) != 3) return "the module's bitmaps do not fill a list";
    WsSendMessage(tree, WS_TVM_SETIMAGELIST, 0, reinterpret_cast<WsLParam>(images));

    WsTvInsert insert{};
    insert.parent = WS_TVI_ROOT;
    insert.insertAfter = WS_TVI_LAST;
    insert.text = "文書";
    insert.image = insert.selectedImage = 2;
    const auto root = reinterpret_cast<WsTreeItem>(
        WsSendMessage(tree, WS_TVM_INSERTITEM, 0, reinterpret_cast<WsLParam>(&insert)));
    insert.parent = root;
    insert.text = "レイヤー1";
    insert.image = insert.selectedImage = 0;
    insert.param = 42;
    const auto layer = reinterpret_cast<WsTreeItem>(
        WsSendMessage(tree, WS_TVM_INSERTITEM, 0, reinterpret_cast<WsLParam>(&insert)));
    if (root == nullptr || layer == nullptr) return "tree items do not go in";
    WsSendMessage(tree, WS_TVM_EXPAND, WS_TVE_EXPAND, reinterpret_cast<WsLParam>(root));

    char text[32] = {};
    WsTvItem item{};
    item.item = layer;
    item.text = text;
    item.textSize = sizeof text;
    if (!WsSendMessage(tree, WS_TVM_GETITEM, 0, reinterpret_cast<WsLParam>(&item)) ||
        std::string_view(text) != "レイヤー1" || item.param != 42)
        return "a tree item's text and value do not come back";
    item.item = root;
    if (!WsSendMessage(tree, WS_TVM_GETITEM, 0, reinterpret_cast<WsLParam>(&item)) ||
        item.childCount != 1 || !item.expanded)
        return "the root item does not show its open child";

    WsTvItemRect rect{};
    rect.item = layer;
    if (!WsSendMessage(tree, WS_TVM_GETITEMRECT, 1, reinterpret_cast<WsLParam>(&rect)))
        return "no rectangle for a shown item";
    WsTvHitTestInfo hit{};
    hit.pt = {(rect.rect.left + rect.rect.right) / 2, (rect.rect.top + rect.rect.bottom) / 2};
    WsSendMessage(tree, WS_TVM_HITTEST, 0, reinterpret_cast<WsLParam>(&hit));
    if (hit.item != layer || !(hit.flags & WS_TVHT_ONITEMLABEL))
        return "a hit on the item's label does not find it";

    WsDestroyWindow(tree);
    WsImageListDestroy(images);
    return nullptr;
}

} // namespace

const char* checkPanelControls(WsModule module) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SmokePanel";
    if (!RegisterClassW(&windowClass)) return "the panel class does not register";
    HWND parent = CreateWindowExW(0, L"SmokePanel", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (parent == nullptr) return "no panel window";
    const auto window = reinterpret_cast<WsWindow>(parent);
    SystemSide system;
    ApiSide api;
    SetPropW(parent, L"smoke.system", &system);
    WsSetProp(window, "smoke.api", &api);
    const char* fault = nullptr;

    api.previous = WsSetWindowProc(window, panelProc);
    NMHDR header{reinterpret_cast<HWND>(0x1234), 5, NM_CLICK};
    SendMessageW(parent, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header));
    SetWindowTextW(parent, L"パネル");
    char title[32] = {};
    if (api.header.from != reinterpret_cast<WsWindow>(0x1234) || api.header.idFrom != 5 ||
        api.header.code != WS_NM_CLICK)
        fault = "a notification does not reach the API's procedure in its form";
    else if (system.lastNotify != reinterpret_cast<LPARAM>(&header))
        fault = "a notification passed on does not reach the system's procedure as it came";
    else if (!WsGetWindowText(window, title, sizeof title, 32) ||
             std::string_view(title) != "パネル")
        fault = "the system's text does not pass through the API's procedure";
    else
        fault = checkTree(module, window);

    WsSetWindowProc(window, api.previous);
    if (fault == nullptr &&
        GetWindowLongPtrW(parent, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&parentProc))
        fault = "setting the previous procedure back does not end the subclassing";
    RemovePropW(parent, L"smoke.system");
    WsRemoveProp(window, "smoke.api");
    DestroyWindow(parent);
    return fault;
}
