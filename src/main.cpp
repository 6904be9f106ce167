#include <cstdlib>
#include <iostream>
#include <new>

#include "console_game.h"

int main() {
    try {
        nanaren::PlayGame();
    } catch (const std::bad_alloc&) {
        std::cerr << "nanaren: not enough memory for the search tree" << std::endl;
        return EXIT_FAILURE;
    }
    return 0;
}
