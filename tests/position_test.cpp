#include "game/position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_util.h"
#include "game/board_check.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

// A ko fought out near the corner: White's 2-2 takes Black's 3-2, which may
// not be taken back at once; after two moves elsewhere Black retakes.
const std::vector<Vertex> KoFight = {At(2, 1), At(3, 1), At(1, 2), At(4, 2), At(2, 3), At(3, 3),
                                     At(3, 2), At(2, 2), At(9, 9), At(8, 8), At(3, 2)};

// A fresh position that has played the first count moves.
void PlayFirst(Position& position, const std::vector<Vertex>& moves, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_TRUE(position.Play(moves[i]).Stands()) << i;
}

TEST(Position, UndoRestoresThePositionOfEachEarlierMove) {
    Position position;
    PlayFirst(position, KoFight, KoFight.size());
    ASSERT_EQ(position.GetBoard().Ko(), At(2, 2)) << "the retake made a ko in turn";
    for (std::size_t count = KoFight.size(); count-- > 0;) {
        ASSERT_TRUE(position.Undo());
        Position replayed;
        PlayFirst(replayed, KoFight, count);
        EXPECT_EQ(FindPositionDifference(position.GetBoard(), replayed.GetBoard()), "") << count;
        EXPECT_EQ(FindBoardFault(position.GetBoard()), "") << count;
        EXPECT_EQ(position.ToMove(), count % 2 == 0 ? Black : White);
    }
    EXPECT_FALSE(position.Undo());
}

TEST(Position, EachRefusalHasItsReason) {
    Position position;
    PlayFirst(position, KoFight, 8);  // White has just taken the ko
    EXPECT_EQ(position.ReasonRefused(Black, At(3, 2)), Refusal::Ko);
    EXPECT_EQ(position.ReasonRefused(Black, At(2, 2)), Refusal::Occupied);
    EXPECT_EQ(position.ReasonRefused(Black, GetVertex(0, 4)), Refusal::OffBoard);
    EXPECT_EQ(position.ReasonRefused(Black, -12), Refusal::OffBoard);
    EXPECT_EQ(position.ReasonRefused(Black, MaxVertexSize), Refusal::OffBoard);
    EXPECT_EQ(position.ReasonRefused(Black, At(5, 5)), Refusal::None);
    EXPECT_EQ(position.Play(At(3, 2)), MoveOutcome::RefusedFor(Refusal::Ko));
    EXPECT_EQ(position.Play(GetVertex(10, 4)), MoveOutcome::RefusedFor(Refusal::OffBoard));

    Board board;
    SetUpPosition(board, {"+ O + + + + + + +", "O + + + + + + + +", "+", "@ @ @ + @ @ @ @ +"});
    Position setUp(board, Black);
    EXPECT_EQ(setUp.ReasonRefused(Black, At(1, 1)), Refusal::Suicide);
    EXPECT_EQ(setUp.ReasonRefused(Black, At(4, 4)), Refusal::Overline);
    EXPECT_EQ(setUp.ReasonRefused(White, At(4, 4)), Refusal::None);
    EXPECT_EQ(setUp.Play(At(4, 4)), MoveOutcome::RefusedFor(Refusal::Overline));
}

TEST(Position, AWinNamesItsStonesAndEndsTheGame) {
    Position position;
    ASSERT_EQ(position.ReadRecord("2-5 1-1 3-5 1-2 4-5 1-3 5-5 1-4 6-5 1-6 7-5 1-7"), std::nullopt);
    EXPECT_EQ(position.Play(At(8, 5)), MoveOutcome::Won());
    EXPECT_EQ(position.Winner(), Black);
    EXPECT_EQ(position.Play(At(9, 9)), MoveOutcome::RefusedFor(Refusal::GameOver));
    EXPECT_EQ(position.WinningStones(), (std::vector<Vertex>{At(2, 5), At(3, 5), At(4, 5), At(5, 5),
                                                             At(6, 5), At(7, 5), At(8, 5)}));
    ASSERT_TRUE(position.Undo());
    EXPECT_EQ(position.Winner(), Empty);
    EXPECT_TRUE(position.WinningStones().empty());
}

TEST(Position, ARecordReadsBackAsTheSameGame) {
    Position position;
    PlayFirst(position, KoFight, KoFight.size());
    position.Play(Pass);
    const std::string record = position.Record();
    EXPECT_EQ(record, "2-1 3-1 1-2 4-2 2-3 3-3 3-2 2-2 9-9 8-8 3-2 pass");
    Position read;
    ASSERT_EQ(read.ReadRecord("  " + record + "\n"), std::nullopt);
    EXPECT_EQ(read.Moves(), position.Moves());
    EXPECT_EQ(FindPositionDifference(read.GetBoard(), position.GetBoard()), "");
    EXPECT_EQ(read.ToMove(), Black);
}

TEST(Position, AResignationEndsTheGameForTheOtherSide) {
    Position position;
    ASSERT_EQ(position.ReadRecord("5-5 resign"), std::nullopt);
    EXPECT_EQ(position.Winner(), Black);
    EXPECT_TRUE(position.WinningStones().empty());
    EXPECT_EQ(position.Record(), "5-5 resign");
    EXPECT_EQ(position.LastMove(), Resign);
    EXPECT_EQ(position.LastStone(), At(5, 5));
}

// White takes Black's corner stone; Black then takes the white stone
// beside it from the same corner.
TEST(Position, CapturesAreCountedForTheCapturer) {
    Position position;
    ASSERT_EQ(position.ReadRecord("1-1 2-1 9-9 1-2"), std::nullopt);
    EXPECT_EQ(position.Captures(White), 1);
    EXPECT_EQ(position.Captures(Black), 0);
    ASSERT_EQ(position.ReadRecord("1-1 2-1 9-9 1-2 3-1 9-8 2-2 9-7 1-1"), std::nullopt);
    EXPECT_EQ(position.StoneAt(At(2, 1)), Empty);
    EXPECT_EQ(position.Captures(Black), 1);
    ASSERT_TRUE(position.Undo());
    EXPECT_EQ(position.Captures(Black), 0);
    EXPECT_EQ(position.Captures(White), 1);
}

TEST(Position, AMalformedRecordNamesItsTokenAndChangesNothing) {
    const struct {
        const char* record;
        int token;
        const char* text;
    } cases[] = {
        {"5-5 4-x", 2, "4-x"},
        {"5-5 10-1", 2, "10-1"},
        {"0-5", 1, "0-5"},
        {"5-5 6-6 5,5", 3, "5,5"},
        {"5-5 5-5", 2, "5-5"},                                                   // occupied
        {"2-1 3-1 1-2 4-2 2-3 3-3 3-2 2-2 3-2", 9, "3-2"},                       // the ko point
        {"2-5 1-1 3-5 1-2 4-5 1-3 5-5 1-4 6-5 1-6 7-5 1-7 8-5 9-9", 14, "9-9"},  // after the win
    };
    for (const auto& c : cases) {
        Position position;
        ASSERT_EQ(position.ReadRecord("5-5 4-4"), std::nullopt);
        const std::optional<RecordError> error = position.ReadRecord(c.record);
        ASSERT_TRUE(error.has_value()) << c.record;
        EXPECT_EQ(error->token, c.token) << c.record;
        EXPECT_EQ(error->text, c.text) << c.record;
        EXPECT_EQ(position.Record(), "5-5 4-4") << "a bad record leaves the game as it was";
    }
    Position position;
    EXPECT_EQ(position.ReadRecord("5-5 5-5")->Message(),
              "move 2 (5-5): White may not play there (occupied)");
}

}  // namespace
}  // namespace nanaren
