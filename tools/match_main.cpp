// nanaren-match: computer players against each other, two in a match or more
// in a round robin; built in or external GTP engines; a fixed number of games
// or a sequential test on pairs; a slice of a match, or the merge of slices.

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/parse.h"
#include "game/sgf.h"
#include "match.h"
#include "match_csv.h"
#include "match_stats.h"
#include "openings.h"
#include "sprt.h"

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
           "           [--threads T] [--sgf DIR] [--openings random:N|FILE] [--move-timeout S]\n"
           "           [--first-pair P --pairs N] [--sprt elo0=E0 elo1=E1 alpha=A beta=B]\n"
           "       nanaren-match --playouts A,B ...   (the same as --players exact:A,exact:B)\n"
           "       nanaren-match --round-robin P1,P2,... [--games N] ...\n"
           "       nanaren-match --merge CSV... [--sprt ...] [--csv FILE]\n"
           "  Plays N games (default 200) of player A against player B. A player is one of\n" +
           nanaren::PlayerNamesHelp() +
           "  gtp:COMMAND        an external GTP engine, started with the shell (no comma\n"
           "                     in COMMAND); an illegal move, a crash, a malformed\n"
           "                     answer or one later than --move-timeout S seconds\n"
           "                     loses the game\n" +
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
           "  and every player's rating by maximum likelihood, the first player at 0.\n"
           "  Games 2p and 2p+1 are pair p, one opening with the colours reversed:\n"
           "  --openings random:N starts each pair from N random plies drawn from its\n"
           "  clock, --openings FILE from the records or SGF games of a file in turn.\n"
           "  --first-pair P --pairs N plays pairs P to P+N-1 only, as one run plays them;\n"
           "  --merge reads the CSV files of such slices and prints what one run prints.\n"
           "  --sprt plays pairs (at most --pairs) until the pentanomial LLR of\n"
           "  normalized Elo E1 against E0 crosses a bound; defaults 0, 5, 0.05, 0.05.\n"
           "  --sgf writes each game to DIR as SGF.\n";
}

using nanaren::match::MatchPlayer;

struct Options {
    std::vector<MatchPlayer> players;                  // two in a match, more in a round robin
    bool roundRobin = false;                           // whether --round-robin named them
    int games = 200;                                   // games of each match
    std::optional<int> pairs;                          // --pairs: the games are these pairs
    int firstPair = 0;                                 // the first pair played
    std::time_t firstClock = 0;                        // the clock value of each match's game 0
    int jobs = 0;                                      // games at a time, 0 for one per core
    int threads = 1;                                   // each strong player's threads, 0 for all
    std::string csv;                                   // where to write every game, if anywhere
    std::string sgf;                                   // the folder to write each game to, if any
    nanaren::match::Openings openings;                 // where the pairs start
    double moveTimeout = 0.0;                          // seconds an engine has, 0: no limit
    std::optional<nanaren::match::SprtSettings> sprt;  // the test, if any
    std::vector<std::string> merge;                    // files to merge instead of playing
};

// "A,B", each a player's name, or with playoutsOnly, a playout count.
std::optional<std::vector<MatchPlayer>> ParsePair(const std::string& text, bool playoutsOnly) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::vector<MatchPlayer> players;
    for (const std::string& name : {text.substr(0, comma), text.substr(comma + 1)}) {
        const auto choice = nanaren::match::ParseMatchPlayer(playoutsOnly ? "exact:" + name : name);
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

// The words after argv[i] up to the next option.
std::vector<std::string> WordsAfter(int argc, char** argv, int& i) {
    std::vector<std::string> words;
    while (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
        words.emplace_back(argv[++i]);
    return words;
}

// The options that take several words: --merge and --sprt.
bool ParseListOption(const std::string& name, int argc, char** argv, int& i, Options& options) {
    const std::vector<std::string> words = WordsAfter(argc, argv, i);
    if (name == "--merge") {
        options.merge = words;
        return !words.empty();
    }
    options.sprt = nanaren::match::ParseSprt(words);
    return options.sprt.has_value();
}

bool ParseOpenings(const std::string& value, Options& options) {
    auto openings = nanaren::match::ReadOpenings(value);
    if (const auto* error = std::get_if<std::string>(&openings)) {
        std::cerr << "nanaren-match: " << *error << std::endl;
        return false;
    }
    options.openings = std::get<nanaren::match::Openings>(openings);
    return true;
}

// Whether the options fit together: a test or a slice plays whole pairs of
// one match, and a merge plays nothing.
bool Consistent(Options& options) {
    if (!options.merge.empty()) return options.players.empty() && !options.pairs;
    if (options.players.empty()) return false;
    if (options.sprt && options.roundRobin) return false;
    if (options.sprt && !options.pairs) options.pairs = (MaxGames / 2) - options.firstPair;
    if (options.pairs) options.games = 2 * *options.pairs;
    return 2LL * options.firstPair + options.games <= MaxGames;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--merge" || name == "--sprt") {
            if (!ParseListOption(name, argc, argv, i, options)) return std::nullopt;
            continue;
        }
        if (i + 1 >= argc) return std::nullopt;
        const std::string value = argv[++i];
        const auto number = nanaren::ParseInteger<long long>(value);
        if (name == "--players" || name == "--playouts" || name == "--round-robin") {
            if (!ParsePlayers(name, value, options)) return std::nullopt;
        } else if (name == "--games" && number && *number >= 1 && *number <= MaxGames) {
            options.games = static_cast<int>(*number);
        } else if (name == "--pairs" && number && *number >= 1 && *number <= MaxGames / 2) {
            options.pairs = static_cast<int>(*number);
        } else if (name == "--first-pair" && number && *number >= 0 && *number < MaxGames / 2) {
            options.firstPair = static_cast<int>(*number);
        } else if (name == "--openings") {
            if (!ParseOpenings(value, options)) return std::nullopt;
        } else if (name == "--move-timeout" && nanaren::ParseFraction(value) &&
                   *nanaren::ParseFraction(value) > 0.0f) {
            options.moveTimeout = *nanaren::ParseFraction(value);
        } else if (name == "--sgf") {
            options.sgf = value;
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
    if (!Consistent(options)) return std::nullopt;
    return options;
}

std::vector<MatchSettings> MatchesOf(const Options& options) {
    std::vector<MatchSettings> matches =
        options.roundRobin
            ? nanaren::match::RoundRobin(options.players, options.games, options.firstClock)
            : std::vector<MatchSettings>{MatchSettings{
                  {options.players[0], options.players[1]}, options.games, options.firstClock}};
    for (MatchSettings& match : matches) {
        match.firstGame = 2 * options.firstPair;
        match.openings = options.openings;
        match.moveTimeout = options.moveTimeout;
        match.threads = options.threads;
    }
    return matches;
}

// With a test, a game that completes a pair may end the match.
nanaren::match::GameDone StopBySprt(const Options& options) {
    if (!options.sprt) return {};
    auto games = std::make_shared<std::vector<nanaren::match::GameRecord>>();
    return [games, sprt = *options.sprt](const nanaren::match::GameRecord& game) {
        games->push_back(game);
        const auto pairs = nanaren::match::PentanomialOf(*games);
        return nanaren::match::StateOf(sprt, pairs) == nanaren::match::SprtState::Continue;
    };
}

// A bar on standard error, redrawn after each game, when it is a terminal.
void DrawProgress(int finished, int games) {
    constexpr int Width = 40;
    const int filled = finished * Width / games;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(Width - filled, '.') << "] "
              << finished << '/' << games << (finished == games ? "\n" : "") << std::flush;
}

// Each game as DIR/game-N.sgf, or DIR/match-M-game-N.sgf in a round robin.
bool WriteSgfFiles(const std::string& folder, const std::vector<PlayedMatch>& played) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string date = nanaren::SgfDate(std::time(nullptr));
    for (std::size_t m = 0; m < played.size(); ++m) {
        const std::string prefix =
            played.size() == 1 ? "game-" : "match-" + std::to_string(m + 1) + "-game-";
        for (const auto& game : played[m].games) {
            const std::string path =
                (std::filesystem::path(folder) / (prefix + std::to_string(game.index) + ".sgf"))
                    .string();
            std::ofstream file(path, std::ios::binary);
            file << nanaren::match::GameSgf(played[m].settings, game, date);
            file.close();
            if (!file) {
                std::cerr << "nanaren-match: cannot write " << path << std::endl;
                return false;
            }
        }
    }
    return true;
}

// The games of the files, as the matches they belong to.
std::optional<std::vector<PlayedMatch>> Merge(const std::vector<std::string>& paths) {
    std::vector<nanaren::match::CsvGame> games;
    for (const std::string& path : paths) {
        std::ifstream in(path);
        if (!in) {
            std::cerr << "nanaren-match: cannot read " << path << std::endl;
            return std::nullopt;
        }
        std::optional<nanaren::match::CsvError> error;
        const auto read = nanaren::match::ReadCsv(in, error);
        if (error) {
            std::cerr << "nanaren-match: " << path << ", line " << error->line << ": "
                      << error->reason << std::endl;
            return std::nullopt;
        }
        games.insert(games.end(), read.begin(), read.end());
    }
    auto matches = nanaren::match::MatchesOfGames(games);
    if (const auto* error = std::get_if<std::string>(&matches)) {
        std::cerr << "nanaren-match: " << *error << std::endl;
        return std::nullopt;
    }
    return std::get<std::vector<PlayedMatch>>(matches);
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
    if (!options->merge.empty()) {
        const auto merged = Merge(options->merge);
        if (!merged) return 1;
        nanaren::match::PrintReport(*merged, options->sprt, std::cout);
        return !options->csv.empty() && !WriteCsv(options->csv, *merged) ? 1 : 0;
    }
    const std::vector<MatchSettings> matches = MatchesOf(*options);
    const int games = static_cast<int>(matches.size()) * options->games;
    const unsigned cores = std::thread::hardware_concurrency();
    const int jobs = options->jobs > 0 ? options->jobs : cores > 0 ? static_cast<int>(cores) : 1;
    const bool bar = isatty(STDERR_FILENO) != 0 && !options->sprt;

    const auto played = nanaren::match::PlayMatches(
        matches, jobs,
        [&](int finished) {
            if (bar) DrawProgress(finished, games);
        },
        nanaren::match::PlayOne, StopBySprt(*options));
    nanaren::match::PrintReport(played, options->sprt, std::cout);
    if (!options->csv.empty() && !WriteCsv(options->csv, played)) return 1;
    if (!options->sgf.empty() && !WriteSgfFiles(options->sgf, played)) return 1;
    if (options->sprt) return 0;  // a test stops where it decides
    int failed = games;
    for (const PlayedMatch& match : played)
        failed -= static_cast<int>(match.games.size());
    if (failed == 0) return 0;
    std::cerr << "nanaren-match: " << failed << " of " << games << " games did not finish"
              << std::endl;
    return 1;
}
