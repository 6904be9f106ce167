#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <iosfwd>
#include <memory>
#include <vector>

#include "normal_board.h"

namespace nanaren {

class Uct;

// The computer player against itself, one player per colour, each with its
// own playout count. The game starts from the generator's start state, so a
// game depends only on its settings, wherever and however often it is played.
class SelfPlay {
  public:
    // A game that no one has won after this many moves is a draw.
    static constexpr int MaxMoves = 300;

    // playouts[0] for Black, playouts[1] for White; both players are seeded
    // with clock, Black's first.
    SelfPlay(const std::array<std::int32_t, 2>& playouts, std::time_t clock);
    ~SelfPlay();
    SelfPlay(const SelfPlay&) = delete;
    SelfPlay& operator=(const SelfPlay&) = delete;

    // The side to move searches, writing its report to out, and plays; its
    // vertex is returned, -1 for a pass when it has no legal move.
    Vertex PlayMove(std::ostream& out);

    bool IsOver() const { return mOver; }
    // Black or White once a player has made a winning line; Empty otherwise.
    int Winner() const { return mWinner; }
    int ToMove() const { return mToMove; }
    const Board& Position() const;
    // Every move in order, -1 for a pass.
    const std::vector<Vertex>& Moves() const { return mMoves; }
    int Passes() const { return mPasses; }

  private:
    Uct& Player(int color) { return *mPlayers[ColorSlot(color)]; }
    static int ColorSlot(int color) { return color == Black ? 0 : 1; }

    std::array<std::unique_ptr<Uct>, 2> mPlayers;  // Black's, then White's
    std::vector<Vertex> mMoves;                    // the moves so far, -1 a pass
    int mToMove = Black;                           // the colour to move
    int mWinner = Empty;                           // who made a winning line
    int mPasses = 0;                               // passes so far
    int mPassesInARow = 0;                         // consecutive passes
    bool mOver = false;                            // won, both passed, or too long
};

}  // namespace nanaren
