#include "sprt.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nanaren::match {
namespace {

// A pair's t-value per normalized Elo: a pair's deviation is a game's over
// the square root of 2, and normalized Elo is t scaled by 800 / ln 10.
double PairT(double elo) {
    return elo * std::sqrt(2.0) * std::log(10.0) / 800.0;
}

// When pairs are only lost or won twice, every distribution is one of two
// points, and the t-value alone fixes its mean: (p - 1/2) / sqrt(p (1 - p))
// = t gives p = 1/2 + t / (2 sqrt(1 + t^2)). The LLR is then the binomial
// one, written out here by hand.
TEST(Sprt, LlrOfPairsThatAreAllOrNothingIsTheBinomialOne) {
    const auto mean = [](double elo) {
        const double t = PairT(elo);
        return 0.5 + t / (2.0 * std::sqrt(1.0 + t * t));
    };
    const double p0 = mean(0.0);
    const double p1 = mean(20.0);
    const double expected = 40 * std::log((1 - p1) / (1 - p0)) + 60 * std::log(p1 / p0);
    // The outcomes never seen count a thousandth of a pair each, which moves
    // the value by less than that.
    EXPECT_NEAR(PentanomialLlr({40, 0, 0, 0, 60}, 0.0, 20.0), expected, 2e-3);
    // p1 = 0.54057: 40 ln(0.45943 / 0.5) + 60 ln(0.54057 / 0.5), worked out apart.
    EXPECT_NEAR(expected, 1.2961, 1e-4);
    EXPECT_NEAR(PentanomialLlr({60, 0, 0, 0, 40}, -20.0, 0.0), -expected, 2e-3);
}

// For many pairs and close hypotheses the LLR approaches the normal
// approximation: N (mu1 - mu0) (2 m - mu0 - mu1) / (2 var), with mu_k =
// 1/2 + t_k sd, from the sample's mean m and variance var.
TEST(Sprt, LlrOfManyPairsApproachesTheNormalApproximation) {
    const Pentanomial pairs = {100, 400, 1000, 460, 110};
    double n = 0, sum = 0, squares = 0;
    for (int i = 0; i < 5; ++i) {
        n += pairs[i];
        sum += pairs[i] * i / 4.0;
        squares += pairs[i] * (i / 4.0) * (i / 4.0);
    }
    const double m = sum / n;
    const double variance = squares / n - m * m;
    for (const auto& [elo0, elo1] :
         {std::pair{0.0, 5.0}, std::pair{-5.0, 0.0}, std::pair{0.0, 10.0}}) {
        const double mu0 = 0.5 + PairT(elo0) * std::sqrt(variance);
        const double mu1 = 0.5 + PairT(elo1) * std::sqrt(variance);
        const double approximate = n * (mu1 - mu0) * (2 * m - mu0 - mu1) / (2 * variance);
        EXPECT_NEAR(PentanomialLlr(pairs, elo0, elo1), approximate, 0.02 * std::abs(approximate))
            << elo0 << " " << elo1;
    }
}

TEST(Sprt, BoundsAndDecisions) {
    const SprtSettings settings{0.0, 20.0, 0.05, 0.05};
    const Interval bounds = LlrBounds(settings);
    EXPECT_NEAR(bounds.low, -2.9444, 1e-4);
    EXPECT_NEAR(bounds.high, 2.9444, 1e-4);
    EXPECT_EQ(StateOf(settings, {40, 0, 0, 0, 60}), SprtState::Continue);
    EXPECT_EQ(StateOf(settings, {100, 0, 0, 0, 150}), SprtState::AcceptH1);
    EXPECT_EQ(StateOf(settings, {150, 0, 0, 0, 100}), SprtState::AcceptH0);
    const auto parsed = ParseSprt({"elo1=10", "alpha=0.1", "elo0=-2"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->elo0, -2.0);
    EXPECT_NEAR(parsed->alpha, 0.1, 1e-7);
    EXPECT_EQ(parsed->beta, 0.05);
    EXPECT_FALSE(ParseSprt({"elo0=5", "elo1=5"}));
    EXPECT_FALSE(ParseSprt({"gamma=1"}));
    EXPECT_FALSE(ParseSprt({"alpha=0.7"}));
}

GameRecord Game(int index, int winner) {
    return {index, {index, index % 2}, winner, {}};
}

// Side 0 is Black in even games. Pair 0: it wins both; pair 1: it loses
// as Black and draws as White (1/4); pair 2 has one game only.
TEST(Sprt, PairsAreScoredForSideZeroAndIncompleteOnesLeftOut) {
    const Pentanomial pairs = PentanomialOf(
        {Game(0, Black), Game(1, White), Game(2, White), Game(3, Empty), Game(4, Black)});
    EXPECT_EQ(pairs, (Pentanomial{0, 1, 0, 0, 1}));
    // Scores 1/4, 3/4, 1, 1: mean 3/4 (+190.8 Elo), variance 0.09375, so the
    // normalized Elo is 0.25 / sqrt(0.1875) * 800 / ln 10 = +200.6.
    const PairElo elo = PairEloOf({0, 1, 0, 1, 2});
    EXPECT_NEAR(elo.elo, 190.85, 0.01);
    EXPECT_NEAR(elo.normalized, 200.59, 0.01);
    EXPECT_LT(elo.interval.low, elo.elo);
    EXPECT_TRUE(std::isinf(elo.interval.high));
}

}  // namespace
}  // namespace nanaren::match
