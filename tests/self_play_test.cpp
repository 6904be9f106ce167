#include "play/self_play.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "players/exact_player.h"

namespace nanaren {
namespace {

std::vector<Vertex> PlayToTheEnd(SelfPlay& play) {
    SearchObserver quiet;
    while (!play.IsOver())
        play.PlayMove(quiet);
    return play.Moves();
}

SelfPlay ExactPlayers(std::int32_t black, std::int32_t white, std::time_t clock) {
    return SelfPlay({std::make_unique<ExactPlayer>(ExactSettings{black}),
                     std::make_unique<ExactPlayer>(ExactSettings{white})},
                    clock);
}

// A player that does not search takes the winning point of the empty list if
// there is one, else its first legal point, else passes.
Vertex UnsearchedChoice(const Board& board, int color, bool& wins) {
    Vertex chosen = Pass;
    wins = false;
    for (int i = 0; i < board.EmptyCount() && !wins; ++i) {
        Board trial;
        trial.CopyPosition(board);
        const Board::PutResult r = trial.Put(i, color);
        wins = r == Board::Win;
        if (wins || (r == Board::Success && chosen == Pass)) chosen = board.EmptyPoint(i);
    }
    return chosen;
}

TEST(SelfPlay, PlayersWithoutSearchAlternateUntilAWinTwoPassesOrTheMoveLimit) {
    SelfPlay play = ExactPlayers(-1, -1, 0);
    const std::vector<Vertex> moves = PlayToTheEnd(play);

    Board model;
    int color = Black;
    int winner = Empty;
    int passesInARow = 0;
    std::vector<Vertex> expected;
    while (winner == Empty && passesInARow < 2 && expected.size() < SelfPlay::MaxMoves) {
        bool wins = false;
        const Vertex v = UnsearchedChoice(model, color, wins);
        expected.push_back(v);
        passesInARow = v == Pass ? passesInARow + 1 : 0;
        if (v != Pass) model.PutAt(v, color);
        if (wins) winner = color;
        color = Opposite(color);
    }
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(play.Winner(), winner);
    EXPECT_EQ(play.ToMove(), color);
}

TEST(SelfPlay, AGameDependsOnlyOnItsPlayersAndClock) {
    SelfPlay first = ExactPlayers(30, 40, 7);
    const std::vector<Vertex> moves = PlayToTheEnd(first);
    SelfPlay other = ExactPlayers(40, 30, 8);
    PlayToTheEnd(other);
    SelfPlay again = ExactPlayers(30, 40, 7);
    EXPECT_EQ(PlayToTheEnd(again), moves);
    EXPECT_NE(other.Moves(), moves);
}

}  // namespace
}  // namespace nanaren
