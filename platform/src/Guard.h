// The C API never lets an exception out: a failure inside becomes the function's failure
// value.
#pragma once

#include <utility>

namespace ws {

template <class R, class F> R guarded(R failure, F&& body) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        return failure;
    }
}

} // namespace ws
