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

    // A forced win as a line of moves: the attacker's first move, the
    // defender's first answer, the attacker's next move, ... down to the
    // winning move (that move alone where the attacker wins at once). Empty
    // when FindForcedWin finds none.
    std::vector<Vertex> ForcedWinLine(const Board& board, int attacker);
    // The same from a given first move; empty when that move does not start
    // a forced win.
    std::vector<Vertex> ForcedWinLineFrom(const Board& board, int attacker, Vertex first);

    // Where the attacker, were it to move, would win by consecutive threats:
    // the defender's moves after which it has no winning point and no forced
    // win any more. A stopping move blocks a point of its lines or captures
    // some of their stones. None when the attacker cannot win so, or when
    // nothing stops it.
    PointSet StoppingMoves(const Board& board, int attacker);

  private:
    bool Attack(const Board& board, int attacker, int movesLeft, int ply, Vertex& first);
    bool Forces(const Board& board, int attacker, Vertex m, int movesLeft, int ply);
    Vertex AnswerOf(const Board& board, int attacker);
    PointSet Defences(const Board& board, int attacker, Board& scratch);

    int mAttackMoves;            // the depth of a forced win, in attacker moves
    int mNodes = 0;              // positions searched by the current search
    std::vector<Board> mBoards;  // scratch positions, two per attacker move
};

}  // namespace nanaren
