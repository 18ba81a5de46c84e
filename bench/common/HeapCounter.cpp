#include "HeapCounter.h"

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::size_t gLive = 0;
std::size_t gPeak = 0;

void* Counted(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) return nullptr;
    gLive += malloc_usable_size(p);
    gPeak = std::max(gPeak, gLive);
    return p;
}

void Uncounted(void* p) {
    if (!p) return;
    gLive -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

namespace benchheap {

std::size_t Live() {
    return gLive;
}
std::size_t Peak() {
    return gPeak;
}
void ResetPeak() {
    gPeak = gLive;
}
void* Allocate(std::size_t size) {
    return Counted(size);
}
void Free(void* block) {
    Uncounted(block);
}

} // namespace benchheap

void* operator new(std::size_t n) {
    if (void* p = Counted(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    if (void* p = Counted(n)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    Uncounted(p);
}
void operator delete[](void* p) noexcept {
    Uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Uncounted(p);
}
