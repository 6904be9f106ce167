#include "normal_board.h"

#include <algorithm>
#include <bit>

#include "check.h"

namespace nanaren {

namespace {

bool IsWallCoordinate(int c) {
    return c == 0 || c == GridSize - 1;
}
bool IsFirstLineOrWall(int c) {
    return c < 2 || c > BoardSize - 1;
}
bool IsStone(int cell) {
    return cell == Black || cell == White;
}

}  // namespace

void Board::ClearPosition() {
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        const int x = GetX(v);
        const int y = GetY(v);
        mCell[v] = IsWallCoordinate(x) || IsWallCoordinate(y) ? Wall : Empty;
        mEdge[v] = IsFirstLineOrWall(x) || IsFirstLineOrWall(y) ? 1 : 0;
        mEmptyPos[v] = -1;
        mEmpty[v] = 0;
    }
    mEmptySize = 0;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x)
            AppendEmpty(GetVertex(x, y));
    }
    mKo = -1;
    mCapturedCount = 0;
    mRecordSize = 0;
    mCaptureDirs = 0;
    mLiberty = -1;
    SyncWithCells();
}

void Board::CopyPosition(const Board& src) {
    for (int y = 1; y <= BoardSize; ++y) {
        const Vertex row = GetVertex(1, y);
        std::copy_n(&src.mCell[row], BoardSize, &mCell[row]);
    }
    mEmptySize = src.mEmptySize;
    for (int k = 0; k < mEmptySize; ++k) {
        mEmpty[k] = src.mEmpty[k];
        mEmptyPos[mEmpty[k]] = static_cast<std::int16_t>(k);
    }
    mKo = src.mKo;
    mRecordSize = src.mRecordSize;
    std::copy_n(src.mRecord.begin(), mRecordSize, mRecord.begin());
    mLines = src.mLines;
    mGroupHead = src.mGroupHead;
    mNextStone = src.mNextStone;
    mGroupSize = src.mGroupSize;
    mLiberties = src.mLiberties;
}

void Board::SyncWithCells() {
    mLines.Clear();
    std::array<bool, MaxVertexSize> grouped{};
    for (Vertex start = 0; start < MaxVertexSize; ++start) {
        const int color = mCell[start];
        if (!IsStone(color) || grouped[start]) continue;
        // A new group headed by its first stone in vertex order.
        mGroupHead[start] = static_cast<std::uint8_t>(start);
        mNextStone[start] = static_cast<std::uint8_t>(start);
        mGroupSize[start] = 0;
        mLiberties[start] = {};
        std::array<Vertex, MaxVertexSize> stack;
        int size = 0;
        stack[size++] = start;
        grouped[start] = true;
        while (size > 0) {
            const Vertex v = stack[--size];
            mLines.Add(v, color);
            ++mGroupSize[start];
            if (v != start) {
                mGroupHead[v] = static_cast<std::uint8_t>(start);
                mNextStone[v] = mNextStone[start];
                mNextStone[start] = static_cast<std::uint8_t>(v);
            }
            for (const int d : CaptureDirections) {
                const Vertex n = v + d;
                if (mCell[n] == Empty) mLiberties[start].Add(n);
                if (mCell[n] == color && !grouped[n]) {
                    grouped[n] = true;
                    stack[size++] = n;
                }
            }
        }
    }
}

// What a stone of color on the empty point v would do to its neighbours, in
// the capture order: bit i set when the enemy group in direction i has v as
// its last liberty. breathes tells whether v would have a liberty of its own
// or join an own group with a liberty besides v.
unsigned Board::DyingNeighbours(Vertex v, int color, bool& breathes) const {
    const int enemy = Opposite(color);
    unsigned dying = 0;
    breathes = false;
    // Worked out for every neighbour without branching on its content, which
    // no branch predictor foresees: the head of a point that holds no stone
    // is some stale vertex, whose liberties are read but not used.
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        const int cell = mCell[n];
        const bool onlyV = LibertiesOf(n).IsOnly(v);
        dying |= static_cast<unsigned>((cell == enemy) & onlyV) << i;
        breathes = breathes | (cell == Empty) | ((cell == color) & !onlyV);
    }
    return dying;
}

bool Board::IsSuicide(Vertex v, int color) const {
    bool breathes = false;
    return DyingNeighbours(v, color, breathes) == 0 && !breathes;
}

// The point at a position of the empty list, which must be one of its entries.
Vertex Board::EmptyAt(int index) const {
    NANAREN_ASSERT(index >= 0);
    const int size = mEmptySize;
    NANAREN_ASSERT(size > index);
    return mEmpty[index];
}

Board::PutResult Board::TryPut(int index, int color) const {
    const Vertex v = EmptyAt(index);
    if (mCell[v] != Empty || v == mKo) return Failure;
    const PutResult line = CheckLine(v, color);
    if (line != Success) return line;
    return IsSuicide(v, color) ? Failure : Success;
}

Board::PutResult Board::Put(int index, int color) {
    const Vertex v = EmptyAt(index);
    if (mCell[v] != Empty || v == mKo) return Failure;

    // The line rule comes before captures and suicide: a winning move wins
    // even where it would otherwise be suicide, and nothing is captured.
    const PutResult line = CheckLine(v, color);
    if (line == Win) {
        // The game ends here: v stays listed, and the groups are not updated,
        // as no move follows on this board.
        Record(v);
        mCell[v] = static_cast<std::uint8_t>(color);
        mLines.Add(v, color);
        return Win;
    }
    if (line == Failure) return Failure;

    mCaptureDirs = 0;
    mCapturedCount = 0;
    bool breathes = false;
    const unsigned dying = DyingNeighbours(v, color, breathes);
    if (dying == 0 && !breathes) return Failure;  // suicide

    mCell[v] = static_cast<std::uint8_t>(color);
    bool captured = false;
    Vertex koCandidate = -1;
    const int enemy = Opposite(color);
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        // A group touching v twice dies once, from the first direction.
        if ((dying >> i & 1) == 0 || mCell[n] != enemy) continue;
        Capture(n, v, color);
        mCaptureDirs |= static_cast<std::uint8_t>(1 << i);
        if (!captured && mCapturedCount == 1) koCandidate = n;
        captured = true;
    }
    // The point of a single captured stone is the ko point, whatever the
    // shape of the capturing group.
    mKo = mCapturedCount == 1 ? koCandidate : -1;
    RemoveEmptyAt(index);
    Record(v);
    JoinNeighbours(v, color);
    mLines.Add(v, color);
    return Success;
}

// Removes the enemy group through n, captured by color's stone on placed.
// The stones are marked first and taken off in the order of a depth-first
// walk from n, which is the order the freed points join the empty list.
void Board::Capture(Vertex n, Vertex placed, int color) {
    const int enemy = Opposite(color);
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
}

void Board::RemoveMarked(Vertex v, int color) {
    mCell[v] = Empty;
    mLines.Remove(v, color);
    for (const int d : CaptureDirections) {
        if (mCell[v + d] == Mark) RemoveMarked(v + d, color);
    }
    ++mCapturedCount;
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

bool Board::IsDead(Vertex v, int color) const {
    NANAREN_ASSERT(mCell[v] == color);
    return LibertiesOf(v).IsEmpty();
}

void Board::AppendEmpty(Vertex v) {
    const int size = mEmptySize;
    NANAREN_ASSERT(size < MaxVertexSize);
    mEmpty[size] = static_cast<std::int16_t>(v);
    mEmptyPos[v] = static_cast<std::int16_t>(size);
    mEmptySize = size + 1;
}

// Constant-time removal: the last entry moves into the hole.
void Board::RemoveEmptyAt(int index) {
    const Vertex v = mEmpty[index];
    const int size = mEmptySize - 1;
    NANAREN_ASSERT(size >= 0);
    mEmptySize = size;
    mEmptyPos[v] = -1;
    if (index != size) {
        const Vertex w = mEmpty[size];
        mEmpty[index] = static_cast<std::int16_t>(w);
        mEmptyPos[w] = static_cast<std::int16_t>(index);
    }
}

// A full record drops its older half, so that any number of moves can be
// recorded while the newest entries stay the last moves placed.
void Board::Record(Vertex v) {
    if (mRecordSize == MaxRecordSize) {
        constexpr int Kept = MaxRecordSize / 2;
        std::copy(mRecord.end() - Kept, mRecord.end(), mRecord.begin());
        mRecordSize = Kept;
    }
    mRecord[mRecordSize] = v;
    ++mRecordSize;
}

}  // namespace nanaren
