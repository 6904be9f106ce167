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

}  // namespace
}  // namespace nanaren
