// The user of a headless window system. When a module shows a modal dialog, the window
// system hands it to the current user agent, which reads it and acts on it the way a
// person would (type into a field, leave it, click a button, pick a list entry) until the
// dialog ends. A dialog the agent leaves open is cancelled: the dialog procedure gets
// IDCANCEL, and the agent hears of it through reportError, so an unanswered question never
// hangs.
//
// Host-side C++ API; everything runs on the thread that runs the dialogs.
#pragma once

#include "platform/ws.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ws {

enum class ControlKind {
    PushButton,
    DefaultButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    Static,
    ComboBox,
    ListBox,
    TreeView,
    Other
};

/** One item of a tree view as a person sees it. */
struct TreeItemInfo {
    WsTreeItem item = nullptr;
    std::string text;
    int level = 0; // 0 for a top-level item
    int image = 0;
    bool expanded = false;
    bool shown = false; // every parent is expanded, so the item has a row
    int childCount = 0;
    WsRect row{};    // client coordinates of the tree (outside it when scrolled away);
                     // empty when not shown
    WsRect label{};  // the label's part of the row
    WsRect button{}; // the expand button; empty when the item has none
    WsRect icon{};   // the icon; empty without an image list
};

/** What a person sees of one control. */
struct ControlInfo {
    WsWindow window = nullptr; // valid while the control exists
    std::int32_t id = -1;
    ControlKind kind = ControlKind::Other;
    std::string className;
    std::string text; // caption, field text, or a drop-down list's selected entry
    bool enabled = true;
    bool visible = true;
    bool checked = false; // check boxes and radio buttons
    bool focused = false;
    bool digitsOnly = false;        // edits that take digits only
    std::vector<std::string> items; // combo and list boxes
    int selection = -1;
    std::uint32_t style = 0;
    WsRect rect{};                   // relative to the parent
    int fontHeight = 0;              // character height in pixels; 0: the system font
    WsGdiObject image = nullptr;     // a button's bitmap or icon
    WsPaintState paint{};            // how it was last drawn
    WsImageList imageList = nullptr; // tree views
    std::vector<TreeItemInfo> tree;  // tree views: every item in pre-order
};

WS_API ControlInfo describeControl(WsWindow control);
/** The window's children in creation order. */
WS_API std::vector<ControlInfo> describeChildren(WsWindow window);

/** A dialog as it looked at one moment (handles in it may be stale later). */
struct DialogSnapshot {
    std::int32_t templateId = 0;
    std::string caption;
    std::vector<ControlInfo> controls;
};

/** The result of a user action: empty error on success, otherwise why nothing happened. */
struct Outcome {
    std::string error;
    explicit operator bool() const { return error.empty(); }
};

/** A running modal dialog, read and acted on as a person at the screen would: a control
 *  that is missing, hidden or disabled cannot be used, a read-only field cannot be typed
 *  into and a digits-only field takes digits only. A refused action changes nothing. */
class WS_API DialogView {
public:
    explicit DialogView(WsWindow dialog);

    WsWindow window() const { return dialog_; }
    std::int32_t templateId() const;
    /** The window exists and the dialog has not ended. */
    bool isOpen() const;
    std::string caption() const;
    std::vector<ControlInfo> controls() const;
    std::optional<ControlInfo> control(std::int32_t id) const;
    DialogSnapshot snapshot() const;

    /** Focuses the field and replaces its text (EN_CHANGE; an editable combo box gets
     *  CBN_EDITCHANGE). Focusing it first takes the focus from the previous control. */
    Outcome type(std::int32_t id, std::string_view text);
    /** Moves the focus from the control to the next control that can take it, so the
     *  control's parent hears EN_KILLFOCUS; a control without the focus gets it first. */
    Outcome leave(std::int32_t id);
    /** Clicks a button: it takes the focus, a check box toggles, a radio button checks
     *  itself and clears its group, and the dialog gets BN_CLICKED. */
    Outcome click(std::int32_t id);
    /** Picks an entry of a combo or list box by index or by text (ASCII case ignored);
     *  the dialog gets CBN_SELCHANGE / LBN_SELCHANGE. */
    Outcome pickIndex(std::int32_t id, int index);
    Outcome pickText(std::int32_t id, std::string_view itemText);

private:
    Outcome usable(std::int32_t id, WsWindow& control) const;
    std::string where() const;

    WsWindow dialog_;
};

/** A modeless panel window (a top-level window the host made for a module's panel), read
 *  and acted on as a person would: the same rules as DialogView, a disabled or hidden
 *  control cannot be used, and a refused action changes nothing. */
class WS_API PanelView {
public:
    explicit PanelView(WsWindow panel) : panel_(panel) {}
    /** The top-level window with this caption (shown or not); null when there is none. */
    static WsWindow find(std::string_view title);

    WsWindow window() const { return panel_; }
    bool exists() const;
    std::string title() const;
    bool isShown() const;
    WsRect rect() const;
    std::vector<ControlInfo> controls() const;
    /** The first control with this text, or with this id when text is "#ID". */
    std::optional<ControlInfo> control(std::string_view text) const;
    std::optional<ControlInfo> control(std::int32_t id) const;
    std::optional<ControlInfo> firstOfKind(ControlKind kind) const;

    /** Clicks a push button or check box, or a static text that tells its parent of
     *  clicks, found as control() finds it. */
    Outcome click(std::string_view text);
    /** The same for the control with this id. */
    Outcome click(std::int32_t id);
    /** Sets the panel's (first) check box by clicking it when it is not already so. */
    Outcome tick(bool on);
    /** Clicks the tree item at the end of a path of item texts, opening the items on the way
     *  with their expand buttons; the path starts at a top-level item, else below one,
     *  else at any deeper item. where: WS_TVHT_ONITEMLABEL, ONITEMICON or ONITEMRIGHT.
     *  A path that names two items is refused as ambiguous. */
    Outcome clickTreeItem(const std::vector<std::string>& path,
                          std::uint32_t where = WS_TVHT_ONITEMLABEL);
    /** Clicks the item at index of the tree's items in pre-order (ControlInfo::tree): opens
     *  the items above it with their expand buttons and drags the scroll bars until the
     *  row, and the part of it clicked, are in view, as a person would. */
    Outcome clickTreeItemAt(std::size_t index, std::uint32_t where = WS_TVHT_ONITEMLABEL);
    /** "A/B/C" as item texts; "\/" is a slash inside a text and "\\" a backslash. */
    static std::vector<std::string> splitPath(std::string_view text);
    /** Resizes the panel's window as a person dragging its edge would. */
    Outcome resize(int width, int height);
    /** Draws the panel now. */
    void paint();

    /** One command a person types: "click TEXT|#ID", "tick on|off", "tree A/B/C",
     *  "resize W H", "show". Prints what "show" asks for to out. */
    Outcome perform(std::string_view command, std::ostream& out);
    static void print(const PanelView& panel, std::ostream& out);

private:
    Outcome usable(std::optional<ControlInfo> found, std::string_view text,
                   ControlInfo& info) const;
    Outcome press(std::optional<ControlInfo> found, std::string_view text);
    std::string where() const;

    WsWindow panel_;
};

class WS_API UserAgent {
public:
    virtual ~UserAgent();
    /** A modal dialog has opened (after WS_INITDIALOG): act on it until it ends, or return
     *  early to leave it unanswered. May be entered again for a dialog opened from this
     *  one. */
    virtual void runDialog(DialogView& dialog) = 0;
    /** Something the user must hear of: a dialog left unanswered, an action refused. */
    virtual void reportError(const std::string& message) = 0;
    /** The shell's open verb was asked for target; nothing is launched. */
    virtual void shellOpen(const std::string& target);
};

/** Installs the agent (borrowed, not owned) and returns the previous one; null means no
 *  user: every dialog is then cancelled and the fault written to standard error. */
WS_API UserAgent* setUserAgent(UserAgent* agent);
WS_API UserAgent* currentUserAgent();

/** Installs an agent for a scope and puts the previous one back. */
class ScopedUserAgent {
public:
    explicit ScopedUserAgent(UserAgent& agent) : previous_(setUserAgent(&agent)) {}
    ~ScopedUserAgent() { setUserAgent(previous_); }
    ScopedUserAgent(const ScopedUserAgent&) = delete;
    ScopedUserAgent& operator=(const ScopedUserAgent&) = delete;

private:
    UserAgent* previous_;
};

/** Every target given to WsShellOpen so far, oldest first. */
WS_API std::vector<std::string> shellOpenRequests();

/** Plays a script of actions. One script serves every dialog in the order they open, a
 *  dialog opened from another one included: each dialog takes actions until it ends, an
 *  end() action is reached, or the script runs out. A refused action is reported and drops
 *  the rest of the script, so no later step lands in the wrong place. */
class WS_API ScriptedUser : public UserAgent {
public:
    struct Action {
        enum class Kind { Type, Leave, Click, PickIndex, PickText, End, Inspect };
        Kind kind = Kind::End;
        std::int32_t id = 0;
        std::string text;
        int index = 0;
        std::function<void(DialogView&)> inspect;
    };

    static Action type(std::int32_t id, std::string text);
    static Action leave(std::int32_t id);
    static Action click(std::int32_t id);
    static Action pickIndex(std::int32_t id, int index);
    static Action pickText(std::int32_t id, std::string text);
    static Action ok() { return click(WS_IDOK); }
    static Action cancel() { return click(WS_IDCANCEL); }
    /** The current dialog's actions are over; an open dialog is then left unanswered. */
    static Action end();
    /** Calls f with the current dialog, to read what it shows at this point. */
    static Action inspect(std::function<void(DialogView&)> f);

    ScriptedUser() = default;
    explicit ScriptedUser(std::vector<Action> script);
    ScriptedUser& then(Action action);

    void runDialog(DialogView& dialog) override;
    void reportError(const std::string& message) override;

    const std::vector<std::string>& errors() const { return errors_; }
    /** Each dialog as it was when it opened, in opening order. */
    const std::vector<DialogSnapshot>& dialogs() const { return dialogs_; }
    std::size_t remainingActions() const { return script_.size() - next_; }

private:
    Outcome play(DialogView& dialog, const Action& action);

    std::vector<Action> script_;
    std::size_t next_ = 0;
    std::vector<std::string> errors_;
    std::vector<DialogSnapshot> dialogs_;
};

/** A person at a terminal: prints each dialog to out and reads commands from in, one a
 *  line: "set ID TEXT" (type and leave), "click ID", "pick ID INDEX", "ok", "cancel",
 *  "show", "help". The end of the input leaves the dialog unanswered. */
class WS_API TerminalUser : public UserAgent {
public:
    TerminalUser(std::istream& in, std::ostream& out);

    void runDialog(DialogView& dialog) override;
    void reportError(const std::string& message) override;

    static void print(const DialogView& dialog, std::ostream& out);

private:
    std::istream& in_;
    std::ostream& out_;
};

} // namespace ws
