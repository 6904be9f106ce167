#include "players/exact_bound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "exact_bound_reference.h"

namespace nanaren {
namespace {

using testing::BlendedBound;
using testing::VarianceEstimate;

constexpr double Digits5 = 5e-6;

Node MakeNode(float visits, float value, float amafVisits, float amafValue) {
    Node node;
    InitNode(node, 40);
    node.visits = visits;
    node.value = value;
    node.amafVisits = amafVisits;
    node.amafValue = amafValue;
    return node;
}

// The blended bound as the formula reads: both variance estimates taken,
// both capped, every quotient divided out.
double LiteralBound(const Node& child, float beta, float logN, float logA) {
    const auto bound = [](float mean, float logTotal, float count) {
        const double m = mean;
        const float spread = static_cast<float>(m - m * m);
        const float v = static_cast<float>(std::sqrt(2.0 * logTotal / count) + spread);
        const double capped = v < 0.25 ? v : 0.25;
        return mean + std::sqrt(logTotal / static_cast<double>(count) * capped);
    };
    return beta * bound(child.amafValue, logA, child.amafVisits) +
           (1.0 - beta) * bound(child.value, logN, child.visits);
}

TEST(Bound, WithoutBranchesItIsTheLiteralFormulaToTheLastBit) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int nearTheCap = 0;
    for (int trial = 0; trial < 200000; ++trial) {
        const float visits = static_cast<float>(1 + rng() % (trial % 2 ? 50 : 20000));
        const float amafVisits = static_cast<float>(1 + rng() % 5000);
        const float logN = static_cast<float>(std::log(static_cast<double>(1 + rng() % 100000)));
        // Logarithms that put 2 log / count right at the cap of 1/16.
        const float logA = trial % 3 ? static_cast<float>(std::log(1.0 + rng() % 100000))
                                     : static_cast<float>(amafVisits / 32.0);
        nearTheCap += trial % 3 == 0;
        const Node child = MakeNode(visits, unit(rng), amafVisits, trial % 5 ? unit(rng) : 0.5f);
        const float beta = AmafWeight(static_cast<float>(1 + rng() % 100000));
        ASSERT_EQ(BlendedBound(child, beta, logN, logA), LiteralBound(child, beta, logN, logA))
            << trial;
    }
    EXPECT_GT(nearTheCap, 1000);
}

TEST(Bound, AmafWeightFallsFromOneThroughOneHalfAtAThousandVisits) {
    EXPECT_NEAR(AmafWeight(1.0f), 0.99850, Digits5);
    EXPECT_EQ(AmafWeight(1000.0f), 0.5f);
    EXPECT_NEAR(AmafWeight(10000.0f), 0.17961, Digits5);
}

// Parent visits 20, children's amafVisits summing to 10, child (4, .75, 3, .6).
TEST(Bound, WorkedExampleWithBothVariancesCapped) {
    const float logN = static_cast<float>(std::log(20.0));
    const float logA = static_cast<float>(std::log(10.0));
    EXPECT_NEAR(AmafWeight(20.0f), 0.97129, Digits5);
    EXPECT_NEAR(logN, 2.99573, Digits5);
    EXPECT_NEAR(logA, 2.30259, Digits5);
    EXPECT_NEAR(VarianceEstimate(0.75f, logN, 4.0f), 1.41137, Digits5);
    EXPECT_NEAR(VarianceEstimate(0.6f, logA, 3.0f), 1.47897, Digits5);
    const Node child = MakeNode(4.0f, 0.75f, 3.0f, 0.6f);
    EXPECT_NEAR(BlendedBound(child, AmafWeight(20.0f), logN, logA), 1.04220, Digits5);
}

// Parent visits 10000 (beta .17961, logN ln 10000), amafVisits summing to 8000,
// child (5000, .9, 4000, .8). By hand: V = sqrt(2 logN / 5000) + .09 = .15070 and
// W = sqrt(2 ln 8000 / 4000) + .16 = .22703, both under the cap; B = .9 +
// sqrt(logN / 5000 * V) = .91666, A = .8 + sqrt(ln 8000 / 4000 * W) = .82259,
// score = .17961 A + .82039 B = .89976 (capping at .25 would give .90390).
TEST(Bound, VariancesBelowTheCapAreUsedAsTheyAre) {
    const float logN = static_cast<float>(std::log(10000.0));
    const float logA = static_cast<float>(std::log(8000.0));
    EXPECT_NEAR(VarianceEstimate(0.9f, logN, 5000.0f), 0.15070, Digits5);
    EXPECT_NEAR(VarianceEstimate(0.8f, logA, 4000.0f), 0.22703, Digits5);
    const Node child = MakeNode(5000.0f, 0.9f, 4000.0f, 0.8f);
    EXPECT_NEAR(BlendedBound(child, AmafWeight(10000.0f), logN, logA), 0.89976, Digits5);
}

// Over the cap the score is beta (w + sqrt(logA / 4m)) + (1 - beta) (v + sqrt(logN / 4n))
// whatever V and W are. Worked out in long double it must agree to double
// accuracy, which one float step inside the bound would miss by far.
TEST(Bound, ScoreIsWorkedOutInDouble) {
    const float beta = 0.7f;
    const float logN = 3.0f;
    const float logA = 3.4f;
    for (int k = 1; k <= 50; ++k) {
        const Node child = MakeNode(static_cast<float>(k), static_cast<float>(k % 7) / 7.0f,
                                    static_cast<float>(k + 2), 0.6f);
        const long double own = child.value + std::sqrt(logN / (4.0L * child.visits));
        const long double amaf = child.amafValue + std::sqrt(logA / (4.0L * child.amafVisits));
        const long double expected = beta * amaf + (1.0L - beta) * own;
        EXPECT_NEAR(BlendedBound(child, beta, logN, logA), static_cast<double>(expected), 1e-14)
            << "child visits " << k;
    }
}

// With logN = logA = 0 both bounds are the means, 0.5, and the blend
// beta/2 + (1 - beta)/2 is exact in double.
TEST(Bound, SingleVisitUnderASingleVisitScoresExactlyOneHalf) {
    const Node child = MakeNode(1.0f, 0.5f, 1.0f, 0.5f);
    EXPECT_EQ(BlendedBound(child, AmafWeight(1.0f), 0.0f, 0.0f), 0.5);
}

}  // namespace
}  // namespace nanaren
