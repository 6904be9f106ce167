#pragma once

#include <cmath>
#include <cstdint>

namespace nanaren {

// A link to no node.
inline constexpr std::int32_t NoNode = -1;

// One node of the search tree. Statistics are 32-bit floats; the links are
// slot numbers in the pool, NoNode for none.
struct Node {
    std::int16_t move;         // vertex played to reach this node, NoVertex for the root
    std::uint16_t childRun;    // n > 0: the n children, in list order, fill the slots
                               // firstChild, firstChild - 1, ...; 0: they lie elsewhere
    float visits;              // results backed up through this node
    float value;               // mean result for the player who made move
    float amafVisits;          // all-moves-as-first count
    float amafValue;           // all-moves-as-first mean
    std::int32_t firstChild;   // head of the child list
    std::int32_t nextSibling;  // next child of the same parent
    std::int32_t prevSibling;  // previous child of the same parent
    std::int32_t parent;       // the node one level up
};

// Adds the result r to a running mean over count results.
inline void AddResult(float& count, float& mean, double r) {
    const double n = count;
    const float newMean = static_cast<float>((r + n * static_cast<double>(mean)) / (n + 1.0));
    const float newCount = static_cast<float>(n + 1.0);
    mean = newMean;
    count = newCount;
}

// Sets a node to the fresh state: no visits, an all-moves-as-first prior of
// one half-won visit, no links.
void InitNode(Node& node, std::int16_t move);

// The weight of the all-moves-as-first bound under a parent with that many
// visits: sqrt(1000 / (3 N + 1000)), one half at N = 1000.
float AmafWeight(float parentVisits);

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

inline float VarianceEstimate(float mean, float logTotal, float count) {
    return VarianceOfShare(mean, logTotal / static_cast<double>(count));
}

// mean + sqrt(share * min(V, 1/4)), the UCB1-tuned upper bound. Written
// without branches, so that a loop over many children can work out two of
// them at once; a V that is not a number gives the cap.
inline double UpperBoundOfShare(float mean, double share) {
    const double variance = VarianceOfShare(mean, share);
    const double capped = variance < VarianceCap ? variance : VarianceCap;
    return mean + std::sqrt(share * capped);
}

inline double UpperBound(float mean, float logTotal, float count) {
    return UpperBoundOfShare(mean, logTotal / static_cast<double>(count));
}

// The child's score: the all-moves-as-first upper bound weighted by beta,
// plus the bound on its own results weighted by 1 - beta. Inline, as the
// descent scores every child at every step.
inline double BlendedBound(const Node& child, float beta, float logN, float logA) {
    const double own = UpperBound(child.value, logN, child.visits);
    const double amaf = UpperBound(child.amafValue, logA, child.amafVisits);
    return beta * amaf + (1.0 - beta) * own;
}

}  // namespace nanaren
