#include "maptools/NumberFields.h"

#include "common/DialogValues.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <limits>
#include <vector>

namespace numberfields {

std::string GetText(WsWindow dialog, int32_t id, int maxChars) {
    // Up to four bytes a character, the NUL, and room for the limit's extra character.
    std::vector<char> buffer(static_cast<size_t>(maxChars) * 4 + 8, '\0');
    WsGetDlgItemText(dialog, id, buffer.data(), buffer.size(), maxChars + 1);
    buffer.back() = '\0';
    return buffer.data();
}

void SetText(WsWindow dialog, int32_t id, const std::string& text) {
    WsSetDlgItemText(dialog, id, text.c_str());
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    const int64_t value = ScanDecimal(text);
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

double ParseReal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // from_chars takes no leading plus.
    if (i + 1 < text.size() && text[i] == '+' && text[i + 1] != '-') ++i;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) return std::numeric_limits<double>::infinity();
    if (ec != std::errc()) return 0.0;
    (void)end;
    return value;
}

std::string FormatInteger(int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64, value);
    return text;
}

std::string FormatReal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.7g", value);
    return text;
}

} // namespace numberfields
