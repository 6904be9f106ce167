#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>

#include "normal_board.h"
#include "uct.h"

namespace nanaren {

// One game between a person and the computer player: the turns, the person's
// moves and passes, and who has won. Every front-end plays through this; how
// the game is shown and how moves are typed or clicked is the front-end's.
class Game {
  public:
    enum class State { HumanToMove, ComputerToMove, HumanWon, ComputerWon };

    // The computer plays the other colour, seeded with clock. The game starts
    // from the generator's start state, as the console's one game per run
    // does, so a front-end that plays several games in one process plays each
    // exactly as the console would. Without playouts, think.txt gives them.
    Game(int human, std::time_t clock, std::optional<std::int32_t> playouts = std::nullopt);

    int Human() const { return mHuman; }
    State CurrentState() const { return mState; }
    bool IsOver() const { return mState == State::HumanWon || mState == State::ComputerWon; }
    // The game position.
    const Board& Position() const { return mPlayer->mBoard; }
    // The vertex of the last stone placed, -1 before the first.
    Vertex LastMove() const;

    // The person's move at column x and row y; -1 for either is a pass, which
    // keeps the last result: after the computer's move it moves again, after
    // a refused move (or at the very first prompt) the person is asked again.
    // Numbers off the grid are refused like an illegal move.
    Board::PutResult PlayHuman(int x, int y);
    // Input that is no move at all, refused like an illegal move.
    void RefuseHuman();
    // The computer searches and plays; its vertex, -1 when it has no legal
    // move and passes.
    Vertex PlayComputer(SearchObserver& observer);

  private:
    void SetStateAfterHuman();

    int mHuman;                    // the person's colour
    std::unique_ptr<Uct> mPlayer;  // the computer, whose board is the game position
    // The result of the last put; none yet counts as refused.
    Board::PutResult mLastResult = Board::Failure;
    State mState;
};

}  // namespace nanaren
