#include "players/exact_player.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "board_test_util.h"
#include "game/position.h"
#include "players/exact_search.h"
#include "recording_observer.h"

namespace nanaren {
namespace {

using testing::At;
using testing::RecordingObserver;
using testing::SamePosition;
using testing::SetUpPosition;

// A position set up on mBoard, Black to move, searched by the exact player
// or worked on by its formulas directly.
class Search : public ::testing::Test {
  protected:
    // The exact search over a workspace that Begin has set on mBoard.
    ExactSearch& BeginSearch() {
        mWorkspace.Begin(mBoard, Black, mRandom);
        return mSearch;
    }

    std::vector<Vertex> ChildMoves(const Tree& tree, std::int32_t node) const {
        std::vector<Vertex> moves;
        for (std::int32_t c = tree.At(node).firstChild; c != NoNode; c = tree.At(c).nextSibling)
            moves.push_back(tree.At(c).move);
        return moves;
    }

    // Plays a few random legal moves from the empty board, alternating colours
    // from Black, so that Black is to move afterwards.
    void PlayRandomOpening(int moves, unsigned seed) {
        std::mt19937 rng(seed);
        int color = Black;
        for (int placed = 0; placed < moves;) {
            const int index = static_cast<int>(rng() % static_cast<unsigned>(mBoard.EmptyCount()));
            if (mBoard.Put(index, color) != Board::Success) continue;
            ++placed;
            color = Opposite(color);
        }
        if (color != Black) {
            ASSERT_EQ(mBoard.PutAt(mBoard.EmptyPoint(0), White), Board::Success);
        }
    }

    // Searches mBoard for Black with the given playouts, recording the
    // report, and plays the chosen move on mBoard: the move and its put
    // result go to mVertex and mResult.
    void Think(std::int32_t playouts) {
        mPlayer = std::make_unique<ExactPlayer>(ExactSettings{playouts});
        const Position position(mBoard, Black);
        mReport = RecordingObserver();
        mVertex = mPlayer->Think(position, Black, mRandom, mReport).move;
        mResult = mVertex == Pass ? Board::Success : mBoard.PutAt(mVertex, Black);
    }

    Board mBoard;
    Random mRandom;  // what the searches draw from
    SearchWorkspace mWorkspace;
    ExactSearch mSearch{mWorkspace};
    Tree& mTree = mWorkspace.GetTree();
    std::unique_ptr<ExactPlayer> mPlayer;
    RecordingObserver mReport;
    Vertex mVertex = 0;
    Board::PutResult mResult = Board::Failure;
};

// Black stones on every point but a lattice of single-point eyes, (x + 2y + 1)
// divisible by 6: no two eyes touch, so White has no legal move, and Black can
// fill some eyes without making seven.
void SetUpEyeLattice(Board& board, int stones) {
    SetUpPosition(board, {});
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if ((x + 2 * y + 1) % 6 != 0) board.SetCell(At(x, y), stones);
        }
    }
    board.ListEmptyPoints();
    board.SyncWithCells();
}

// ------------------------------------------------------------------ Expand

TEST_F(Search, TheRootGetsEveryLegalPointInListOrder) {
    ExactSearch& search = BeginSearch();
    const std::int32_t root = mTree.Root();
    search.Expand(root, Black);
    const std::vector<Vertex> moves = ChildMoves(mTree, root);
    ASSERT_EQ(moves.size(), 81u);
    for (int k = 0; k < 81; ++k)
        EXPECT_EQ(moves[k], GetVertex(k % 9 + 1, k / 9 + 1));
    const Node& first = mTree.At(mTree.At(root).firstChild);
    EXPECT_EQ(first.visits, 1.0f);
    EXPECT_EQ(first.value, 0.5f);
    EXPECT_EQ(first.amafVisits, 1.0f);
    EXPECT_EQ(first.amafValue, 0.5f);
    EXPECT_EQ(mWorkspace.WorkingBoard().EmptyCount(), 81) << "the board is restored";
}

TEST_F(Search, AnInnerNodeGetsOnlyPointsNextToAStone) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + + @"});
    ExactSearch& search = BeginSearch();
    const std::int32_t node = mTree.AddChild(mTree.Root(), static_cast<std::int16_t>(At(5, 5)));
    mTree.At(node).value = 0.25f;
    search.Expand(node, White);
    const std::vector<Vertex> expected = {At(4, 4), At(5, 4), At(6, 4), At(4, 5),
                                          At(6, 5), At(4, 6), At(5, 6), At(6, 6)};
    EXPECT_EQ(ChildMoves(mTree, node), expected);
    EXPECT_EQ(mTree.At(mTree.At(node).firstChild).value, 0.75f);
}

TEST_F(Search, AWinningCandidateBecomesTheOnlyChild) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +", "+ + + + @"});
    ExactSearch& search = BeginSearch();
    const std::int32_t node = mTree.AddChild(mTree.Root(), static_cast<std::int16_t>(At(5, 6)));
    const int freeBefore = mTree.FreeCount();
    search.Expand(node, White);
    // (1, 5) comes first in the list and wins; the points of row 4 before it
    // were candidates already.
    EXPECT_EQ(ChildMoves(mTree, node), std::vector<Vertex>{At(1, 5)});
    const Node& child = mTree.At(mTree.At(node).firstChild);
    EXPECT_EQ(child.visits, 1.0f);
    EXPECT_EQ(child.value, 1.0f);
    EXPECT_EQ(mTree.FreeCount(), freeBefore - 1) << "the children made before it were released";
    EXPECT_EQ(mWorkspace.WorkingBoard().Cell(At(1, 5)), Empty);
}

// ------------------------------------------------------------------- Think

TEST_F(Search, ANegativeCountPlaysTheFirstLegalPointWithoutIterating) {
    mBoard.SetKo(At(1, 1));  // makes the first point of the list illegal
    Think(-1);
    EXPECT_EQ(mReport.started, 1);
    EXPECT_TRUE(mReport.progress.empty());
    ASSERT_TRUE(mReport.estimate);
    EXPECT_EQ(mReport.estimate->winningRate, 50);
    EXPECT_EQ(mReport.estimate->expectedReply, NoVertex);
    EXPECT_EQ(mVertex, At(2, 1));
    EXPECT_EQ(mResult, Board::Success);
    EXPECT_EQ(mRandom.State(), Random::StartState) << "no playout ran";
}

TEST_F(Search, AWinningMoveIsPlayedAtOneHundredPercent) {
    SetUpPosition(mBoard, {"+", "@ @ @ @ @ @ + + +"});
    Think(30);
    // Thirty playouts make the interval 1: progress at every iteration.
    std::vector<std::int64_t> expected;
    for (int i = 0; i <= 30; ++i)
        expected.push_back(100 * i / 30);
    EXPECT_EQ(mReport.progress, expected);
    EXPECT_EQ((std::vector<std::int64_t>(expected.begin() + 1, expected.begin() + 5)),
              (std::vector<std::int64_t>{3, 6, 10, 13}));
    ASSERT_TRUE(mReport.estimate);
    EXPECT_EQ(mReport.estimate->winningRate, 100);
    EXPECT_EQ(mReport.estimate->expectedReply, NoVertex);
    EXPECT_EQ(mVertex, At(7, 2));
    EXPECT_EQ(mResult, Board::Win);
    EXPECT_EQ(mRandom.State(), Random::StartState) << "every iteration ends on the winning move";
}

TEST_F(Search, FewPlayoutsReportOnceAtZeroPercent) {
    for (const int playouts : {0, 7, 19}) {
        mBoard.ClearPosition();
        Think(playouts);
        EXPECT_EQ(mReport.progress, std::vector<std::int64_t>{0}) << playouts;
        EXPECT_EQ(mResult, Board::Success);
    }
}

TEST_F(Search, TheDefaultCountReportsEveryFivePercent) {
    Think(400);
    std::vector<std::int64_t> expected;
    for (int percent = 0; percent <= 100; percent += 5)
        expected.push_back(percent);
    EXPECT_EQ(mReport.progress, expected);
    EXPECT_EQ(mReport.finished, 1);
}

TEST_F(Search, TheBoardChangesOnlyByTheMoveAndItsCaptures) {
    PlayRandomOpening(24, 5);
    Board expected;
    expected.CopyPosition(mBoard);
    Think(300);
    ASSERT_NE(mVertex, Pass);
    EXPECT_EQ(expected.PutAt(mVertex, Black), mResult);
    EXPECT_TRUE(SamePosition(mBoard, expected));
}

TEST_F(Search, TheExpectedReplyIsTheMostVisitedAnswer) {
    Think(300);
    // 301 iterations over 81 children give the most visited one more than
    // three visits, so it was expanded and has an answer to report.
    ASSERT_TRUE(mReport.estimate);
    const Vertex reply = mReport.estimate->expectedReply;
    ASSERT_NE(reply, NoVertex);
    const Tree& tree = mPlayer->LastTree();
    const std::int32_t chosen = tree.BestChild(tree.Root());
    EXPECT_EQ(tree.At(chosen).move, mVertex);
    EXPECT_EQ(tree.At(tree.BestChild(chosen)).move, reply);
    EXPECT_EQ(mBoard.Cell(reply), Empty);
}

TEST_F(Search, WithoutALegalMoveTheComputerPasses) {
    SetUpEyeLattice(mBoard, White);
    Board before;
    before.CopyPosition(mBoard);
    Think(50);
    EXPECT_EQ(mReport.started, 1);
    EXPECT_TRUE(mReport.progress.empty());
    EXPECT_EQ(mReport.finished, 1);
    EXPECT_FALSE(mReport.estimate);
    EXPECT_EQ(mVertex, Pass);
    EXPECT_TRUE(SamePosition(mBoard, before));
    EXPECT_EQ(mRandom.State(), Random::StartState);
}

TEST_F(Search, ANodeWithoutCandidatesIsPlayedOutFromItself) {
    SetUpEyeLattice(mBoard, Black);
    ExactSearch& search = BeginSearch();
    const std::int32_t root = mTree.Root();
    search.Expand(root, Black);
    ASSERT_FALSE(mTree.IsLeaf(root));

    for (int i = 0; i < 60; ++i) {
        Iterate(mWorkspace, search);
        ASSERT_GE(mTree.PathLength(), 2);
        ASSERT_NE(mTree.PathAt(mTree.PathLength() - 1), NoNode);
        mWorkspace.RestoreStart();
    }
    // A child visited more than three times was expanded for White, who has
    // no legal move, and stayed a leaf.
    int expandedWithoutChildren = 0;
    for (std::int32_t c = mTree.At(root).firstChild; c != NoNode; c = mTree.At(c).nextSibling) {
        const Node& child = mTree.At(c);
        if (child.visits > 3.0f && mTree.IsLeaf(c)) ++expandedWithoutChildren;
        // White, without a move, loses every playout: the fresh child's half
        // point is the only loss in its mean.
        EXPECT_FLOAT_EQ(child.value, (child.visits - 0.5f) / child.visits);
    }
    EXPECT_GT(expandedWithoutChildren, 0);
}

TEST_F(Search, AFullStorePlaysOutInsteadOfExpanding) {
    ExactSearch& search = BeginSearch();
    const std::int32_t root = mTree.Root();
    search.Expand(root, Black);
    // Leave fewer free slots than the 80 children the next expansion could make.
    while (mTree.FreeCount() >= 80)
        mTree.Store().Allocate();
    const int freeBefore = mTree.FreeCount();

    for (int i = 0; i < 400; ++i) {
        Iterate(mWorkspace, search);
        mWorkspace.RestoreStart();
    }
    EXPECT_EQ(mTree.FreeCount(), freeBefore);
    for (std::int32_t c = mTree.At(root).firstChild; c != NoNode; c = mTree.At(c).nextSibling) {
        EXPECT_TRUE(mTree.IsLeaf(c));
    }
    EXPECT_GT(mTree.At(mTree.BestChild(root)).visits, 3.0f) << "a child met the expansion rule";
}

}  // namespace
}  // namespace nanaren
