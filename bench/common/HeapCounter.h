// Heap use of a benchmark program, counted at every allocation through the global
// operator new and delete that HeapCounter.cpp puts in place.
#pragma once

#include <cstddef>

namespace benchheap {

/// Bytes allocated and not yet freed.
std::size_t Live();
/// The most Live() has been since the last ResetPeak().
std::size_t Peak();
void ResetPeak();
/// Counted allocation for libraries that take allocation functions; null on failure.
void* Allocate(std::size_t size);
void Free(void* block);

} // namespace benchheap
