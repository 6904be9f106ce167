#pragma once

#include <array>

#include "players/move_features.h"

namespace nanaren {

// The learned priors of moves: each feature level has a weight, and a move's
// weight is the product of its levels' weights, its strength in the
// Bradley-Terry model that the trainer fits: a move of weight w is chosen
// over moves of weights w1, w2, ... with probability w / (w + w1 + w2 ...).
class MovePriors {
  public:
    // The weights of move_prior_table.cpp, read in once.
    static const MovePriors& Learned();

    float Weight(const MoveFeatures& features) const {
        float weight = mPattern[features[Pattern]];
        for (int g = Pattern + 1; g < FeatureGroupCount; ++g)
            weight *= mLevels[g][features[g]];
        return weight;
    }
    // The weights of the patterns alone, by code.
    const std::array<float, PatternCount>& PatternWeights() const { return mPattern; }
    // The weight of color's move at v on board.
    float WeightOf(const Board& board, Vertex v, int color) const {
        return Weight(FeaturesOf(board, v, color));
    }

  private:
    MovePriors();

    std::array<float, PatternCount> mPattern;  // by pattern code, its canonical form's weight
    std::array<std::array<float, MaxGroupLevels>, FeatureGroupCount> mLevels;  // by group and level
};

}  // namespace nanaren
