#pragma once

#include <array>
#include <ctime>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "match.h"

namespace nanaren::match {

// The match tool's files: a header, then one line per game with its number,
// clock, both players by colour, the winner, its length, its passes, each
// colour's thinking time and the moves in the one notation ("5-3", "pass").

// The games of matches, under one header.
void WriteCsv(const std::vector<PlayedMatch>& matches, std::ostream& out);
void WriteCsv(const MatchSettings& settings, const std::vector<GameRecord>& games,
              std::ostream& out);

// A game as a file holds it, by colour.
struct CsvGame {
    int index = 0;                       // its number in its match
    std::time_t clock = 0;               // both players were seeded with it
    std::array<std::string, 2> players;  // Black's and White's names
    int winner = 0;                      // Black, White, or Empty for a draw
    std::vector<Vertex> moves;           // every move in order
    std::array<ThinkingTime, 2> time{};  // Black's and White's
};

// The games of a file the match tool wrote, or the line that is not one.
struct CsvError {
    int line;            // from 1
    std::string reason;  // what is wrong with it
};
std::vector<CsvGame> ReadCsv(std::istream& in, std::optional<CsvError>& error);

}  // namespace nanaren::match
