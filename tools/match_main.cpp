// nanaren-match: the computer against itself at two playout counts.

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <thread>

#include "match.h"
#include "match_stats.h"

namespace {

using nanaren::match::MatchSettings;

// The generator is seeded with the clock's low 16 bits, so more games would
// repeat earlier ones.
constexpr int MaxGames = 65536;

constexpr const char* Usage =
    "usage: nanaren-match --players A,B [--games N] [--jobs J] [--first-clock C] [--csv FILE]\n"
    "       nanaren-match --playouts A,B ...   (the same as --players exact:A,exact:B)\n"
    "  Plays N games (default 200) of player A against player B. A player is\n"
    "  exact:N (or a bare N), the exact computer with N playouts per move;\n"
    "  level:K, the strong computer's level K (1 to 7); strong:N[:name=value...],\n"
    "  the strong computer with N playouts and options (b0, c, expand, forced,\n"
    "  blunder); builder or blocker, the scripted line-builder without or with\n"
    "  blocks. A is Black in even games, B in odd ones; game i is seeded with\n"
    "  clock C + i (C defaults to 0). Each game runs in a process of its own,\n"
    "  J at a time (default one per core). Prints each side's score with its 95%\n"
    "  Wilson interval (a draw counts half a win), A's Elo over B with that\n"
    "  interval on the Elo scale, wins by colour, the average length and the\n"
    "  passes; --csv writes every game and its moves.\n";

struct Options {
    MatchSettings settings{{}, 200, 0};
    int jobs = 0;
    std::string csv;
};

std::optional<long long> ParseNumber(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE) return std::nullopt;
    return value;
}

// "A,B", each a player's name, or with exact, a playout count.
bool ParsePair(const std::string& text, bool playoutsOnly, MatchSettings& settings) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    const std::array<std::string, 2> names = {text.substr(0, comma), text.substr(comma + 1)};
    for (int side = 0; side < 2; ++side) {
        const std::string name = playoutsOnly ? "exact:" + names[side] : names[side];
        const auto choice = nanaren::ParsePlayer(name);
        if (!choice) return false;
        settings.players[side] = *choice;
    }
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    bool players = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const std::string value = argv[++i];
        const auto number = ParseNumber(value);
        if (name == "--players" || name == "--playouts") {
            players = ParsePair(value, name == "--playouts", options.settings);
            if (!players) return std::nullopt;
        } else if (name == "--games" && number && *number >= 1 && *number <= MaxGames) {
            options.settings.games = static_cast<int>(*number);
        } else if (name == "--jobs" && number && *number >= 1 && *number <= 1024) {
            options.jobs = static_cast<int>(*number);
        } else if (name == "--first-clock" && number && *number >= 0 &&
                   *number <= std::numeric_limits<std::time_t>::max() - MaxGames) {
            options.settings.firstClock = static_cast<std::time_t>(*number);
        } else if (name == "--csv") {
            options.csv = value;
        } else {
            return std::nullopt;
        }
    }
    if (!players) return std::nullopt;
    return options;
}

// A bar on standard error, redrawn after each game, when it is a terminal.
void DrawProgress(int finished, int games) {
    constexpr int Width = 40;
    const int filled = finished * Width / games;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(Width - filled, '.') << "] "
              << finished << '/' << games << (finished == games ? "\n" : "") << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    const MatchSettings& settings = options->settings;
    const unsigned cores = std::thread::hardware_concurrency();
    const int jobs = options->jobs > 0 ? options->jobs : cores > 0 ? static_cast<int>(cores) : 1;
    const bool bar = isatty(STDERR_FILENO) != 0;

    const auto games = nanaren::match::PlayMatch(settings, jobs, [&](int finished) {
        if (bar) DrawProgress(finished, settings.games);
    });
    nanaren::match::PrintSummary(settings, nanaren::match::Summarize(games), std::cout);
    if (!options->csv.empty()) {
        std::ofstream csv(options->csv);
        nanaren::match::WriteCsv(settings, games, csv);
        csv.close();  // a failure to write may show only when the buffer goes out
        if (!csv) {
            std::cerr << "nanaren-match: cannot write " << options->csv << std::endl;
            return 1;
        }
    }
    const int failed = settings.games - static_cast<int>(games.size());
    if (failed == 0) return 0;
    std::cerr << "nanaren-match: " << failed << " of " << settings.games << " games did not finish"
              << std::endl;
    return 1;
}
