#include "players/threats.h"

namespace nanaren {

namespace {

// A forced-win search gives up after this many positions, so that a move
// never waits on it.
constexpr int NodeBudget = 4000;

// The empty playing points of a line as vertices.
template <typename F>
void ForEachEmptyOfLine(const Board& board, Axis axis, int line, F&& f) {
    for (int place = 1; place < GridSize - 1; ++place) {
        const Vertex v = VertexAt(axis, line, place);
        if (board.Cell(v) == Empty) f(v);
    }
}

// Calls f with every line that holds at least count stones of color.
template <typename F>
void ForEachLineWith(const Board& board, int color, int count, F&& f) {
    for (int axis = 0; axis < AxisCount; ++axis) {
        for (int line = 0; line < MaxLinesPerAxis; ++line) {
            if (CountPlaces(board.Lines().Stones(color, static_cast<Axis>(axis), line)) >= count) {
                f(static_cast<Axis>(axis), line);
            }
        }
    }
}

// The empty points but forbidden where color's stone completes a winning line.
PointSet WinningPointsBut(const Board& board, int color, Vertex forbidden) {
    PointSet points;
    ForEachLineWith(board, color, 6, [&](Axis axis, int line) {
        ForEachEmptyOfLine(board, axis, line, [&](Vertex v) {
            if (v != forbidden && board.CheckLine(v, color) == Board::Win) points.Add(v);
        });
    });
    return points;
}

}  // namespace

PointSet WinningPoints(const Board& board, int color) {
    return WinningPointsBut(board, color, board.Ko());
}

PointSet WaitingWinningPoints(const Board& board, int color) {
    return WinningPointsBut(board, color, NoVertex);
}

PointSet AtariPoints(const Board& board, int color) {
    PointSet points;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            const Vertex v = GetVertex(x, y);
            if (board.Cell(v) != color || board.GroupHead(v) != v) continue;
            const Vertex liberty = board.FindSingleLiberty(v, color);
            if (liberty != NoVertex) points.Add(liberty);
        }
    }
    return points;
}

PointSet ThreatCandidates(const Board& board, int color) {
    PointSet points = AtariPoints(board, Opposite(color));
    ForEachLineWith(board, color, 5, [&](Axis axis, int line) {
        ForEachEmptyOfLine(board, axis, line, [&](Vertex v) { points.Add(v); });
    });
    return points;
}

ThreatSearch::ThreatSearch(int attackMoves)
    : mAttackMoves(attackMoves), mBoards(2 * attackMoves + 2) {}

PointSet ThreatSearch::Defences(const Board& board, int attacker) {
    return Defences(board, attacker, mBoards[0]);
}

PointSet ThreatSearch::Defences(const Board& board, int attacker, Board& scratch) {
    const int defender = Opposite(attacker);
    PointSet candidates = WaitingWinningPoints(board, attacker);
    candidates.AddAll(AtariPoints(board, attacker));
    PointSet defences;
    candidates.ForEach([&](Vertex v) {
        scratch.CopyPosition(board);
        const Board::PutResult r = scratch.PutAt(v, defender);
        if (r == Board::Win ||
            (r == Board::Success && WinningPoints(scratch, attacker).IsEmpty())) {
            defences.Add(v);
        }
    });
    return defences;
}

Vertex ThreatSearch::FindForcedWin(const Board& board, int attacker) {
    mNodes = 0;
    Vertex first = NoVertex;
    return Attack(board, attacker, mAttackMoves, 0, first) ? first : NoVertex;
}

// attacker to move on board; the boards from ply on are free to use.
bool ThreatSearch::Attack(const Board& board, int attacker, int movesLeft, int ply, Vertex& first) {
    const PointSet wins = WinningPoints(board, attacker);
    if (!wins.IsEmpty()) {
        if (first == NoVertex) first = wins.First();
        return true;
    }
    if (movesLeft == 0 || ++mNodes > NodeBudget) return false;
    const int defender = Opposite(attacker);
    Board& next = mBoards[ply];
    Board& answered = mBoards[ply + 1];
    bool found = false;
    ThreatCandidates(board, attacker).ForEach([&](Vertex m) {
        if (found) return;
        next.CopyPosition(board);
        if (next.PutAt(m, attacker) != Board::Success) return;
        // The defender would win first, or need not answer at all.
        if (!WinningPoints(next, defender).IsEmpty()) return;
        if (WaitingWinningPoints(next, attacker).IsEmpty()) return;
        const PointSet replies = Defences(next, attacker, answered);
        bool allLose = true;
        replies.ForEach([&](Vertex r) {
            if (!allLose) return;
            answered.CopyPosition(next);
            Vertex ignored = NoVertex;
            allLose = answered.PutAt(r, defender) == Board::Success &&
                      Attack(answered, attacker, movesLeft - 1, ply + 2, ignored);
        });
        if (allLose) {
            first = m;
            found = true;
        }
    });
    return found;
}

}  // namespace nanaren
