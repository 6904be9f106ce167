#pragma once

#include <array>
#include <ctime>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "match.h"

namespace nanaren::match {

// The match tool's files: a header, then one line per game with its number,
// clock, both players by colour, the winner, how the game ended, its length,
// its passes, its opening's plies, each colour's thinking time and the moves
// in the one notation ("5-3", "pass"), the opening's first. A name with a
// comma or a quote is quoted as CSV quotes it. Files of the earlier form,
// without the termination and the opening, are read too.

// The games of matches, under one header.
void WriteCsv(const std::vector<PlayedMatch>& matches, std::ostream& out);
void WriteCsv(const MatchSettings& settings, const std::vector<GameRecord>& games,
              std::ostream& out);

// A game as a file holds it, by colour.
struct CsvGame {
    int index = 0;                                  // its number in its match
    std::time_t clock = 0;                          // both players were seeded with it
    std::array<std::string, 2> players;             // Black's and White's names
    int winner = 0;                                 // Black, White, or Empty for a draw
    std::vector<Vertex> moves;                      // every move in order
    std::array<ThinkingTime, 2> time{};             // Black's and White's
    Termination termination = Termination::Normal;  // how it ended
    int openingPlies = 0;                           // the moves of its opening
};

// The games of a file the match tool wrote, or the line that is not one.
struct CsvError {
    int line;            // from 1
    std::string reason;  // what is wrong with it
};
std::vector<CsvGame> ReadCsv(std::istream& in, std::optional<CsvError>& error);

// A game as an SGF record: the players by colour, the date given, the result
// (B+ or W+ for a line, B+R or W+R for a resignation, 0 for a draw, B+T or
// W+T for a timeout, B+F or W+F for any other fault), and a comment naming
// the game, its clock, how it ended and its opening's plies.
std::string GameSgf(const MatchSettings& settings, const GameRecord& game, const std::string& date);

// The matches the games of one or more files belong to, in the order their
// first games appear: a match is a pair of players, its side 0 the one that
// played Black in even games. Its games come in index order, its games count
// is theirs, and its first clock the one its games were numbered from. Why
// they do not make matches (a player no one can name, a game found twice,
// clocks that do not follow the numbers) otherwise.
std::variant<std::vector<PlayedMatch>, std::string> MatchesOfGames(
    const std::vector<CsvGame>& games);

}  // namespace nanaren::match
