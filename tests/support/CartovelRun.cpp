#include "support/CartovelRun.h"

namespace cartotest {

std::filesystem::path cartovelProgram() {
    return CARTOVEL_EXE;
}

ProgramRun runCartovel(const std::string& arguments, const RunOptions& options) {
    return runProgram(cartovelProgram(), arguments, options);
}

void ExpectEndedAs(const ProgramRun& run, const RunCase& c) {
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.out;
    EXPECT_NE(run.out.find(c.message), std::string::npos) << c.arguments << "\n" << run.out;
}

} // namespace cartotest
