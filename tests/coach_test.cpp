#include "coach/coach.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_util.h"
#include "coach/analysis.h"
#include "coach/explain.h"
#include "coach/review.h"
#include "game/notation.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

// Black builds row 5 from 2-5 while White plays on row 9 and elsewhere:
// after 6-5 (move 9) Black's open five wins by force; White's 1-7 lets it
// stand, 7-5 makes the open six with two winning points, and Black's 9-9
// (move 13) still wins, as White can block only one.
constexpr const char* ForcedWin = "2-5 2-9 3-5 4-9 4-5 6-9 5-5 8-9 6-5 1-7 7-5 3-7 9-9";
// The same with White's 1-5 at once: Black's six (7-5, move 11) wins only
// at 8-5, which White's 9-8 leaves open and Black's 9-1 lets go.
constexpr const char* AllowedWin = "2-5 1-5 3-5 2-9 4-5 4-9 5-5 6-9 6-5 8-9 7-5 9-8 9-1";

// The game after the first count moves of a record.
void PlayFirst(Position& position, const char* record, std::size_t count) {
    Position read;
    ASSERT_EQ(read.ReadRecord(record), std::nullopt) << record;
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_TRUE(position.Play(read.Moves()[i]).Stands());
}

StrongSettings ReviewLevel() {
    StrongSettings settings;
    settings.playouts = 300;
    return settings;
}

TEST(Analysis, AWinInOneIsTheMoveAndIsCertain) {
    Position position;
    PlayFirst(position, ForcedWin, 12);
    Analyst analyst(ReviewLevel());
    Random random;
    SearchObserver quiet;
    const PositionAnalysis analysis = analyst.Analyse(position, random, quiet);
    EXPECT_TRUE(analysis.best == At(1, 5) || analysis.best == At(8, 5)) << MoveText(analysis.best);
    EXPECT_EQ(analysis.winRate, 1.0);
    PointSet wins;
    wins.Add(At(1, 5));
    wins.Add(At(8, 5));
    EXPECT_EQ(analysis.facts.winsInOne[ColorIndex(Black)], wins);
}

TEST(Analysis, ASingleWinningPointIsTheAnswerToFind) {
    Position position;
    PlayFirst(position, AllowedWin, 11);
    Analyst analyst(ReviewLevel());
    const TacticalFacts facts = analyst.Facts(position);
    EXPECT_EQ(facts.toMove, White);
    EXPECT_EQ(facts.threat, TacticalFacts::Threat::WinInOne);
    EXPECT_EQ(facts.answers, PointSet::Of(At(8, 5)));
    EXPECT_FALSE(facts.lost);
}

// The line is checked by playing it: every move legal, the last one winning.
TEST(Analysis, AForcedWinComesWithItsLine) {
    Position position;
    PlayFirst(position, ForcedWin, 9);
    Analyst analyst(ReviewLevel());
    const TacticalFacts facts = analyst.Facts(position);
    ASSERT_TRUE(facts.HasForcedWin(Black));
    EXPECT_EQ(facts.threat, TacticalFacts::Threat::ForcedWin);
    EXPECT_FALSE(facts.lost) << "White can still block the five";
    const std::vector<Vertex>& line = facts.forcedWin[ColorIndex(Black)];
    Position played(position.GetBoard(), Black);
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        ASSERT_EQ(played.Play(line[i]), MoveOutcome::Played()) << i;
    EXPECT_EQ(played.Play(line.back()), MoveOutcome::Won());
    EXPECT_EQ(line.size() % 2, 1u) << "the attacker's moves begin and end it";
}

TEST(Explain, EachCertainReasonOfAMove) {
    Analyst analyst(ReviewLevel());
    ThreatSearch& threats = analyst.Threats();
    const auto explain = [&](const char* record, std::size_t count, Vertex move) {
        Position position;
        PlayFirst(position, record, count);
        return ExplainMove(position.GetBoard(), position.ToMove(), move, threats);
    };
    EXPECT_EQ(explain(ForcedWin, 12, At(8, 5)).kind, MoveReason::Kind::Wins);
    const MoveReason block = explain(AllowedWin, 11, At(8, 5));
    EXPECT_EQ(block.kind, MoveReason::Kind::BlocksSeven);
    EXPECT_EQ(block.point, At(8, 5));
    EXPECT_EQ(explain(ForcedWin, 9, At(7, 5)).kind, MoveReason::Kind::StopsForcedWin);
    const MoveReason starts = explain(ForcedWin, 10, At(7, 5));
    EXPECT_EQ(starts.kind, MoveReason::Kind::StartsForcedWin);
    ASSERT_FALSE(starts.line.empty());
    EXPECT_EQ(starts.line.front(), At(7, 5));
    EXPECT_EQ(explain(ForcedWin, 10, At(9, 1)).kind, MoveReason::Kind::None);

    // Black's diagonal six wins at either end; White's 4-5 takes its stone at 4-4.
    Board board;
    SetUpPosition(
        board, {"+", "+ @", "+ + @ O", "+ + O @ O", "+ + + + @", "+ + + + + @", "+ + + + + + @"});
    const MoveReason capture = ExplainMove(board, White, At(4, 5), threats);
    EXPECT_EQ(capture.kind, MoveReason::Kind::BreaksLine);
    EXPECT_EQ(capture.point, At(4, 4));
}

std::vector<Vertex> MovesOf(const char* record) {
    Position read;
    EXPECT_EQ(read.ReadRecord(record), std::nullopt);
    return read.Moves();
}

TEST(Review, MarksTheCertainMistakes) {
    const GameReview forced = ReviewGame(MovesOf(ForcedWin), ReviewLevel());
    ASSERT_EQ(forced.moves.size(), 13u);
    EXPECT_EQ(forced.moves[9].kind, MoveClass::AllowedForcedWin) << "White's 1-7";
    EXPECT_EQ(forced.moves[9].threat.front(), At(7, 5));
    EXPECT_EQ(forced.moves[10].kind, MoveClass::None) << "Black's 7-5 keeps the win";
    EXPECT_EQ(forced.moves[11].kind, MoveClass::None) << "White was lost whatever it played";
    EXPECT_EQ(forced.moves[12].kind, MoveClass::None) << "Black's 9-9 still wins";

    const GameReview allowed = ReviewGame(MovesOf(AllowedWin), ReviewLevel());
    EXPECT_EQ(allowed.moves[11].kind, MoveClass::AllowedWin) << "White's 9-8";
    EXPECT_EQ(allowed.moves[11].threat, std::vector<Vertex>{At(8, 5)});
    EXPECT_EQ(allowed.moves[12].kind, MoveClass::MissedWin) << "Black's 9-1";
    EXPECT_EQ(allowed.moves[12].best, At(8, 5));
    EXPECT_EQ(allowed.sides[ColorIndex(Black)].counts[static_cast<int>(MoveClass::MissedWin)], 1);
}

// During a game: the hint for the side facing a win in one is the block,
// and the warning after a move that lets it stand names the winning point.
TEST(Coach, SuggestsTheBlockAndWarnsOfTheWinAllowed) {
    Coach coach(2);
    SearchObserver quiet;
    Position threatened;
    PlayFirst(threatened, AllowedWin, 11);
    const Coach::Hint hint = coach.Suggest(threatened, quiet);
    EXPECT_EQ(hint.move, At(8, 5));
    EXPECT_EQ(hint.reason.kind, MoveReason::Kind::BlocksSeven);
    EXPECT_EQ(coach.Suggest(threatened, quiet).move, hint.move) << "the same hint again";

    Position allowed;
    PlayFirst(allowed, AllowedWin, 12);
    const Coach::Warning warning = coach.CheckLast(allowed);
    EXPECT_EQ(warning.kind, MoveClass::AllowedWin);
    EXPECT_EQ(warning.threat, std::vector<Vertex>{At(8, 5)});
    EXPECT_EQ(coach.ExplainLast(allowed).kind, MoveReason::Kind::None);
    EXPECT_EQ(coach.CheckLast(Position()).kind, MoveClass::None);
}

TEST(Review, IsTheSameEveryTime) {
    const std::vector<Vertex> moves = MovesOf(AllowedWin);
    const GameReview first = ReviewGame(moves, ReviewLevel());
    const GameReview second = ReviewGame(moves, ReviewLevel());
    ASSERT_EQ(first.moves.size(), second.moves.size());
    for (std::size_t i = 0; i < first.moves.size(); ++i) {
        EXPECT_EQ(first.moves[i].kind, second.moves[i].kind) << i;
        EXPECT_EQ(first.moves[i].winBefore, second.moves[i].winBefore) << i;
        EXPECT_EQ(first.moves[i].best, second.moves[i].best) << i;
    }
    EXPECT_EQ(first.sides[0].accuracy, second.sides[0].accuracy);
}

TEST(Review, AccuracyFallsWithTheDrop) {
    EXPECT_NEAR(MoveAccuracy(0.0), 100.0, 1e-3);
    EXPECT_NEAR(MoveAccuracy(0.10), 103.1668 * std::exp(-0.4354) - 3.1669, 1e-9);
    EXPECT_EQ(MoveAccuracy(1.0), 0.0);
    EXPECT_EQ(MoveAccuracy(-0.2), MoveAccuracy(0.0)) << "a move that raised the chances";
}

}  // namespace
}  // namespace nanaren
