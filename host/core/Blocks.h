// Memory blocks handed to modules by the basic suite and "SP Blocks Suite". The host keeps
// track of them so that freeing a foreign pointer is an error code, not heap corruption,
// and what a module leaves behind is freed with the application.
#pragma once

#include "hostapi/HostTypes.h"

#include <cstddef>
#include <unordered_map>

namespace host {

class Blocks {
public:
    Blocks() = default;
    Blocks(const Blocks&) = delete;
    Blocks& operator=(const Blocks&) = delete;
    ~Blocks();

    HostErr allocate(std::size_t size, void** block);
    /// Null is accepted; an unknown block gives kHostErrBadParameter.
    HostErr free(void* block);
    HostErr reallocate(void* block, std::size_t size, void** newBlock);

    /// Blocks not freed yet.
    [[nodiscard]] std::size_t live() const { return blocks_.size(); }

private:
    std::unordered_map<void*, std::size_t> blocks_;
};

} // namespace host
