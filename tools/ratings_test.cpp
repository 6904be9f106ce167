#include "ratings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "match_stats.h"

namespace nanaren::match {
namespace {

// The model's expected score of a player rated difference Elo above another,
// written out here as the rating's definition rather than taken from the code.
double ExpectedScore(double difference) {
    return 1.0 / (1.0 + std::pow(10.0, -difference / 400.0));
}

// 75% is odds of 3 to 1, so 400 log10(3) = 190.85.
TEST(Elo, OfAScoreIsTheLogOddsOnTheEloScale) {
    EXPECT_NEAR(EloOfScore(0.75), 190.85, 0.005);
    EXPECT_NEAR(EloOfScore(0.25), -190.85, 0.005);
    EXPECT_DOUBLE_EQ(EloOfScore(0.5), 0.0);
    for (const double score : {0.01, 0.3, 0.62, 0.999}) {
        EXPECT_NEAR(EloOfScore(1.0 - score), -EloOfScore(score), 1e-9) << score;
        EXPECT_NEAR(ExpectedScore(EloOfScore(score)), score, 1e-12) << score;
    }
    EXPECT_TRUE(std::isinf(EloOfScore(1.0)) && EloOfScore(1.0) > 0.0);
    EXPECT_TRUE(std::isinf(EloOfScore(0.0)) && EloOfScore(0.0) < 0.0);
}

// Wilson's textbook bounds for 8 of 10 (0.4902, 0.9433) and 10 of 10 (0.7225,
// 1) come back as the expected scores of the Elo interval's bounds.
TEST(Elo, IntervalIsTheWilsonIntervalOnTheEloScale) {
    const Interval eight = EloInterval(WilsonInterval(0.8, 10));
    EXPECT_NEAR(ExpectedScore(eight.low), 0.4902, 1e-4);
    EXPECT_NEAR(ExpectedScore(eight.high), 0.9433, 1e-4);
    const Interval all = EloInterval(WilsonInterval(1.0, 10));
    EXPECT_NEAR(ExpectedScore(all.low), 0.7225, 1e-4);
    EXPECT_TRUE(std::isinf(all.high) && all.high > 0.0);
}

// For every player, what the ratings expect it to score over its games is
// what it scored: the likelihood equations.
void ExpectLikelihoodEquations(const RatingTable& table, const std::vector<PairResult>& results) {
    std::vector<double> expected(table.ratings.size(), 0.0);
    std::vector<double> actual(table.ratings.size(), 0.0);
    for (const PairResult& r : results) {
        const double e = ExpectedScore(table.ratings[r.first].elo - table.ratings[r.second].elo);
        expected[r.first] += r.games * e;
        expected[r.second] += r.games * (1.0 - e);
        actual[r.first] += r.points;
        actual[r.second] += r.games - r.points;
    }
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(expected[i], actual[i], 1e-9) << "player " << i;
}

const std::vector<PairResult> ThreePlayers = {{0, 1, 10, 6.0}, {0, 2, 8, 2.5}, {1, 2, 6, 1.0}};

TEST(Ratings, SatisfyTheLikelihoodEquationsWithTheFirstPlayerAtZero) {
    const RatingTable table = FitRatings(3, ThreePlayers);
    ASSERT_EQ(table.ratings.size(), 3u);
    EXPECT_FALSE(table.virtualDraws);
    ExpectLikelihoodEquations(table, ThreePlayers);
    EXPECT_EQ(table.ratings[0].elo, 0.0);
    EXPECT_EQ(table.ratings[0].interval.low, 0.0);
    EXPECT_EQ(table.ratings[0].interval.high, 0.0);
    for (const Rating& r : table.ratings) {
        EXPECT_LE(r.interval.low, r.elo);
        EXPECT_GE(r.interval.high, r.elo);
    }
}

// Listing player 2 first anchors it instead, and moves nothing else.
TEST(Ratings, TheAnchorShiftsEveryRatingAlike) {
    const auto relabel = [](int player) { return (player + 1) % 3; };
    std::vector<PairResult> relabelled;
    for (const PairResult& r : ThreePlayers)
        relabelled.push_back({relabel(r.first), relabel(r.second), r.games, r.points});
    const RatingTable original = FitRatings(3, ThreePlayers);
    const RatingTable shifted = FitRatings(3, relabelled);
    EXPECT_EQ(shifted.ratings[0].elo, 0.0);
    const double shift = original.ratings[2].elo;
    for (int player = 0; player < 3; ++player) {
        EXPECT_NEAR(shifted.ratings[relabel(player)].elo, original.ratings[player].elo - shift,
                    1e-6);
    }
}

// Two players: the rating is Elo(score), and the interval is 1.96 standard
// errors of a binomial's log-odds, 1 / sqrt(n p (1 - p)), on the Elo scale.
TEST(Ratings, OfTwoPlayersAreTheEloOfTheScore) {
    const RatingTable table = FitRatings(2, {{0, 1, 4, 1.0}});
    EXPECT_NEAR(table.ratings[1].elo, 190.85, 0.005);
    const double halfWidth = Z95 * 400.0 / std::log(10.0) / std::sqrt(4 * 0.75 * 0.25);
    EXPECT_NEAR(table.ratings[1].interval.high - table.ratings[1].elo, halfWidth, 1e-6);
    EXPECT_NEAR(table.ratings[1].elo - table.ratings[1].interval.low, halfWidth, 1e-6);
}

void ExpectFinite(const RatingTable& table) {
    for (const Rating& r : table.ratings) {
        EXPECT_TRUE(std::isfinite(r.elo));
        EXPECT_TRUE(std::isfinite(r.interval.low) && std::isfinite(r.interval.high));
    }
}

TEST(Ratings, StayFiniteAndOrderedWhenAPlayerWinsEveryGame) {
    const RatingTable two = FitRatings(2, {{0, 1, 10, 10.0}});
    EXPECT_TRUE(two.virtualDraws);
    ExpectFinite(two);
    EXPECT_LT(two.ratings[1].elo, -190.0) << "ten wins say more than three of four";

    const std::vector<PairResult> loser = {{0, 1, 10, 6.0}, {0, 2, 10, 10.0}, {1, 2, 10, 10.0}};
    const RatingTable three = FitRatings(3, loser);
    EXPECT_TRUE(three.virtualDraws);
    ExpectFinite(three);
    EXPECT_LT(three.ratings[2].elo, three.ratings[1].elo);
    EXPECT_LT(three.ratings[1].elo, three.ratings[0].elo);
}

// Players 0 and 1 share their games but win every one against 2 and 3: no
// single player is unbeaten or winless, yet the gap between the pairs is
// unbounded.
TEST(Ratings, NeedTheVirtualDrawsWhenAGroupWinsEveryGame) {
    const std::vector<PairResult> groups = {{0, 1, 4, 2.0}, {2, 3, 4, 1.5}, {0, 2, 4, 4.0},
                                            {0, 3, 4, 4.0}, {1, 2, 4, 4.0}, {1, 3, 4, 4.0}};
    const RatingTable table = FitRatings(4, groups);
    EXPECT_TRUE(table.virtualDraws);
    ExpectFinite(table);
    EXPECT_GT(table.ratings[1].elo, table.ratings[2].elo);
}

}  // namespace
}  // namespace nanaren::match
