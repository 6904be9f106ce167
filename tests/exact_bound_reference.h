#pragma once

#include "players/exact_bound.h"
#include "search/node.h"

namespace nanaren::testing {

// The exact player's bound on one child, written out as the formula reads;
// the search works it out over many children at once.

inline float VarianceEstimate(float mean, float logTotal, float count) {
    return VarianceOfShare(mean, logTotal / static_cast<double>(count));
}

inline double UpperBound(float mean, float logTotal, float count) {
    return UpperBoundOfShare(mean, logTotal / static_cast<double>(count));
}

// The all-moves-as-first upper bound weighted by beta, plus the bound on the
// child's own results weighted by 1 - beta.
inline double BlendedBound(const Node& child, float beta, float logN, float logA) {
    const double own = UpperBound(child.value, logN, child.visits);
    const double amaf = UpperBound(child.amafValue, logA, child.amafVisits);
    return beta * amaf + (1.0 - beta) * own;
}

}  // namespace nanaren::testing
