#pragma once

#include <cmath>

namespace nanaren {

// The exact player's bound on a child: the UCB1-tuned upper bounds of its own
// mean and of its all-moves-as-first mean, blended by a weight that falls as
// the parent's visits grow.

// The weight of the all-moves-as-first bound under a parent with that many
// visits: sqrt(1000 / (3 N + 1000)), one half at N = 1000.
inline float AmafWeight(float parentVisits) {
    const double n = parentVisits;
    const float beta = static_cast<float>(std::sqrt(1000.0 / (3.0 * n + 1000.0)));
    return beta;
}

inline constexpr double VarianceCap = 0.25;

// The UCB1-tuned variance estimate of a mean, with share = logTotal / count,
// logTotal the logarithm of the count at the level above: 2 logTotal / count
// is exactly twice the share, as doubling is exact.
inline float VarianceOfShare(float mean, double share) {
    const double m = mean;
    const float spread = static_cast<float>(m - m * m);
    const float estimate = static_cast<float>(std::sqrt(2.0 * share) + spread);
    return estimate;
}

// mean + sqrt(share * min(V, 1/4)), the UCB1-tuned upper bound. Written
// without branches, so that a loop over many children can work out two of
// them at once; a V that is not a number gives the cap.
inline double UpperBoundOfShare(float mean, double share) {
    const double variance = VarianceOfShare(mean, share);
    const double capped = variance < VarianceCap ? variance : VarianceCap;
    return mean + std::sqrt(share * capped);
}

}  // namespace nanaren
