#include "common/DialogValues.h"

#include "common/HostText.h"

#include <algorithm>
#include <limits>

void SetFieldInt(WsWindow dialog, int32_t id, int32_t value) {
    WsSetDlgItemText(dialog, id, std::to_string(value).c_str());
}

int64_t ScanDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

int32_t ParseFieldInt(std::string_view text) {
    return static_cast<int32_t>(std::clamp<int64_t>(ScanDecimal(text),
                                                    std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t ReadFieldInt(WsWindow dialog, int32_t id) {
    // The limit counts characters, as the field does.
    char buffer[kFieldTextLimit * 4 + 1] = {};
    WsGetDlgItemText(dialog, id, buffer, sizeof buffer, static_cast<int>(kFieldTextLimit + 1));
    return ParseFieldInt(buffer);
}

void SetFieldText(WsWindow dialog, int32_t id, std::string_view utf8) {
    WsSetDlgItemText(dialog, id, std::string(utf8).c_str());
}

std::string ReadFieldText(WsWindow dialog, int32_t id, size_t maxUnits) {
    const WsLResult length = WsSendDlgItemMessage(dialog, id, WS_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    WsSendDlgItemMessage(dialog, id, WS_GETTEXT, text.size(),
                         reinterpret_cast<WsLParam>(text.data()));
    text.resize(std::char_traits<char>::length(text.c_str()));
    return CutToUTF16Units(text, maxUnits);
}

void SetChecked(WsWindow dialog, int32_t id, bool checked) {
    WsCheckDlgButton(dialog, id, checked ? WS_BST_CHECKED : WS_BST_UNCHECKED);
}

bool IsChecked(WsWindow dialog, int32_t id) {
    return WsIsDlgButtonChecked(dialog, id) == WS_BST_CHECKED;
}

void EnableField(WsWindow dialog, int32_t id, bool enabled) {
    WsEnableWindow(WsGetDlgItem(dialog, id), enabled ? 1 : 0);
}
