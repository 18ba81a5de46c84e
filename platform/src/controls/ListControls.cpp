// COMBOBOX and LISTBOX: lists of texts with item data and one selection. A drop-down list's
// text is its selected item; an editable drop-down's text starts as the item picked.
#include "Window.h"
#include "platform/UserAgent.h"

#include <cstring>

namespace ws {
namespace {

enum class Op {
    Add,
    Insert,
    Delete,
    Reset,
    Count,
    SetSel,
    GetSel,
    Text,
    TextLength,
    SetData,
    GetData,
    Find
};

struct MessageOp {
    std::uint32_t combo;
    std::uint32_t list;
    Op op;
};

constexpr MessageOp kOps[] = {
    {WS_CB_ADDSTRING, WS_LB_ADDSTRING, Op::Add},
    {WS_CB_INSERTSTRING, WS_LB_INSERTSTRING, Op::Insert},
    {WS_CB_DELETESTRING, WS_LB_DELETESTRING, Op::Delete},
    {WS_CB_RESETCONTENT, WS_LB_RESETCONTENT, Op::Reset},
    {WS_CB_GETCOUNT, WS_LB_GETCOUNT, Op::Count},
    {WS_CB_SETCURSEL, WS_LB_SETCURSEL, Op::SetSel},
    {WS_CB_GETCURSEL, WS_LB_GETCURSEL, Op::GetSel},
    {WS_CB_GETLBTEXT, WS_LB_GETTEXT, Op::Text},
    {WS_CB_GETLBTEXTLEN, WS_LB_GETTEXTLEN, Op::TextLength},
    {WS_CB_SETITEMDATA, WS_LB_SETITEMDATA, Op::SetData},
    {WS_CB_GETITEMDATA, WS_LB_GETITEMDATA, Op::GetData},
    {WS_CB_FINDSTRINGEXACT, WS_LB_FINDSTRINGEXACT, Op::Find},
};

bool findOp(std::uint32_t message, bool combo, Op& op) {
    for (const MessageOp& m : kOps)
        if ((combo ? m.combo : m.list) == message) {
            op = m.op;
            return true;
        }
    return false;
}

const char* textOf(WsLParam lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    return text ? text : "";
}

constexpr WsLResult kError = WS_CB_ERR;

bool validIndex(const Window& w, WsWParam index) {
    return index < w.items.size();
}

void syncComboText(Window& w) {
    if (controlKindOf(w) != ControlKind::ComboBox) return;
    if (w.selection >= 0)
        w.text = w.items[static_cast<std::size_t>(w.selection)].text;
    else if ((w.style & WS_CBS_TYPEMASK) == WS_CBS_DROPDOWNLIST)
        w.text.clear();
}

WsLResult apply(Window& w, Op op, WsWParam wParam, WsLParam lParam) {
    const auto index = static_cast<long>(static_cast<std::intptr_t>(wParam));
    switch (op) {
    case Op::Add:
        w.items.push_back({textOf(lParam), 0});
        return static_cast<WsLResult>(w.items.size() - 1);
    case Op::Insert: {
        if (index != -1 && static_cast<std::size_t>(index) > w.items.size()) return WS_CB_ERR;
        const std::size_t at = index == -1 ? w.items.size() : static_cast<std::size_t>(index);
        w.items.insert(w.items.begin() + static_cast<std::ptrdiff_t>(at), {textOf(lParam), 0});
        if (w.selection >= static_cast<int>(at)) ++w.selection;
        return static_cast<WsLResult>(at);
    }
    case Op::Delete:
        if (!validIndex(w, wParam)) return WS_CB_ERR;
        w.items.erase(w.items.begin() + static_cast<std::ptrdiff_t>(wParam));
        if (w.selection == static_cast<int>(wParam))
            w.selection = -1;
        else if (w.selection > static_cast<int>(wParam))
            --w.selection;
        syncComboText(w);
        return static_cast<WsLResult>(w.items.size());
    case Op::Reset:
        w.items.clear();
        w.selection = -1;
        syncComboText(w);
        return 0;
    case Op::Count:
        return static_cast<WsLResult>(w.items.size());
    case Op::SetSel:
        if (!validIndex(w, wParam)) {
            w.selection = -1;
            syncComboText(w);
            return WS_CB_ERR;
        }
        w.selection = static_cast<int>(wParam);
        syncComboText(w);
        return w.selection;
    case Op::GetSel:
        return w.selection;
    case Op::Text: {
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!validIndex(w, wParam) || !buffer) return WS_CB_ERR;
        const std::string& text = w.items[wParam].text;
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        return static_cast<WsLResult>(text.size());
    }
    case Op::TextLength:
        return validIndex(w, wParam) ? static_cast<WsLResult>(w.items[wParam].text.size()) : kError;
    case Op::SetData:
        if (!validIndex(w, wParam)) return WS_CB_ERR;
        w.items[wParam].data = lParam;
        return 0;
    case Op::GetData:
        return validIndex(w, wParam) ? w.items[wParam].data : kError;
    case Op::Find: {
        const std::size_t n = w.items.size();
        const std::size_t start = index < 0 || static_cast<std::size_t>(index) >= n
                                      ? 0
                                      : static_cast<std::size_t>(index) + 1;
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = (start + k) % n;
            if (equalsIgnoringCase(w.items[i].text, textOf(lParam)))
                return static_cast<WsLResult>(i);
        }
        return WS_CB_ERR;
    }
    }
    return WS_CB_ERR;
}

WsLResult listProc(bool combo, WsWindow window, uint32_t message, WsWParam wParam,
                   WsLParam lParam) {
    Window* w = findWindow(window);
    if (!w) return 0;
    Op op;
    if (findOp(message, combo, op)) return apply(*w, op, wParam, lParam);
    if (combo && message == WS_SETTEXT && (w->style & WS_CBS_TYPEMASK) == WS_CBS_DROPDOWNLIST) {
        // A drop-down list shows only its items: setting a text selects the matching one.
        const WsLResult found = apply(*w, Op::Find, static_cast<WsWParam>(-1), lParam);
        if (found == WS_CB_ERR) return WS_CB_ERR;
        apply(*w, Op::SetSel, static_cast<WsWParam>(found), 0);
        return 1;
    }
    return WsDefWindowProc(window, message, wParam, lParam);
}

} // namespace

WsLResult comboBoxProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return listProc(true, window, message, wParam, lParam);
}

WsLResult listBoxProc(WsWindow window, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return listProc(false, window, message, wParam, lParam);
}

} // namespace ws
