#include "game/board.h"

#include <algorithm>

#include "core/check.h"

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
        mEmpty[v] = 0;
    }
    ListEmptyPoints();
    mKo = NoVertex;
    mRecordSize = 0;
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

void Board::ListEmptyPoints() {
    mEmptyPos.fill(NoVertex);
    mEmptySize = 0;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            if (mCell[GetVertex(x, y)] == Empty) AppendEmpty(GetVertex(x, y));
        }
    }
}

void Board::SetRecord(std::span<const Vertex> placed) {
    NANAREN_ASSERT(placed.size() <= MaxRecordSize);
    std::copy(placed.begin(), placed.end(), mRecord.begin());
    mRecordSize = static_cast<std::int16_t>(placed.size());
}

void Board::KeepRecentRecord(int count) {
    if (mRecordSize <= count) return;
    std::copy(mRecord.begin() + (mRecordSize - count), mRecord.begin() + mRecordSize,
              mRecord.begin());
    mRecordSize = static_cast<std::int16_t>(count);
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

Board::Placement Board::Place(int index, int color) {
    const Vertex v = EmptyAt(index);
    if (mCell[v] != Empty || v == mKo) return {Failure, 0};

    // The line rule comes before captures and suicide: a winning move wins
    // even where it would otherwise be suicide, and nothing is captured.
    const PutResult line = CheckLine(v, color);
    if (line == Win) {
        // The game ends here: v stays listed, and the groups are not updated,
        // as no move follows on this board.
        Record(v);
        mCell[v] = static_cast<std::uint8_t>(color);
        mLines.Add(v, color);
        return {Win, 0};
    }
    if (line == Failure) return {Failure, 0};

    bool breathes = false;
    const unsigned dying = DyingNeighbours(v, color, breathes);
    if (dying == 0 && !breathes) return {Failure, 0};  // suicide

    mCell[v] = static_cast<std::uint8_t>(color);
    std::uint8_t captureDirs = 0;
    int capturedCount = 0;
    Vertex koCandidate = NoVertex;
    const int enemy = Opposite(color);
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        // A group touching v twice dies once, from the first direction.
        if ((dying >> i & 1) == 0 || mCell[n] != enemy) continue;
        const int size = Capture(n, v, color);
        if (captureDirs == 0 && size == 1) koCandidate = n;
        captureDirs |= static_cast<std::uint8_t>(1 << i);
        capturedCount += size;
    }
    // The point of a single captured stone is the ko point, whatever the
    // shape of the capturing group.
    mKo = capturedCount == 1 ? koCandidate : NoVertex;
    RemoveEmptyAt(index);
    Record(v);
    JoinNeighbours(v, color);
    mLines.Add(v, color);
    return {Success, captureDirs};
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
    mEmptyPos[v] = NoVertex;
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
