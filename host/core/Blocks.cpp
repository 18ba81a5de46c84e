#include "host/core/Blocks.h"

#include <cstdlib>

namespace host {

Blocks::~Blocks() {
    for (auto& [block, size] : blocks_)
        std::free(block);
}

HostErr Blocks::allocate(std::size_t size, void** block) {
    if (block == nullptr) return kHostErrBadParameter;
    *block = nullptr;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) return kHostErrMemory;
    try {
        blocks_.emplace(memory, size);
    } catch (...) {
        std::free(memory);
        return kHostErrMemory;
    }
    *block = memory;
    return kHostNoErr;
}

HostErr Blocks::free(void* block) {
    if (block == nullptr) return kHostNoErr;
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return kHostErrBadParameter;
    std::free(block);
    blocks_.erase(it);
    return kHostNoErr;
}

HostErr Blocks::reallocate(void* block, std::size_t size, void** newBlock) {
    if (newBlock == nullptr) return kHostErrBadParameter;
    *newBlock = nullptr;
    if (block == nullptr) return allocate(size, newBlock);
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return kHostErrBadParameter;
    // The entry's node is moved, not reallocated, so nothing can fail after realloc.
    void* memory = std::realloc(block, size == 0 ? 1 : size);
    if (memory == nullptr) return kHostErrMemory;
    auto node = blocks_.extract(it);
    node.key() = memory;
    node.mapped() = size;
    blocks_.insert(std::move(node));
    *newBlock = memory;
    return kHostNoErr;
}

} // namespace host
