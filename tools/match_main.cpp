// nanaren-match: computer players against each other, two in a match or more
// in a round robin.

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
#include <vector>

#include "core/parse.h"
#include "match.h"
#include "match_csv.h"
#include "match_stats.h"

namespace {

using nanaren::match::MatchSettings;
using nanaren::match::PlayedMatch;

// The generator is seeded with the clock's low 16 bits, so more games would
// repeat earlier ones.
constexpr int MaxGames = 65536;

// 32 players make 496 pairs; at MaxGames each, the count of games and the
// progress bar's arithmetic stay well inside an int.
constexpr int MaxRoundRobinPlayers = 32;

std::string Usage() {
    return "usage: nanaren-match --players A,B [--games N] [--jobs J] [--first-clock C] [--csv "
           "FILE]\n"
           "                    [--threads T]\n"
           "       nanaren-match --playouts A,B ...   (the same as --players exact:A,exact:B)\n"
           "       nanaren-match --round-robin P1,P2,... [--games N] ...\n"
           "  Plays N games (default 200) of player A against player B. A player is one of\n" +
           nanaren::PlayerNamesHelp() +
           "  A is Black in even games, B in odd ones; game i is seeded with\n"
           "  clock C + i (C defaults to 0). Each game runs in a process of its own,\n"
           "  J at a time (default one per core). Prints each side's score with its 95%\n"
           "  Wilson interval (a draw counts half a win), A's Elo over B with that\n"
           "  interval on the Elo scale, wins by colour, the average length and the\n"
           "  passes; --csv writes every game and its moves. A strong player searches\n"
           "  on up to T threads (default 1, as games already run one per core; 0 for\n"
           "  one per core), which changes none of its moves.\n"
           "  --round-robin plays such a match of N games between every two of 2 to 32\n"
           "  different players, the earlier named as A, and prints each pair's result\n"
           "  and every player's rating by maximum likelihood, the first player at 0.\n";
}

struct Options {
    std::vector<nanaren::PlayerChoice> players;  // two in a match, more in a round robin
    bool roundRobin = false;                     // whether --round-robin named them
    int games = 200;                             // games of each match
    std::time_t firstClock = 0;                  // the clock value of each match's game 0
    int jobs = 0;                                // games at a time, 0 for one per core
    int threads = 1;                             // each strong player's threads, 0 for all
    std::string csv;                             // where to write every game, if anywhere
};

// "A,B", each a player's name, or with playoutsOnly, a playout count.
std::optional<std::vector<nanaren::PlayerChoice>> ParsePair(const std::string& text,
                                                            bool playoutsOnly) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::vector<nanaren::PlayerChoice> players;
    for (const std::string& name : {text.substr(0, comma), text.substr(comma + 1)}) {
        const auto choice = nanaren::ParsePlayer(playoutsOnly ? "exact:" + name : name);
        if (!choice) return std::nullopt;
        players.push_back(*choice);
    }
    return players;
}

// The players of --players, --playouts or --round-robin, which exclude each other.
bool ParsePlayers(const std::string& name, const std::string& value, Options& options) {
    const bool roundRobin = name == "--round-robin";
    if (!options.players.empty() && options.roundRobin != roundRobin) return false;
    const auto players = roundRobin ? nanaren::match::ParsePlayerList(value)
                                    : ParsePair(value, name == "--playouts");
    if (!players || static_cast<int>(players->size()) > MaxRoundRobinPlayers) return false;
    options.players = *players;
    options.roundRobin = roundRobin;
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        const std::string value = argv[++i];
        const auto number = nanaren::ParseInteger<long long>(value);
        if (name == "--players" || name == "--playouts" || name == "--round-robin") {
            if (!ParsePlayers(name, value, options)) return std::nullopt;
        } else if (name == "--games" && number && *number >= 1 && *number <= MaxGames) {
            options.games = static_cast<int>(*number);
        } else if (name == "--jobs" && number && *number >= 1 && *number <= 1024) {
            options.jobs = static_cast<int>(*number);
        } else if (name == "--threads" && number && *number >= 0 && *number <= 1024) {
            options.threads = static_cast<int>(*number);
        } else if (name == "--first-clock" && number && *number >= 0 &&
                   *number <= std::numeric_limits<std::time_t>::max() - MaxGames) {
            options.firstClock = static_cast<std::time_t>(*number);
        } else if (name == "--csv") {
            options.csv = value;
        } else {
            return std::nullopt;
        }
    }
    if (options.players.empty()) return std::nullopt;
    return options;
}

std::vector<MatchSettings> MatchesOf(const Options& options) {
    std::vector<MatchSettings> matches =
        options.roundRobin
            ? nanaren::match::RoundRobin(options.players, options.games, options.firstClock)
            : std::vector<MatchSettings>{MatchSettings{
                  {options.players[0], options.players[1]}, options.games, options.firstClock}};
    for (MatchSettings& match : matches)
        match.threads = options.threads;
    return matches;
}

// A bar on standard error, redrawn after each game, when it is a terminal.
void DrawProgress(int finished, int games) {
    constexpr int Width = 40;
    const int filled = finished * Width / games;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(Width - filled, '.') << "] "
              << finished << '/' << games << (finished == games ? "\n" : "") << std::flush;
}

void PrintResults(const Options& options, const std::vector<PlayedMatch>& played) {
    if (options.roundRobin) {
        nanaren::match::PrintRoundRobin(options.players, played, std::cout);
    } else {
        const PlayedMatch& match = played.front();
        nanaren::match::PrintSummary(match.settings, nanaren::match::Summarize(match.games),
                                     std::cout);
    }
}

bool WriteCsv(const std::string& path, const std::vector<PlayedMatch>& played) {
    std::ofstream csv(path);
    nanaren::match::WriteCsv(played, csv);
    csv.close();  // a failure to write may show only when the buffer goes out
    if (csv) return true;
    std::cerr << "nanaren-match: cannot write " << path << std::endl;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << Usage();
        return 2;
    }
    const std::vector<MatchSettings> matches = MatchesOf(*options);
    const int games = static_cast<int>(matches.size()) * options->games;
    const unsigned cores = std::thread::hardware_concurrency();
    const int jobs = options->jobs > 0 ? options->jobs : cores > 0 ? static_cast<int>(cores) : 1;
    const bool bar = isatty(STDERR_FILENO) != 0;

    const auto played = nanaren::match::PlayMatches(matches, jobs, [&](int finished) {
        if (bar) DrawProgress(finished, games);
    });
    PrintResults(*options, played);
    if (!options->csv.empty() && !WriteCsv(options->csv, played)) return 1;
    int failed = games;
    for (const PlayedMatch& match : played)
        failed -= static_cast<int>(match.games.size());
    if (failed == 0) return 0;
    std::cerr << "nanaren-match: " << failed << " of " << games << " games did not finish"
              << std::endl;
    return 1;
}
