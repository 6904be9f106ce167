#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace nanaren {

// One node of the search tree. Statistics are 32-bit floats; the links are
// slot numbers in the pool, -1 for no node.
struct Node {
    std::int16_t move;         // vertex played to reach this node, -1 for the root
    float visits;              // results backed up through this node
    float value;               // mean result for the player who made move
    float amafVisits;          // all-moves-as-first count
    float amafValue;           // all-moves-as-first mean
    std::int32_t firstChild;   // head of the child list
    std::int32_t nextSibling;  // next child of the same parent
    std::int32_t prevSibling;  // previous child of the same parent
    std::int32_t parent;       // the node one level up
};

// Sets a node to the fresh state: no visits, an all-moves-as-first prior of
// one half-won visit, no links.
void InitNode(Node& node, std::int16_t move);

// The weight of the all-moves-as-first bound under a parent with that many
// visits: sqrt(1000 / (3 N + 1000)), one half at N = 1000.
float AmafWeight(float parentVisits);

inline constexpr double VarianceCap = 0.25;

// The UCB1-tuned variance estimate of a mean over count results, with
// logTotal the logarithm of the count at the level above.
inline float VarianceEstimate(float mean, float logTotal, float count) {
    const double m = mean;
    const float spread = static_cast<float>(m - m * m);
    const float estimate =
        static_cast<float>(std::sqrt(2.0 * logTotal / static_cast<double>(count)) + spread);
    return estimate;
}

// The parts of an upper bound that depend on the count alone. 2 logTotal /
// count is exactly twice the share, as doubling is exact.
struct CountTerms {
    double share;      // logTotal / count
    double rootTwice;  // sqrt(2 share), the first term of the variance estimate
    double rootCap;    // sqrt(share / 4), the bound's root at the capped variance
};

inline CountTerms TermsOf(float logTotal, float count) {
    const double share = logTotal / static_cast<double>(count);
    return {share, std::sqrt(2.0 * share), std::sqrt(share * VarianceCap)};
}

// mean + sqrt(share * min(V, 1/4)), the UCB1-tuned upper bound. Once
// sqrt(2 share) alone reaches the cap, so does V, whose other term is never
// negative: the variance estimate is then not needed.
inline double UpperBound(float mean, const CountTerms& terms) {
    if (!(2.0 * terms.share >= VarianceCap * VarianceCap)) {
        const double m = mean;
        const float spread = static_cast<float>(m - m * m);
        const float variance = static_cast<float>(terms.rootTwice + spread);
        if (variance < VarianceCap) return mean + std::sqrt(terms.share * variance);
    }
    return mean + terms.rootCap;
}

inline double UpperBound(float mean, float logTotal, float count) {
    return UpperBound(mean, TermsOf(logTotal, count));
}

// The count terms of one level's bounds, all with the same logarithm, kept
// for the small counts that most children share.
class CountTermsMemo {
  public:
    explicit CountTermsMemo(float logTotal) : mLogTotal(logTotal) {}

    double UpperBound(float mean, float count) {
        if (!(count >= 0.0f && count < Size)) return nanaren::UpperBound(mean, mLogTotal, count);
        const int n = static_cast<int>(count);
        if (static_cast<float>(n) != count) return nanaren::UpperBound(mean, mLogTotal, count);
        if (!mKnown[n]) {
            mTerms[n] = TermsOf(mLogTotal, count);
            mKnown[n] = true;
        }
        return nanaren::UpperBound(mean, mTerms[n]);
    }

  private:
    static constexpr int Size = 64;
    float mLogTotal;
    std::array<CountTerms, Size> mTerms;
    std::array<bool, Size> mKnown{};
};

// The child's score: the all-moves-as-first upper bound weighted by beta,
// plus the bound on its own results weighted by 1 - beta. Inline, as the
// descent scores every child at every step.
inline double BlendedBound(const Node& child, float beta, float logN, float logA) {
    const double own = UpperBound(child.value, logN, child.visits);
    const double amaf = UpperBound(child.amafValue, logA, child.amafVisits);
    return beta * amaf + (1.0 - beta) * own;
}

}  // namespace nanaren
