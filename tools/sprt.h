#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "match.h"
#include "ratings.h"

namespace nanaren::match {

// A sequential test on game pairs. Pair p is games 2p and 2p + 1, one
// opening with the colours reversed, scored for side 0 as one of five
// outcomes (the pentanomial): 0, 1/4, 1/2, 3/4 or 1 of the pair's points.

// Pairs by outcome, LL, LD, WL or DD, WD, WW for side 0.
using Pentanomial = std::array<int, 5>;

// The pairs of which both games are among games.
Pentanomial PentanomialOf(const std::vector<GameRecord>& games);

// What --sprt asks: the Elo of each hypothesis, normalized Elo as the
// sequential tests of chess engines use it, and the error rates.
struct SprtSettings {
    double elo0 = 0.0;
    double elo1 = 5.0;
    double alpha = 0.05;
    double beta = 0.05;
};

// "elo0=E0 elo1=E1 alpha=A beta=B", given as those four words in any order
// (any left out keep the defaults), or none.
std::optional<SprtSettings> ParseSprt(const std::vector<std::string>& words);

// The log-likelihood ratio of elo1 against elo0 for the pairs: for each
// hypothesis, the distribution of most likelihood over the five outcomes
// among those whose normalized Elo, (mean - 1/2) / (per-game deviation)
// scaled by 800 / ln 10, is the hypothesis's; then the sum over the pairs
// of the log of their ratio. An outcome never seen counts 1/1000 of a pair.
double PentanomialLlr(const Pentanomial& pairs, double elo0, double elo1);

// ln(beta / (1 - alpha)) and ln((1 - beta) / alpha).
Interval LlrBounds(const SprtSettings& settings);

enum class SprtState { Continue, AcceptH0, AcceptH1 };
SprtState StateOf(const SprtSettings& settings, const Pentanomial& pairs);

// Side 0's Elo from the pairs' mean score, with its 95% interval (1.96
// standard errors of the pairs' mean), and its normalized Elo.
struct PairElo {
    double elo = 0.0;
    Interval interval{0.0, 0.0};
    double normalized = 0.0;
};
PairElo PairEloOf(const Pentanomial& pairs);

// The test's state: the LLR with its bounds and decision, the pentanomial
// counts and the Elo with its interval.
void PrintSprt(const SprtSettings& settings, const std::array<std::string, 2>& names,
               const Pentanomial& pairs, std::ostream& out);

}  // namespace nanaren::match
