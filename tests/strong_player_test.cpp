#include "players/strong_player.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "board_test_util.h"
#include "game/notation.h"
#include "game/position.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

// The strong player's move for color in a position drawn as rows of text.
SearchResult Choose(std::initializer_list<std::string_view> rows, int color,
                    std::int32_t playouts = 200) {
    Board board;
    SetUpPosition(board, rows);
    const Position position(board, color);
    StrongSettings settings;
    settings.playouts = playouts;
    StrongPlayer player(settings);
    Random random;
    SearchObserver quiet;
    return player.Think(position, color, random, quiet);
}

TEST(StrongPlayer, TakesItsWin) {
    const SearchResult r =
        Choose({"+", "+ + O", "+ + O O", "+", "+ @ @ @ @ @ @ + +", "+", "+ + O O"}, Black);
    EXPECT_TRUE(r.move == At(1, 5) || r.move == At(8, 5)) << MoveText(r.move);
    ASSERT_TRUE(r.estimate.has_value());
    EXPECT_EQ(r.estimate->winningRate, 100);
}

// The root's statistics: the move played first, the visits adding up to the
// iterations, the priors to one, and each line a path of moves from the root.
TEST(StrongPlayer, ReportsItsCandidatesWithTheirLines) {
    Board board;
    SetUpPosition(board, {"+", "+", "+", "+ + + @ @ @ @ @ +", "+ + + O O O"});
    const Position position(board, White);
    StrongSettings settings;
    settings.playouts = 400;
    StrongPlayer player(settings);
    Random random;
    SearchObserver quiet;
    const SearchResult result = player.Think(position, White, random, quiet);
    const std::vector<Candidate> candidates = player.Candidates(8);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front().move, result.move);
    int visits = 0;
    double priors = 0.0;
    for (const Candidate& c : candidates) {
        visits += c.visits;
        priors += c.prior;
        ASSERT_FALSE(c.line.empty());
        EXPECT_EQ(c.line.front(), c.move);
        EXPECT_LE(c.line.size(), 8u);
        EXPECT_GE(c.winRate, 0.0);
        EXPECT_LE(c.winRate, 1.0);
    }
    EXPECT_NEAR(priors, 1.0, 1e-6);
    // Each child starts with at least one visit, virtual wins aside, and each
    // of the 401 iterations adds one.
    EXPECT_GE(visits, 401);
    EXPECT_GE(candidates.front().line.size(), 2u) << "the most visited move grew replies";
}

TEST(StrongPlayer, BlocksAWinInOne) {
    const SearchResult r =
        Choose({"+", "+ + O", "+", "+", "+ @ @ @ @ @ @ O +", "+", "+ + O O"}, White);
    EXPECT_EQ(r.move, At(1, 5)) << MoveText(r.move);
}

// Black's five in the middle of row 5 becomes two winning points unless White
// takes a point beside it now.
TEST(StrongPlayer, StopsALineBeforeItHasTwoWinningPoints) {
    const SearchResult r = Choose({"+", "+ + O", "+", "+", "+ + @ @ @ @ @ + +", "+", "+"}, White);
    EXPECT_TRUE(r.move == At(2, 5) || r.move == At(8, 5)) << MoveText(r.move);
}

// Black's diagonal six wins at either end; only taking its stone at 4-4,
// whose last liberty is 4-5, stops it.
TEST(StrongPlayer, BreaksALineByCaptureWhereNothingElseStopsIt) {
    const SearchResult r = Choose(
        {"+", "+ @", "+ + @ O", "+ + O @ O", "+ + + + @", "+ + + + + @", "+ + + + + + @"}, White);
    EXPECT_EQ(r.move, At(4, 5)) << MoveText(r.move);
}

// 7-5 forces White's block at 8-5, after which 7-6 makes two winning points.
TEST(StrongPlayer, FindsAForcedWinByConsecutiveThreats) {
    const SearchResult r = Choose({"+", "+ + + + + + @", "+ + + + + + @", "+ + + + + + @",
                                   "O @ @ @ @ @ + + +", "+", "+ + + + O + @", "+ O"},
                                  Black);
    EXPECT_EQ(r.move, At(7, 5)) << MoveText(r.move);
    ASSERT_TRUE(r.estimate.has_value());
    EXPECT_EQ(r.estimate->winningRate, 100);
}

// A search split into lanes plays the same move, with the same statistics at
// the root, however many threads run the lanes: each lane's generator is
// drawn in lane order and the roots are merged in lane order.
TEST(StrongPlayer, PlaysTheSameMoveOnOneTwoOrFourThreads) {
    Board board;
    SetUpPosition(board, {"+", "+ + + O", "+ + @ @ O", "+ + O @ @ +", "+ + + @ O @", "+ + + + O"});
    const Position position(board, Black);
    StrongSettings settings;
    settings.playouts = 600;
    settings.lanes = 3;
    settings.learnedPrior = 10;
    std::vector<std::vector<Candidate>> seen;
    std::vector<SearchResult> results;
    for (const int threads : {1, 2, 4}) {
        StrongPlayer player(settings, threads);
        Random random;
        random.Seed(7);
        SearchObserver quiet;
        results.push_back(player.Think(position, Black, random, quiet));
        seen.push_back(player.Candidates(4));
    }
    for (std::size_t i = 1; i < results.size(); ++i) {
        EXPECT_EQ(results[i].move, results[0].move);
        ASSERT_TRUE(results[i].estimate && results[0].estimate);
        EXPECT_EQ(results[i].estimate->winningRate, results[0].estimate->winningRate);
        EXPECT_EQ(results[i].estimate->expectedReply, results[0].estimate->expectedReply);
        ASSERT_EQ(seen[i].size(), seen[0].size());
        for (std::size_t c = 0; c < seen[0].size(); ++c) {
            EXPECT_EQ(seen[i][c].move, seen[0][c].move);
            EXPECT_EQ(seen[i][c].visits, seen[0][c].visits);
            EXPECT_EQ(seen[i][c].winRate, seen[0][c].winRate);
            EXPECT_EQ(seen[i][c].line, seen[0][c].line);
        }
    }
    // Every lane's iterations count: 600 playouts are 603 iterations over
    // three lanes, on top of each child's first visits in each lane.
    int visits = 0;
    for (const Candidate& c : seen[0])
        visits += c.visits;
    EXPECT_GE(visits, 603);
}

// An analysis that stops a search early stops every lane, those of other
// threads too, which no longer run their share.
TEST(StrongPlayer, StopsEveryLaneWhenTheObserverAsks) {
    struct StopAtOnce : SearchObserver {
        bool ShouldStop() override { return true; }
    };
    const Position empty;
    StrongSettings settings;
    settings.playouts = 100000;
    settings.lanes = 4;
    settings.threatPrior = 0;
    StrongPlayer player(settings, 2);
    Random random;
    StopAtOnce stop;
    player.Think(empty, Black, random, stop);
    int visits = 0;
    for (const Candidate& c : player.Candidates(1))
        visits += c.visits;
    // Each child's first visit in each lane (81 children, four lanes), and
    // what the other thread's lanes ran before they saw the stop.
    EXPECT_GE(visits, 4 * 81);
    EXPECT_LT(visits, 4 * 81 + settings.playouts / 2);
}

}  // namespace
}  // namespace nanaren
