// nanaren-gtp: the game and its computer players over the Go Text Protocol,
// for GUIs, analysis tools and referees.

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/parse.h"
#include "engine.h"
#include "session.h"

namespace {

std::string Usage() {
    return "usage: nanaren-gtp [--level K | PLAYER] [--clock C]\n"
           "       nanaren-gtp --help | --version\n"
           "  Speaks GTP version 2 on standard input and output. The computer player\n"
           "  is the strong player's level K, or a player named as follows (default\n"
           "  exact:20000, the console's):\n" +
           nanaren::PlayerNamesHelp() +
           "  Each game's generator is seeded with the clock when it starts, or with\n"
           "  C for every game, which then plays the same moves to the same moves.\n"
           "  docs/gtp.md lists the commands.\n";
}

struct Options {
    nanaren::PlayerChoice player = nanaren::ExactSettings{};  // answers genmove
    std::optional<std::time_t> clock;                         // fixed, or the wall clock
};

// The options, or none when they are not understood.
std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--level" && hasValue) {
            const auto level = nanaren::ParsePlayer("level:" + std::string(argv[++i]));
            if (!level) return std::nullopt;
            options.player = *level;
        } else if (argument == "--clock" && hasValue) {
            const auto clock = nanaren::ParseInteger<long long>(argv[++i]);
            if (!clock || *clock < 0) return std::nullopt;
            options.clock = static_cast<std::time_t>(*clock);
        } else if (const auto player = nanaren::ParsePlayer(argument)) {
            options.player = *player;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help") {
            std::cout << Usage();
            return EXIT_SUCCESS;
        }
        if (argument == "--version") {
            std::cout << "nanaren-gtp " NANAREN_VERSION "\n";
            return EXIT_SUCCESS;
        }
    }
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << Usage();
        return 2;
    }
#ifdef _WIN32
    // GTP's lines end in a bare line feed; so do the answers.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::optional<std::time_t> fixed = options->clock;
    nanaren::gtp::Engine engine(options->player,
                                [fixed] { return fixed ? *fixed : std::time(nullptr); });
    std::ios::sync_with_stdio(false);
    nanaren::gtp::RunSession(engine, std::cin, std::cout);
    return EXIT_SUCCESS;
}
