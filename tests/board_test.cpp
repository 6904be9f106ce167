#include "game/board.h"

#include <gtest/gtest.h>

#include <random>

#include "board_test_util.h"

namespace nanaren {
namespace {

using testing::At;
using testing::EveryGroupHasLiberty;
using testing::IsConsistent;
using testing::SamePosition;
using testing::ScatterStones;
using testing::SetUpPosition;

int ListIndexOf(const Board& board, Vertex v) {
    for (int k = 0; k < board.EmptyCount(); ++k) {
        if (board.EmptyPoint(k) == v) return k;
    }
    return -1;
}

int CountStones(const Board& board, int color) {
    return board.StoneCount(color);
}

// ---------------------------------------------------------------- coordinates

TEST(Coordinates, VertexIsColumnPlusElevenTimesRow) {
    EXPECT_EQ(GetVertex(5, 3), 38);
    EXPECT_EQ(GetX(38), 5);
    EXPECT_EQ(GetY(38), 3);
    EXPECT_EQ(GetVertex(9, 9), 108);
}

TEST(Coordinates, OppositeIsWhiteOnlyForBlack) {
    EXPECT_EQ(Opposite(Black), White);
    EXPECT_EQ(Opposite(White), Black);
    EXPECT_EQ(Opposite(Empty), Black);
    EXPECT_EQ(Opposite(Wall), Black);
}

// ------------------------------------------------------------ start position

TEST(StartPosition, ListsTheEightyOnePointsInRowMajorOrder) {
    Board board;
    ASSERT_EQ(board.EmptyCount(), 81);
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            const int k = 9 * (y - 1) + (x - 1);
            EXPECT_EQ(board.EmptyPoint(k), x + 11 * y);
            EXPECT_EQ(board.EmptyIndexOf(x + 11 * y), k);
        }
    }
    EXPECT_EQ(board.Ko(), NoVertex);
    EXPECT_EQ(board.RecordSize(), 0);
    EXPECT_TRUE(IsConsistent(board));
}

TEST(StartPosition, EdgeMarksTheWallAndTheFirstLine) {
    Board board;
    EXPECT_EQ(board.IsEdge(At(1, 1)), 1);
    EXPECT_EQ(board.IsEdge(At(5, 1)), 1);
    EXPECT_EQ(board.IsEdge(At(9, 5)), 1);
    EXPECT_EQ(board.IsEdge(At(2, 2)), 0);
    EXPECT_EQ(board.IsEdge(At(8, 8)), 0);
    EXPECT_EQ(board.IsEdge(At(5, 5)), 0);
    EXPECT_EQ(board.IsEdge(GetVertex(0, 5)), 1);
    EXPECT_EQ(board.IsEdge(GetVertex(10, 10)), 1);
    EXPECT_EQ(board.Cell(GetVertex(0, 5)), Wall);
    EXPECT_EQ(board.Cell(GetVertex(5, 10)), Wall);
    EXPECT_EQ(board.Cell(At(9, 9)), Empty);
}

// ------------------------------------------------------------ the empty list

TEST(EmptyList, PutFirstEntryMovesTheLastPointIntoItsSlot) {
    Board board;
    EXPECT_EQ(board.Put(0, Black), Board::Success);
    EXPECT_EQ(board.Cell(12), Black);
    EXPECT_EQ(board.EmptyCount(), 80);
    EXPECT_EQ(board.EmptyPoint(0), 108);
    EXPECT_EQ(board.EmptyIndexOf(108), 0);
    EXPECT_EQ(board.EmptyIndexOf(12), -1);
    ASSERT_EQ(board.RecordSize(), 1);
    EXPECT_EQ(board.RecordAt(0), 12);
}

TEST(EmptyList, PutLastEntryMovesNothingElse) {
    Board board;
    EXPECT_EQ(board.Put(80, White), Board::Success);
    EXPECT_EQ(board.Cell(108), White);
    EXPECT_EQ(board.EmptyCount(), 80);
    for (int k = 0; k < 80; ++k)
        EXPECT_EQ(board.EmptyPoint(k), GetVertex(k % 9 + 1, k / 9 + 1));
}

TEST(EmptyList, PutAtFindsThePointThroughItsListPosition) {
    Board board;
    EXPECT_EQ(board.PutAt(At(5, 3), Black), Board::Success);
    EXPECT_EQ(board.Cell(At(5, 3)), Black);
    EXPECT_EQ(board.EmptyPoint(22), 108);  // (5,3) sat at 9*2+4
    EXPECT_TRUE(IsConsistent(board));
}

TEST(EmptyListDeathTest, PutOutsideTheListStops) {
    Board board;
    EXPECT_DEATH(board.Put(-1, Black), "index >= 0.*src/game/board");
    EXPECT_DEATH(board.Put(81, Black), "size > index.*src/game/board");
}

// ---------------------------------------------------------- refused moves

TEST(RefusedMoves, OccupiedAndWallPointsFail) {
    Board board;
    ASSERT_EQ(board.PutAt(At(3, 3), Black), Board::Success);
    EXPECT_EQ(board.PutAt(At(3, 3), White), Board::Failure);
    EXPECT_EQ(board.PutAt(GetVertex(0, 4), White), Board::Failure);
    EXPECT_EQ(board.PutAt(GetVertex(4, 10), White), Board::Failure);
    EXPECT_EQ(board.PutAt(GetVertex(10, 10), White), Board::Failure);
    EXPECT_EQ(board.RecordSize(), 1);
}

TEST(RefusedMoves, VerticesOutsideTheGridFail) {
    Board board;
    EXPECT_EQ(board.PutAt(-1, Black), Board::Failure);
    EXPECT_EQ(board.PutAt(121, Black), Board::Failure);
    EXPECT_EQ(board.PutAt(100000, Black), Board::Failure);
    EXPECT_EQ(board.EmptyCount(), 81);
}

TEST(RefusedMoves, SuicideLeavesThePositionUnchanged) {
    Board board;
    SetUpPosition(board, {
                             "+ O + + + + + + +",
                             "O + O + + + + + +",
                             "+ O + + + + + + +",
                         });
    Board before;
    before.CopyPosition(board);
    const Board::Placement placed = board.PlaceAt(At(2, 2), Black);
    EXPECT_EQ(placed.result, Board::Failure);
    EXPECT_EQ(placed.captureDirs, 0);
    EXPECT_TRUE(SamePosition(board, before));
    EXPECT_TRUE(IsConsistent(board));
}

TEST(RefusedMoves, JoiningAGroupWithoutLibertyIsSuicide) {
    Board board;
    SetUpPosition(board, {
                             "+ @ O + + + + + +",
                             "O O + + + + + + +",
                         });
    board.SetKo(At(9, 9));
    const Vertex placed[] = {At(5, 5)};
    board.SetRecord(placed);
    Board before;
    before.CopyPosition(board);
    EXPECT_EQ(board.PutAt(At(1, 1), Black), Board::Failure);
    EXPECT_TRUE(SamePosition(board, before));
}

TEST(LegalMoves, NoEmptyNeighbourButJoiningAGroupWithALiberty) {
    Board board;
    SetUpPosition(board, {
                             "+ @ + + + + + + +",
                             "O O + + + + + + +",
                         });
    const Board::Placement placed = board.PlaceAt(At(1, 1), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(placed.captureDirs, 0);
    EXPECT_TRUE(IsConsistent(board));
}

// ------------------------------------------------------------------ captures

TEST(Captures, CapturedPointIsListedBeforeTheNewStoneLeavesTheList) {
    Board board;
    SetUpPosition(board, {
                             "+ @ + + + + + + +",
                             "@ O @ + + + + + +",
                         });
    const int slot = ListIndexOf(board, At(2, 3));
    ASSERT_EQ(board.EmptyCount(), 77);
    const Board::Placement placed = board.PlaceAt(At(2, 3), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(board.Cell(At(2, 2)), Empty);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(placed.captureDirs, 0b0001);  // up
    EXPECT_EQ(board.Ko(), At(2, 2));
    EXPECT_EQ(board.EmptyCount(), 77);
    EXPECT_EQ(board.EmptyPoint(slot), At(2, 2));
    EXPECT_TRUE(IsConsistent(board));
}

TEST(Captures, GroupPointsEnterTheListInPostOrderNextStoneLast) {
    Board board;
    SetUpPosition(board, {
                             "+ @ @ + + + + + +",
                             "@ O O @ + + + + +",
                             "+ @ + + + + + + +",
                         });
    const int slot = ListIndexOf(board, At(3, 3));
    ASSERT_EQ(board.EmptyCount(), 74);
    EXPECT_EQ(board.PutAt(At(3, 3), Black), Board::Success);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(board.Ko(), NoVertex);
    EXPECT_EQ(board.EmptyCount(), 75);
    EXPECT_EQ(board.EmptyPoint(74), At(2, 2));    // removed first, appended first
    EXPECT_EQ(board.EmptyPoint(slot), At(3, 2));  // next to the new stone, appended last
    EXPECT_TRUE(IsConsistent(board));
}

TEST(Captures, PlayingOnTheLastLibertyIsLegalWhenItCaptures) {
    Board board;
    SetUpPosition(board, {
                             "+ @ O + + + + + +",
                             "@ O + O + + + + +",
                             "+ @ O + + + + + +",
                         });
    const Board::Placement placed = board.PlaceAt(At(3, 2), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(board.Cell(At(2, 2)), Empty);
    EXPECT_EQ(placed.captureDirs, 0b0100);  // left
    EXPECT_EQ(board.Ko(), At(2, 2));
    EXPECT_TRUE(EveryGroupHasLiberty(board));
}

TEST(Captures, SingleStoneMakesKoEvenForALargerCapturingGroup) {
    Board board;
    SetUpPosition(board, {
                             "+ @ O @ + + + + +",
                             "+ @ + @ + + + + +",
                             "+ @ @ + + + + + +",
                         });
    EXPECT_EQ(board.PutAt(At(3, 2), Black), Board::Success);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(board.Ko(), At(3, 1));
}

TEST(Captures, TwoSingleStonesInTwoDirectionsMakeNoKo) {
    Board board;
    SetUpPosition(board, {
                             "@ O + O @ + + + +",
                             "+ @ @ @ + + + + +",
                         });
    const Board::Placement placed = board.PlaceAt(At(3, 1), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(placed.captureDirs, 0b0110);  // right and left
    EXPECT_EQ(board.Ko(), NoVertex);
}

TEST(Captures, OneStoneThenMoreInALaterDirectionMakeNoKo) {
    Board board;
    SetUpPosition(board, {
                             "+ + @ + + + + + +",
                             "+ @ O @ + + + + +",
                             "@ O + O @ + + + +",
                             "@ O @ @ + + + + +",
                             "+ @ + + + + + + +",
                         });
    // Up captures the single stone (3,2), right (4,3), left (2,3) with (2,4).
    const Board::Placement placed = board.PlaceAt(At(3, 3), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(placed.captureDirs, 0b0111);
    EXPECT_EQ(board.Ko(), NoVertex);
    EXPECT_TRUE(IsConsistent(board));
}

TEST(Captures, AGroupTouchingTwiceIsRemovedOnceFromTheFirstDirection) {
    Board board;
    SetUpPosition(board, {
                             "+ @ @ + + + + + +",
                             "@ O O @ + + + + +",
                             "@ O + @ + + + + +",
                             "+ @ @ + + + + + +",
                         });
    const Board::Placement placed = board.PlaceAt(At(3, 3), Black);
    EXPECT_EQ(placed.result, Board::Success);
    EXPECT_EQ(CountStones(board, White), 0);
    EXPECT_EQ(placed.captureDirs, 0b0001);  // up only, though left touches it too
    EXPECT_EQ(board.Ko(), NoVertex);
    EXPECT_TRUE(IsConsistent(board));
}

// ------------------------------------------------------------------------ ko

TEST(Ko, RetakingIsRefusedOnceThenFreedByAMoveElsewhere) {
    Board board;
    SetUpPosition(board, {
                             "+ @ O + + + + + +",
                             "@ O + O + + + + +",
                             "+ @ O + + + + + +",
                         });
    ASSERT_EQ(board.PutAt(At(3, 2), Black), Board::Success);
    ASSERT_EQ(board.Ko(), At(2, 2));

    Board before;
    before.CopyPosition(board);
    EXPECT_EQ(board.PutAt(At(2, 2), White), Board::Failure);
    EXPECT_TRUE(SamePosition(board, before));
    EXPECT_EQ(board.PutAt(At(2, 2), Black), Board::Failure) << "ko binds either colour";

    ASSERT_EQ(board.PutAt(At(7, 7), White), Board::Success);
    EXPECT_EQ(board.Ko(), NoVertex);
    ASSERT_EQ(board.PutAt(At(8, 8), Black), Board::Success);
    EXPECT_EQ(board.PutAt(At(2, 2), White), Board::Success);
    EXPECT_EQ(board.Cell(At(3, 2)), Empty);
    EXPECT_EQ(board.Ko(), At(3, 2));
}

// ---------------------------------------------------------------- winning moves

TEST(WinningMove, WinsEvenWhereItWouldBeSuicide) {
    Board board;
    SetUpPosition(board, {
                             "O O O O O O O + +",
                             "@ @ @ @ @ @ + O +",
                             "O O O O O O O + +",
                         });
    board.SetKo(At(9, 9));
    const int emptySize = board.EmptyCount();
    EXPECT_EQ(board.PutAt(At(7, 2), Black), Board::Win);
    EXPECT_EQ(board.Cell(At(7, 2)), Black);
    EXPECT_EQ(board.EmptyCount(), emptySize) << "the winning point stays listed";
    EXPECT_EQ(board.EmptyPoint(board.EmptyIndexOf(At(7, 2))), At(7, 2));
    EXPECT_EQ(board.Ko(), At(9, 9));
    ASSERT_EQ(board.RecordSize(), 1);
    EXPECT_EQ(board.RecordAt(0), At(7, 2));
}

TEST(WinningMove, MakesNoCaptures) {
    Board board;
    SetUpPosition(board, {
                             "+ + + + + + + @ +",
                             "@ @ @ @ @ @ + O @",
                             "+ + + + + + + @ +",
                         });
    const Board::Placement placed = board.PlaceAt(At(7, 2), Black);
    EXPECT_EQ(placed.result, Board::Win);
    EXPECT_EQ(placed.captureDirs, 0);
    EXPECT_EQ(board.Cell(At(8, 2)), White);
}

// ------------------------------------------------------------------ line rule

TEST(LineRule, SevenAlongTheFirstLineGoesOn) {
    Board board;
    SetUpPosition(board, {"@ @ @ + @ @ @ + +"});
    EXPECT_EQ(board.CheckLine(At(4, 1), Black), Board::Success);
    EXPECT_EQ(board.PutAt(At(4, 1), Black), Board::Success);

    SetUpPosition(board, {"O", "O", "O", "O", "O", "O", "+"});
    EXPECT_EQ(board.PutAt(At(1, 7), White), Board::Success);
}

TEST(LineRule, SevenOnTheSecondRowWins) {
    Board board;
    SetUpPosition(board, {"+", "@ @ @ @ @ @ + + +"});
    EXPECT_EQ(board.PutAt(At(7, 2), Black), Board::Win);
}

TEST(LineRule, SevenOnEitherDiagonalWins) {
    Board board;
    SetUpPosition(board, {
                             "O + + + + + + + +",
                             "+ O + + + + + + +",
                             "+ + O + + + + + +",
                             "+ + + + + + + + +",
                             "+ + + + O + + + +",
                             "+ + + + + O + + +",
                             "+ + + + + + O + +",
                         });
    EXPECT_EQ(board.CheckLine(At(4, 4), White), Board::Win);
    EXPECT_EQ(board.CheckRun(At(4, 4), Diagonal, White), Board::Win);
    SetUpPosition(board, {
                             "+ + + + + + + + +",
                             "+ + + + + + + @ +",
                             "+ + + + + + @ + +",
                             "+ + + + + @ + + +",
                             "+ + + + @ + + + +",
                             "+ + + @ + + + + +",
                             "+ + @ + + + + + +",
                         });
    EXPECT_EQ(board.PutAt(At(2, 8), Black), Board::Win);
}

TEST(LineRule, BlackOverlineIsRefusedAlsoOnTheFirstLine) {
    Board board;
    SetUpPosition(board, {"+", "@ @ @ @ @ @ @ + +"});
    EXPECT_EQ(board.PutAt(At(8, 2), Black), Board::Failure);
    EXPECT_EQ(board.Cell(At(8, 2)), Empty);
    SetUpPosition(board, {"@ @ @ @ @ @ @ + +"});
    EXPECT_EQ(board.PutAt(At(8, 1), Black), Board::Failure);
}

TEST(LineRule, WhiteEightOrNineWinsUnlessAllOnTheFirstLine) {
    Board board;
    SetUpPosition(board, {"+", "O O O O O O O + +"});
    EXPECT_EQ(board.PutAt(At(8, 2), White), Board::Win);
    SetUpPosition(board, {"+", "O O O O + O O O O"});
    EXPECT_EQ(board.PutAt(At(5, 2), White), Board::Win);
    SetUpPosition(board, {"O O O O O O O + +"});
    EXPECT_EQ(board.PutAt(At(8, 1), White), Board::Success);
}

TEST(LineRule, FillingAGapBetweenTwoRuns) {
    Board board;
    SetUpPosition(board, {"+", "+ @ @ @ + @ @ @ +"});
    EXPECT_EQ(board.PutAt(At(5, 2), Black), Board::Win);
    SetUpPosition(board, {"+", "@ @ @ @ + @ @ @ +"});
    EXPECT_EQ(board.PutAt(At(5, 2), Black), Board::Failure);
    SetUpPosition(board, {"+", "O O O O + O O O +"});
    EXPECT_EQ(board.PutAt(At(5, 2), White), Board::Win);
    SetUpPosition(board, {"+", "O O + O O O O + +"});
    EXPECT_EQ(board.PutAt(At(3, 2), White), Board::Win);
    SetUpPosition(board, {"+", "O O + O O O + + +"});
    EXPECT_EQ(board.PutAt(At(3, 2), White), Board::Success) << "six is not enough";
}

TEST(LineRule, TheVerticalDirectionDecidesFirst) {
    // Column 5 holds six Black stones below (5,2) and row 2 seven beside it.
    Board board;
    SetUpPosition(board, {
                             "+ + + + + + + + +",
                             "+ @ @ @ + @ @ @ @",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                         });
    EXPECT_EQ(board.PutAt(At(5, 2), Black), Board::Win) << "vertical seven before horizontal eight";

    SetUpPosition(board, {
                             "+ + + + @ + + + +",
                             "+ @ @ @ + @ @ @ +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                             "+ + + + @ + + + +",
                         });
    EXPECT_EQ(board.PutAt(At(5, 2), Black), Board::Failure)
        << "vertical eight before horizontal seven";
}

TEST(LineRule, TheStoneIsCountedWhateverItsCellHolds) {
    Board board;
    SetUpPosition(board, {"+", "@ @ @ O @ @ @ + +"});
    EXPECT_EQ(board.CheckLine(At(4, 2), Black), Board::Win);
}

// ------------------------------------------------------------------ corridors

TEST(Enclosed, FourOrthogonalEnclosersWithEmptyDiagonals) {
    Board board;
    SetUpPosition(board, {
                             "+",
                             "+",
                             "+ + + + O + + + +",
                             "+ + + O + O + + +",
                             "+ + + + O + + + +",
                         });
    EXPECT_TRUE(board.IsEnclosed(At(5, 4), Black));
    EXPECT_FALSE(board.IsEnclosed(At(5, 4), White)) << "Black stones enclose for White";
}

TEST(Enclosed, ThreeEnclosersAndTheRowWalkFailing) {
    Board board;
    SetUpPosition(board, {
                             "+",
                             "+",
                             "+ + + + O + + + +",
                             "+ + + O + + + + +",
                             "+ + + + O + + + +",
                         });
    EXPECT_TRUE(board.IsEnclosed(At(5, 4), Black));
    board.SetCell(At(4, 4), Empty);
    board.SyncWithCells();
    EXPECT_FALSE(board.IsEnclosedAxis(At(5, 4), Up, Right, White));
    EXPECT_FALSE(board.IsEnclosed(At(5, 4), Black));
}

TEST(Enclosed, AnEnemyStoneInTheCorridorNeedsBothFlanks) {
    Board board;
    SetUpPosition(board, {
                             "+",
                             "+ + + + O + + + +",
                             "+ + + O @ O + + +",
                             "+ + + O + O + + +",
                             "+ + + + O + + + +",
                         });
    EXPECT_TRUE(board.IsEnclosedAxis(At(5, 4), Up, Right, White));
    board.SetCell(At(6, 3), Empty);
    board.SyncWithCells();
    EXPECT_FALSE(board.IsEnclosedAxis(At(5, 4), Up, Right, White));
}

TEST(Enclosed, AnOpenPointAndTheWallAreNotEnclosed) {
    Board board;
    EXPECT_FALSE(board.IsEnclosed(At(5, 5), Black));
    SetUpPosition(board, {
                             "+ O + + + + + + +",
                             "+ O + + + + + + +",
                         });
    // The column walk passes (1,1) but ends on the wall.
    EXPECT_FALSE(board.IsEnclosed(At(1, 1), Black));
}

// ------------------------------------------------------- liberty queries

TEST(LibertyQueries, SingleLibertyReachedThroughSeveralStones) {
    Board board;
    SetUpPosition(board, {
                             "+ @ @ @ + + + + +",
                             "@ O O O @ + + + +",
                             "@ O @ @ + + + + +",
                             "+ + + + + + + + +",
                         });
    Board before;
    before.CopyPosition(board);
    EXPECT_EQ(board.FindSingleLiberty(At(4, 2), White), At(2, 4));
    EXPECT_EQ(board.FindSingleLiberty(At(2, 3), White), At(2, 4));
    EXPECT_TRUE(SamePosition(board, before));
    EXPECT_TRUE(IsConsistent(board));
}

TEST(LibertyQueries, TwoLibertiesOrNoneGiveNoVertex) {
    Board board;
    SetUpPosition(board, {
                             "+ @ + + + + + + +",
                             "@ O O + + + + + +",
                             "+ @ @ + + + + + +",
                         });
    Board before;
    before.CopyPosition(board);
    EXPECT_EQ(board.FindSingleLiberty(At(2, 2), White), NoVertex);
    EXPECT_TRUE(SamePosition(board, before));

    SetUpPosition(board, {
                             "O @ + + + + + + +",
                             "@ + + + + + + + +",
                         });
    before.CopyPosition(board);
    EXPECT_EQ(board.FindSingleLiberty(At(1, 1), White), NoVertex);
    EXPECT_TRUE(SamePosition(board, before));
}

// -------------------------------------------------------------------- record

TEST(Record, AFullRecordKeepsTheNewestMovesLast) {
    Board board;
    std::array<Vertex, MaxRecordSize> full;
    for (int k = 0; k < MaxRecordSize; ++k)
        full[k] = 1000 + k;
    // Each pass starts from a full record; the moves stay playable and the
    // last two entries are the last two moves placed.
    Vertex previous = 1000 + MaxRecordSize - 1;
    int color = Black;
    for (int y = 1; y <= 9; y += 2) {
        for (int x = 1; x <= 9; ++x) {
            if (x == 1 || x == 5) {  // pretend the record has filled up
                full.back() = previous;
                board.SetRecord(full);
            }
            ASSERT_EQ(board.PutAt(At(x, y), color), Board::Success);
            ASSERT_LE(board.RecordSize(), MaxRecordSize);
            ASSERT_GE(board.RecordSize(), 2);
            EXPECT_EQ(board.RecordAt(board.RecordSize() - 1), At(x, y));
            EXPECT_EQ(board.RecordAt(board.RecordSize() - 2), previous);
            previous = At(x, y);
            color = Opposite(color);
        }
    }
}

TEST(Record, CopyPositionReproducesTheLiveParts) {
    Board board;
    ASSERT_EQ(board.PutAt(At(2, 2), Black), Board::Success);
    ASSERT_EQ(board.PutAt(At(7, 4), White), Board::Success);
    Board copy;
    copy.PutAt(At(9, 9), White);
    copy.CopyPosition(board);
    EXPECT_TRUE(SamePosition(copy, board));
    EXPECT_TRUE(IsConsistent(copy));
}

// ------------------------------------------------ line tests on random boards

// The line rule and the corridor test as literal walks
// along the cells, as the board first made them.
Board::PutResult WalkedLineDirection(const Board& b, Vertex v, int d, int color) {
    int total = 1;
    int inner = b.IsEdge(v) == 0 ? 1 : 0;
    for (const int step : {d, -d}) {
        for (Vertex p = v + step; b.Cell(p) == color; p += step) {
            ++total;
            inner += b.IsEdge(p) == 0 ? 1 : 0;
        }
    }
    if (color == Black && total >= 8) return Board::Failure;
    if (inner == 0) return Board::Success;
    if (total == 7 || (color == White && total >= 8)) return Board::Win;
    return Board::Success;
}

bool WalkedEnclosedAxis(const Board& b, Vertex v, int step, int flank, int e) {
    const auto passable = [&](Vertex p) {
        const bool beside = b.Cell(p + flank) == e;
        const bool across = b.Cell(p - flank) == e;
        return b.Cell(p) == Opposite(e) ? beside && across : beside || across;
    };
    Vertex p = v;
    while (passable(p))
        p += step;
    if (b.Cell(p) != e) return false;
    for (p = v - step; passable(p); p -= step) {
    }
    return b.Cell(p) == e;
}

TEST(RandomBoards, LineTestsAgreeWithWalksAlongTheCells) {
    std::mt19937 rng(7);
    std::array<int, 3> results{};
    int enclosed = 0;
    Board board;
    for (int trial = 0; trial < 400; ++trial) {
        ScatterStones(board, rng);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const Vertex v = At(x, y);
                for (const int color : {Black, White}) {
                    for (const int d :
                         {Up, Down, Left, Right, UpLeft, UpRight, DownLeft, DownRight}) {
                        const Board::PutResult r = board.CheckRun(v, StepOf(d).axis, color);
                        ASSERT_EQ(r, WalkedLineDirection(board, v, d, color)) << v << " " << d;
                        ++results[r];
                    }
                    for (const auto& [step, flank] : {std::pair{Up, Right}, {Right, Up}}) {
                        const bool e = board.IsEnclosedAxis(v, step, flank, color);
                        ASSERT_EQ(e, WalkedEnclosedAxis(board, v, step, flank, color)) << v;
                        enclosed += e;
                    }
                }
            }
        }
    }
    EXPECT_GT(results[Board::Win], 1000);
    EXPECT_GT(results[Board::Failure], 1000);
    EXPECT_GT(enclosed, 1000);
}

// ------------------------------------------------------ random games property

TEST(RandomGames, InvariantsHoldAfterEveryMove) {
    std::mt19937 rng(12345);
    int captures = 0;
    int koMoves = 0;
    int wins = 0;
    for (int game = 0; game < 300; ++game) {
        Board board;
        int color = Black;
        for (int move = 0; move < 400 && board.EmptyCount() > 0; ++move) {
            Board before;
            before.CopyPosition(board);
            const int index = static_cast<int>(rng() % static_cast<unsigned>(board.EmptyCount()));
            const Board::PutResult tried = board.TryPut(index, color);
            const Board::Placement placed = board.Place(index, color);
            const Board::PutResult result = placed.result;
            ASSERT_EQ(tried, result) << "trying a move must foretell putting it";
            if (result == Board::Failure) {
                ASSERT_TRUE(SamePosition(board, before));
                ASSERT_TRUE(IsConsistent(board));
                // Try a few more points before giving the turn away.
                if (rng() % 4 != 0) continue;
            } else if (result == Board::Win) {
                ++wins;
                break;
            } else {
                ASSERT_TRUE(IsConsistent(board));
                ASSERT_TRUE(EveryGroupHasLiberty(board));
                captures += placed.captureDirs != 0;
                koMoves += board.Ko() != NoVertex;
                Board copy;
                copy.CopyPosition(board);
                ASSERT_TRUE(SamePosition(copy, board));
                ASSERT_TRUE(IsConsistent(copy));
            }
            color = Opposite(color);
        }
    }
    EXPECT_GT(captures, 100);
    EXPECT_GT(koMoves, 10);
    EXPECT_GT(wins, 0);
}

}  // namespace
}  // namespace nanaren
