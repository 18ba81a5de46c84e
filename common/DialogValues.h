// Reading and writing the fields of the module's dialogs.
#pragma once

#include "platform/ws.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/** Dialog fields are read with at most this many characters. */
constexpr size_t kFieldTextLimit = 47;

/** Shows value as signed decimal ("%d"). */
void SetFieldInt(WsWindow dialog, int32_t id, int32_t value);
/** The field's first kFieldTextLimit characters read as a signed decimal: leading spaces
 *  and one sign are allowed, reading stops at the first character that is not a digit,
 *  and an empty field gives 0. Values beyond the 32-bit range give its nearest end. */
int32_t ReadFieldInt(WsWindow dialog, int32_t id);
/** The same reading on a text; exposed for tests. */
int32_t ParseFieldInt(std::string_view text);
/** The number the text begins with: leading blanks, one sign, decimal digits up to the
 *  first other character; text without digits reads as 0. The size stops growing just
 *  past the 32-bit range, so a caller can tell the range from beyond it. */
int64_t ScanDecimal(std::string_view text);

void SetFieldText(WsWindow dialog, int32_t id, std::string_view utf8);
/** The field's text cut to its first maxUnits UTF-16 units (never inside a pair). */
std::string ReadFieldText(WsWindow dialog, int32_t id, size_t maxUnits = kFieldTextLimit);

void SetChecked(WsWindow dialog, int32_t id, bool checked);
bool IsChecked(WsWindow dialog, int32_t id);
void EnableField(WsWindow dialog, int32_t id, bool enabled);
