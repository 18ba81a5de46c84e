/* The window system's drawing objects and the controls of modeless panels: fonts, solid
 * brushes, bitmaps and icons from module resources, image lists, device contexts with a
 * headless paint, the cursor position, and the tree view. Included by ws.h.
 *
 * Every object made here is counted while it lives (WsLiveObjects), so a test can check
 * that a panel gave back everything it made. */
#ifndef CARTOVEL_PLATFORM_WS_GDI_H
#define CARTOVEL_PLATFORM_WS_GDI_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct WsGdiObjectOpaque* WsGdiObject;
/* Fonts, brushes and bitmaps are drawing objects (WsDeleteObject); icons are destroyed
 * with WsDestroyIcon. */
typedef WsGdiObject WsFont;
typedef WsGdiObject WsBrush;
typedef WsGdiObject WsBitmap;
typedef WsGdiObject WsIcon;
typedef struct WsImageListOpaque* WsImageList;
typedef struct WsDCOpaque* WsDC;
typedef struct WsTreeItemOpaque* WsTreeItem;

/** 0x00BBGGRR. */
typedef uint32_t WsColor;
#define WS_RGB(r, g, b)                                                                            \
    ((WsColor)(((uint32_t)(uint8_t)(r)) | ((uint32_t)(uint8_t)(g) << 8) |                          \
               ((uint32_t)(uint8_t)(b) << 16)))
#define WS_GETR(c) ((uint8_t)((c)&0xFF))
#define WS_GETG(c) ((uint8_t)(((c) >> 8) & 0xFF))
#define WS_GETB(c) ((uint8_t)(((c) >> 16) & 0xFF))

/** A font description. height < 0: the character height in pixels; > 0: the cell height. */
typedef struct WsLogFont {
    int32_t height;
    int32_t weight; /* 400 normal, 700 bold */
    uint8_t italic;
    char faceName[64];
} WsLogFont;

enum { WS_FW_NORMAL = 400, WS_FW_BOLD = 700 };

/** The system's icon-title font description. */
WS_API int WsGetIconTitleFont(WsLogFont* font);
WS_API WsFont WsCreateFont(const WsLogFont* font);
WS_API int WsGetFontInfo(WsFont font, WsLogFont* out);
WS_API WsBrush WsCreateSolidBrush(WsColor color);
WS_API int WsGetBrushColor(WsBrush brush, WsColor* color);
/** Fonts, brushes and bitmaps; fails for anything else and for a deleted object. */
WS_API int WsDeleteObject(WsGdiObject object);

/** A bitmap resource ('BMP ': a BMP file, 24 or 32 bits per pixel). Null when missing or
 *  not a bitmap. */
WS_API WsBitmap WsLoadBitmap(WsModule module, int32_t id);
/** An icon resource ('ICON': an icon file of one or more PNG images); the image whose size
 *  is nearest to 32 x 32, the default icon size. Null when missing or damaged. */
WS_API WsIcon WsLoadIcon(WsModule module, int32_t id);
WS_API int WsDestroyIcon(WsIcon icon);

/** What a bitmap or icon holds: its size and its encoded bytes ('BMP ' a BMP file, 'PNG '
 *  a PNG image), valid while the object lives; a view draws it from these. */
typedef struct WsImageInfo {
    int width;
    int height;
    uint32_t format;
    const void* data;
    size_t size;
} WsImageInfo;
WS_API int WsGetImageInfo(WsGdiObject image, WsImageInfo* info);

/* Image lists: images of one size, by index from 0. */
#define WS_ILC_COLOR24 0x0018u
#define WS_ILC_COLOR32 0x0020u
WS_API WsImageList WsImageListCreate(int width, int height, uint32_t flags, int initial, int grow);
/** Adds a copy of the bitmap, which must have the list's size; the index, or -1. */
WS_API int WsImageListAdd(WsImageList list, WsBitmap image, WsBitmap mask);
WS_API int WsImageListGetImageCount(WsImageList list);
WS_API int WsImageListGetImageInfo(WsImageList list, int index, WsImageInfo* info);
WS_API int WsImageListDestroy(WsImageList list);

/** Objects alive now, by kind. */
enum {
    WS_LIVE_WINDOWS = 0,
    WS_LIVE_FONTS = 1,
    WS_LIVE_BRUSHES = 2,
    WS_LIVE_BITMAPS = 3,
    WS_LIVE_ICONS = 4,
    WS_LIVE_IMAGELISTS = 5,
    WS_LIVE_DCS = 6
};
WS_API size_t WsLiveObjects(uint32_t kind);

/* ---- Device contexts and painting ---- */

enum { WS_TRANSPARENT = 1, WS_OPAQUE = 2 };
WS_API WsDC WsGetDC(WsWindow window);
WS_API int WsReleaseDC(WsWindow window, WsDC dc);
/** Return the previous value. */
WS_API WsColor WsSetTextColor(WsDC dc, WsColor color);
WS_API int WsSetBkMode(WsDC dc, int mode);

/** How a control was last drawn: static controls ask their parent for their colours with
 *  WS_CTLCOLORSTATIC (wParam the device context, lParam the control) each time they are
 *  drawn; the answer is a brush, or 0 for the system's colours. */
typedef struct WsPaintState {
    int painted;
    WsColor textColor;
    int bkMode;
    int hasBrush;
    WsColor brushColor;
} WsPaintState;
/** Draws the window and its children now (headless: only what the children ask of their
 *  parents is done and recorded). */
WS_API int WsPaintWindow(WsWindow window);
WS_API int WsGetPaintState(WsWindow control, WsPaintState* state);

/* ---- The cursor ---- */

typedef struct WsPoint {
    int x;
    int y;
} WsPoint;
/** Screen coordinates: a top-level window's position is on the screen, a child's relative
 *  to its parent. */
WS_API int WsGetCursorPos(WsPoint* point);
WS_API int WsSetCursorPos(int x, int y);
WS_API int WsScreenToClient(WsWindow window, WsPoint* point);
WS_API int WsClientToScreen(WsWindow window, WsPoint* point);

/** Top-level windows (no parent), in creation order: after null, the first. */
WS_API WsWindow WsGetNextTopLevelWindow(WsWindow after);

/* ---- Messages ---- */

enum {
    WS_SETFONT = 0x0030, /* wParam: the font (borrowed) */
    WS_GETFONT = 0x0031,
    WS_LBUTTONDOWN = 0x0201, /* lParam: x in the low word, y in the high word (client) */
    WS_BM_GETIMAGE = 0x00F6,
    WS_KEYDOWN = 0x0100,   /* wParam: the virtual key (WS_VK_*) */
    WS_HSCROLL = 0x0114,   /* wParam: WS_SB_* in the low word, the thumb's position in the high */
    WS_VSCROLL = 0x0115,   /* the same */
    WS_MOUSEWHEEL = 0x020A /* wParam: the signed turn in the high word, WS_WHEEL_DELTA a notch;
                              away from the user scrolls up */
};
enum {
    WS_VK_PRIOR = 0x21,
    WS_VK_NEXT = 0x22,
    WS_VK_END = 0x23,
    WS_VK_HOME = 0x24,
    WS_VK_LEFT = 0x25,
    WS_VK_UP = 0x26,
    WS_VK_RIGHT = 0x27,
    WS_VK_DOWN = 0x28
};
/* Scroll bar requests (low word of WS_VSCROLL / WS_HSCROLL); up and left share codes. */
enum {
    WS_SB_LINEUP = 0,
    WS_SB_LINEDOWN = 1,
    WS_SB_PAGEUP = 2,
    WS_SB_PAGEDOWN = 3,
    WS_SB_THUMBPOSITION = 4,
    WS_SB_THUMBTRACK = 5,
    WS_SB_TOP = 6,
    WS_SB_BOTTOM = 7,
    WS_SB_ENDSCROLL = 8
};
enum { WS_SB_HORZ = 0, WS_SB_VERT = 1 };
#define WS_WHEEL_DELTA 120

/** A window's scroll bar: positions from min to max, page of them visible at once, the
 *  first visible one at pos. A tree view scrolls by rows vertically and by pixels
 *  horizontally. */
typedef struct WsScrollInfo {
    int min;
    int max;
    int page;
    int pos;
} WsScrollInfo;
/** Fails for a window without scroll bars. */
WS_API int WsGetScrollInfo(WsWindow window, int bar, WsScrollInfo* info);
/* BM_SETIMAGE / BM_GETIMAGE wParam. */
enum { WS_IMAGE_BITMAP = 0, WS_IMAGE_ICON = 1 };
/* STATIC: with SS_NOTIFY a click tells the parent (WS_COMMAND, STN_CLICKED). */
#define WS_SS_NOTIFY 0x0100u
enum { WS_STN_CLICKED = 0 };

/** The header of every WS_NOTIFY message (lParam); wParam is the control's id. */
typedef struct WsNmHdr {
    WsWindow from;
    int32_t idFrom;
    uint32_t code;
} WsNmHdr;
#define WS_NM_CLICK ((uint32_t)-2)

/* ---- Tree view (class "TREEVIEW") ----
 *
 * The rows scroll: with the scroll bars (WS_VSCROLL by rows, WS_HSCROLL by pixels), the
 * wheel, the keys (the arrows, Home, End, Page Up and Page Down move the selection and bring
 * it into view; Left and Right also close and open items) and WS_TVM_ENSUREVISIBLE. Item
 * rectangles are in client coordinates, so a row scrolled away lies outside the window and
 * cannot be hit. A click selects its row without scrolling, so the row stays under the
 * pointer for the parent's hit test. */

#define WS_TVS_HASBUTTONS 0x0001u
#define WS_TVS_HASLINES 0x0002u
#define WS_TVS_LINESATROOT 0x0004u
#define WS_TVS_DISABLEDRAGDROP 0x0010u
#define WS_TVS_SHOWSELALWAYS 0x0020u
#define WS_TVS_FULLROWSELECT 0x1000u

#define WS_TVI_ROOT ((WsTreeItem)(intptr_t)-0x10000)
#define WS_TVI_FIRST ((WsTreeItem)(intptr_t)-0x0FFFF)
#define WS_TVI_LAST ((WsTreeItem)(intptr_t)-0x0FFFE)

typedef struct WsTvInsert {
    WsTreeItem parent;      /* WS_TVI_ROOT or null: a top-level item */
    WsTreeItem insertAfter; /* WS_TVI_FIRST, WS_TVI_LAST or a child of parent */
    const char* text;
    int image;
    int selectedImage;
    WsLParam param;
} WsTvInsert;

/** WS_TVM_GETITEM: item in, the rest out; text (textSize bytes, may be null) gets the
 *  longest whole-character prefix that fits. */
typedef struct WsTvItem {
    WsTreeItem item;
    char* text;
    size_t textSize;
    int image;
    int selectedImage;
    WsLParam param;
    int expanded;
    int childCount;
} WsTvItem;

/** WS_TVM_GETITEMRECT: item in, rect out (client coordinates); wParam non-zero: the
 *  label only. Fails for an item inside a collapsed one. */
typedef struct WsTvItemRect {
    WsTreeItem item;
    WsRect rect;
} WsTvItemRect;

enum {
    WS_TVHT_NOWHERE = 0x0001,
    WS_TVHT_ONITEMICON = 0x0002,
    WS_TVHT_ONITEMLABEL = 0x0004,
    WS_TVHT_ONITEMINDENT = 0x0008,
    WS_TVHT_ONITEMBUTTON = 0x0010,
    WS_TVHT_ONITEMRIGHT = 0x0020,
    WS_TVHT_ABOVE = 0x0100,
    WS_TVHT_BELOW = 0x0200,
    WS_TVHT_TORIGHT = 0x0400,
    WS_TVHT_TOLEFT = 0x0800
};
#define WS_TVHT_ONITEM (WS_TVHT_ONITEMICON | WS_TVHT_ONITEMLABEL)

typedef struct WsTvHitTestInfo {
    WsPoint pt; /* client coordinates */
    uint32_t flags;
    WsTreeItem item;
} WsTvHitTestInfo;

enum { WS_TVE_COLLAPSE = 1, WS_TVE_EXPAND = 2, WS_TVE_TOGGLE = 3 };
enum {
    WS_TVGN_ROOT = 0,
    WS_TVGN_NEXT = 1,
    WS_TVGN_PREVIOUS = 2,
    WS_TVGN_PARENT = 3,
    WS_TVGN_CHILD = 4,
    WS_TVGN_FIRSTVISIBLE = 5, /* the top row */
    WS_TVGN_NEXTVISIBLE = 6,  /* the next row, shown or scrolled away */
    WS_TVGN_PREVIOUSVISIBLE = 7,
    WS_TVGN_CARET = 9,
    WS_TVGN_LASTVISIBLE = 10 /* the last row */
};

enum {
    WS_TVM_DELETEITEM = 0x1101,  /* lParam: the item, or WS_TVI_ROOT for every item */
    WS_TVM_EXPAND = 0x1102,      /* wParam: WS_TVE_*, lParam: the item */
    WS_TVM_GETITEMRECT = 0x1104, /* lParam: WsTvItemRect* */
    WS_TVM_GETCOUNT = 0x1105,
    WS_TVM_GETIMAGELIST = 0x1108,
    WS_TVM_SETIMAGELIST = 0x1109,    /* lParam: the list (borrowed); returns the previous one */
    WS_TVM_GETNEXTITEM = 0x110A,     /* wParam: WS_TVGN_*, lParam: the item */
    WS_TVM_SELECTITEM = 0x110B,      /* wParam: WS_TVGN_CARET (select and scroll into view) or
                                        WS_TVGN_FIRSTVISIBLE (scroll to the top), lParam: the
                                        item (null: no selection) */
    WS_TVM_GETVISIBLECOUNT = 0x1110, /* the rows that fit whole */
    WS_TVM_HITTEST = 0x1111,         /* lParam: WsTvHitTestInfo*; returns the item */
    WS_TVM_ENSUREVISIBLE = 0x1114,   /* lParam: the item; opens its parents and scrolls it into
                                        view; non-zero when it scrolled and opened nothing */
    WS_TVM_INSERTITEM = 0x1132,      /* lParam: WsTvInsert*; returns the new item or null */
    WS_TVM_GETITEM = 0x113E          /* lParam: WsTvItem* */
};

#ifdef __cplusplus
}
#endif

#endif
