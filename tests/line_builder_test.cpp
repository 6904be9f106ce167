#include "players/line_builder.h"

#include <gtest/gtest.h>

#include "board_test_util.h"
#include "game/notation.h"
#include "game/position.h"
#include "play/self_play.h"
#include "players/levels.h"
#include "players/registry.h"

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

#ifndef NANAREN_SANITIZED
// The strong player from level 3 up never loses to the line-builder, with or
// without its blocks, as either colour. A handful of seeds; the closing
// matches of the README play many more.
TEST(LineBuilder, NeverWinsFromLevelThreeUp) {
    for (int level = 3; level <= LevelCount; ++level) {
        for (const char* builder : {"builder", "blocker"}) {
            for (int game = 0; game < 2; ++game) {
                const bool strongIsBlack = game % 2 == 0;
                std::array<std::unique_ptr<Player>, 2> players;
                players[strongIsBlack ? 0 : 1] =
                    MakePlayer(*ParsePlayer("level:" + std::to_string(level)));
                players[strongIsBlack ? 1 : 0] = MakePlayer(*ParsePlayer(builder));
                SelfPlay play(std::move(players), 1733700000 + level * 10 + game);
                SearchObserver quiet;
                while (!play.IsOver())
                    play.PlayMove(quiet);
                EXPECT_EQ(play.Winner(), strongIsBlack ? Black : White)
                    << "level " << level << " against the " << builder << ", game " << game << ": "
                    << play.GetPosition().Record();
            }
        }
    }
}
#endif

}  // namespace
}  // namespace nanaren
