// Opaque handle values for the host's objects. Every object gets a serial that is never
// reused in the life of the process, tagged with its kind in the low bits, so a stale
// handle, a handle of another document or a handle of another kind is found by lookup
// and never dereferenced blindly.
#pragma once

#include <cstdint>

namespace host {

enum class HandleKind : std::uint64_t {
    Art = 1,
    Layer = 2,
    ArtSet = 3,
    Symbol = 4,
    Document = 5,
};

inline constexpr unsigned kHandleKindBits = 4;

/// A fresh serial of the given kind; never 0, never handed out twice.
std::uint64_t newHandleId(HandleKind kind);

inline constexpr HandleKind handleKindOf(std::uint64_t id) {
    return static_cast<HandleKind>(id & ((1u << kHandleKindBits) - 1));
}

/// The id behind an opaque handle pointer (0 for null).
template <typename H> std::uint64_t idOfHandle(H handle) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

/// The opaque handle pointer for an id. The pointer is never dereferenced.
template <typename H> H handleOfId(std::uint64_t id) {
    return reinterpret_cast<H>(static_cast<std::uintptr_t>(id));
}

} // namespace host
