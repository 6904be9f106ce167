#include "self_play.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "scoped_state.h"

namespace nanaren {
namespace {

using testing::ScopedRandomState;
using testing::ScopedWorkingDirectory;

std::vector<Vertex> PlayToTheEnd(SelfPlay& play) {
    std::ostream discard(nullptr);
    while (!play.IsOver())
        play.PlayMove(discard);
    return play.Moves();
}

// A player that does not search takes the winning point of the empty list if
// there is one, else its first legal point, else passes.
Vertex UnsearchedChoice(const Board& board, int color, bool& wins) {
    Vertex chosen = -1;
    wins = false;
    for (int i = 0; i < board.mEmptySize && !wins; ++i) {
        Board trial;
        trial.CopyPosition(board);
        const Board::PutResult r = trial.Put(i, color);
        wins = r == Board::Win;
        if (wins || (r == Board::Success && chosen == -1)) chosen = board.mEmpty[i];
    }
    return chosen;
}

TEST(SelfPlay, PlayersWithoutSearchAlternateUntilAWinTwoPassesOrTheMoveLimit) {
    const ScopedWorkingDirectory directory;
    SelfPlay play({-1, -1}, 0);
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
        passesInARow = v == -1 ? passesInARow + 1 : 0;
        if (v != -1) model.PutAt(v, color);
        if (wins) winner = color;
        color = Opposite(color);
    }
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(play.Winner(), winner);
    EXPECT_EQ(play.ToMove(), color);
}

TEST(SelfPlay, AGameDependsOnlyOnItsSettingsNotOnWhatRanBefore) {
    const ScopedWorkingDirectory directory;
    const ScopedRandomState restore(RandomStartState);
    SelfPlay first({30, 40}, 7);
    const std::vector<Vertex> moves = PlayToTheEnd(first);
    SelfPlay other({40, 30}, 8);
    PlayToTheEnd(other);
    Random = 12345;
    SelfPlay again({30, 40}, 7);
    EXPECT_EQ(PlayToTheEnd(again), moves);
    EXPECT_NE(other.Moves(), moves);
}

}  // namespace
}  // namespace nanaren
