// The anchors of a path in one buffer of exactly the size asked for. Copies of a path
// share the buffer until one of them writes (copy on write), so duplicating art copies
// no anchors. Reading through a const object never copies; every writing member makes
// the buffer this object's own first. A pointer or reference taken for writing is valid
// until the next copy of this object is made.
//
// Most paths of a map are polygons whose handles lie on their anchors. Such a path is
// kept compactly, as its points and corner flags only, and read back as whole segments
// by value; it is written out in full only when a writer asks for segments it can change
// or a segment with handles of its own is stored.
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
    class ConstIterator;
    using value_type = HostPathSegment;
    using size_type = std::size_t;
    using iterator = HostPathSegment*;
    using const_iterator = ConstIterator;

    PathSegments() = default;
    PathSegments(std::initializer_list<HostPathSegment> segments) { assign(segments); }
    explicit PathSegments(std::span<const HostPathSegment> segments) { assign(segments); }
    PathSegments& operator=(std::initializer_list<HostPathSegment> segments) {
        assign(segments);
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return compact() ? size_ : capacity_; }
    /// Whether the anchors are kept as points only.
    bool compact() const { return capacity_ == 0 && size_ > 0; }

    /// Segment i, whole.
    HostPathSegment operator[](std::size_t i) const {
        if (!compact()) return full()[i];
        const HostRealPoint p = points()[i];
        return HostPathSegment{p, p, p, corners()[i]};
    }
    /// The anchor of segment i, without its handles.
    HostRealPoint point(std::size_t i) const { return compact() ? points()[i] : full()[i].p; }
    HostPathSegment front() const { return (*this)[0]; }
    HostPathSegment back() const { return (*this)[size_ - 1]; }
    inline ConstIterator begin() const;
    inline ConstIterator end() const;
    ConstIterator cbegin() const;
    ConstIterator cend() const;
    /// The segments as stored when they are not compact; null when they are (or none).
    const HostPathSegment* fullData() const { return compact() ? nullptr : full(); }
    /// Copies count segments from first on to out.
    void copyTo(std::size_t first, std::size_t count, HostPathSegment* out) const;

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
    void assign(ConstIterator first, ConstIterator last);
    void assign(std::size_t count, const HostPathSegment& value);
    void resize(std::size_t count, const HostPathSegment& value = {});
    void reserve(std::size_t count);
    void push_back(const HostPathSegment& segment);
    void pop_back() { resize(size_ - 1); }
    void clear();

    /// Applies f to every anchor and handle, keeping a compact path compact: its handles
    /// are its anchors, so f of the anchor is f of each.
    template <class F> void mapPoints(F&& f) {
        if (compact()) {
            HostRealPoint* p = ownPoints();
            for (std::uint32_t i = 0; i < size_; ++i)
                p[i] = f(p[i]);
            return;
        }
        for (HostPathSegment& s : *this) {
            s.p = f(s.p);
            s.in = f(s.in);
            s.out = f(s.out);
        }
    }

    /// Whether both hold the same buffer (neither has written since they were copied).
    bool sharesWith(const PathSegments& other) const { return buffer_ == other.buffer_; }
    /// A hold on the buffer: while it lives, the anchors stay as they are, since any
    /// writer then makes its own copy. Null for an empty path.
    std::shared_ptr<const void> hold() const { return buffer_; }

private:
    const HostPathSegment* full() const {
        return static_cast<const HostPathSegment*>(buffer_.get());
    }
    // A compact buffer: size_ points, then size_ corner flags.
    const HostRealPoint* points() const { return static_cast<const HostRealPoint*>(buffer_.get()); }
    const HostBool* corners() const { return reinterpret_cast<const HostBool*>(points() + size_); }
    // The buffer in full, made this object's own (copied when shared); null when empty.
    HostPathSegment* own();
    // The compact buffer, made this object's own.
    HostRealPoint* ownPoints();
    void reallocate(std::size_t capacity);

    // Full: HostPathSegment[capacity_]; compact (capacity_ == 0): points and flags.
    std::shared_ptr<void> buffer_;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};

/// Reads segments by value, so compact anchors need no room of their own.
class PathSegments::ConstIterator {
public:
    using iterator_concept = std::random_access_iterator_tag;
    using iterator_category = std::random_access_iterator_tag;
    using value_type = HostPathSegment;
    using difference_type = std::ptrdiff_t;
    using reference = HostPathSegment;
    using pointer = void;

    ConstIterator() = default;
    ConstIterator(const PathSegments* owner, std::size_t i) : owner_(owner), i_(i) {}

    HostPathSegment operator*() const { return (*owner_)[i_]; }
    HostPathSegment operator[](difference_type n) const {
        return (*owner_)[i_ + static_cast<std::size_t>(n)];
    }
    ConstIterator& operator++() {
        ++i_;
        return *this;
    }
    ConstIterator operator++(int) { return {owner_, i_++}; }
    ConstIterator& operator--() {
        --i_;
        return *this;
    }
    ConstIterator operator--(int) { return {owner_, i_--}; }
    ConstIterator& operator+=(difference_type n) {
        i_ += static_cast<std::size_t>(n);
        return *this;
    }
    ConstIterator& operator-=(difference_type n) {
        i_ -= static_cast<std::size_t>(n);
        return *this;
    }
    friend ConstIterator operator+(ConstIterator it, difference_type n) { return it += n; }
    friend ConstIterator operator+(difference_type n, ConstIterator it) { return it += n; }
    friend ConstIterator operator-(ConstIterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const ConstIterator& a, const ConstIterator& b) {
        return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
    }
    friend bool operator==(const ConstIterator& a, const ConstIterator& b) { return a.i_ == b.i_; }
    friend auto operator<=>(const ConstIterator& a, const ConstIterator& b) {
        return a.i_ <=> b.i_;
    }

    const PathSegments* owner() const { return owner_; }
    std::size_t index() const { return i_; }

private:
    const PathSegments* owner_ = nullptr;
    std::size_t i_ = 0;
};

inline PathSegments::ConstIterator PathSegments::begin() const {
    return {this, 0};
}
inline PathSegments::ConstIterator PathSegments::end() const {
    return {this, size_};
}
inline PathSegments::ConstIterator PathSegments::cbegin() const {
    return begin();
}
inline PathSegments::ConstIterator PathSegments::cend() const {
    return end();
}

} // namespace host
