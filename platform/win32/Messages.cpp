#include "Messages.h"

#include <cstring>
#include <vector>

namespace ws::win32 {
namespace {

// Procedures run nested on the thread that owns their windows, so the stand-ins of one
// thread form a stack.
thread_local StandIn* innermost = nullptr;
thread_local IncomingMessage* innermostIncoming = nullptr;

bool isInsertText(UINT m) {
    return m == WS_CB_ADDSTRING || m == WS_CB_INSERTSTRING || m == WS_LB_ADDSTRING ||
           m == WS_LB_INSERTSTRING || m == WS_CB_FINDSTRINGEXACT || m == WS_LB_FINDSTRINGEXACT;
}

LRESULT itemText(UINT lengthMessage, UINT textMessage, WPARAM index, LPARAM buffer,
                 const SystemSender& send, bool lengthOnly) {
    const LRESULT length = send(lengthMessage, index, 0);
    if (length < 0) return length;
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = send(textMessage, index, reinterpret_cast<LPARAM>(wide.data()));
    if (copied < 0) return copied;
    const std::string text = narrow({wide.data(), static_cast<std::size_t>(copied)});
    if (lengthOnly) return static_cast<LRESULT>(text.size());
    // The caller's buffer holds the length the API reported plus a NUL.
    auto* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr) return -1;
    text.copy(out, text.size());
    out[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT insertTreeItem(LPARAM lParam, const SystemSender& send) {
    const auto* in = reinterpret_cast<const WsTvInsert*>(lParam);
    if (in == nullptr) return 0;
    const std::wstring text = widen(in->text != nullptr ? in->text : "");
    TVINSERTSTRUCTW insert{};
    insert.hParent = in->parent != nullptr ? reinterpret_cast<HTREEITEM>(in->parent) : TVI_ROOT;
    insert.hInsertAfter = reinterpret_cast<HTREEITEM>(in->insertAfter);
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = in->image;
    insert.item.iSelectedImage = in->selectedImage;
    insert.item.lParam = in->param;
    return send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
}

LRESULT getTreeItem(LPARAM lParam, const SystemSender& send) {
    auto* out = reinterpret_cast<WsTvItem*>(lParam);
    if (out == nullptr) return 0;
    wchar_t text[1024] = {};
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    item.hItem = reinterpret_cast<HTREEITEM>(out->item);
    item.stateMask = TVIS_EXPANDED;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    copyText(narrow(item.pszText != nullptr ? item.pszText : L""), out->text, out->textSize);
    out->image = item.iImage;
    out->selectedImage = item.iSelectedImage;
    out->param = item.lParam;
    out->expanded = (item.state & TVIS_EXPANDED) != 0;
    // The system only says whether there are children; the API counts them.
    out->childCount = 0;
    for (auto child = send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item.hItem));
         child != 0; child = send(TVM_GETNEXTITEM, TVGN_NEXT, child))
        ++out->childCount;
    return 1;
}

LRESULT treeItemRect(WPARAM labelOnly, LPARAM lParam, const SystemSender& send) {
    auto* io = reinterpret_cast<WsTvItemRect*>(lParam);
    if (io == nullptr) return 0;
    RECT rect{};
    // The system takes the item in the rectangle's place.
    const auto item = reinterpret_cast<HTREEITEM>(io->item);
    static_assert(sizeof item <= sizeof rect);
    std::memcpy(&rect, &item, sizeof item);
    if (!send(TVM_GETITEMRECT, labelOnly, reinterpret_cast<LPARAM>(&rect))) return 0;
    io->rect = {rect.left, rect.top, rect.right, rect.bottom};
    return 1;
}

LRESULT treeHitTest(LPARAM lParam, const SystemSender& send) {
    auto* io = reinterpret_cast<WsTvHitTestInfo*>(lParam);
    if (io == nullptr) return 0;
    TVHITTESTINFO hit{};
    hit.pt = {io->pt.x, io->pt.y};
    const LRESULT item = send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    io->flags = hit.flags;
    io->item = reinterpret_cast<WsTreeItem>(hit.hItem);
    return item;
}

} // namespace

LRESULT sendInApiForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      const SystemSender& send) {
    (void)window;
    if (IncomingMessage::isPassedOn(message, wParam, lParam)) return send(message, wParam, lParam);
    switch (message) {
    case WS_SETTEXT: {
        const std::wstring text = widen(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        return send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WS_GETTEXT:
    case WS_GETTEXTLENGTH: {
        const LRESULT length = send(WM_GETTEXTLENGTH, 0, 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = send(WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
        const std::string text =
            narrow({wide.data(), static_cast<std::size_t>(copied > 0 ? copied : 0)});
        if (message == WS_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
        return static_cast<LRESULT>(copyText(text, reinterpret_cast<char*>(lParam), wParam));
    }
    case WS_CB_GETLBTEXT:
    case WS_CB_GETLBTEXTLEN:
        return itemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, wParam, lParam, send,
                        message == WS_CB_GETLBTEXTLEN);
    case WS_LB_GETTEXT:
    case WS_LB_GETTEXTLEN:
        return itemText(LB_GETTEXTLEN, LB_GETTEXT, wParam, lParam, send,
                        message == WS_LB_GETTEXTLEN);
    case WS_TVM_INSERTITEM:
        return insertTreeItem(lParam, send);
    case WS_TVM_GETITEM:
        return getTreeItem(lParam, send);
    case WS_TVM_GETITEMRECT:
        return treeItemRect(wParam, lParam, send);
    case WS_TVM_HITTEST:
        return treeHitTest(lParam, send);
    case WS_NOTIFY:
        return send(message, wParam, StandIn::originalOf(lParam));
    default:
        break;
    }
    if (isInsertText(message)) {
        const std::wstring text = widen(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        return send(message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return send(message, wParam, lParam);
}

StandIn::StandIn(const void* record, LPARAM original) noexcept
    : record_(record), original_(original), outer_(innermost) {
    innermost = this;
}

StandIn::~StandIn() {
    innermost = outer_;
}

LPARAM StandIn::originalOf(LPARAM lParam) noexcept {
    for (const StandIn* s = innermost; s != nullptr; s = s->outer_)
        if (reinterpret_cast<LPARAM>(s->record_) == lParam) return s->original_;
    return lParam;
}

IncomingMessage::IncomingMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    : message_(message), wParam_(wParam), systemLParam_(lParam), lParam_(lParam),
      standIn_(&header_, lParam), outer_(innermostIncoming) {
    innermostIncoming = this;
    if (message == WM_NOTIFY && lParam != 0) {
        const auto* system = reinterpret_cast<const NMHDR*>(lParam);
        header_.from = wsWindow(system->hwndFrom);
        header_.idFrom = static_cast<int32_t>(system->idFrom);
        header_.code = system->code;
        lParam_ = reinterpret_cast<WsLParam>(&header_);
    }
}

IncomingMessage::~IncomingMessage() {
    innermostIncoming = outer_;
}

bool IncomingMessage::isPassedOn(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    for (const IncomingMessage* m = innermostIncoming; m != nullptr; m = m->outer_)
        if (m->message_ == message && m->wParam_ == wParam && m->lParam_ == lParam &&
            m->lParam_ == m->systemLParam_)
            return true;
    return false;
}

} // namespace ws::win32
