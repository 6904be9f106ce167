#pragma once

#include <vector>

#include "core/point_set.h"
#include "game/board.h"

namespace nanaren {

// What the strong player knows of lines and captures: where a colour wins at
// once, which moves give it such a point, and which replies take them all
// away. Every answer is checked by playing the move on a board.

// The points where color, to move, would win now: empty, not the ko point,
// and completing a winning line by the rule of the put.
PointSet WinningPoints(const Board& board, int color);

// The same for color waiting for the other side's move, which color's next
// move follows: the ko point, which binds only the side to move, counts.
PointSet WaitingWinningPoints(const Board& board, int color);

// The last liberties of color's groups in atari, where the other colour
// captures.
PointSet AtariPoints(const Board& board, int color);

// The moves that may give color a winning point: the empty points of lines
// that hold five or more of its stones, and its captures.
PointSet ThreatCandidates(const Board& board, int color);

// Plays moves on scratch boards of its own to answer the questions that need
// a move tried: which replies stop every winning point, and whether a colour
// wins by a chain of threats that each leave the other side one answer.
class ThreatSearch {
  public:
    // attackMoves: the attacker's moves a forced win may take at most.
    explicit ThreatSearch(int attackMoves);

    // The moves of the defender, Opposite(attacker), after which the attacker
    // has no winning point (or that win for the defender at once).
    PointSet Defences(const Board& board, int attacker);

    // A first move of a forced win for attacker, to move: each of its moves
    // leaves it a winning point (so the defender must answer it), and every
    // answer leads on to a win. NoVertex when none is found within the
    // attack moves and the search's node budget.
    Vertex FindForcedWin(const Board& board, int attacker);

  private:
    bool Attack(const Board& board, int attacker, int movesLeft, int ply, Vertex& first);
    PointSet Defences(const Board& board, int attacker, Board& scratch);

    int mAttackMoves;            // the depth of a forced win, in attacker moves
    int mNodes = 0;              // positions searched by the current search
    std::vector<Board> mBoards;  // scratch positions, two per attacker move
};

}  // namespace nanaren
