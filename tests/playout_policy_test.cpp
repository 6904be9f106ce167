#include <gtest/gtest.h>

#include <random>

#include "policy_fixture.h"

namespace nanaren {
namespace {

using testing::At;
using testing::IsConsistent;
using testing::Lines;
using testing::SetUpPosition;
using testing::Threats;
using testing::WorkingBoard;

class Policy : public testing::PolicyTest {};

// --------------------------------------------------------------- PutAndCheck

TEST_F(Policy, ACaptureThatOpensAThreatSetsTheFlag) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ @ @ @ O @ @ @ +"});
    ASSERT_EQ(mPolicy.PutAndCheck(At(5, 6), Black), Board::Success);
    EXPECT_EQ(mBoard.Cell(At(5, 5)), Empty);
    EXPECT_EQ(Threats(mPolicy)[ColorIndex(Black)], 1);
    EXPECT_EQ(Lines(mPolicy)[ColorIndex(Black)].len, 6);
}

TEST_F(Policy, AMoveWithoutCaptureSearchesNothing) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ @ @ @ + @ @ @ +"});
    Lines(mPolicy)[ColorIndex(Black)].len = 99;
    ASSERT_EQ(mPolicy.PutAndCheck(At(5, 8), Black), Board::Success);
    EXPECT_EQ(Threats(mPolicy)[ColorIndex(Black)], 0);
    EXPECT_EQ(Lines(mPolicy)[ColorIndex(Black)].len, 99);
}

// ---------------------------------------------------------------- BlockSeven

TEST_F(Policy, BlockSevenStopsSixAtTheEndOfTheLastMove) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +"});
    SetRecord({At(7, 5)});
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Success);
    EXPECT_EQ(mBoard.Cell(At(8, 5)), Black);
    EXPECT_EQ(RandomState(), Random::StartState) << "blocking draws no random number";
}

TEST_F(Policy, BlockSevenFindsNothingFromInsideTheSix) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +"});
    SetRecord({At(4, 5)});
    EXPECT_FALSE(mPolicy.BlockSeven(Black).has_value());
}

TEST_F(Policy, BlockSevenLeavesBlacksEightButBlocksWhites) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ @ @ @ @ @ @ + @"});
    SetRecord({At(7, 5)});
    EXPECT_FALSE(mPolicy.BlockSeven(White).has_value());

    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + O"});
    SetRecord({At(7, 5)});
    const auto blocked = mPolicy.BlockSeven(Black);
    ASSERT_TRUE(blocked.has_value());
    EXPECT_EQ(*blocked, Board::Success);
    EXPECT_EQ(mBoard.Cell(At(8, 5)), Black);
}

TEST_F(Policy, BlockSevenSkipsRaysThatStartAlongTheFirstLine) {
    SetUpPosition(mBoard, {"+ O O O O O O + +"});
    SetRecord({At(7, 1)});
    EXPECT_FALSE(mPolicy.BlockSeven(Black).has_value());
    // Also when the second point of the ray is the wall.
    SetUpPosition(mBoard, {"+", "+ + O O O O O O +"});
    SetRecord({At(8, 2)});
    EXPECT_FALSE(mPolicy.BlockSeven(Black).has_value());
}

TEST_F(Policy, AnIllegalBlockLosesTheMove) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +"});
    SetRecord({At(7, 5)});
    mBoard.SetKo(At(8, 5));
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Failure);
    EXPECT_EQ(mBoard.Cell(At(8, 5)), Empty);
    EXPECT_EQ(mPolicy.Playout(Black), 0.0f) << "the computer, Black, has no move";
}

// ------------------------------------------------------------- ReplyToAtari

TEST_F(Policy, CapturesComeBeforeEscapes) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + O @", "+ + O @ O @"});
    SetRecord({At(5, 5)});
    ASSERT_EQ(mBoard.FindSingleLiberty(At(4, 5), Black), At(4, 6)) << "an escape is pending";
    EXPECT_EQ(mPolicy.ReplyToAtari(Black), Board::Success);
    EXPECT_EQ(mBoard.Cell(At(5, 6)), Black);
    EXPECT_EQ(mBoard.Cell(At(5, 5)), Empty);
    EXPECT_EQ(mBoard.Cell(At(4, 6)), Empty);
}

TEST_F(Policy, AnOwnStoneNextToTheLastMoveEscapes) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + O +", "+ + O @ O +"});
    SetRecord({At(5, 5)});
    EXPECT_EQ(mPolicy.ReplyToAtari(Black), Board::Success);
    EXPECT_EQ(mBoard.Cell(At(4, 6)), Black);
}

TEST_F(Policy, NothingInAtariIsNoReply) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + @ O"});
    SetRecord({At(4, 5), At(5, 5)});
    EXPECT_EQ(mPolicy.ReplyToAtari(Black), Board::Failure);
    EXPECT_EQ(RandomState(), Random::StartState);
}

// ------------------------------------------------------ extension and threats

TEST_F(Policy, AnOpenFiveIsExtendedAtTheBackwardEndAndJudged) {
    SetUpPosition(mBoard, {"+ + + + + + + + O", "+", "+", "+", "+ + @ @ @ @ @ + +"});
    SetRecord({At(5, 5), At(9, 1)});
    // The extension makes an open six (one gap counted), so one quiet reply
    // of White ends the judgement in Black's favour.
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Win);
    EXPECT_EQ(mBoard.Cell(At(2, 5)), Black);
    EXPECT_EQ(CountStones(White), 2);
}

TEST_F(Policy, WithOneMoveRecordedTheMoveIsDrawnFromTheWholeList) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + + O"});
    SetRecord({At(5, 5)});
    // The first draw (723471715) is the local-move coin, which finds no
    // candidates; the second (2497366906) picks list entry 2497366906 % 80 =
    // 26, the point (9,3) of the row-major list.
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Success);
    EXPECT_EQ(mBoard.Cell(At(9, 3)), Black);
    EXPECT_EQ(RandomState(), 2497366906u);
}

TEST_F(Policy, TenEnclosedDrawsLeaveTheMoverWithoutAMove) {
    // Every empty point but (1,1) lies between White stones across a column.
    SetUpPosition(mBoard, {
                              "+ O @ O @ O @ O @",
                              "O + O + O + O + O",
                              "@ O @ O @ O @ O @",
                              "O + O + O + O + O",
                              "@ O @ O @ O @ O @",
                              "O + O + O + O + O",
                              "@ O @ O @ O @ O @",
                              "O + O + O + O + O",
                              "@ O @ O @ O @ O @",
                          });
    ASSERT_EQ(mBoard.EmptyCount(), 17);
    ASSERT_FALSE(mBoard.IsEnclosed(At(1, 1), Black));
    for (int k = 0; k < 16; ++k)
        ASSERT_TRUE(mBoard.IsEnclosed(mBoard.EmptyPoint(k + 1), Black));

    // A generator state whose ten draws after the local-move coin all miss
    // entry 0, the free point.
    const auto missesTheFreePoint = [](std::uint32_t state) {
        Random random;
        random.Restore(state);
        random.Next();
        for (int i = 0; i < 10; ++i) {
            if (random.Next() % 17 == 0) return false;
        }
        return true;
    };
    std::uint32_t state = Random::StartState;
    while (!missesTheFreePoint(state))
        state = testing::StateAfter(state, 1);
    mPolicy.GetRandom().Restore(state);
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Failure);
    EXPECT_EQ(RandomState(), testing::StateAfter(state, 11));
    EXPECT_EQ(mBoard.EmptyCount(), 17);
}

TEST_F(Policy, AMoverWithAThreatFlagIsJudgedAfterItsMove) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + + O"});
    SetRecord({At(5, 5)});
    Threats(mPolicy)[ColorIndex(Black)] = 1;
    LineInfo& line = Lines(mPolicy)[ColorIndex(Black)];
    line.edge = {At(4, 4), At(3, 4)};
    line.dir = Right;
    line.space = 1;
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Win);
    EXPECT_EQ(CountStones(Black), 1);
    EXPECT_EQ(CountStones(White), 2) << "one reply of White ends a judgement of one gap";
}

TEST_F(Policy, AThreatWhoseEndRunsAlongTheEdgeIsNotJudged) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + + O"});
    SetRecord({At(5, 5)});
    Threats(mPolicy)[ColorIndex(Black)] = 1;
    LineInfo& line = Lines(mPolicy)[ColorIndex(Black)];
    line.edge = {At(1, 4), At(1, 8)};
    line.dir = Up;
    EXPECT_EQ(mPolicy.PlayoutMove(Black), Board::Success);
    EXPECT_EQ(CountStones(White), 1);
}

// ------------------------------------------------------------- JudgeThreat

TEST_F(Policy, TwoGapsNeedTwoQuietReplies) {
    Lines(mPolicy)[ColorIndex(Black)].space = 2;
    EXPECT_EQ(mPolicy.JudgeThreat(Black), Board::Win);
    EXPECT_EQ(CountStones(White), 2);
    EXPECT_EQ(CountStones(Black), 0);
}

TEST_F(Policy, AWinningReplyRefutesTheThreatUnlessItHasNoGap) {
    const std::initializer_list<std::string_view> rows = {
        "@ @ @ @ @ @ @ @ @", "@ @ @ @ @ @ @ @ @", "@ @ @ @ @ @ @ @ @",
        "@ @ @ @ @ @ @ @ @", "O O O O O O + @ @", "@ @ @ @ @ @ @ @ @",
        "@ @ @ @ @ @ @ @ @", "@ @ @ @ @ @ @ @ @", "@ @ @ @ @ @ @ @ @",
    };
    SetUpPosition(mBoard, rows);
    ASSERT_FALSE(mBoard.IsEnclosed(At(7, 5), Black));
    Lines(mPolicy)[ColorIndex(Black)].space = 1;
    EXPECT_EQ(mPolicy.JudgeThreat(Black), Board::Failure);
    EXPECT_EQ(mBoard.Cell(At(7, 5)), White);

    SetUpPosition(mBoard, rows);
    Lines(mPolicy)[ColorIndex(Black)].space = 0;
    EXPECT_EQ(mPolicy.JudgeThreat(Black), Board::Win);
}

TEST_F(Policy, RepliesRunOutAfterOneDrawMoreThanTheEmptyPoints) {
    // White's only two points are suicide: Black's one group keeps the other.
    SetUpPosition(mBoard, {
                              "@ @ @ @ @ @ @ @ @",
                              "@ + @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ @ @",
                              "@ @ @ @ @ @ @ + @",
                              "@ @ @ @ @ @ @ @ @",
                          });
    Lines(mPolicy)[ColorIndex(Black)].space = 3;
    EXPECT_EQ(mPolicy.JudgeThreat(Black), Board::Win);
    EXPECT_EQ(mBoard.EmptyCount(), 2);
    EXPECT_EQ(RandomState(), testing::StateAfter(Random::StartState, 3));
}

// Every point holds a stone, the colours alternating.
void FillBoard(Board& board) {
    SetUpPosition(board, {});
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x)
            board.SetCell(At(x, y), (x + y) % 2 ? Black : White);
    }
    board.ListEmptyPoints();
    board.SyncWithCells();
}

TEST_F(Policy, AFullBoardLeavesNoReplyAndTheThreatWins) {
    FillBoard(mBoard);
    Lines(mPolicy)[ColorIndex(Black)].space = 1;
    EXPECT_EQ(mPolicy.JudgeThreat(Black), Board::Win);
}

// ------------------------------------------------------------------ Playout

TEST_F(Policy, AFullBoardLosesForTheSideToMove) {
    FillBoard(mBoard);
    SetRecord({At(1, 1)});
    EXPECT_EQ(mPolicy.PlayoutMove(White), Board::Failure);
    EXPECT_EQ(mPolicy.Playout(Black), 0.0f) << "the computer plays Black";
    EXPECT_EQ(mPolicy.Playout(White), 1.0f);
}

TEST(PlayoutProperty, EndsScoredWithNoMarkLeft) {
    PlayoutPolicy policy;
    policy.SetMyColor(White);
    policy.GetRandom().Seed(0);
    std::mt19937 rng(77);
    int undecided = 0;
    int decided = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        Board& board = WorkingBoard(policy);
        board.ClearPosition();
        Threats(policy) = {0, 0};
        int color = Black;
        const int moves = 1 + static_cast<int>(rng() % 50);
        for (int placed = 0; placed < moves && board.EmptyCount() > 0;) {
            const int index = static_cast<int>(rng() % static_cast<unsigned>(board.EmptyCount()));
            const Board::PutResult r = board.Put(index, color);
            if (r == Board::Win) {
                board.ClearPosition();
                placed = 0;
                color = Black;
            } else if (r == Board::Success) {
                ++placed;
                color = Opposite(color);
            }
        }
        const int recordBefore = board.RecordSize();
        const float result = policy.Playout(color);
        ASSERT_TRUE(result == 0.0f || result == 0.5f || result == 1.0f) << result;
        for (Vertex v = 0; v < MaxVertexSize; ++v)
            ASSERT_NE(board.Cell(v), Mark);
        if (result == 0.5f) {
            ++undecided;
            EXPECT_EQ(board.RecordSize() - recordBefore, PlayoutMoveLimit + 1);
            ASSERT_TRUE(IsConsistent(board));
        } else {
            ++decided;
        }
    }
    EXPECT_GT(undecided, 0);
    EXPECT_GT(decided, 0);
}

}  // namespace
}  // namespace nanaren
