// Window objects and the internal API the window, control and dialog code shares.
// The window system is used from one thread (the host's main thread); nothing here locks.
// Code that calls a window procedure must look its window up again afterwards: the
// procedure may have destroyed it.
#pragma once

#include "platform/ws.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ws {

struct ListItem {
    std::string text;
    WsLParam data = 0;
};

struct ModalRun; // a running modal dialog, see Dialogs.cpp
struct TreeData; // a tree view's items, see controls/TreeView.cpp

/** Frees a tree view's items with its window. */
struct TreeDataDeleter {
    void operator()(TreeData* tree) const;
};

struct DialogData {
    WsDialogProc proc = nullptr;
    WsModule module = nullptr;
    std::int32_t templateId = 0;
    ModalRun* run = nullptr; // null once the dialog's run has finished
};

struct Window {
    WsWindow self = nullptr;
    std::string className;
    std::string text;
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    WsWindow parent = nullptr;
    WsWindow owner = nullptr; // dialogs: the window they are modal to
    std::vector<WsWindow> children;
    std::int32_t id = 0;
    bool enabled = true;
    bool visible = true;
    bool destroying = false;
    WsWindowProc proc = nullptr;
    std::vector<std::pair<std::string, void*>> props;

    // Buttons.
    int check = WS_BST_UNCHECKED;
    std::string radioGroup;
    void* image = nullptr;
    // Combo and list boxes.
    std::vector<ListItem> items;
    int selection = -1;
    // Dialogs.
    std::unique_ptr<DialogData> dialog;
    // Drawing: the font the window was given (borrowed) and how it was last painted.
    WsFont font = nullptr;
    WsPaintState paint{};
    // Tree views.
    std::unique_ptr<TreeData, TreeDataDeleter> tree;
};

/** The window behind a handle; null for a stale or made-up one. */
Window* findWindow(WsWindow handle);

/** Creates a window without sending WS_CREATE; for dialogs built from templates. */
WsWindow createWindowSilently(const std::string& className, const std::string& text,
                              std::uint32_t style, WsRect rect, WsWindow parent, std::int32_t id);

/** Sends WS_COMMAND with (id, code) to the control's parent. */
void notifyParent(WsWindow control, std::uint16_t code);

/** Equal ignoring ASCII case, the way class names and list searches compare. */
bool equalsIgnoringCase(std::string_view a, std::string_view b);

bool isRadioButton(const Window& w);
bool isCheckBox(const Window& w);

/** Built-in class procedures. */
WsLResult buttonProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult editProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult comboBoxProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult listBoxProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult dialogWindowProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult staticProc(WsWindow, uint32_t, WsWParam, WsLParam);
WsLResult treeViewProc(WsWindow, uint32_t, WsWParam, WsLParam);

/** Live windows, for WsLiveObjects. */
std::size_t liveWindowCount();

/** The character height in pixels of the window's font (the system font without one). */
int fontPixelHeight(const Window& w);

enum class ControlKind;

/** What a person sees the control as, as the class registry has it for the window's class
 *  (Other for classes that are no control), and for a button by its style. */
ControlKind controlKindOf(const Window& w);

/** The procedure windows of a class start with; false for an unknown class. */
bool classProcedure(const std::string& className, WsWindowProc& proc, std::string& canonicalName);

/** Clears the focus without messages when it is inside a window being destroyed. */
void forgetFocusWithin(WsWindow window);

} // namespace ws
