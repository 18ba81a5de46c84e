#include "host/document/PathSegments.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace host {
namespace {

std::uint32_t checkedCount(std::size_t count) {
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many path segments");
    return static_cast<std::uint32_t>(count);
}

// Handles that lie on the anchor to the bit, so the anchor alone gives them back exactly
// (-0.0 and 0.0 differ here).
bool straight(const HostPathSegment& s) {
    return std::memcmp(&s.in, &s.p, sizeof s.p) == 0 && std::memcmp(&s.out, &s.p, sizeof s.p) == 0;
}

// Room for count points followed by count corner flags, in whole points.
std::size_t compactRoom(std::size_t count) {
    return count + (count * sizeof(HostBool) + sizeof(HostRealPoint) - 1) / sizeof(HostRealPoint);
}

std::shared_ptr<HostRealPoint[]> newCompact(std::size_t count) {
    return std::make_shared_for_overwrite<HostRealPoint[]>(compactRoom(count));
}

} // namespace

void PathSegments::reallocate(std::size_t capacity) {
    const std::uint32_t room = checkedCount(capacity);
    if (room == 0) {
        clear();
        return;
    }
    std::shared_ptr<HostPathSegment[]> fresh =
        std::make_shared_for_overwrite<HostPathSegment[]>(room);
    const std::size_t kept = std::min<std::size_t>(size_, room);
    if (compact()) {
        for (std::size_t i = 0; i < kept; ++i)
            fresh[i] = std::as_const(*this)[i];
    } else {
        std::copy_n(full(), kept, fresh.get());
    }
    buffer_ = std::move(fresh);
    size_ = static_cast<std::uint32_t>(kept);
    capacity_ = room;
}

HostPathSegment* PathSegments::own() {
    if (compact() || (buffer_ && buffer_.use_count() > 1)) reallocate(size_);
    return static_cast<HostPathSegment*>(buffer_.get());
}

HostRealPoint* PathSegments::ownPoints() {
    if (buffer_.use_count() > 1) {
        std::shared_ptr<HostRealPoint[]> fresh = newCompact(size_);
        std::copy_n(points(), compactRoom(size_), fresh.get());
        buffer_ = std::move(fresh);
    }
    return static_cast<HostRealPoint*>(buffer_.get());
}

void PathSegments::copyTo(std::size_t first, std::size_t count, HostPathSegment* out) const {
    if (!compact()) {
        std::copy_n(full() + first, count, out);
        return;
    }
    const HostRealPoint* p = points();
    const HostBool* c = corners();
    for (std::size_t i = first; i < first + count; ++i)
        *out++ = HostPathSegment{p[i], p[i], p[i], c[i]};
}

void PathSegments::assign(std::span<const HostPathSegment> segments) {
    const std::uint32_t count = checkedCount(segments.size());
    // A fresh buffer also keeps a source that lies inside the old one intact.
    if (count > 0 && std::all_of(segments.begin(), segments.end(), straight)) {
        std::shared_ptr<HostRealPoint[]> fresh = newCompact(count);
        HostRealPoint* p = fresh.get();
        HostBool* c = reinterpret_cast<HostBool*>(p + count);
        for (std::uint32_t i = 0; i < count; ++i) {
            p[i] = segments[i].p;
            c[i] = segments[i].corner;
        }
        buffer_ = std::move(fresh);
        size_ = count;
        capacity_ = 0;
        return;
    }
    std::shared_ptr<HostPathSegment[]> fresh;
    if (count > 0) {
        fresh = std::make_shared_for_overwrite<HostPathSegment[]>(count);
        std::copy(segments.begin(), segments.end(), fresh.get());
    }
    buffer_ = std::move(fresh);
    size_ = capacity_ = count;
}

void PathSegments::assign(ConstIterator first, ConstIterator last) {
    std::vector<HostPathSegment> copy(first, last);
    assign(std::span<const HostPathSegment>(copy));
}

void PathSegments::assign(std::size_t count, const HostPathSegment& value) {
    const HostPathSegment copy = value; // value may live in the old buffer
    clear();
    resize(count, copy);
}

void PathSegments::resize(std::size_t count, const HostPathSegment& value) {
    const HostPathSegment copy = value;
    if (count == 0) {
        clear();
        return;
    }
    if (compact() || count > capacity_ || buffer_.use_count() > 1)
        reallocate(std::max<std::size_t>(count, size_));
    HostPathSegment* s = static_cast<HostPathSegment*>(buffer_.get());
    if (count > size_) std::fill(s + size_, s + count, copy);
    size_ = checkedCount(count);
}

void PathSegments::reserve(std::size_t count) {
    if (count > capacity()) reallocate(count);
}

void PathSegments::push_back(const HostPathSegment& segment) {
    const HostPathSegment copy = segment;
    if (size_ == capacity_ || compact()) {
        reallocate(std::max<std::size_t>(4, std::size_t{size_} * 2));
    } else if (buffer_.use_count() > 1) {
        reallocate(capacity_);
    }
    static_cast<HostPathSegment*>(buffer_.get())[size_++] = copy;
}

void PathSegments::clear() {
    buffer_.reset();
    size_ = capacity_ = 0;
}

} // namespace host
