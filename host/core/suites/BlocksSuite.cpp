#include "hostapi/suites/BlocksSuite.h"

#include "host/core/FrameSuites.h"
#include "host/core/suites/SuiteSupport.h"

namespace host {
namespace {

HostErr AllocateBlock(size_t size, void** block) {
    HOST_OP(kHostBlocksSuite, "AllocateBlock");
    return suites::app().blocks().allocate(size, block);
}

HostErr FreeBlock(void* block) {
    HOST_OP(kHostBlocksSuite, "FreeBlock");
    return suites::app().blocks().free(block);
}

HostErr ReallocateBlock(void* block, size_t newSize, void** newBlock) {
    HOST_OP(kHostBlocksSuite, "ReallocateBlock");
    return suites::app().blocks().reallocate(block, newSize, newBlock);
}

constexpr HostBlocksSuite kTable = {AllocateBlock, FreeBlock, ReallocateBlock};

} // namespace

void installBlocksSuite(SuiteRegistry& registry) {
    registry.provide(kHostBlocksSuite, kHostBlocksSuiteVersion, &kTable);
}

} // namespace host
