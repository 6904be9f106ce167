// The board's groups: what a new stone does to its neighbours, captures, and
// joining groups, with each group's liberties kept as a set.

#include <algorithm>
#include <bit>

#include "core/check.h"
#include "game/board.h"

namespace nanaren {

// What a stone of color on the empty point v would do to its neighbours, in
// the capture order: bit i set when the enemy group in direction i has v as
// its last liberty. breathes tells whether v would have a liberty of its own
// or join an own group with a liberty besides v.
unsigned Board::DyingNeighbours(Vertex v, int color, bool& breathes) const {
    const int enemy = Opposite(color);
    unsigned dying = 0;
    unsigned liberty = 0;
    // Worked out for every neighbour without branching on its content, which
    // no branch predictor foresees: the head of a point that holds no stone
    // is some stale vertex, whose liberties are read but not used.
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        const int cell = mCell[n];
        const unsigned lastLiberty = LibertiesOf(n).IsOnly(v);
        const unsigned isEnemy = cell == enemy;
        const unsigned isOwn = cell == color;
        const unsigned isEmpty = cell == Empty;
        dying |= (isEnemy & lastLiberty) << i;
        liberty |= isEmpty | (isOwn & (lastLiberty ^ 1u));
    }
    breathes = liberty != 0;
    return dying;
}

bool Board::IsSuicide(Vertex v, int color) const {
    bool breathes = false;
    return DyingNeighbours(v, color, breathes) == 0 && !breathes;
}

// Removes the enemy group through n, captured by color's stone on placed,
// and returns its size. The stones are marked first and taken off in the
// order of a depth-first walk from n, which is the order the freed points
// join the empty list.
int Board::Capture(Vertex n, Vertex placed, int color) {
    const int enemy = Opposite(color);
    const int size = mGroupSize[mGroupHead[n]];
    Vertex s = n;
    do {
        mCell[s] = Mark;
        s = mNextStone[s];
    } while (s != n);
    RemoveMarked(n, enemy);
    // Each freed point is a new liberty of the capturer's groups beside it;
    // the new stone gets its liberties when it joins its neighbours.
    do {
        for (const int d : CaptureDirections) {
            const Vertex m = s + d;
            if (mCell[m] == color && m != placed) mLiberties[mGroupHead[m]].Add(s);
        }
        s = mNextStone[s];
    } while (s != n);
    return size;
}

void Board::RemoveMarked(Vertex v, int color) {
    mCell[v] = Empty;
    mLines.Remove(v, color);
    for (const int d : CaptureDirections) {
        if (mCell[v + d] == Mark) RemoveMarked(v + d, color);
    }
    AppendEmpty(v);
}

// Makes the new stone v one group with its own neighbours, and takes v from
// the liberties of the enemy groups beside it.
void Board::JoinNeighbours(Vertex v, int color) {
    // Without branching on the neighbours' content: an enemy group beside v
    // loses v, and for any other point the removal goes to the liberties of
    // vertex 0, a wall corner that heads no group.
    const int enemy = Opposite(color);
    PointSet liberties;
    unsigned ownDirections = 0;
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        const int cell = mCell[n];
        liberties.AddIf(n, cell == Empty);
        ownDirections |= static_cast<unsigned>(cell == color) << i;
        mLiberties[cell == enemy ? mGroupHead[n] : 0].Remove(v);
    }
    Vertex head = v;
    mGroupHead[v] = static_cast<std::uint8_t>(v);
    mNextStone[v] = static_cast<std::uint8_t>(v);
    mGroupSize[v] = 1;
    mLiberties[v] = liberties;
    for (; ownDirections != 0; ownDirections &= ownDirections - 1) {
        const Vertex n = v + CaptureDirections[std::countr_zero(ownDirections)];
        if (mGroupHead[n] != head) Merge(head, mGroupHead[n]);
    }
    mLiberties[head].Remove(v);
}

// Joins the group headed by other to the one headed by head; the smaller
// group's stones take the larger one's head, which head then names.
void Board::Merge(Vertex& head, Vertex other) {
    Vertex keep = head;
    Vertex gone = other;
    if (mGroupSize[gone] > mGroupSize[keep]) std::swap(keep, gone);
    Vertex s = gone;
    do {
        mGroupHead[s] = static_cast<std::uint8_t>(keep);
        s = mNextStone[s];
    } while (s != gone);
    std::swap(mNextStone[keep], mNextStone[gone]);
    mGroupSize[keep] = static_cast<std::uint8_t>(mGroupSize[keep] + mGroupSize[gone]);
    mLiberties[keep].AddAll(mLiberties[gone]);
    head = keep;
}

}  // namespace nanaren
