/* The window system: a small, message-based user-interface API in the manner of a
 * desktop operating system's, used by the module for its dialogs and panels and by the
 * host for its main window and module loading. Headless here: dialogs run their dialog
 * procedures and are driven by a user agent (see UserAgent.h).
 *
 * All texts are UTF-8. Character limits count Unicode characters, not bytes. Functions
 * returning int return 0 for failure and non-zero for success unless said otherwise.
 * Handles are checked: a stale or made-up handle makes a function fail, never crash.
 * Windows and dialogs belong to one thread (the host's main thread); the module functions
 * may be called from any thread. */
#ifndef CARTOVEL_PLATFORM_WS_H
#define CARTOVEL_PLATFORM_WS_H

#include <stddef.h>
#include <stdint.h>

#ifdef WS_BUILDING
#define WS_API __attribute__((visibility("default")))
#else
#define WS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct WsWindowOpaque* WsWindow;
typedef struct WsModuleOpaque* WsModule;
typedef uintptr_t WsWParam;
typedef intptr_t WsLParam;
typedef intptr_t WsLResult;

/** Dialog procedure: returns non-zero when it handled the message, 0 to leave it to the
 *  default dialog handling. */
typedef intptr_t (*WsDialogProc)(WsWindow dialog, uint32_t message, WsWParam wParam,
                                 WsLParam lParam);
typedef WsLResult (*WsWindowProc)(WsWindow window, uint32_t message, WsWParam wParam,
                                  WsLParam lParam);

#define WS_LOWORD(v) ((uint16_t)((uintptr_t)(v)&0xFFFF))
#define WS_HIWORD(v) ((uint16_t)(((uintptr_t)(v) >> 16) & 0xFFFF))
#define WS_MAKEWPARAM(lo, hi)                                                                      \
    ((WsWParam)(((uint32_t)(uint16_t)(lo)) | ((uint32_t)(uint16_t)(hi) << 16)))

/* Window messages. */
enum {
    WS_CREATE = 0x0001,
    WS_DESTROY = 0x0002,
    WS_SIZE = 0x0005,
    WS_SETFOCUS = 0x0007,
    WS_KILLFOCUS = 0x0008,
    WS_ENABLE = 0x000A,
    WS_SETTEXT = 0x000C,
    WS_GETTEXT = 0x000D,
    WS_GETTEXTLENGTH = 0x000E,
    WS_PAINT = 0x000F,
    WS_CLOSE = 0x0010,
    WS_SHOWWINDOW = 0x0018,
    WS_NOTIFY = 0x004E,
    WS_INITDIALOG = 0x0110,
    WS_COMMAND = 0x0111,
    WS_CTLCOLORSTATIC = 0x0138,
    WS_USER = 0x0400
};

/* Standard command ids. */
enum { WS_IDOK = 1, WS_IDCANCEL = 2 };

/* Notification codes in the high word of a WS_COMMAND's wParam. */
enum {
    WS_BN_CLICKED = 0,
    WS_CBN_SELCHANGE = 1,
    WS_LBN_SELCHANGE = 1,
    WS_CBN_EDITCHANGE = 5,
    WS_EN_SETFOCUS = 0x0100,
    WS_EN_KILLFOCUS = 0x0200,
    WS_EN_CHANGE = 0x0300
};

/* Control messages. */
enum {
    WS_BM_GETCHECK = 0x00F0,
    WS_BM_SETCHECK = 0x00F1,
    WS_BM_CLICK = 0x00F5,
    WS_CB_ADDSTRING = 0x0143,
    WS_CB_GETCOUNT = 0x0146,
    WS_CB_GETCURSEL = 0x0147,
    WS_CB_RESETCONTENT = 0x014B,
    WS_CB_SETCURSEL = 0x014E,
    WS_LB_ADDSTRING = 0x0180,
    WS_LB_RESETCONTENT = 0x0184,
    WS_LB_SETCURSEL = 0x0186,
    WS_LB_GETCURSEL = 0x0188,
    WS_LB_GETCOUNT = 0x018B
};
enum { WS_BST_UNCHECKED = 0, WS_BST_CHECKED = 1 };
enum { WS_CB_ERR = -1 };

/* More control messages. Item texts are UTF-8; WS_CB_GETLBTEXT and WS_LB_GETTEXT copy the
 * item's text and a NUL into the buffer in lParam, which must hold at least the length from
 * WS_CB_GETLBTEXTLEN / WS_LB_GETTEXTLEN plus one byte. WS_CB_FINDSTRINGEXACT and
 * WS_LB_FINDSTRINGEXACT search from the item after wParam (-1: from the first) for a text
 * equal to lParam ignoring ASCII case, and return its index or WS_CB_ERR. */
enum {
    WS_BM_SETIMAGE = 0x00F7,
    WS_CB_DELETESTRING = 0x0144,
    WS_CB_GETLBTEXT = 0x0148,
    WS_CB_GETLBTEXTLEN = 0x0149,
    WS_CB_INSERTSTRING = 0x014A,
    WS_CB_GETITEMDATA = 0x0150,
    WS_CB_SETITEMDATA = 0x0151,
    WS_CB_FINDSTRINGEXACT = 0x0158,
    WS_LB_INSERTSTRING = 0x0181,
    WS_LB_DELETESTRING = 0x0182,
    WS_LB_GETTEXT = 0x0189,
    WS_LB_GETTEXTLEN = 0x018A,
    WS_LB_GETITEMDATA = 0x0199,
    WS_LB_SETITEMDATA = 0x019A,
    WS_LB_FINDSTRINGEXACT = 0x01A2
};

/* Text messages: WS_SETTEXT takes the UTF-8 text in lParam (null: empty) and returns 1.
 * WS_GETTEXT copies the longest whole-character prefix that fits, and a NUL, into the
 * buffer in lParam of wParam bytes and returns the bytes copied without the NUL.
 * WS_GETTEXTLENGTH returns the text's length in bytes. Setting the text of an edit control
 * notifies its parent with EN_CHANGE, as typing does. */

/* Window styles (the style argument of WsCreateWindow). A window is visible and enabled
 * unless its style says otherwise. The low 16 bits belong to the control class. */
#define WS_STYLE_TABSTOP 0x00010000u
#define WS_STYLE_DISABLED 0x08000000u
#define WS_STYLE_HIDDEN 0x40000000u

/* BUTTON: the kind in the low four bits; auto check boxes toggle and auto radio buttons
 * check themselves and clear the other radio buttons of their group when clicked. */
#define WS_BS_PUSHBUTTON 0x0000u
#define WS_BS_DEFPUSHBUTTON 0x0001u
#define WS_BS_AUTOCHECKBOX 0x0003u
#define WS_BS_GROUPBOX 0x0007u
#define WS_BS_AUTORADIOBUTTON 0x0009u
#define WS_BS_TYPEMASK 0x000Fu
#define WS_BS_ICON 0x0040u
#define WS_BS_BITMAP 0x0080u
/* EDIT */
#define WS_ES_MULTILINE 0x0004u
#define WS_ES_PASSWORD 0x0020u
#define WS_ES_READONLY 0x0800u
#define WS_ES_NUMBER 0x2000u
/* COMBOBOX: an editable drop-down or a drop-down list whose text is the selected item. */
#define WS_CBS_DROPDOWN 0x0002u
#define WS_CBS_DROPDOWNLIST 0x0003u
#define WS_CBS_TYPEMASK 0x0003u

/* Resource types: four-character codes, first letter in the most significant byte (the
 * value of the C literal 'DLG '). */
#define WS_FOURCC(a, b, c, d)                                                                      \
    ((uint32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) |                  \
                ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))
#define WS_RT_PIPL WS_FOURCC('P', 'I', 'P', 'L')
#define WS_RT_DIALOG WS_FOURCC('D', 'L', 'G', ' ')
#define WS_RT_ICON WS_FOURCC('I', 'C', 'O', 'N')
#define WS_RT_BITMAP WS_FOURCC('B', 'M', 'P', ' ')

/* ---- Modules and resources ---- */

/** Loads a module and its code (dynamic loader). Null on failure. */
WS_API WsModule WsLoadLibrary(const char* path);
/** Opens a module file for its resources only: none of its code runs. Null when the file
 *  is not a sound ELF64 module or its resource section is damaged; a module without
 *  resources opens with none. */
WS_API WsModule WsLoadLibraryAsData(const char* path);
WS_API int WsFreeLibrary(WsModule module);
WS_API void* WsGetProcAddress(WsModule module, const char* name);
/** A loaded module (not one opened as data) whose file name (last path component)
 *  equals fileName; null when none is loaded. */
WS_API WsModule WsGetModuleHandle(const char* fileName);
/** Copies the module's full path; returns its length in bytes, 0 on failure. A buffer too
 *  small for the path and its NUL gets an empty text and 0; a null buffer with size 0
 *  returns the length needed. */
WS_API size_t WsGetModuleFileName(WsModule module, char* buffer, size_t size);
/** Finds a resource by type (four-character code) and id. *data stays valid while the
 *  module is loaded. */
WS_API int WsFindResource(WsModule module, uint32_t type, int32_t id, const void** data,
                          size_t* size);

/* ---- Windows ---- */

/** Creates a window of a registered class or a built-in control class ("BUTTON",
 *  "EDIT", "STATIC", "COMBOBOX", "LISTBOX", "TREEVIEW", "FRAME"). A window without a
 *  parent is a top-level window: its position is on the screen. */
WS_API WsWindow WsCreateWindow(const char* className, const char* text, uint32_t style, int x,
                               int y, int width, int height, WsWindow parent, int32_t id,
                               void* createParam);
WS_API int WsDestroyWindow(WsWindow window);
WS_API int WsIsWindow(WsWindow window);
WS_API WsWindow WsGetParent(WsWindow window);
WS_API int32_t WsGetDlgCtrlID(WsWindow window);
WS_API WsLResult WsSendMessage(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam);
WS_API int WsSetWindowText(WsWindow window, const char* text);
/** Copies at most maxChars - 1 characters and a NUL into buffer (bufferSize bytes);
 *  returns the number of characters copied. */
WS_API int WsGetWindowText(WsWindow window, char* buffer, size_t bufferSize, int maxChars);
WS_API int WsEnableWindow(WsWindow window, int enable);
WS_API int WsIsWindowEnabled(WsWindow window);
WS_API int WsShowWindow(WsWindow window, int show);
WS_API int WsIsWindowVisible(WsWindow window);
/** Moves the keyboard focus: WS_KILLFOCUS goes to the old focus (wParam: the new one), then
 *  WS_SETFOCUS to the new (wParam: the old one). Edit controls pass these on to their
 *  parent as WS_COMMAND with WS_EN_KILLFOCUS / WS_EN_SETFOCUS. Null clears the focus.
 *  Returns the previous focus; null also when the window is not valid. */
WS_API WsWindow WsSetFocus(WsWindow window);
WS_API WsWindow WsGetFocus(void);
WS_API int WsSetProp(WsWindow window, const char* name, void* value);
WS_API void* WsGetProp(WsWindow window, const char* name);
WS_API void* WsRemoveProp(WsWindow window, const char* name);
/** Replaces the window's procedure; returns the previous one. */
WS_API WsWindowProc WsSetWindowProc(WsWindow window, WsWindowProc proc);
WS_API WsLResult WsCallWindowProc(WsWindowProc proc, WsWindow window, uint32_t message,
                                  WsWParam wParam, WsLParam lParam);
WS_API WsLResult WsDefWindowProc(WsWindow window, uint32_t message, WsWParam wParam,
                                 WsLParam lParam);

/** The window's own class name (as registered, or the built-in name); returns the bytes
 *  copied without the NUL, 0 on failure or when the buffer is too small. */
WS_API size_t WsGetClassName(WsWindow window, char* buffer, size_t size);
WS_API uint32_t WsGetWindowStyle(WsWindow window);
/** Children in creation order: the first child, then each one's next sibling; null at the
 *  end or for a bad handle. */
WS_API WsWindow WsGetFirstChild(WsWindow window);
WS_API WsWindow WsGetNextSibling(WsWindow window);

typedef struct WsRect {
    int left;
    int top;
    int right;
    int bottom;
} WsRect;

/** Moves and sizes a window (coordinates relative to its parent); sends WS_SIZE with the
 *  new width and height in the low and high words of lParam when the size changes. */
WS_API int WsMoveWindow(WsWindow window, int x, int y, int width, int height);
/** The window's rectangle relative to its parent. */
WS_API int WsGetWindowRect(WsWindow window, WsRect* rect);
/** (0, 0, width, height). */
WS_API int WsGetClientRect(WsWindow window, WsRect* rect);

/** A window class: windows created with its name start with its procedure. */
typedef struct WsWindowClass {
    const char* name;
    WsWindowProc proc;
} WsWindowClass;

/** Registers a class; fails when the name (compared ignoring ASCII case) is taken, by a
 *  built-in class too. */
WS_API int WsRegisterClass(const WsWindowClass* windowClass);
/** Fails for built-in classes and for names never registered. */
WS_API int WsUnregisterClass(const char* name);

/* ---- Dialogs ---- */

/** Runs the dialog template templateId of module modally. Returns the value given to
 *  WsEndDialog, or -1 when the template is missing or the dialog cannot be made. After
 *  WS_INITDIALOG the user agent acts on the dialog; one it leaves open gets WS_COMMAND
 *  IDCANCEL and, if that does not end it, ends with IDCANCEL. A procedure that returns 0
 *  for a click of IDOK or IDCANCEL gets the default: the dialog ends with that id. The
 *  owner is disabled while the dialog runs and the focus is restored afterwards. */
WS_API intptr_t WsDialogBoxParam(WsModule module, int32_t templateId, WsWindow owner,
                                 WsDialogProc proc, WsLParam param);
WS_API int WsEndDialog(WsWindow dialog, intptr_t result);
WS_API WsWindow WsGetDlgItem(WsWindow dialog, int32_t id);
WS_API int WsSetDlgItemText(WsWindow dialog, int32_t id, const char* text);
WS_API int WsGetDlgItemText(WsWindow dialog, int32_t id, char* buffer, size_t bufferSize,
                            int maxChars);
/** Sets a check box or radio button of the dialog (WS_BM_SETCHECK); no notification. */
WS_API int WsCheckDlgButton(WsWindow dialog, int32_t id, int check);
/** WS_BST_CHECKED or WS_BST_UNCHECKED; unchecked for a missing control. */
WS_API int WsIsDlgButtonChecked(WsWindow dialog, int32_t id);
WS_API WsLResult WsSendDlgItemMessage(WsWindow dialog, int32_t id, uint32_t message,
                                      WsWParam wParam, WsLParam lParam);

/* ---- Shell ---- */

/** The shell's "open" verb on a document or address. */
WS_API int WsShellOpen(const char* target);

#ifdef __cplusplus
}
#endif

#include "platform/wsgdi.h"

#endif

/* ---- Open and save file dialogs ----
 *
 * The system's file dialogs, explorer style, with the caller's hook procedure and child
 * template. Headless: the dialog is built on the child template from the caller's module
 * (required) with the standard controls added to it (the folder, the file name field, the
 * file types, OK and Cancel), so the hook finds the template's controls in the dialog it
 * is given. The user agent answers it like any dialog: types a name into
 * WS_FD_FILENAME (relative names start in the dialog's folder; a folder's name moves
 * into it), picks a type in WS_FD_FILETYPE, uses the template's controls, clicks OK. */
#ifndef CARTOVEL_PLATFORM_WS_FILE_DIALOGS
#define CARTOVEL_PLATFORM_WS_FILE_DIALOGS

#ifdef __cplusplus
extern "C" {
#endif

#define WS_OFN_HIDEREADONLY 0x00000004u
#define WS_OFN_ENABLEHOOK 0x00000020u
#define WS_OFN_ENABLETEMPLATE 0x00000040u
/** The chosen file's folder must exist. */
#define WS_OFN_PATHMUSTEXIST 0x00000800u
/** The chosen file must exist (open dialogs only). */
#define WS_OFN_FILEMUSTEXIST 0x00001000u
#define WS_OFN_EXPLORER 0x00080000u
#define WS_OFN_ENABLESIZING 0x00800000u

typedef struct WsOpenFileName {
    WsWindow owner;
    /** The module that holds templateId. */
    WsModule module;
    /** The child template placed under the standard controls (WS_OFN_ENABLETEMPLATE). */
    int32_t templateId;
    /** Pairs of a description and a pattern, each NUL-terminated, ended by an empty
     *  description: "Text Files\0*.txt\0\0". May be null. */
    const char* filter;
    /** 1-based: in, the pair shown first; out, the pair shown when OK was chosen. */
    uint32_t filterIndex;
    /** In: the name the dialog proposes (NUL-terminated, may be empty). Out: the chosen
     *  file's full path. */
    char* file;
    /** Bytes of file; a chosen path that does not fit ends the dialog with
     *  WS_FNERR_BUFFERTOOSMALL. */
    size_t fileSize;
    /** Out: where the last component of the path starts in file. */
    size_t fileOffset;
    /** The folder the dialog starts in; null, empty or missing: the working folder. */
    const char* initialDir;
    /** The caption; null: "Open" or "Save As". */
    const char* title;
    /** Added, after a dot, to a name typed without an extension; null: nothing. */
    const char* defaultExt;
    uint32_t flags;
    /** For the hook. */
    WsLParam customData;
    /** With WS_OFN_ENABLEHOOK: gets WS_INITDIALOG (lParam: this record) after the
     *  standard controls are made, WS_NOTIFY (lParam: a WsOfNotify) and the messages of
     *  the template's controls. */
    WsDialogProc hook;
} WsOpenFileName;

/** WS_NOTIFY code: the user chose a file, already in the record's file. A hook that
 *  returns non-zero keeps the dialog open. */
#define WS_CDN_FILEOK ((uint32_t)-606)

typedef struct WsOfNotify {
    WsWindow from;  /* the file dialog */
    int32_t idFrom; /* 0 */
    uint32_t code;
    WsOpenFileName* ofn;
} WsOfNotify;

/* The standard controls. */
enum { WS_FD_FILETYPE = 1136, WS_FD_FOLDER = 1137, WS_FD_FILENAME = 1152 };

/* Why the last file dialog failed (WsCommDlgExtendedError); 0 after OK or a cancel. */
enum {
    WS_CDERR_NONE = 0,
    WS_CDERR_NOTEMPLATE = 0x0003,
    WS_CDERR_FINDRESFAILURE = 0x0006,
    WS_CDERR_BADPARAMETER = 0x0007,
    WS_FNERR_BUFFERTOOSMALL = 0x3003
};

/** 1 when the user chose a file with OK; 0 on cancel or failure. */
WS_API int WsGetOpenFileName(WsOpenFileName* ofn);
WS_API int WsGetSaveFileName(WsOpenFileName* ofn);
WS_API uint32_t WsCommDlgExtendedError(void);

#ifdef __cplusplus
}
#endif

#endif
