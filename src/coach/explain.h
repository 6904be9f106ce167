#pragma once

#include <vector>

#include "game/board.h"
#include "game/position.h"
#include "players/threats.h"

namespace nanaren {

// Why a move was played, where the reason is certain rather than estimated.
struct MoveReason {
    enum class Kind {
        None,             // nothing certain: the search's estimate is all there is
        Wins,             // it makes the winning line
        BlocksSeven,      // it takes the point where the other side would win
        BreaksLine,       // it captures a stone of the other side's winning line
        StartsForcedWin,  // its threats win whatever the other side answers
        StopsForcedWin,   // the other side's threats no longer win
    };
    Kind kind = Kind::None;
    Vertex point = NoVertex;   // the point blocked, or the stone captured
    std::vector<Vertex> line;  // the forced win, from the move on

    bool operator==(const MoveReason&) const = default;
};

// The reason for mover's move on the board before it.
MoveReason ExplainMove(const Board& before, int mover, Vertex move, ThreatSearch& threats);

// Plays every move of a game but its last on a fresh position.
void PlayAllButLast(const Position& game, Position& before);

// The reason for a game's last move; none before the first move.
MoveReason ExplainLastMove(const Position& position, ThreatSearch& threats);

}  // namespace nanaren
