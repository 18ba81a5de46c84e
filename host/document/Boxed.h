// A value kept on the heap: copies copy the value. Lets rarely used, large alternatives
// of a variant take no more room in it than a pointer.
#pragma once

#include <memory>
#include <utility>

namespace host {

template <class T> class Boxed {
public:
    Boxed() : value_(std::make_unique<T>()) {}
    Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}
    Boxed(const Boxed& other) : value_(std::make_unique<T>(*other.value_)) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& other) {
        value_ = std::make_unique<T>(*other.value_);
        return *this;
    }
    Boxed& operator=(Boxed&&) noexcept = default;

    T* get() { return value_.get(); }
    const T* get() const { return value_.get(); }

private:
    std::unique_ptr<T> value_;
};

} // namespace host
