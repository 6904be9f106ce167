#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "game/board.h"
#include "players/registry.h"

namespace nanaren::match {

// An external program that speaks GTP, started by the shell with a command.
struct GtpCommand {
    std::string command;
    bool operator==(const GtpCommand&) const = default;
};

// A player of a match: one built in, or an external engine.
using MatchPlayer = std::variant<PlayerChoice, GtpCommand>;

// "gtp:COMMAND" or a built-in player's name (ParsePlayer), or none.
std::optional<MatchPlayer> ParseMatchPlayer(std::string_view text);

// The name ParseMatchPlayer reads.
std::string NameOf(const MatchPlayer& player);

// How a game ended: by the rules (a line, a resignation, or a draw by two
// passes in a row or by length), or by a fault of an external engine, which
// loses the game.
enum class Termination { Normal, IllegalMove, Crash, Timeout, Malformed };

// "normal", "illegal move", "crash", "timeout", "malformed answer".
const char* TerminationName(Termination termination);
std::optional<Termination> ParseTermination(std::string_view text);

// Where the games start: from the empty board, from a random opening drawn
// from each pair's clock, or from the openings of a book, pair p from
// book[p % size].
struct Openings {
    int randomPlies = 0;                    // plies of a random opening, 0 for none
    std::vector<std::vector<Vertex>> book;  // openings read from a file
};

// The two sides of a match. Games are numbered over the whole match, so that
// a slice of it (firstGame on) plays exactly the games one run plays there;
// games 2p and 2p + 1 are pair p, which share an opening.
struct MatchSettings {
    std::array<MatchPlayer, 2> players;  // side 0 and side 1
    int games;                           // number of games
    std::time_t firstClock;              // the clock value of game 0
    int firstGame = 0;                   // the number of the first game played
    Openings openings{};                 // where each pair starts
    int threads = 1;                     // each strong player's threads, AllCores for all
    double moveTimeout = 0.0;            // seconds an external engine has for a move, 0: no limit
};

// How one game is played; it follows from the game's index alone.
struct GameSetup {
    std::time_t clock;  // both players are seeded with it
    int blackSide;      // the side that plays Black: side 0 in even games
};

// How long a side thought in a game, by the clock.
struct ThinkingTime {
    double seconds = 0.0;  // over all its moves
    double longest = 0.0;  // its longest move
    int moves = 0;         // the moves it chose, passes included
};

// One game played to its end.
struct GameRecord {
    int index;                           // the game's number in the match, from 0
    GameSetup setup;                     // its clock and colours
    int winner;                          // Black, White, or Empty for a draw
    std::vector<Vertex> moves;           // every move in order, Pass a pass, the opening's first
    std::array<ThinkingTime, 2> time{};  // side 0's and side 1's
    Termination termination = Termination::Normal;  // how it ended
    int openingPlies = 0;                           // the moves of its opening
};

// The passes among a game's moves.
int PassesOf(const GameRecord& game);

GameSetup SetupOf(const MatchSettings& settings, int index);

// The moves game index starts from.
std::vector<Vertex> OpeningOf(const MatchSettings& settings, int index);

// Plays game index in this process.
GameRecord PlayOne(const MatchSettings& settings, int index);

using GamePlayer = std::function<GameRecord(const MatchSettings&, int)>;

// A match and those of its games that finished.
struct PlayedMatch {
    MatchSettings settings;         // its players, games and first clock
    std::vector<GameRecord> games;  // in index order
};

// Called with each game as it finishes; false stops the starting of games.
using GameDone = std::function<bool(const GameRecord&)>;

// Plays every game of every match with play, each in a process of its own, at
// most jobs at a time across all the matches, and returns each match's games
// in index order; done(finished) is called after each game, counting over all
// the matches, and then keepGoing with the game, if given: once it says no,
// no more games start and those running finish. A game whose process does
// not end cleanly (a failed check, a sanitizer report) is named on standard
// error and left out of the result.
std::vector<PlayedMatch> PlayMatches(const std::vector<MatchSettings>& matches, int jobs,
                                     const std::function<void(int)>& done,
                                     const GamePlayer& play = PlayOne,
                                     const GameDone& keepGoing = {});

// PlayMatches for a single match.
std::vector<GameRecord> PlayMatch(const MatchSettings& settings, int jobs,
                                  const std::function<void(int)>& done,
                                  const GamePlayer& play = PlayOne, const GameDone& keepGoing = {});

// The matches of a round robin: every player against every later one, the
// earlier as side 0, each of games games from firstClock.
std::vector<MatchSettings> RoundRobin(const std::vector<MatchPlayer>& players, int games,
                                      std::time_t firstClock);

// "P1,P2,...": two or more players by name, none of them twice (a bare N and
// exact:N are the same player), or none if the list is not that.
std::optional<std::vector<MatchPlayer>> ParsePlayerList(std::string_view text);

}  // namespace nanaren::match
