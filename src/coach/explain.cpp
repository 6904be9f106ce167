#include "coach/explain.h"

namespace nanaren {

namespace {

// The first of the other side's stones that the move took off the board.
Vertex FirstCaptured(const Board& before, const Board& after, int color) {
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        if (before.Cell(v) == color && after.Cell(v) == Empty) return v;
    }
    return NoVertex;
}

}  // namespace

MoveReason ExplainMove(const Board& before, int mover, Vertex move, ThreatSearch& threats) {
    MoveReason reason;
    if (!IsPlayingPoint(move)) return reason;
    const int other = Opposite(mover);
    Board after;
    after.CopyPosition(before);
    const Board::PutResult put = after.PutAt(move, mover);
    if (put == Board::Failure) return reason;
    if (put == Board::Win) {
        reason.kind = MoveReason::Kind::Wins;
        return reason;
    }
    const PointSet threatened = WaitingWinningPoints(before, other);
    if (!threatened.IsEmpty() && WaitingWinningPoints(after, other).IsEmpty()) {
        const bool blocks = threatened.Contains(move);
        reason.kind = blocks ? MoveReason::Kind::BlocksSeven : MoveReason::Kind::BreaksLine;
        reason.point = blocks ? move : FirstCaptured(before, after, other);
        return reason;
    }
    reason.line = threats.ForcedWinLineFrom(before, mover, move);
    if (!reason.line.empty()) {
        reason.kind = MoveReason::Kind::StartsForcedWin;
        return reason;
    }
    if (threatened.IsEmpty() && threats.FindForcedWin(before, other) != NoVertex &&
        WaitingWinningPoints(after, other).IsEmpty() &&
        threats.FindForcedWin(after, other) == NoVertex) {
        reason.kind = MoveReason::Kind::StopsForcedWin;
    }
    return reason;
}

void PlayAllButLast(const Position& game, Position& before) {
    const std::vector<Vertex>& moves = game.Moves();
    for (std::size_t i = 0; i + 1 < moves.size(); ++i)
        before.Play(moves[i]);
}

MoveReason ExplainLastMove(const Position& position, ThreatSearch& threats) {
    const std::vector<Vertex>& moves = position.Moves();
    if (moves.empty()) return {};
    Position before;
    PlayAllButLast(position, before);
    return ExplainMove(before.GetBoard(), before.ToMove(), moves.back(), threats);
}

}  // namespace nanaren
