#include "hostapi/suites/BlocksSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {

HostErr suites::allocateBlock(size_t size, void** block) {
    return context().blocks().allocate(size, block);
}

HostErr suites::freeBlock(void* block) {
    return context().blocks().free(block);
}

HostErr suites::reallocateBlock(void* block, size_t newSize, void** newBlock) {
    return context().blocks().reallocate(block, newSize, newBlock);
}

namespace {

constexpr HostBlocksSuite kTable = {
    counted<kHostBlocksSuite, "AllocateBlock", suites::allocateBlock>,
    counted<kHostBlocksSuite, "FreeBlock", suites::freeBlock>,
    counted<kHostBlocksSuite, "ReallocateBlock", suites::reallocateBlock>,
};

} // namespace

void installBlocksSuite(SuiteRegistry& registry) {
    registry.provide(kHostBlocksSuite, kHostBlocksSuiteVersion, &kTable);
}

} // namespace host
