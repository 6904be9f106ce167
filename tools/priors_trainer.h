#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "match_csv.h"
#include "players/move_features.h"

namespace nanaren::priors {

// The trainer of the learned move priors: the moves of chosen players in the
// match tool's games, each among every legal move of its position, and a
// Bradley-Terry fit of the feature levels' weights by minorization-
// maximization, with a prior of one virtual win and one virtual loss against
// a move of weight 1 for every level.

// A position's legal moves by their features, and the one played.
struct Example {
    std::vector<MoveFeatures> moves;  // the pattern as its canonical code
    int chosen = 0;                   // the index of the move played
    int game = 0;                     // the game it comes from, in reading order
};

// The moves that the named players chose in the games, each an example, the
// positions with a single legal move left out; games whose moves do not
// replay are skipped.
std::vector<Example> ExamplesOf(const std::vector<match::CsvGame>& games,
                                const std::vector<std::string>& players);

// The weights of a fit, by group and level; a pattern's level is its code.
struct Weights {
    std::array<std::map<std::uint16_t, double>, FeatureGroupCount> levels;  // seen levels
    double rarePattern = 1.0;  // every pattern without a level of its own

    double Of(const MoveFeatures& move) const;
};

struct FitOptions {
    int sweeps = 40;          // passes over every group
    int patternMinimum = 10;  // candidate moves a pattern needs for a weight of its own
    double priorGames = 1.0;  // virtual wins and losses against weight 1, each
};

// The weights that make the chosen moves most likely, starting from 1.
Weights Fit(const std::vector<Example>& examples, const FitOptions& options);

// The share of examples whose chosen move has the highest weight, and is
// among the five highest (ties broken by the order of the moves).
struct PredictionRates {
    double first = 0.0;
    double topFive = 0.0;
    int examples = 0;
};
PredictionRates Predict(const Weights& weights, const std::vector<Example>& examples);

// The weights as move_prior_table.cpp, opened by a comment with how they were
// made.
void WriteTable(const Weights& weights, const std::string& provenance, std::ostream& out);

}  // namespace nanaren::priors
