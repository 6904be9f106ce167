#include <cstdlib>
#include <iostream>
#include <new>
#include <string>

#include "console_game.h"
#ifdef _WIN32
#include "windows_console.h"
#endif

namespace {

constexpr char Help[] =
    "Usage: nanaren [--help | --version]\n"
    "\n"
    "Plays one game on a 9x9 board against the computer; a line of exactly seven\n"
    "stones wins. Moves are read from standard input as two numbers, the column\n"
    "and then the row; -1 passes. The messages are Japanese, in Shift-JIS.\n"
    "The computer's playouts per move are the first number in think.txt in the\n"
    "working directory (20000 without the file).\n";

// Prints the help or the version; any other argument is an error.
int AnswerArguments(int argc, char** argv) {
    const std::string argument = argv[1];
    if (argc == 2 && argument == "--help") {
        std::cout << Help;
        return EXIT_SUCCESS;
    }
    if (argc == 2 && argument == "--version") {
        std::cout << "nanaren " NANAREN_VERSION "\n";
        return EXIT_SUCCESS;
    }
    // After --help or --version, what follows is the unexpected part.
    const bool known = argument == "--help" || argument == "--version";
    std::cerr << "nanaren: unexpected argument '" << argv[known ? 2 : 1] << "'\n\n" << Help;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) return AnswerArguments(argc, argv);
#ifdef _WIN32
    nanaren::ShowShiftJisOnConsole();
#endif
    try {
        nanaren::PlayGame();
    } catch (const std::bad_alloc&) {
        std::cerr << "nanaren: not enough memory for the search tree" << std::endl;
        return EXIT_FAILURE;
    }
    return 0;
}
