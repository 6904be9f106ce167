// Line analysis: the column and the row through a point scanned for a
// colour's long stretches, and the search for a threat over a freed region.

#include "uct.h"

namespace nanaren {

// A point that is not c's continues c's line when it is an enemy stone pinched
// from both sides across the line, or any other point with a c stone beside it
// and no enemy stone beside it.
bool Uct::IsBridgeable(Vertex x, int side, int c) const {
    const int o = Opposite(c);
    const int beside = mBoard.mCell[x + side];
    const int across = mBoard.mCell[x - side];
    if (mBoard.mCell[x] == o) return beside == c && across == c;
    return (beside == c || across == c) && beside != o && across != o;
}

// Walks from p by step, extending the stretch of c stones over bridgeable
// points; end 0 is the forward end, 1 the backward one.
void Uct::WalkLine(LineInfo& line, Vertex p, int step, int side, int c, int end) const {
    int pending = 0;
    for (Vertex x = p + step;; x += step) {
        const int cell = mBoard.mCell[x];
        if (cell == c) {
            ++line.stone;
            line.len += pending + 1;
            line.space += pending;
            pending = 0;
            line.edge[end] = x;
            line.edgeSpace[end] = 0;
            continue;
        }
        if (cell == Empty || cell == Mark) line.edgeSpace[end] = x;
        if (!IsBridgeable(x, side, c)) return;
        ++pending;
    }
}

bool Uct::ScanLine(Vertex p, int dir, int side, int c) {
    LineInfo& line = mLine[ColorIndex(c)];
    const bool own = mBoard.mCell[p] == c;
    line.edge = {own ? p : 0, own ? p : 0};
    line.edgeSpace = {0, 0};
    line.len = own ? 1 : 0;
    line.space = own ? 0 : 1;
    line.dir = dir;
    line.stone = own ? 1 : 0;
    WalkLine(line, p, dir, side, c, 0);
    WalkLine(line, p, -dir, side, c, 1);

    if (line.len <= 5) return false;
    if (line.edge[1] == 0 || line.edge[0] == 0) return false;
    // A stretch whose forward end runs along the first line.
    if (mBoard.IsEdge(line.edge[0]) && mBoard.IsEdge(line.edge[0] - dir)) return false;
    if (line.len >= 8) return c == White;
    if (line.len == 7) return true;
    const auto isOpen = [&](Vertex v) {
        return mBoard.mCell[v] == Empty || mBoard.mCell[v] == Mark;
    };
    if (!isOpen(line.edge[0] + dir) || !isOpen(line.edge[1] - dir)) return false;
    ++line.space;  // an open six
    return true;
}

bool Uct::FindLineThreat(Vertex p, int c) {
    return ScanLine(p, Up, Right, c) || ScanLine(p, Right, Up, c);
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
bool Uct::FindThreatInRegion(Vertex p, int c) {
    std::array<bool, MaxVertexSize> seen{};
    if (FindFirstThreatInOrder(p, c, seen)) {
        mThreat[ColorIndex(c)] = 1;
        return true;
    }
    FindLineThreat(LastPointOfRegionWalk(p), c);
    return false;
}

bool Uct::FindFirstThreatInOrder(Vertex p, int c, std::array<bool, MaxVertexSize>& seen) {
    if (FindLineThreat(p, c)) return true;
    seen[p] = true;
    for (const int d : CaptureDirections) {
        const Vertex n = p + d;
        if (mBoard.mCell[n] == Empty && !seen[n] && FindFirstThreatInOrder(n, c, seen)) return true;
    }
    return false;
}

Vertex Uct::LastPointOfRegionWalk(Vertex p) const {
    std::array<bool, MaxVertexSize> onPath{};
    onPath[p] = true;
    for (;;) {
        Vertex next = -1;
        for (auto d = CaptureDirections.rbegin(); d != CaptureDirections.rend(); ++d) {
            const Vertex n = p + *d;
            if (mBoard.mCell[n] == Empty && !onPath[n]) {
                next = n;
                break;
            }
        }
        if (next == -1) return p;
        p = next;
        onPath[p] = true;
    }
}

}  // namespace nanaren
