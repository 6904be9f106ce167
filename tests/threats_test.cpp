#include "players/threats.h"

#include <gtest/gtest.h>

#include "board_test_util.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

PointSet Points(std::initializer_list<Vertex> vertices) {
    PointSet set;
    for (const Vertex v : vertices)
        set.Add(v);
    return set;
}

TEST(WinningPoints, FollowTheLineRule) {
    Board board;
    SetUpPosition(board, {"+", "+ @ @ @ @ @ @ + +", "+", "+ @ @ @ @ @ @ + @", "+",
                          "O O O O O O + O +", "+", "+", "+ + @ @ @ @ @ @ +"});
    // Row 2 wins at either end; on row 4 the right end would make eight for
    // Black; row 9 is the first line.
    EXPECT_EQ(WinningPoints(board, Black), Points({At(1, 2), At(8, 2), At(1, 4)}));
    // White's eight on row 6 wins too.
    EXPECT_EQ(WinningPoints(board, White), Points({At(7, 6)}));
    board.SetKo(At(1, 2));
    EXPECT_FALSE(WinningPoints(board, Black).Contains(At(1, 2))) << "the ko point";
    EXPECT_TRUE(WaitingWinningPoints(board, Black).Contains(At(1, 2)))
        << "the ko point binds only the side to move";
}

TEST(Defences, ABlockOrACaptureThatBreaksTheLine) {
    Board board;
    // Black's diagonal six wins at 1-1 and at 8-8; its stone at 4-4 has one
    // liberty left, 4-5.
    SetUpPosition(
        board, {"+", "+ @", "+ + @ O", "+ + O @ O", "+ + + + @", "+ + + + + @", "+ + + + + + @"});
    ThreatSearch search(3);
    EXPECT_EQ(search.Defences(board, Black), Points({At(4, 5)}));
    // With a single winning point the block stops it too.
    board.SetCell(At(8, 8), White);
    board.SyncWithCells();
    EXPECT_EQ(search.Defences(board, Black), Points({At(1, 1), At(4, 5)}));
}

TEST(ForcedWin, AChainOfThreatsEachLeavingOneAnswer) {
    Board board;
    // Black's 7-5 makes a six on row 5 that White must block at 8-5, and a
    // five in column 7 that 7-6 then turns into two winning points.
    SetUpPosition(board, {"+", "+ + + + + + @", "+ + + + + + @", "+ + + + + + @",
                          "O @ @ @ @ @ + + +", "+", "+ + + + + + @"});
    ThreatSearch search(3);
    EXPECT_EQ(search.FindForcedWin(board, Black), At(7, 5));
    EXPECT_EQ(search.FindForcedWin(board, White), NoVertex);
    ThreatSearch shallow(1);
    EXPECT_EQ(shallow.FindForcedWin(board, Black), NoVertex) << "it takes two threats";
}

}  // namespace
}  // namespace nanaren
