#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "match.h"
#include "ratings.h"
#include "sprt.h"

namespace nanaren::match {

// A share as a percentage to a tenth, "73.5%".
std::string Percent(double share);

// An Elo difference with its sign to a tenth ("+12.5", "-0.3"), or +inf or
// -inf.
std::string EloText(double elo);

// The Wilson score interval at 95% for a share of n trials.
Interval WilsonInterval(double share, int n);

// What a side did in a match. Its score counts a draw as half a win.
struct SideResult {
    int wins = 0;
    int losses = 0;
    int draws = 0;
    double score = 0.0;
    Interval interval{0.0, 0.0};  // the score's 95% Wilson interval
    ThinkingTime time;            // over all its games
};

struct MatchSummary {
    int games = 0;
    std::array<SideResult, 2> sides;  // by the order of the playout counts
    int blackWins = 0;
    int whiteWins = 0;
    int draws = 0;
    double averageLength = 0.0;  // moves per game, passes included
    int passes = 0;
    int gamesWithPass = 0;
};

MatchSummary Summarize(const std::vector<GameRecord>& games);

void PrintSummary(const MatchSettings& settings, const MatchSummary& summary, std::ostream& out);

// Each match of a round robin as the ratings read it, its players by their
// place in players.
std::vector<PairResult> PairResults(const std::vector<MatchPlayer>& players,
                                    const std::vector<PlayedMatch>& matches);

// The result of every pair, then the players' ratings by maximum likelihood
// over all the games, the first player fixed at 0.
void PrintRoundRobin(const std::vector<MatchPlayer>& players,
                     const std::vector<PlayedMatch>& matches, std::ostream& out);

// What the match tool prints after its games, or after merging files of
// them: one match's summary, with the SPRT's state when sprt is given, or a
// round robin's pairs and ratings, its players in the order they first
// appear among the matches.
void PrintReport(const std::vector<PlayedMatch>& matches, const std::optional<SprtSettings>& sprt,
                 std::ostream& out);

}  // namespace nanaren::match
