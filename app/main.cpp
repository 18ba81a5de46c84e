#include "Cli.h"
#include "Session.h"
#include "TerminalInput.h"

#include <exception>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    try {
        const bool terminal = isatty(STDIN_FILENO) != 0 && isatty(STDERR_FILENO) != 0;
        if (!terminal) return cartovel::runCli(argc, argv, std::cin, std::cout, std::cerr, false);
        // A person answers prompts here; Ctrl-C must end a prompt's wait.
        cartovel::TerminalInput input(STDIN_FILENO, &cartovel::Session::interruptRequested);
        std::istream in(&input);
        return cartovel::runCli(argc, argv, in, std::cout, std::cerr, true);
    } catch (const std::exception& e) {
        std::cerr << "cartovel: CANT: " << e.what() << '\n';
        return 1;
    }
}
