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

// One game at one board: a person against a computer player, or two people
// taking turns. It keeps the turns, the moves, take-backs and who has won;
// every front-end plays through it. How the game is shown and how moves are
// typed or clicked is the front-end's.
class Game {
  public:
    enum class State { PersonToMove, ComputerToMove, Over };

    // A person playing human against the computer, which plays the other
    // colour; without a computer, two people play both colours. The game's
    // generator starts from its start state and is seeded with clock, as the
    // console's one game per run does, so that every game plays as the
    // console would.
    Game(int human, std::time_t clock, std::unique_ptr<Player> computer);

    // The person's colour (against the computer).
    int Human() const { return mHuman; }
    bool HasComputer() const { return mComputer != nullptr; }
    // Whether color is played by a person.
    bool IsPerson(int color) const { return !HasComputer() || color == mHuman; }
    State CurrentState() const;
    bool IsOver() const { return mPosition.IsOver(); }
    int Winner() const { return mPosition.Winner(); }
    const Position& GetPosition() const { return mPosition; }

    // A person's move for the side to move: a point, Pass or Resign. Refused,
    // with nothing changed, when it is the computer's turn or the game is
    // over, or where the rules refuse the point.
    MoveOutcome Play(Vertex v);
    MoveOutcome Pass() { return Play(nanaren::Pass); }
    MoveOutcome Resign() { return Play(nanaren::Resign); }

    // The computer searches and plays; its choice (Pass when it has no legal
    // move).
    SearchResult PlayComputer(SearchObserver& observer);

    // Whether TakeBack would take anything back.
    bool CanTakeBack() const { return MovesToTakeBack() > 0; }
    // Takes back the person's last move and what the computer played after
    // it; after the end of the game, the last move and, if that was the
    // computer's, the person's move before it; between two people, the last
    // move. The generator goes back to where it stood, so the same move gets
    // the same reply. False, with nothing changed, when there is nothing to
    // take back or the computer is to move.
    bool TakeBack();

    // Plays a record's moves (Position::Record) in a game not yet begun, or
    // begun by SetUp with the record's first moves: the person's as written,
    // the computer's as its search finds them again, or without searching
    // where the player can follow its search. When a move cannot be played,
    // or is not the one the computer plays there, the game goes back to where
    // the replay began and the error names the move (counted in the whole
    // record).
    std::optional<RecordError> Replay(std::string_view record, SearchObserver& observer);

    // Plays a record's moves as given, both colours alike, in a game not yet
    // begun: a game played on from a position of another (a review, a
    // problem). The generator is not drawn from; the moves can be taken back
    // like any others. On an error the game stays at its start.
    std::optional<RecordError> SetUp(std::string_view record);

  private:
    std::size_t MovesToTakeBack() const;
    MoveOutcome Record(Vertex v, std::uint32_t randomBefore);
    std::optional<RecordError> ReplayMove(Vertex move, SearchObserver& observer);
    void BackTo(std::size_t kept, std::uint32_t seeded);

    int mHuman;                                // the person's colour against the computer
    std::unique_ptr<Player> mComputer;         // the computer player, none between people
    Position mPosition;                        // the game
    Random mRandom;                            // what the computer's searches draw from
    std::vector<std::uint32_t> mRandomBefore;  // by move: the generator's state before it
};

}  // namespace nanaren
