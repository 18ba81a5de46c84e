#include "host/document/Handles.h"

#include <atomic>

namespace host {

std::uint64_t newHandleId(HandleKind kind) {
    // Serials start well above small integers so that a plain number passed by mistake
    // is not taken for a handle.
    static std::atomic<std::uint64_t> next{0x1000};
    const std::uint64_t serial = next.fetch_add(1, std::memory_order_relaxed);
    return (serial << kHandleKindBits) | static_cast<std::uint64_t>(kind);
}

} // namespace host
