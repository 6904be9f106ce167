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

// The defender's answer to a threat in a line: the first defence, or where
// none holds, a block of one of the attacker's winning points (a pass when
// it can block none).
Vertex ThreatSearch::AnswerOf(const Board& board, int attacker) {
    const Vertex defence = Defences(board, attacker).First();
    if (defence != NoVertex) return defence;
    Vertex block = Pass;
    WaitingWinningPoints(board, attacker).ForEach([&](Vertex v) {
        if (block == Pass &&
            board.TryPut(board.EmptyIndexOf(v), Opposite(attacker)) == Board::Success) {
            block = v;
        }
    });
    return block;
}

std::vector<Vertex> ThreatSearch::ForcedWinLine(const Board& board, int attacker) {
    const PointSet wins = WinningPoints(board, attacker);
    if (!wins.IsEmpty()) return {wins.First()};
    const Vertex first = FindForcedWin(board, attacker);
    return first == NoVertex ? std::vector<Vertex>{} : ForcedWinLineFrom(board, attacker, first);
}

// Each threat answered by the defender's first defence, until the attacker
// has a winning point; the depth shrinks by one attacker move each time, so
// every threat the line shows was found within the search's reach.
std::vector<Vertex> ThreatSearch::ForcedWinLineFrom(const Board& board, int attacker,
                                                    Vertex first) {
    mNodes = 0;
    if (!Forces(board, attacker, first, mAttackMoves, 0)) return {};
    std::vector<Vertex> line;
    Board position;
    position.CopyPosition(board);
    Vertex threat = first;
    for (int movesLeft = mAttackMoves; movesLeft > 0; --movesLeft) {
        position.PutAt(threat, attacker);
        line.push_back(threat);
        const Vertex answer = AnswerOf(position, attacker);
        if (answer != Pass) position.PutAt(answer, Opposite(attacker));
        line.push_back(answer);
        const PointSet wins = answer == Pass ? WaitingWinningPoints(position, attacker)
                                             : WinningPoints(position, attacker);
        if (!wins.IsEmpty()) {
            line.push_back(wins.First());
            return line;
        }
        mNodes = 0;
        threat = NoVertex;
        if (!Attack(position, attacker, movesLeft - 1, 0, threat) || threat == NoVertex) break;
    }
    return {};
}

PointSet ThreatSearch::StoppingMoves(const Board& board, int attacker) {
    const int defender = Opposite(attacker);
    if (FindForcedWin(board, attacker) == NoVertex) return {};
    PointSet candidates = ThreatCandidates(board, attacker);
    candidates.AddAll(AtariPoints(board, attacker));
    PointSet stopping;
    Board after;
    candidates.ForEach([&](Vertex v) {
        after.CopyPosition(board);
        if (after.PutAt(v, defender) != Board::Success) return;
        if (WinningPoints(after, attacker).IsEmpty() &&
            FindForcedWin(after, attacker) == NoVertex) {
            stopping.Add(v);
        }
    });
    return stopping;
}

// attacker to move on board; the boards from ply on are free to use.
bool ThreatSearch::Attack(const Board& board, int attacker, int movesLeft, int ply, Vertex& first) {
    const PointSet wins = WinningPoints(board, attacker);
    if (!wins.IsEmpty()) {
        if (first == NoVertex) first = wins.First();
        return true;
    }
    if (movesLeft == 0 || ++mNodes > NodeBudget) return false;
    bool found = false;
    ThreatCandidates(board, attacker).ForEach([&](Vertex m) {
        if (found || !Forces(board, attacker, m, movesLeft, ply)) return;
        first = m;
        found = true;
    });
    return found;
}

// Whether the attacker's move m leaves it a winning point that the defender
// must answer, and every answer leads on to a win within movesLeft - 1 more
// attacker moves.
bool ThreatSearch::Forces(const Board& board, int attacker, Vertex m, int movesLeft, int ply) {
    const int defender = Opposite(attacker);
    Board& next = mBoards[ply];
    Board& answered = mBoards[ply + 1];
    next.CopyPosition(board);
    if (next.PutAt(m, attacker) != Board::Success) return false;
    // The defender would win first, or need not answer at all.
    if (!WinningPoints(next, defender).IsEmpty()) return false;
    if (WaitingWinningPoints(next, attacker).IsEmpty()) return false;
    const PointSet replies = Defences(next, attacker, answered);
    bool allLose = true;
    replies.ForEach([&](Vertex r) {
        if (!allLose) return;
        answered.CopyPosition(next);
        Vertex ignored = NoVertex;
        allLose = answered.PutAt(r, defender) == Board::Success &&
                  Attack(answered, attacker, movesLeft - 1, ply + 2, ignored);
    });
    return allLose;
}

}  // namespace nanaren
