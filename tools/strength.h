#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "match_csv.h"

namespace nanaren::match {

// docs/strength.md and web/strength.json, made from the match tool's files:
// the levels' ladder, the levels against the line-builders, any other
// matches and the time per move, stamped with the strong player's signature.

// The games of two players, from the first's side: the first is the one
// that played Black in the pair's lowest-numbered game, as the match tool's
// first-named player does.
struct PairTally {
    std::string first;
    std::string second;
    int games = 0;
    double points = 0.0;  // the first's: a win 1, a draw 1/2
};

std::vector<PairTally> TallyPairs(const std::vector<CsvGame>& games);

// A player's thinking time over every game it played.
struct PlayerTime {
    std::string player;
    ThinkingTime time;
};
std::vector<PlayerTime> TimesOf(const std::vector<CsvGame>& games);

// The report as Markdown, and the levels' figures as JSON for the page.
void WriteStrengthMarkdown(const std::vector<CsvGame>& games, std::uint64_t signature,
                           std::ostream& out);
void WriteStrengthJson(const std::vector<CsvGame>& games, std::uint64_t signature,
                       std::ostream& out);

// The signature as the report writes it: 16 hexadecimal digits.
std::string SignatureText(std::uint64_t signature);

}  // namespace nanaren::match
