#pragma once

#include <vector>

namespace nanaren::match {

// The two-sided 95% quantile of the normal distribution.
constexpr double Z95 = 1.959963984540054;

struct Interval {
    double low;
    double high;
};

// The Elo difference whose expected score is score: -400 log10(1/score - 1),
// infinite at a score of 0 or 1.
double EloOfScore(double score);

// A score's interval mapped through EloOfScore, bound by bound.
Interval EloInterval(const Interval& score);

// The games two players played and what the first of them scored.
struct PairResult {
    int first;      // a player's index
    int second;     // the other's
    int games;      // games between them
    double points;  // the first's points: a win 1, a draw 1/2
};

struct Rating {
    double elo;         // relative to player 0
    Interval interval;  // 95%, 1.96 standard errors either side
};

struct RatingTable {
    std::vector<Rating> ratings;  // by player index
    bool virtualDraws = false;    // whether the results needed the prior below
};

// The Bradley-Terry ratings that make the results most likely, on the Elo
// scale (i is expected to score 1/(1+10^((Rj-Ri)/400)) against j), with player
// 0 fixed at 0 and intervals from the inverse of the observed information.
// The maximum is finite only when no group of players won or lost every game
// against the rest; otherwise each player is given one draw against a virtual
// player, rated with the others, which bounds every rating while barely
// moving the ones the games determine.
RatingTable FitRatings(int players, const std::vector<PairResult>& results);

}  // namespace nanaren::match
