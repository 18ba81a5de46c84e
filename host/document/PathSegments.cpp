#include "host/document/PathSegments.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace host {
namespace {

std::uint32_t checkedCount(std::size_t count) {
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many path segments");
    return static_cast<std::uint32_t>(count);
}

} // namespace

void PathSegments::reallocate(std::size_t capacity) {
    const std::uint32_t room = checkedCount(capacity);
    if (room == 0) {
        buffer_.reset();
        size_ = capacity_ = 0;
        return;
    }
    std::shared_ptr<HostPathSegment[]> fresh =
        std::make_shared_for_overwrite<HostPathSegment[]>(room);
    std::copy_n(buffer_.get(), std::min<std::size_t>(size_, room), fresh.get());
    buffer_ = std::move(fresh);
    size_ = std::min(size_, room);
    capacity_ = room;
}

HostPathSegment* PathSegments::own() {
    if (buffer_ && buffer_.use_count() > 1) reallocate(size_);
    return buffer_.get();
}

void PathSegments::assign(std::span<const HostPathSegment> segments) {
    const std::uint32_t count = checkedCount(segments.size());
    // A fresh buffer also keeps a source that lies inside the old one intact.
    std::shared_ptr<HostPathSegment[]> fresh;
    if (count > 0) {
        fresh = std::make_shared_for_overwrite<HostPathSegment[]>(count);
        std::copy(segments.begin(), segments.end(), fresh.get());
    }
    buffer_ = std::move(fresh);
    size_ = capacity_ = count;
}

void PathSegments::assign(std::size_t count, const HostPathSegment& value) {
    const HostPathSegment copy = value; // value may live in the old buffer
    clear();
    resize(count, copy);
}

void PathSegments::resize(std::size_t count, const HostPathSegment& value) {
    const HostPathSegment copy = value;
    if (count > capacity_ || buffer_.use_count() > 1)
        reallocate(std::max<std::size_t>(count, size_));
    if (count > size_) std::fill(buffer_.get() + size_, buffer_.get() + count, copy);
    size_ = checkedCount(count);
    if (size_ == 0) clear();
}

void PathSegments::reserve(std::size_t count) {
    if (count > capacity_) reallocate(count);
}

void PathSegments::push_back(const HostPathSegment& segment) {
    const HostPathSegment copy = segment;
    if (size_ == capacity_) {
        reallocate(std::max<std::size_t>(4, std::size_t{capacity_} * 2));
    } else if (buffer_.use_count() > 1) {
        reallocate(capacity_);
    }
    buffer_[size_++] = copy;
}

void PathSegments::clear() {
    buffer_.reset();
    size_ = capacity_ = 0;
}

} // namespace host
