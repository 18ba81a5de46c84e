// The stand-in host of ModuleHostTest, with the module's code also running in this process
// against the host's real suites, acquired the way the module acquires them. The built
// module is still loaded, so dialog templates are found the way the host finds them.
#pragma once

#include "support/ModuleHostTest.h"

#include <memory>

class SuiteHolder;

namespace cartotest {

class ModuleCodeTest : public ModuleHostTest {
protected:
    ModuleCodeTest();
    ~ModuleCodeTest() override;

    /** Starts the host and acquires its suites for the module's code. */
    void StartHost() override;
    /** Releases the suites and ends the host. */
    void StopHost() override;

private:
    std::unique_ptr<SuiteHolder> suites_;
};

} // namespace cartotest
