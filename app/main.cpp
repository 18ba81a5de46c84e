#include "Cli.h"

#include <exception>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    try {
        const bool terminal = isatty(STDIN_FILENO) != 0 && isatty(STDERR_FILENO) != 0;
        return cartovel::runCli(argc, argv, std::cin, std::cout, std::cerr, terminal);
    } catch (const std::exception& e) {
        std::cerr << "cartovel: CANT: " << e.what() << '\n';
        return 1;
    }
}
