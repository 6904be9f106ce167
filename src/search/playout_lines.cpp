// Line analysis: the column and the row through a point scanned for a
// colour's long stretches, and the search for a threat over a freed region.

#include <cstdlib>

#include "search/playout_policy.h"

namespace nanaren {

namespace {

// Bits 1 to 9: the playing places of a column or a row.
constexpr std::uint32_t PlayingPlaces = 0x3FE;

// One line as a scan for a colour sees it, a bit per place.
struct LineView {
    std::uint32_t own;       // the colour's stones
    std::uint32_t passable;  // its stones and the points that bridge them
    std::uint32_t open;      // empty playing points
};

// A point that is not c's continues c's line when it is an enemy stone pinched
// from both sides across the line, or any other point with a c stone beside it
// and no enemy stone beside it. A wall point never does: its flanks are wall.
LineView ViewLine(const LineMasks& masks, Axis axis, int line, int c) {
    const int o = Opposite(c);
    const std::uint32_t own = masks.Stones(c, axis, line);
    const std::uint32_t enemy = masks.Stones(o, axis, line);
    const std::uint32_t ownBeside = masks.Stones(c, axis, line - 1);
    const std::uint32_t ownAcross = masks.Stones(c, axis, line + 1);
    const std::uint32_t enemyFlanks =
        masks.Stones(o, axis, line - 1) | masks.Stones(o, axis, line + 1);
    const std::uint32_t pinched = enemy & ownBeside & ownAcross;
    const std::uint32_t bridged = ~own & ~enemy & (ownBeside | ownAcross) & ~enemyFlanks;
    return {own, own | pinched | bridged, PlayingPlaces & ~own & ~enemy};
}

// How far a scan goes from its point towards the two ends of the line:
// walking by sign over c's stones and bridgeable points to the first point
// that is neither, [0] forward and [1] backward.
struct LineReach {
    std::array<int, 2> stop;              // the first place neither a stone nor bridgeable
    std::array<int, 2> farthest;          // the farthest own stone before it, -1 for none
    std::array<std::uint32_t, 2> stones;  // the own stones passed
};

void Reach(LineReach& reach, const LineView& view, int place, int forward) {
    for (int end = 0; end < 2; ++end) {
        const int sign = end == 0 ? forward : -forward;
        const int stop = FirstClearPlace(view.passable, place + sign, sign);
        const std::uint32_t stones = view.own & PlacesBetween(place, stop);
        reach.stop[end] = stop;
        reach.stones[end] = stones;
        reach.farthest[end] = FarthestPlace(stones, sign);
    }
}

enum class Verdict { None, Threat, OpenSix };

// Whether the stretch from edge[1] to edge[0], len points long, is a threat.
Verdict Judge(const Board& board, const std::array<Vertex, 2>& edge, int len, int dir, int c) {
    if (len <= 5) return Verdict::None;
    if (edge[1] == 0 || edge[0] == 0) return Verdict::None;
    // A stretch whose forward end runs along the first line.
    if (board.IsEdge(edge[0]) && board.IsEdge(edge[0] - dir)) return Verdict::None;
    if (len > WinLength) return c == White ? Verdict::Threat : Verdict::None;
    if (len == WinLength) return Verdict::Threat;
    const auto isOpen = [&](Vertex v) { return board.Cell(v) == Empty || board.Cell(v) == Mark; };
    // A six is a threat when both ends are open; its record counts one more gap.
    if (!isOpen(edge[0] + dir) || !isOpen(edge[1] - dir)) return Verdict::None;
    return Verdict::OpenSix;
}

}  // namespace

// The row's scan rewrites the whole record, so a column that is no threat
// needs none.
bool PlayoutPolicy::FindLineThreat(Vertex p, int c) {
    return HasThreatAlong(p, Up, c) || Scan(p, Right, c, true);
}

// The extension acts only on a record that spans six points or more, and
// a row's record spans no more than its walk around q, from stop to stop.
// While c's threat flag is clear, nothing else reads the record: a short row
// that the column's threat does not replace needs none.
bool PlayoutPolicy::ScanForExtension(Vertex q, int c) {
    if (mThreat[ColorIndex(c)]) {
        FindLineThreat(q, c);
        return true;
    }
    if (HasThreatAlong(q, Up, c)) return true;  // the column's threat is the record
    const LinePlace at = PlaceOf(q, Row);
    const LineView view = ViewLine(mBoard.Lines(), Row, at.line, c);
    const int forward = FirstClearPlace(view.passable, at.place + 1, 1);
    const int backward = FirstClearPlace(view.passable, at.place - 1, -1);
    if (forward - backward < 6) return false;
    Scan(q, Right, c, true);
    return true;
}

bool PlayoutPolicy::Scan(Vertex p, int dir, int c, bool recordMiss) {
    const LineStep step = StepOf(dir);
    const LinePlace at = PlaceOf(p, step.axis);
    const LineView view = ViewLine(mBoard.Lines(), step.axis, at.line, c);
    const bool own = (view.own >> at.place & 1) != 0;
    LineReach reach;
    Reach(reach, view, at.place, step.sign);
    std::array<Vertex, 2> edge = {own ? p : 0, own ? p : 0};
    int len = own ? 1 : 0;
    for (int end = 0; end < 2; ++end) {
        if (reach.farthest[end] == -1) continue;
        edge[end] = VertexAt(step.axis, at.line, reach.farthest[end]);
        len += std::abs(reach.farthest[end] - at.place);
    }
    const Verdict verdict = Judge(mBoard, edge, len, dir, c);
    if (verdict == Verdict::None && !recordMiss) return false;

    // The points of the stretch that are not c's are its gaps (the stones
    // passed come off below); p counts as a gap when it is no stone.
    LineInfo& line = mLine[ColorIndex(c)];
    line.edge = edge;
    line.len = len;
    line.space = len + (own ? -1 : 1) + (verdict == Verdict::OpenSix ? 1 : 0);
    line.dir = dir;
    line.stone = own ? 1 : 0;
    for (int end = 0; end < 2; ++end) {
        // The end space: the farthest open point passed or stopped on beyond
        // the last stone reached.
        const int sign = end == 0 ? step.sign : -step.sign;
        const int stop = reach.stop[end];
        const int lastStone = reach.farthest[end] == -1 ? at.place : reach.farthest[end];
        const std::uint32_t beyond = PlacesBetween(lastStone, stop) | 1u << stop;
        const int space = FarthestPlace(view.open & beyond, sign);
        line.edgeSpace[end] = space == -1 ? 0 : VertexAt(step.axis, at.line, space);
        const int stones = CountPlaces(reach.stones[end]);
        line.space -= stones;
        line.stone += stones;
    }
    return verdict != Verdict::None;
}

// The region search is defined as a depth-first walk over every simple path of
// the empty region from p (up, right, left, down; marks cleared on the way
// out) that scans each point it enters and stops at the first threat. A scan
// treats marked and empty points alike, so each point's scan has one fixed
// outcome, and only three effects can be observed: the result, mThreat[c] and
// the record of the last scan. They are computed here in linear time:
// - the walk enters new points in the order of a plain depth-first search,
//   because a path that re-enters a finished part of the region finds nothing
//   new there; so the first threat it meets is the first in that order;
// - without a threat, the walk's last scan is at the end of its last path,
//   which always steps to the last free neighbour in the order.
bool PlayoutPolicy::FindThreatInRegion(Vertex p, int c) {
    std::array<bool, MaxVertexSize> seen{};
    if (FindFirstThreatInOrder(p, c, seen)) {
        mThreat[ColorIndex(c)] = 1;
        return true;
    }
    FindLineThreat(LastPointOfRegionWalk(p), c);
    return false;
}

bool PlayoutPolicy::FindFirstThreatInOrder(Vertex p, int c, std::array<bool, MaxVertexSize>& seen) {
    // A miss here is followed by another scan for c before the search ends.
    if (HasLineThreat(p, c)) return true;
    seen[p] = true;
    for (const int d : CaptureDirections) {
        const Vertex n = p + d;
        if (mBoard.Cell(n) == Empty && !seen[n] && FindFirstThreatInOrder(n, c, seen)) return true;
    }
    return false;
}

Vertex PlayoutPolicy::LastPointOfRegionWalk(Vertex p) const {
    std::array<bool, MaxVertexSize> onPath{};
    onPath[p] = true;
    for (;;) {
        Vertex next = NoVertex;
        for (auto d = CaptureDirections.rbegin(); d != CaptureDirections.rend(); ++d) {
            const Vertex n = p + *d;
            if (mBoard.Cell(n) == Empty && !onPath[n]) {
                next = n;
                break;
            }
        }
        if (next == NoVertex) return p;
        p = next;
        onPath[p] = true;
    }
}

}  // namespace nanaren
