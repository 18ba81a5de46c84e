// Which host codes the frame reports at all.
#pragma once

#include "hostapi/HostTypes.h"

#include <span>

/** Codes that never reach a report (cancels, answers, "nothing to do"): the table the
 *  frame keeps, ended by 0. */
std::span<const HostErr> SilentErrorCodes() noexcept;

bool IsSilentErrorCode(HostErr code) noexcept;
