#pragma once

#include <array>
#include <ctime>
#include <memory>
#include <vector>

#include "core/random.h"
#include "game/position.h"
#include "players/player.h"

namespace nanaren {

// Two computer players against each other, Black's first. Both draw from one
// generator, which starts from its start state and is seeded with the clock
// once for each player, Black's first, as two exact players built for one
// game each would seed it; so a game depends only on its players and clock.
class SelfPlay {
  public:
    // A game that no one has won after this many moves is a draw.
    static constexpr int MaxMoves = 300;

    // players[0] plays Black, players[1] White, from the opening's moves,
    // which are played as they are (legal points that do not end the game).
    SelfPlay(std::array<std::unique_ptr<Player>, 2> players, std::time_t clock,
             const std::vector<Vertex>& opening = {});

    // The side to move searches, reporting to observer, and plays; its move
    // is returned, Pass when it has no legal move.
    Vertex PlayMove(SearchObserver& observer);

    // Won, passed twice in a row, or too long.
    bool IsOver() const;
    // Black or White once a player has made a winning line; Empty otherwise.
    int Winner() const { return mPosition.Winner(); }
    int ToMove() const { return mPosition.ToMove(); }
    const Position& GetPosition() const { return mPosition; }
    // Every move in order, Pass for a pass.
    const std::vector<Vertex>& Moves() const { return mPosition.Moves(); }
    int Passes() const { return mPasses; }

  private:
    std::array<std::unique_ptr<Player>, 2> mPlayers;  // Black's, then White's
    Position mPosition;                               // the game
    Random mRandom;                                   // what both players draw from
    int mPasses = 0;                                  // passes so far
    int mPassesInARow = 0;                            // consecutive passes
};

}  // namespace nanaren
