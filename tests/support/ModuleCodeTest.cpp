#include "support/ModuleCodeTest.h"

#include "frame/HostSuites.h"
#include "frame/SuiteHolder.h"

namespace cartotest {

ModuleCodeTest::ModuleCodeTest() = default;
ModuleCodeTest::~ModuleCodeTest() = default;

void ModuleCodeTest::StartHost() {
    ModuleHostTest::StartHost();
    // The module's code in this process reaches the host the way the module does.
    sBasic = app().basicSuite();
    suites_ = std::make_unique<SuiteHolder>();
    ASSERT_EQ(suites_->Error(), kHostNoErr);
}

void ModuleCodeTest::StopHost() {
    suites_.reset();
    ModuleHostTest::StopHost();
}

} // namespace cartotest
