#pragma once

#include "hostapi/HostTypes.h"

/** Memory blocks from the host's allocator. A block is freed only through FreeBlock of
 *  this suite (or of the basic suite, which shares the allocator). */
typedef struct HostBlocksSuite {
    /** *block is null when the allocation fails (kHostErrMemory). */
    HostErr (*AllocateBlock)(size_t size, void** block);
    /** A null block is accepted and does nothing; a block the host did not hand out gives
     *  kHostErrBadParameter. */
    HostErr (*FreeBlock)(void* block);
    /** A null block allocates. On failure the old block stays valid and *newBlock is null. */
    HostErr (*ReallocateBlock)(void* block, size_t newSize, void** newBlock);
} HostBlocksSuite;
