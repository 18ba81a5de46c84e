// Numeric fields of the map tools' dialogs: texts read with a character limit, read as
// numbers the way the dialogs expect, and written with "%d" and "%.7g".
#pragma once

#include "platform/ws.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numberfields {

/** The first maxChars characters of the control's text. */
std::string GetText(WsWindow dialog, int32_t id, int maxChars);
void SetText(WsWindow dialog, int32_t id, const std::string& text);

/** Leading blanks and one sign, then decimal digits up to the first other character;
 *  text without digits reads as 0. Nothing when the number leaves the 32-bit range. */
std::optional<int32_t> ParseInteger(std::string_view text);
/** A decimal real after leading blanks (an optional sign, digits, point, exponent, as far
 *  as they go); text that is no number reads as 0. Overflow and "inf" or "nan" give a
 *  value that is not finite. */
double ParseReal(std::string_view text);

/** "%d" */
std::string FormatInteger(int64_t value);
/** "%.7g" */
std::string FormatReal(double value);

} // namespace numberfields
