// Drawing objects, pictures from module resources, image lists, device contexts, the
// cursor and scroll bars: the system's GDI and common controls.
#include "Win32.h"

#include <cstring>

using namespace ws::win32;

namespace {

WsLogFont toApi(const LOGFONTW& system) {
    WsLogFont font{};
    font.height = system.lfHeight;
    font.weight = system.lfWeight;
    font.italic = system.lfItalic != 0 ? 1 : 0;
    copyText(narrow(system.lfFaceName), font.faceName, sizeof font.faceName);
    return font;
}

// The system's description of object, when it is an object of the given type.
template <class Description> bool describe(HGDIOBJ object, DWORD type, Description& description) {
    return GetObjectType(object) == type &&
           GetObjectW(object, sizeof description, &description) != 0;
}

} // namespace

extern "C" {

int WsGetIconTitleFont(WsLogFont* font) {
    LOGFONTW system{};
    if (font == nullptr ||
        !SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof system, &system, 0))
        return 0;
    *font = toApi(system);
    return 1;
}

WsFont WsCreateFont(const WsLogFont* font) {
    if (font == nullptr) return nullptr;
    LOGFONTW system{};
    system.lfHeight = font->height;
    system.lfWeight = font->weight;
    system.lfItalic = font->italic != 0 ? TRUE : FALSE;
    system.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face =
        widen({font->faceName, strnlen(font->faceName, sizeof font->faceName)});
    face.copy(system.lfFaceName, std::size(system.lfFaceName) - 1);
    return reinterpret_cast<WsFont>(CreateFontIndirectW(&system));
}

int WsGetFontInfo(WsFont font, WsLogFont* out) {
    LOGFONTW system{};
    if (out == nullptr || !describe(font, OBJ_FONT, system)) return 0;
    *out = toApi(system);
    return 1;
}

WsBrush WsCreateSolidBrush(WsColor color) {
    return reinterpret_cast<WsBrush>(CreateSolidBrush(color));
}

int WsGetBrushColor(WsBrush brush, WsColor* color) {
    LOGBRUSH system{};
    if (color == nullptr || !describe(brush, OBJ_BRUSH, system)) return 0;
    *color = system.lbColor;
    return 1;
}

int WsDeleteObject(WsGdiObject object) {
    const DWORD type = GetObjectType(object);
    if (type != OBJ_FONT && type != OBJ_BRUSH && type != OBJ_BITMAP) return 0;
    return DeleteObject(object) ? 1 : 0;
}

WsBitmap WsLoadBitmap(WsModule module, int32_t id) {
    if (id < 1 || id > 0xFFFF) return nullptr;
    return reinterpret_cast<WsBitmap>(LoadImageW(reinterpret_cast<HINSTANCE>(module),
                                                 MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION));
}

WsIcon WsLoadIcon(WsModule module, int32_t id) {
    if (id < 1 || id > 0xFFFF) return nullptr;
    return reinterpret_cast<WsIcon>(LoadImageW(reinterpret_cast<HINSTANCE>(module),
                                               MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0));
}

int WsDestroyIcon(WsIcon icon) {
    return DestroyIcon(reinterpret_cast<HICON>(icon)) ? 1 : 0;
}

WsImageList WsImageListCreate(int width, int height, uint32_t flags, int initial, int grow) {
    return reinterpret_cast<WsImageList>(ImageList_Create(width, height, flags, initial, grow));
}

int WsImageListAdd(WsImageList list, WsBitmap image, WsBitmap mask) {
    if (list == nullptr) return -1;
    return ImageList_Add(reinterpret_cast<HIMAGELIST>(list), reinterpret_cast<HBITMAP>(image),
                         reinterpret_cast<HBITMAP>(mask));
}

int WsImageListGetImageCount(WsImageList list) {
    if (list == nullptr) return 0;
    return ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(list));
}

int WsImageListDestroy(WsImageList list) {
    if (list == nullptr) return 0;
    return ImageList_Destroy(reinterpret_cast<HIMAGELIST>(list)) ? 1 : 0;
}

WsDC WsGetDC(WsWindow window) {
    return reinterpret_cast<WsDC>(GetDC(hwnd(window)));
}

int WsReleaseDC(WsWindow window, WsDC dc) {
    return ReleaseDC(hwnd(window), reinterpret_cast<HDC>(dc));
}

WsColor WsSetTextColor(WsDC dc, WsColor color) {
    return SetTextColor(reinterpret_cast<HDC>(dc), color);
}

int WsSetBkMode(WsDC dc, int mode) {
    return SetBkMode(reinterpret_cast<HDC>(dc), mode);
}

int WsPaintWindow(WsWindow window) {
    return RedrawWindow(hwnd(window), nullptr, nullptr,
                        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW)
               ? 1
               : 0;
}

int WsGetCursorPos(WsPoint* point) {
    POINT p{};
    if (point == nullptr || !GetCursorPos(&p)) return 0;
    *point = {p.x, p.y};
    return 1;
}

int WsSetCursorPos(int x, int y) {
    return SetCursorPos(x, y) ? 1 : 0;
}

int WsScreenToClient(WsWindow window, WsPoint* point) {
    if (point == nullptr) return 0;
    POINT p{point->x, point->y};
    if (!ScreenToClient(hwnd(window), &p)) return 0;
    *point = {p.x, p.y};
    return 1;
}

int WsClientToScreen(WsWindow window, WsPoint* point) {
    if (point == nullptr) return 0;
    POINT p{point->x, point->y};
    if (!ClientToScreen(hwnd(window), &p)) return 0;
    *point = {p.x, p.y};
    return 1;
}

int WsGetScrollInfo(WsWindow window, int bar, WsScrollInfo* info) {
    SCROLLINFO system{};
    system.cbSize = sizeof system;
    system.fMask = SIF_ALL;
    if (info == nullptr || !GetScrollInfo(hwnd(window), bar, &system)) return 0;
    *info = {system.nMin, system.nMax, static_cast<int>(system.nPage), system.nPos};
    return 1;
}

} // extern "C"
