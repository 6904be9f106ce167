#pragma once

#include <array>
#include <cstdint>

#include "players/move_features.h"

namespace nanaren {

// The learned weights, as nanaren-train-priors writes them into
// move_prior_table.cpp (see tools/priors/README.md).

// A pattern's weight, by its canonical code.
struct PatternWeight {
    std::uint16_t code;  // CanonicalPattern of the pattern
    float weight;        // its learned weight
};

struct LearnedPriorTable {
    const PatternWeight* patterns;  // the patterns seen often enough, by ascending code
    int patternCount;               // entries of patterns
    float rarePattern;              // the weight of every other pattern
    // By group and level, the weight of every group but the pattern's.
    std::array<std::array<float, MaxGroupLevels>, FeatureGroupCount> levels;
};

// The table of move_prior_table.cpp.
extern const LearnedPriorTable LearnedPriors;

}  // namespace nanaren
