// The `cartovel` executable run as a user would, in a fresh folder of its own, with
// standard input not a terminal.
#pragma once

#include "support/CartovelRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace cli_test {

namespace fs = std::filesystem;

using CliRun = cartotest::ProgramRun;
using CliDocuments = cartotest::CartovelTest;
using cartotest::readFile;
using cartotest::writeFile;

// One layer with one red square.
inline const std::string kSquare = R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" width="400pt" height="400pt" viewBox="0 0 400 400">
<g id="l1" inkscape:groupmode="layer" inkscape:label="base">
<path id="sq" fill="#ff0000" d="M100 100L200 100L200 200L100 200Z"/>
</g>
</svg>
)";

} // namespace cli_test
