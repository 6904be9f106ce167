#include "play/game.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/notation.h"
#include "players/exact_player.h"
#include "players/registry.h"
#include "recording_observer.h"

namespace nanaren {
namespace {

using testing::RecordingObserver;

std::unique_ptr<Player> Exact(std::int32_t playouts) {
    return std::make_unique<ExactPlayer>(ExactSettings{playouts});
}

TEST(GameInterface, TwoGamesInOneProcessPlayAlike) {
    Game first(White, 1733700000, Exact(300));
    Game second(White, 1733700000, Exact(300));
    RecordingObserver firstReport;
    RecordingObserver secondReport;
    const Vertex firstMove = first.PlayComputer(firstReport).move;
    EXPECT_EQ(second.PlayComputer(secondReport).move, firstMove);
    EXPECT_EQ(second.GetPosition().LastStone(), firstMove);
    ASSERT_TRUE(firstReport.estimate && secondReport.estimate);
    EXPECT_EQ(secondReport.estimate->winningRate, firstReport.estimate->winningRate);
    EXPECT_EQ(secondReport.estimate->expectedReply, firstReport.estimate->expectedReply);
    EXPECT_EQ(secondReport.progress, firstReport.progress);
    EXPECT_EQ(secondReport.progress.size(), 21u);
}

TEST(GameInterface, AMoveIsAnsweredWithOneOutcome) {
    Game game(Black, 0, Exact(-1));
    EXPECT_EQ(game.Play(GetVertex(0, 3)), MoveOutcome::RefusedFor(Refusal::OffBoard));
    EXPECT_EQ(game.Play(NoVertex), MoveOutcome::RefusedFor(Refusal::OffBoard));
    EXPECT_EQ(game.CurrentState(), Game::State::PersonToMove);
    EXPECT_TRUE(game.GetPosition().Moves().empty());
    EXPECT_EQ(game.Play(GetVertex(5, 5)), MoveOutcome::Played());
    EXPECT_EQ(game.CurrentState(), Game::State::ComputerToMove);
    EXPECT_EQ(game.Pass(), MoveOutcome::RefusedFor(Refusal::NotYourTurn));
    SearchObserver quiet;
    const Vertex reply = game.PlayComputer(quiet).move;
    EXPECT_EQ(game.GetPosition().LastStone(), reply);
    EXPECT_EQ(game.Play(reply), MoveOutcome::RefusedFor(Refusal::Occupied));
    EXPECT_EQ(game.Pass(), MoveOutcome::Played());
    EXPECT_EQ(game.CurrentState(), Game::State::ComputerToMove);
    EXPECT_EQ(game.GetPosition().Moves(), (std::vector<Vertex>{GetVertex(5, 5), reply, Pass}));
    game.PlayComputer(quiet);
    EXPECT_EQ(game.Resign(), MoveOutcome::Won());
    EXPECT_EQ(game.CurrentState(), Game::State::Over);
    EXPECT_EQ(game.Winner(), White);
    EXPECT_EQ(game.Play(GetVertex(1, 1)), MoveOutcome::RefusedFor(Refusal::GameOver));
}

// Two people at one board: every move is a person's, and a take-back takes
// one move.
TEST(GameInterface, TwoPeopleTakeTurns) {
    Game game(Black, 0, nullptr);
    EXPECT_FALSE(game.CanTakeBack());
    for (const char* move : {"5-5", "4-4", "5-6"}) {
        EXPECT_EQ(game.CurrentState(), Game::State::PersonToMove);
        EXPECT_EQ(game.Play(*ParseMove(move)), MoveOutcome::Played()) << move;
    }
    EXPECT_EQ(game.GetPosition().ToMove(), White);
    EXPECT_TRUE(game.CanTakeBack());
    ASSERT_TRUE(game.TakeBack());
    EXPECT_EQ(game.GetPosition().Record(), "5-5 4-4");
    SearchObserver quiet;
    Game replayed(White, 0, nullptr);
    ASSERT_EQ(replayed.Replay("5-5 4-4 pass", quiet), std::nullopt);
    EXPECT_EQ(replayed.GetPosition().ToMove(), White);
}

// The person's moves, each answered by the computer until someone wins.
void PlayMoves(Game& game, const std::vector<std::pair<int, int>>& moves) {
    SearchObserver quiet;
    for (const auto& [x, y] : moves) {
        if (game.IsOver()) return;
        ASSERT_TRUE(game.Play(GetVertex(x, y)).Stands()) << x << " " << y;
        if (game.CurrentState() == Game::State::ComputerToMove) game.PlayComputer(quiet);
    }
}

TEST(TakeBack, TheSameMoveAgainGetsTheSameReply) {
    Game straight(Black, 1733700001, Exact(200));
    PlayMoves(straight, {{5, 5}, {4, 4}, {6, 6}});

    Game withTakeBacks(Black, 1733700001, Exact(200));
    PlayMoves(withTakeBacks, {{5, 5}, {3, 7}});
    ASSERT_TRUE(withTakeBacks.TakeBack());
    EXPECT_EQ(withTakeBacks.GetPosition().Moves().size(), 2u);
    PlayMoves(withTakeBacks, {{4, 4}, {2, 2}, {8, 1}});
    ASSERT_TRUE(withTakeBacks.TakeBack());
    ASSERT_TRUE(withTakeBacks.TakeBack());
    PlayMoves(withTakeBacks, {{6, 6}});

    EXPECT_EQ(withTakeBacks.GetPosition().Record(), straight.GetPosition().Record());
    // And the games go on alike.
    PlayMoves(straight, {{7, 7}});
    PlayMoves(withTakeBacks, {{7, 7}});
    EXPECT_EQ(withTakeBacks.GetPosition().Record(), straight.GetPosition().Record());
}

TEST(TakeBack, NeedsAMoveOfThePerson) {
    Game black(Black, 0, Exact(-1));
    EXPECT_FALSE(black.CanTakeBack());
    EXPECT_FALSE(black.TakeBack());
    Game white(White, 0, Exact(-1));
    EXPECT_FALSE(white.TakeBack()) << "the computer is to move";
    SearchObserver quiet;
    white.PlayComputer(quiet);
    EXPECT_FALSE(white.CanTakeBack());
    EXPECT_FALSE(white.TakeBack()) << "only the computer has moved";
    EXPECT_EQ(white.GetPosition().Moves().size(), 1u);
}

// Without a search the computer takes the first free point from the top left,
// so a row of seven across the middle wins for the person.
TEST(TakeBack, AfterThePersonsWinOnlyTheWinningMoveGoes) {
    Game game(Black, 0, Exact(-1));
    PlayMoves(game, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}});
    ASSERT_EQ(game.CurrentState(), Game::State::Over);
    ASSERT_EQ(game.Winner(), Black);
    ASSERT_EQ(game.GetPosition().WinningStones().size(), 7u);
    const std::size_t moves = game.GetPosition().Moves().size();
    ASSERT_TRUE(game.CanTakeBack());
    ASSERT_TRUE(game.TakeBack());
    EXPECT_EQ(game.CurrentState(), Game::State::PersonToMove);
    EXPECT_EQ(game.GetPosition().Moves().size(), moves - 1);
    EXPECT_TRUE(game.GetPosition().WinningStones().empty());
}

TEST(TakeBack, AfterTheComputersWinItsMoveAndThePersonsGo) {
    Game game(White, 0, Exact(-1));
    SearchObserver quiet;
    game.PlayComputer(quiet);
    // The person passes until the computer's first row is full.
    while (!game.IsOver()) {
        game.Pass();
        game.PlayComputer(quiet);
    }
    ASSERT_EQ(game.Winner(), Black);
    const std::vector<Vertex> before = game.GetPosition().Moves();
    ASSERT_TRUE(game.TakeBack());
    EXPECT_EQ(game.CurrentState(), Game::State::PersonToMove);
    EXPECT_EQ(game.GetPosition().Moves(), std::vector<Vertex>(before.begin(), before.end() - 2));
}

// A game replayed from its record goes on as the game itself does, whether
// the computer's moves are searched again (the exact player) or followed
// without a search (the strong player).
TEST(Replay, ARecordedGameGoesOnAsItWouldHave) {
    for (const char* name : {"exact:200", "strong:200"}) {
        Game played(Black, 1733700002, MakePlayer(*ParsePlayer(name)));
        PlayMoves(played, {{5, 5}, {4, 6}, {6, 4}});
        Game replayed(Black, 1733700002, MakePlayer(*ParsePlayer(name)));
        SearchObserver quiet;
        ASSERT_EQ(replayed.Replay(played.GetPosition().Record(), quiet), std::nullopt) << name;
        PlayMoves(played, {{3, 3}});
        PlayMoves(replayed, {{3, 3}});
        EXPECT_EQ(replayed.GetPosition().Record(), played.GetPosition().Record()) << name;
    }
}

// A game played on from a position: the moves given stand for both colours,
// whoever the computer is, and the computer then plays as it would from there.
TEST(Replay, AGameGoesOnFromMovesGiven) {
    Game game(White, 1733700002, Exact(100));
    ASSERT_EQ(game.SetUp("5-5 1-1 5-6"), std::nullopt);
    EXPECT_EQ(game.CurrentState(), Game::State::PersonToMove);
    EXPECT_EQ(game.Play(GetVertex(4, 4)), MoveOutcome::Played());
    SearchObserver quiet;
    const Vertex reply = game.PlayComputer(quiet).move;
    EXPECT_NE(reply, Pass);
    ASSERT_TRUE(game.TakeBack());
    ASSERT_TRUE(game.TakeBack());
    EXPECT_EQ(game.GetPosition().Record(), "5-5");
    Game refused(White, 0, Exact(100));
    ASSERT_TRUE(refused.SetUp("5-5 5-5").has_value());
    EXPECT_TRUE(refused.GetPosition().Moves().empty());
}

// A game played on from moves given is replayed from the same moves given:
// the exact player's replies after them are searched again and found alike,
// and a move it would not play takes the game back to the moves given.
TEST(Replay, AGamePlayedOnFromMovesGivenReplaysFromThem) {
    Game played(Black, 1733700002, Exact(100));
    ASSERT_EQ(played.SetUp("5-5 1-1"), std::nullopt);
    PlayMoves(played, {{4, 4}, {6, 6}});
    const std::string record = played.GetPosition().Record();
    ASSERT_EQ(played.GetPosition().Moves().size(), 6u);

    Game replayed(Black, 1733700002, Exact(100));
    ASSERT_EQ(replayed.SetUp("5-5 1-1"), std::nullopt);
    SearchObserver quiet;
    ASSERT_EQ(replayed.Replay(record, quiet), std::nullopt);
    PlayMoves(played, {{3, 3}});
    PlayMoves(replayed, {{3, 3}});
    EXPECT_EQ(replayed.GetPosition().Record(), played.GetPosition().Record());

    const Vertex reply = played.GetPosition().Moves()[3];
    Vertex other = GetVertex(9, 9);
    while (other == reply)
        --other;
    Game refused(Black, 1733700002, Exact(100));
    ASSERT_EQ(refused.SetUp("5-5 1-1"), std::nullopt);
    const auto error = refused.Replay("5-5 1-1 4-4 " + MoveText(other), quiet);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->token, 4);
    EXPECT_EQ(refused.GetPosition().Record(), "5-5 1-1");
    PlayMoves(refused, {{4, 4}});
    EXPECT_EQ(refused.GetPosition().Moves()[3], reply) << "the generator is back where it stood";
}

TEST(Replay, AMoveTheComputerWouldNotPlayLeavesTheGameAtItsStart) {
    Game played(White, 1733700002, Exact(100));
    SearchObserver quiet;
    played.PlayComputer(quiet);
    PlayMoves(played, {{5, 5}});
    const std::vector<Vertex>& moves = played.GetPosition().Moves();
    ASSERT_EQ(moves.size(), 3u);
    // The computer's second move moved to a point no one has played.
    Vertex other = GetVertex(1, 1);
    while (other == moves[0] || other == moves[1] || other == moves[2])
        ++other;
    const std::string record = MoveText(moves[0]) + " 5-5 " + MoveText(other);
    Game replayed(White, 1733700002, Exact(100));
    const std::optional<RecordError> error = replayed.Replay(record, quiet);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->token, 3);
    EXPECT_EQ(error->kind, RecordError::Kind::ComputerPlaysOther);
    EXPECT_EQ(error->computerMove, moves[2]);
    EXPECT_EQ(error->Message(), "move 3 (" + MoveText(other) + "): the computer plays " +
                                    MoveText(moves[2]) + " here");
    EXPECT_TRUE(replayed.GetPosition().Moves().empty());
    EXPECT_EQ(replayed.CurrentState(), Game::State::ComputerToMove);
    EXPECT_EQ(replayed.PlayComputer(quiet).move, moves[0]) << "the generator is back at its start";

    // Refused at the computer's first move, before any move stood.
    Game refusedAtOnce(White, 1733700002, Exact(100));
    ASSERT_TRUE(refusedAtOnce.Replay(MoveText(other), quiet).has_value());
    EXPECT_EQ(refusedAtOnce.PlayComputer(quiet).move, moves[0])
        << "the generator is back at its start";
}

}  // namespace
}  // namespace nanaren
