// Drawing objects (fonts, brushes, bitmaps, icons), image lists, device contexts, the
// headless paint and the cursor. Objects are counted while they live, so a leak shows.
#include "Guard.h"
#include "HandleTable.h"
#include "LittleEndian.h"
#include "Window.h"
#include "platform/ImageSize.h"

#include <cstdlib>
#include <cstring>

namespace ws {
namespace {

enum class GdiKind { Font, Brush, Bitmap, Icon };

struct Image {
    int width = 0;
    int height = 0;
    std::uint32_t format = 0;
    std::vector<std::uint8_t> bytes;
};

struct GdiObject {
    GdiKind kind = GdiKind::Font;
    WsLogFont font{};
    WsColor color = 0;
    Image image;
};

struct ImageList {
    int width = 0;
    int height = 0;
    std::vector<Image> images;
};

struct DeviceContext {
    WsWindow window = nullptr;
    WsColor textColor = 0;
    int bkMode = WS_OPAQUE;
};

constexpr std::uint32_t kFormatBmp = WS_FOURCC('B', 'M', 'P', ' ');
constexpr std::uint32_t kFormatPng = WS_FOURCC('P', 'N', 'G', ' ');
// The system font's character height, and the default icon size.
constexpr int kSystemFontHeight = 12;
constexpr int kDefaultIconSize = 32;

HandleTable<GdiObject>& objects() {
    static HandleTable<GdiObject> table;
    return table;
}
HandleTable<ImageList>& imageLists() {
    static HandleTable<ImageList> table;
    return table;
}
HandleTable<DeviceContext>& contexts() {
    static HandleTable<DeviceContext> table;
    return table;
}
WsPoint cursor{0, 0};

GdiObject* findObject(WsGdiObject handle) {
    return objects().get(reinterpret_cast<std::uintptr_t>(handle));
}
ImageList* findList(WsImageList handle) {
    return imageLists().get(reinterpret_cast<std::uintptr_t>(handle));
}
DeviceContext* findDC(WsDC handle) {
    return contexts().get(reinterpret_cast<std::uintptr_t>(handle));
}

const GdiObject* findObject(WsGdiObject handle, GdiKind kind) {
    const GdiObject* object = findObject(handle);
    return object && object->kind == kind ? object : nullptr;
}

WsGdiObject addObject(std::unique_ptr<GdiObject> object) {
    return reinterpret_cast<WsGdiObject>(objects().add(std::move(object)));
}

// A new object of kind that fill sets up; nothing when memory runs out.
template <class Fill> WsGdiObject createObject(GdiKind kind, Fill fill) {
    return guarded<WsGdiObject>(nullptr, [&] {
        auto object = std::make_unique<GdiObject>();
        object->kind = kind;
        fill(*object);
        return addObject(std::move(object));
    });
}

// A BMP file: its size from the header; only 24 and 32 bits per pixel are drawn.
bool readBmp(const std::uint8_t* data, std::size_t size, Image& image) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
    const auto width = static_cast<std::int32_t>(le::read32(data + 18));
    const auto height = static_cast<std::int32_t>(le::read32(data + 22));
    const int bits = le::read16(data + 28);
    if (width <= 0 || height == 0 || width > 4096 || std::abs(height) > 4096) return false;
    if (bits != 24 && bits != 32) return false;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits / 8) + 3) & ~std::size_t{3};
    if (le::read32(data + 10) + stride * static_cast<std::size_t>(std::abs(height)) > size)
        return false;
    image = {width, std::abs(height), kFormatBmp, {data, data + size}};
    return true;
}

// A PNG image: its size from the header chunk.
bool readPng(const std::uint8_t* data, std::size_t size, Image& image) {
    if (size < 33) return false;
    const auto found = pngImageSize({reinterpret_cast<const char*>(data), size});
    if (!found || found->width > 4096 || found->height > 4096) return false;
    image = {static_cast<int>(found->width),
             static_cast<int>(found->height),
             kFormatPng,
             {data, data + size}};
    return true;
}

// An icon file: a directory of images, each a PNG; the one nearest the default size.
bool readIcon(const std::uint8_t* data, std::size_t size, Image& image) {
    if (size < 6 || data[0] != 0 || data[1] != 0 || data[2] != 1 || data[3] != 0) return false;
    const std::size_t count = le::read16(data + 4);
    if (count == 0 || 6 + 16 * count > size) return false;
    bool found = false;
    int bestDistance = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = data + 6 + 16 * i;
        const std::uint32_t length = le::read32(entry + 8);
        const std::uint32_t offset = le::read32(entry + 12);
        if (offset > size || length > size - offset) return false;
        Image candidate;
        if (!readPng(data + offset, length, candidate)) return false;
        const int distance = std::abs(candidate.width - kDefaultIconSize);
        if (!found || distance < bestDistance) {
            image = std::move(candidate);
            bestDistance = distance;
            found = true;
        }
    }
    return found;
}

WsGdiObject loadImage(WsModule module, std::uint32_t type, std::int32_t id, GdiKind kind) {
    const void* data = nullptr;
    std::size_t size = 0;
    if (!WsFindResource(module, type, id, &data, &size)) return nullptr;
    auto object = std::make_unique<GdiObject>();
    object->kind = kind;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const bool ok = kind == GdiKind::Bitmap ? readBmp(bytes, size, object->image)
                                            : readIcon(bytes, size, object->image);
    return ok ? addObject(std::move(object)) : nullptr;
}

void fillInfo(const Image& image, WsImageInfo* info) {
    *info = {image.width, image.height, image.format, image.bytes.data(), image.bytes.size()};
}

std::size_t countObjects(GdiKind kind) {
    std::size_t n = 0;
    objects().forEach([&](std::uintptr_t, const GdiObject& o) { n += o.kind == kind; });
    return n;
}

void paintTree(WsWindow window) {
    const Window* w = findWindow(window);
    if (!w) return;
    const std::vector<WsWindow> children = w->children;
    if (w->className == "STATIC" && w->parent) {
        WsDC dc = WsGetDC(window);
        const WsLResult answer =
            WsSendMessage(w->parent, WS_CTLCOLORSTATIC, reinterpret_cast<WsWParam>(dc),
                          reinterpret_cast<WsLParam>(window));
        if (Window* painted = findWindow(window)) {
            const DeviceContext* context = findDC(dc);
            WsPaintState& state = painted->paint;
            state = {};
            state.painted = 1;
            state.textColor = context ? context->textColor : 0;
            state.bkMode = context ? context->bkMode : WS_OPAQUE;
            if (const GdiObject* brush =
                    findObject(reinterpret_cast<WsGdiObject>(answer), GdiKind::Brush)) {
                state.hasBrush = 1;
                state.brushColor = brush->color;
            }
        }
        WsReleaseDC(window, dc);
    } else if (Window* painted = findWindow(window)) {
        painted->paint.painted = 1;
    }
    for (WsWindow child : children)
        paintTree(child);
}

} // namespace

int fontPixelHeight(const Window& w) {
    const GdiObject* font = findObject(w.font, GdiKind::Font);
    if (!font || font->font.height == 0) return kSystemFontHeight;
    return std::abs(font->font.height);
}

} // namespace ws

using namespace ws;

extern "C" {

WS_API int WsGetIconTitleFont(WsLogFont* font) {
    if (!font) return 0;
    *font = {};
    font->height = -kSystemFontHeight;
    font->weight = WS_FW_NORMAL;
    std::strncpy(font->faceName, "Sans", sizeof font->faceName - 1);
    return 1;
}

WS_API WsFont WsCreateFont(const WsLogFont* font) {
    if (!font) return nullptr;
    return createObject(GdiKind::Font, [&](GdiObject& object) {
        object.font = *font;
        object.font.faceName[sizeof object.font.faceName - 1] = '\0';
    });
}

WS_API int WsGetFontInfo(WsFont font, WsLogFont* out) {
    const GdiObject* o = findObject(font, GdiKind::Font);
    if (!o || !out) return 0;
    *out = o->font;
    return 1;
}

WS_API WsBrush WsCreateSolidBrush(WsColor color) {
    return createObject(GdiKind::Brush,
                        [&](GdiObject& object) { object.color = color & 0x00FFFFFFu; });
}

WS_API int WsGetBrushColor(WsBrush brush, WsColor* color) {
    const GdiObject* o = findObject(brush, GdiKind::Brush);
    if (!o || !color) return 0;
    *color = o->color;
    return 1;
}

WS_API int WsDeleteObject(WsGdiObject object) {
    const GdiObject* o = findObject(object);
    if (!o || o->kind == GdiKind::Icon) return 0;
    objects().remove(reinterpret_cast<std::uintptr_t>(object));
    return 1;
}

WS_API WsBitmap WsLoadBitmap(WsModule module, int32_t id) {
    return guarded<WsBitmap>(nullptr,
                             [&] { return loadImage(module, WS_RT_BITMAP, id, GdiKind::Bitmap); });
}

WS_API WsIcon WsLoadIcon(WsModule module, int32_t id) {
    return guarded<WsIcon>(nullptr,
                           [&] { return loadImage(module, WS_RT_ICON, id, GdiKind::Icon); });
}

WS_API int WsDestroyIcon(WsIcon icon) {
    if (!findObject(icon, GdiKind::Icon)) return 0;
    objects().remove(reinterpret_cast<std::uintptr_t>(icon));
    return 1;
}

WS_API int WsGetImageInfo(WsGdiObject image, WsImageInfo* info) {
    const GdiObject* o = findObject(image);
    if (!o || !info || (o->kind != GdiKind::Bitmap && o->kind != GdiKind::Icon)) return 0;
    fillInfo(o->image, info);
    return 1;
}

WS_API WsImageList WsImageListCreate(int width, int height, uint32_t, int, int) {
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return nullptr;
    return guarded<WsImageList>(nullptr, [&] {
        auto list = std::make_unique<ImageList>();
        list->width = width;
        list->height = height;
        return reinterpret_cast<WsImageList>(imageLists().add(std::move(list)));
    });
}

WS_API int WsImageListAdd(WsImageList list, WsBitmap image, WsBitmap) {
    ImageList* l = findList(list);
    const GdiObject* o = findObject(image, GdiKind::Bitmap);
    if (!l || !o) return -1;
    if (o->image.width != l->width || o->image.height != l->height) return -1;
    return guarded(-1, [&] {
        l->images.push_back(o->image);
        return static_cast<int>(l->images.size()) - 1;
    });
}

WS_API int WsImageListGetImageCount(WsImageList list) {
    const ImageList* l = findList(list);
    return l ? static_cast<int>(l->images.size()) : 0;
}

WS_API int WsImageListGetImageInfo(WsImageList list, int index, WsImageInfo* info) {
    const ImageList* l = findList(list);
    if (!l || !info || index < 0 || static_cast<std::size_t>(index) >= l->images.size()) return 0;
    fillInfo(l->images[static_cast<std::size_t>(index)], info);
    return 1;
}

WS_API int WsImageListDestroy(WsImageList list) {
    return imageLists().remove(reinterpret_cast<std::uintptr_t>(list)) ? 1 : 0;
}

WS_API size_t WsLiveObjects(uint32_t kind) {
    switch (kind) {
    case WS_LIVE_WINDOWS:
        return liveWindowCount();
    case WS_LIVE_FONTS:
        return countObjects(GdiKind::Font);
    case WS_LIVE_BRUSHES:
        return countObjects(GdiKind::Brush);
    case WS_LIVE_BITMAPS:
        return countObjects(GdiKind::Bitmap);
    case WS_LIVE_ICONS:
        return countObjects(GdiKind::Icon);
    case WS_LIVE_IMAGELISTS: {
        std::size_t n = 0;
        imageLists().forEach([&](std::uintptr_t, const ImageList&) { ++n; });
        return n;
    }
    case WS_LIVE_DCS: {
        std::size_t n = 0;
        contexts().forEach([&](std::uintptr_t, const DeviceContext&) { ++n; });
        return n;
    }
    default:
        return 0;
    }
}

WS_API WsDC WsGetDC(WsWindow window) {
    if (!findWindow(window)) return nullptr;
    return guarded<WsDC>(nullptr, [&] {
        auto dc = std::make_unique<DeviceContext>();
        dc->window = window;
        return reinterpret_cast<WsDC>(contexts().add(std::move(dc)));
    });
}

WS_API int WsReleaseDC(WsWindow, WsDC dc) {
    return contexts().remove(reinterpret_cast<std::uintptr_t>(dc)) ? 1 : 0;
}

WS_API WsColor WsSetTextColor(WsDC dc, WsColor color) {
    DeviceContext* c = findDC(dc);
    if (!c) return 0xFFFFFFFFu;
    return std::exchange(c->textColor, color & 0x00FFFFFFu);
}

WS_API int WsSetBkMode(WsDC dc, int mode) {
    DeviceContext* c = findDC(dc);
    if (!c || (mode != WS_TRANSPARENT && mode != WS_OPAQUE)) return 0;
    return std::exchange(c->bkMode, mode);
}

WS_API int WsPaintWindow(WsWindow window) {
    if (!findWindow(window)) return 0;
    return guarded(0, [&] {
        paintTree(window);
        return 1;
    });
}

WS_API int WsGetPaintState(WsWindow control, WsPaintState* state) {
    const Window* w = findWindow(control);
    if (!w || !state) return 0;
    *state = w->paint;
    return 1;
}

WS_API int WsGetCursorPos(WsPoint* point) {
    if (!point) return 0;
    *point = cursor;
    return 1;
}

WS_API int WsSetCursorPos(int x, int y) {
    cursor = {x, y};
    return 1;
}

WS_API int WsClientToScreen(WsWindow window, WsPoint* point) {
    if (!point || !findWindow(window)) return 0;
    for (const Window* w = findWindow(window); w; w = findWindow(w->parent)) {
        point->x += w->x;
        point->y += w->y;
    }
    return 1;
}

WS_API int WsScreenToClient(WsWindow window, WsPoint* point) {
    if (!point || !findWindow(window)) return 0;
    for (const Window* w = findWindow(window); w; w = findWindow(w->parent)) {
        point->x -= w->x;
        point->y -= w->y;
    }
    return 1;
}

} // extern "C"
