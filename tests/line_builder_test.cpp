#include "players/line_builder.h"

#include <gtest/gtest.h>

#include "board_test_util.h"
#include "core/random.h"
#include "game/notation.h"
#include "game/position.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

Vertex BuilderMove(const Board& board, int color, bool blocks) {
    const Position position(board, color);
    LineBuilder builder(blocks);
    Random random;
    SearchObserver quiet;
    return builder.Think(position, color, random, quiet).move;
}

TEST(LineBuilder, OpensInTheCentreAndExtendsItsBestWindow) {
    Board board;
    EXPECT_EQ(BuilderMove(board, Black, false), At(5, 5));
    // Row 5 holds three of Black's stones and nothing of White's; the empty
    // point of that row nearest the centre comes next.
    SetUpPosition(board, {"O", "+", "+", "+", "+ + + @ @ @", "+", "+", "+", "+ + + + O"});
    EXPECT_EQ(BuilderMove(board, Black, false), At(3, 5));
}

TEST(LineBuilder, AsABlockerStopsAWinInOneFirst) {
    Board board;
    SetUpPosition(board, {"+", "+ O O O O O O + +", "+", "+", "+ + + @ @ @"});
    EXPECT_EQ(BuilderMove(board, Black, false), At(3, 5)) << "the builder ignores it";
    const Vertex block = BuilderMove(board, Black, true);
    EXPECT_TRUE(block == At(1, 2) || block == At(8, 2)) << MoveText(block);
    // With a win of its own it takes that instead.
    SetUpPosition(board, {"+", "+ O O O O O O + +", "+", "+", "+ + @ @ @ @ @ @"});
    const Vertex win = BuilderMove(board, Black, true);
    EXPECT_TRUE(win == At(2, 5) || win == At(9, 5)) << MoveText(win);
}

}  // namespace
}  // namespace nanaren
