// The console game with the clock value given on the command line instead of
// the wall clock, so that a game played in the browser with ?seed=N can be
// replayed by the native build: same think.txt, same input, same output.

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "console_game.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: nanaren_seeded CLOCK < moves" << std::endl;
        return EXIT_FAILURE;
    }
    const auto clock = static_cast<std::time_t>(std::stoll(argv[1]));
    nanaren::PlayGame(std::cin, std::cout, [clock] { return clock; });
    return 0;
}
