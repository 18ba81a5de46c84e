// The anchors of a path in one buffer of exactly the size asked for. Copies of a path
// share the buffer until one of them writes (copy on write), so duplicating art copies
// no anchors. Reading through a const object never copies; every writing member makes
// the buffer this object's own first. A pointer or reference taken for writing is valid
// until the next copy of this object is made.
#pragma once

#include "hostapi/suites/PathSuite.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <span>

namespace host {

class PathSegments {
public:
    using value_type = HostPathSegment;
    using size_type = std::size_t;
    using iterator = HostPathSegment*;
    using const_iterator = const HostPathSegment*;

    PathSegments() = default;
    PathSegments(std::initializer_list<HostPathSegment> segments) { assign(segments); }
    explicit PathSegments(std::span<const HostPathSegment> segments) { assign(segments); }
    PathSegments& operator=(std::initializer_list<HostPathSegment> segments) {
        assign(segments);
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }

    const HostPathSegment* data() const { return buffer_.get(); }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size_; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    const HostPathSegment& operator[](std::size_t i) const { return buffer_[i]; }
    const HostPathSegment& front() const { return buffer_[0]; }
    const HostPathSegment& back() const { return buffer_[size_ - 1]; }

    HostPathSegment* data() { return own(); }
    iterator begin() { return own(); }
    iterator end() { return own() + size_; }
    HostPathSegment& operator[](std::size_t i) { return own()[i]; }
    HostPathSegment& front() { return own()[0]; }
    HostPathSegment& back() { return own()[size_ - 1]; }

    void assign(std::span<const HostPathSegment> segments);
    template <std::contiguous_iterator It> void assign(It first, It last) {
        assign(std::span<const HostPathSegment>(first, last));
    }
    void assign(std::size_t count, const HostPathSegment& value);
    void resize(std::size_t count, const HostPathSegment& value = {});
    void reserve(std::size_t count);
    void push_back(const HostPathSegment& segment);
    void pop_back() { resize(size_ - 1); }
    void clear();

    /// Whether both hold the same buffer (neither has written since they were copied).
    bool sharesWith(const PathSegments& other) const { return buffer_ == other.buffer_; }
    /// A hold on the buffer: while it lives, the anchors at data() stay as they are, since
    /// any writer then makes its own copy. Null for an empty path.
    std::shared_ptr<const void> hold() const { return buffer_; }

private:
    // The buffer, made this object's own (copied when shared); null when empty.
    HostPathSegment* own();
    void reallocate(std::size_t capacity);

    std::shared_ptr<HostPathSegment[]> buffer_;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};

} // namespace host
