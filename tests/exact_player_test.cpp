#include "players/exact_player.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board_test_util.h"
#include "game/position.h"
#include "messages.h"
#include "report_printer.h"
#include "search/tree.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SamePosition;
using testing::SetUpPosition;

// The exact player for Black with the default playout count, its working
// board empty.
class Search : public ::testing::Test {
  protected:
    ExactPlayer mUct;
    Board& mBoard = mUct.mPolicy.mBoard;

    std::vector<Vertex> ChildMoves(std::int32_t node) const {
        std::vector<Vertex> moves;
        for (std::int32_t c = Tree().At(node).firstChild; c != NoNode;
             c = Tree().At(c).nextSibling) {
            moves.push_back(Tree().At(c).move);
        }
        return moves;
    }

    nanaren::Tree& Tree() const { return *mUct.mTree; }

    // Plays a few random legal moves from the empty board, alternating colours
    // from Black, so that Black is to move afterwards.
    void PlayRandomOpening(int moves, unsigned seed) {
        std::mt19937 rng(seed);
        int color = Black;
        for (int placed = 0; placed < moves;) {
            const int index = static_cast<int>(rng() % static_cast<unsigned>(mBoard.mEmptySize));
            if (mBoard.Put(index, color) != Board::Success) continue;
            ++placed;
            color = Opposite(color);
        }
        if (color != Black) {
            ASSERT_EQ(mBoard.PutAt(mBoard.mEmpty[0], White), Board::Success);
        }
    }

    // Searches the position set up on the working board for Black, with its
    // report captured, and plays the chosen move on that board: the move and
    // its put result go to mVertex and mResult.
    std::string Think() {
        const Position position(mBoard, Black);
        std::ostringstream out;
        ReportPrinter printer(out);
        mVertex = mUct.Think(position, Black, mRandom, printer).move;
        EXPECT_TRUE(SamePosition(mBoard, position.GetBoard())) << "the working board is restored";
        mResult = mVertex == Pass ? Board::Success : mBoard.PutAt(mVertex, Black);
        return out.str();
    }

    Random mRandom;  // what the searches draw from
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
            if ((x + 2 * y + 1) % 6 != 0) board.mCell[At(x, y)] = static_cast<std::uint8_t>(stones);
        }
    }
    board.mEmptySize = 0;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (board.mCell[At(x, y)] != Empty) continue;
            board.mEmptyPos[At(x, y)] = static_cast<std::int16_t>(board.mEmptySize);
            board.mEmpty[board.mEmptySize++] = static_cast<std::int16_t>(At(x, y));
        }
    }
    board.SyncWithCells();
}

std::string ProgressLine(int percent) {
    return "..." + std::to_string(percent) + "%\n";
}

// ------------------------------------------------------------------ Expand

TEST_F(Search, TheRootGetsEveryLegalPointInListOrder) {
    Tree().Reset();
    const std::int32_t root = Tree().BeginPath();
    mUct.Expand(root, Black);
    const std::vector<Vertex> moves = ChildMoves(root);
    ASSERT_EQ(moves.size(), 81u);
    for (int k = 0; k < 81; ++k)
        EXPECT_EQ(moves[k], GetVertex(k % 9 + 1, k / 9 + 1));
    const Node& first = Tree().At(Tree().At(root).firstChild);
    EXPECT_EQ(first.visits, 1.0f);
    EXPECT_EQ(first.value, 0.5f);
    EXPECT_EQ(first.amafVisits, 1.0f);
    EXPECT_EQ(first.amafValue, 0.5f);
    EXPECT_EQ(mBoard.mEmptySize, 81) << "the board is restored";
}

TEST_F(Search, AnInnerNodeGetsOnlyPointsNextToAStone) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ + + + @"});
    Tree().Reset();
    const std::int32_t node =
        Tree().AddChild(Tree().BeginPath(), static_cast<std::int16_t>(At(5, 5)));
    Tree().At(node).value = 0.25f;
    mUct.Expand(node, White);
    const std::vector<Vertex> expected = {At(4, 4), At(5, 4), At(6, 4), At(4, 5),
                                          At(6, 5), At(4, 6), At(5, 6), At(6, 6)};
    EXPECT_EQ(ChildMoves(node), expected);
    EXPECT_EQ(Tree().At(Tree().At(node).firstChild).value, 0.75f);
}

TEST_F(Search, AWinningCandidateBecomesTheOnlyChild) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +", "+ + + + @"});
    Tree().Reset();
    const std::int32_t node =
        Tree().AddChild(Tree().BeginPath(), static_cast<std::int16_t>(At(5, 6)));
    const int freeBefore = Tree().FreeCount();
    mUct.Expand(node, White);
    // (1, 5) comes first in the list and wins; the points of row 4 before it
    // were candidates already.
    EXPECT_EQ(ChildMoves(node), std::vector<Vertex>{At(1, 5)});
    const Node& child = Tree().At(Tree().At(node).firstChild);
    EXPECT_EQ(child.visits, 1.0f);
    EXPECT_EQ(child.value, 1.0f);
    EXPECT_EQ(Tree().FreeCount(), freeBefore - 1) << "the children made before it were released";
    EXPECT_EQ(mBoard.mCell[At(1, 5)], Empty);
}

// ------------------------------------------------------------------- Think

TEST_F(Search, ANegativeCountPlaysTheFirstLegalPointWithoutIterating) {
    mUct.mPlayouts = -1;
    mBoard.mKo = At(1, 1);  // makes the first point of the list illegal
    const std::string text = Think();
    EXPECT_EQ(text, std::string(messages::Thinking) + "\n\n" + messages::WinningRate + "50%\n");
    EXPECT_EQ(mVertex, At(2, 1));
    EXPECT_EQ(mResult, Board::Success);
    EXPECT_EQ(mBoard.mCell[At(2, 1)], Black);
    EXPECT_EQ(mRandom.State(), Random::StartState) << "no playout ran";
    EXPECT_EQ(Tree().FreeCount(), MaxNode) << "the tree is cleared";
}

TEST_F(Search, AWinningMoveIsPlayedAtOneHundredPercent) {
    SetUpPosition(mBoard, {"+", "@ @ @ @ @ @ + + +"});
    mUct.mPlayouts = 30;
    const std::string text = Think();

    // Thirty playouts make the interval 1: a progress line for every pass.
    std::string expected = std::string(messages::Thinking) + "\n";
    for (int i = 0; i <= 30; ++i)
        expected += ProgressLine(100 * i / 30);
    expected += "\n" + std::string(messages::WinningRate) + "100%\n";
    EXPECT_EQ(text, expected);
    EXPECT_NE(text.find("...3%\n...6%\n...10%\n...13%\n"), std::string::npos);
    EXPECT_EQ(mVertex, At(7, 2));
    EXPECT_EQ(mResult, Board::Win);
    EXPECT_EQ(mRandom.State(), Random::StartState) << "every iteration ends on the winning move";
}

TEST_F(Search, FewPlayoutsReportOnceAtZeroPercent) {
    for (const int playouts : {0, 7, 19}) {
        mBoard.ClearPosition();
        mUct.mPlayouts = playouts;
        const std::string text = Think();
        const std::string start = std::string(messages::Thinking) + "\n" + ProgressLine(0) + "\n";
        EXPECT_EQ(text.substr(0, start.size()), start) << playouts;
        EXPECT_EQ(mResult, Board::Success);
    }
}

TEST_F(Search, TheDefaultCountReportsEveryFivePercent) {
    mUct.mPlayouts = 400;
    const std::string text = Think();
    std::string progress = std::string(messages::Thinking) + "\n";
    for (int percent = 0; percent <= 100; percent += 5)
        progress += ProgressLine(percent);
    EXPECT_EQ(text.substr(0, progress.size() + 1), progress + "\n");
}

TEST_F(Search, TheBoardChangesOnlyByTheMoveAndItsCaptures) {
    PlayRandomOpening(24, 5);
    Board expected;
    expected.CopyPosition(mBoard);
    mUct.mPlayouts = 300;
    Think();
    ASSERT_NE(mVertex, Pass);
    EXPECT_EQ(expected.PutAt(mVertex, Black), mResult);
    EXPECT_TRUE(SamePosition(mBoard, expected));
    EXPECT_EQ(Tree().FreeCount(), MaxNode);
}

TEST_F(Search, TheExpectedReplyIsTheMostVisitedAnswer) {
    mUct.mPlayouts = 300;
    const std::string text = Think();
    // 301 iterations over 81 children give the most visited one more than
    // three visits, so it was expanded and has an answer to report.
    const std::string marker = messages::ExpectedReply;
    const std::size_t at = text.find(marker);
    ASSERT_NE(at, std::string::npos);
    int x = 0;
    int y = 0;
    char comma = 0;
    char close = 0;
    std::istringstream(text.substr(at + marker.size())) >> x >> comma >> y >> close;
    EXPECT_EQ(comma, ',');
    EXPECT_EQ(close, ')');
    EXPECT_NE(mBoard.mCell[GetVertex(x, y)], Wall);
    EXPECT_EQ(mBoard.mCell[GetVertex(x, y)], Empty);
    EXPECT_EQ(text.substr(text.size() - marker.size() - 6, marker.size()), marker);
}

TEST_F(Search, WithoutALegalMoveTheComputerPasses) {
    SetUpEyeLattice(mBoard, White);
    Board before;
    before.CopyPosition(mBoard);
    mUct.mPlayouts = 50;
    const std::string text = Think();
    EXPECT_EQ(text, std::string(messages::Thinking) + "\n\n");
    EXPECT_EQ(mVertex, Pass);
    EXPECT_EQ(mResult, Board::Success);
    EXPECT_TRUE(SamePosition(mBoard, before));
    EXPECT_EQ(mRandom.State(), Random::StartState);
    EXPECT_EQ(Tree().FreeCount(), MaxNode);
}

TEST_F(Search, ANodeWithoutCandidatesIsPlayedOutFromItself) {
    SetUpEyeLattice(mBoard, Black);
    Board saved;
    saved.CopyPosition(mBoard);
    Tree().Reset();
    const std::int32_t root = Tree().BeginPath();
    mUct.Expand(root, Black);
    ASSERT_FALSE(Tree().IsLeaf(root));

    for (int i = 0; i < 60; ++i) {
        mUct.Iterate();
        ASSERT_GE(Tree().mHistoryIndex, 2);
        ASSERT_NE(Tree().mHistory[Tree().mHistoryIndex - 1], NoNode);
        mBoard.CopyPosition(saved);
    }
    // A child visited more than three times was expanded for White, who has
    // no legal move, and stayed a leaf.
    int expandedWithoutChildren = 0;
    for (std::int32_t c = Tree().At(root).firstChild; c != NoNode; c = Tree().At(c).nextSibling) {
        const Node& child = Tree().At(c);
        if (child.visits > 3.0f && Tree().IsLeaf(c)) ++expandedWithoutChildren;
        // White, without a move, loses every playout: the fresh child's half
        // point is the only loss in its mean.
        EXPECT_FLOAT_EQ(child.value, (child.visits - 0.5f) / child.visits);
    }
    EXPECT_GT(expandedWithoutChildren, 0);
}

TEST_F(Search, AFullStorePlaysOutInsteadOfExpanding) {
    Tree().Reset();
    const std::int32_t root = Tree().BeginPath();
    mUct.Expand(root, Black);
    // Leave fewer free slots than the 80 children the next expansion could make.
    while (Tree().FreeCount() >= 80)
        Tree().Store().Allocate();
    const int freeBefore = Tree().FreeCount();

    Board saved;
    saved.CopyPosition(mBoard);
    for (int i = 0; i < 400; ++i) {
        mUct.Iterate();
        mBoard.CopyPosition(saved);
    }
    EXPECT_EQ(Tree().FreeCount(), freeBefore);
    for (std::int32_t c = Tree().At(root).firstChild; c != NoNode; c = Tree().At(c).nextSibling) {
        EXPECT_TRUE(Tree().IsLeaf(c));
    }
    EXPECT_GT(Tree().At(Tree().BestChild(root)).visits, 3.0f) << "a child met the expansion rule";
}

}  // namespace
}  // namespace nanaren
