#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/random.h"
#include "game/position.h"
#include "players/player.h"

namespace nanaren {

// One game between a person and a computer player: the turns, the person's
// moves and passes, take-backs and who has won. Every front-end plays through
// this; how the game is shown and how moves are typed or clicked is the
// front-end's.
class Game {
  public:
    enum class State { HumanToMove, ComputerToMove, HumanWon, ComputerWon };

    // The computer plays the other colour. The game's generator starts from
    // its start state and is seeded with clock, as the console's one game per
    // run does, so that every game plays as the console would.
    Game(int human, std::time_t clock, std::unique_ptr<Player> computer);

    int Human() const { return mHuman; }
    int Computer() const { return Opposite(mHuman); }
    State CurrentState() const { return mState; }
    bool IsOver() const { return mState == State::HumanWon || mState == State::ComputerWon; }
    const Position& GetPosition() const { return mPosition; }

    // The person's move at column x and row y; -1 for either is a pass, which
    // keeps the last result: after the computer's move it moves again, after
    // a refused move (or at the very first prompt) the person is asked again.
    // Numbers off the grid are refused like an illegal move.
    Board::PutResult PlayHuman(int x, int y);
    // Input that is no move at all, refused like an illegal move.
    void RefuseHuman();
    // The computer searches and plays; its vertex, Pass when it has no legal
    // move.
    Vertex PlayComputer(SearchObserver& observer);

    // Takes back the person's last move and what the computer played after
    // it; after the end of the game, the last move and, if that was the
    // computer's, the person's move before it. The generator goes back to
    // where it stood, so the same move gets the same reply. False, with
    // nothing changed, when the person has no move to take back or the
    // computer is to move.
    bool TakeBack();

    // Plays a record's moves (Position::Record) in a game not yet begun: the
    // person's as written, the computer's as its search finds them again, or
    // without searching where the player can follow its search. When a move
    // cannot be played, or is not the one the computer plays there, the game
    // goes back to its start and the error names the move.
    std::optional<RecordError> Replay(std::string_view record, SearchObserver& observer);

  private:
    // Plays a move; one that stands is noted with the generator's state
    // before it.
    Board::PutResult Play(int color, Vertex v, std::uint32_t randomBefore);
    void FollowPosition();
    std::optional<std::string> ReplayMove(Vertex move, SearchObserver& observer);
    void Restart(std::uint32_t seeded);

    int mHuman;                                // the person's colour
    std::unique_ptr<Player> mComputer;         // the computer player
    Position mPosition;                        // the game
    Random mRandom;                            // what the computer's searches draw from
    std::vector<std::uint32_t> mRandomBefore;  // by move: the generator's state before it
    // The result of the last put; none yet counts as refused.
    Board::PutResult mLastResult = Board::Failure;
    State mState = State::HumanToMove;  // follows the position
};

}  // namespace nanaren
