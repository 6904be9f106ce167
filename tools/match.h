#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

#include "game/board.h"
#include "players/registry.h"

namespace nanaren::match {

// The two sides of a match.
struct MatchSettings {
    std::array<PlayerChoice, 2> players;  // side 0 and side 1
    int games;                            // number of games
    std::time_t firstClock;               // the clock value of game 0
    int threads = 1;                      // each strong player's threads, AllCores for all
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
    std::vector<Vertex> moves;           // every move in order, Pass a pass
    std::array<ThinkingTime, 2> time{};  // side 0's and side 1's
};

// The passes among a game's moves.
int PassesOf(const GameRecord& game);

GameSetup SetupOf(const MatchSettings& settings, int index);

// Plays game index in this process.
GameRecord PlayOne(const MatchSettings& settings, int index);

using GamePlayer = std::function<GameRecord(const MatchSettings&, int)>;

// A match and those of its games that finished.
struct PlayedMatch {
    MatchSettings settings;         // its players, games and first clock
    std::vector<GameRecord> games;  // in index order
};

// Plays every game of every match with play, each in a process of its own, at
// most jobs at a time across all the matches, and returns each match's games
// in index order; done(finished) is called after each game, counting over all
// the matches. A game whose process does not end cleanly (a failed check, a
// sanitizer report) is named on standard error and left out of the result.
std::vector<PlayedMatch> PlayMatches(const std::vector<MatchSettings>& matches, int jobs,
                                     const std::function<void(int)>& done,
                                     const GamePlayer& play = PlayOne);

// PlayMatches for a single match.
std::vector<GameRecord> PlayMatch(const MatchSettings& settings, int jobs,
                                  const std::function<void(int)>& done,
                                  const GamePlayer& play = PlayOne);

// The matches of a round robin: every player against every later one, the
// earlier as side 0, each of games games from firstClock.
std::vector<MatchSettings> RoundRobin(const std::vector<PlayerChoice>& players, int games,
                                      std::time_t firstClock);

// "P1,P2,...": two or more players by name, none of them twice (a bare N and
// exact:N are the same player), or none if the list is not that.
std::optional<std::vector<PlayerChoice>> ParsePlayerList(std::string_view text);

}  // namespace nanaren::match
