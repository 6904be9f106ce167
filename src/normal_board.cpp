#include "normal_board.h"

#include <algorithm>

#include "check.h"

namespace nanaren {

namespace {

// The order in which ScanLiberty looks at the neighbours.
constexpr std::array<int, 4> LibertyDirections = {Up, Down, Right, Left};

// The line directions in the order CheckLine tries them.
constexpr std::array<int, 4> LineDirections = {Up, Right, UpLeft, UpRight};

bool IsWallCoordinate(int c) {
    return c == 0 || c == GridSize - 1;
}
bool IsFirstLineOrWall(int c) {
    return c < 2 || c > BoardSize - 1;
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
}

Board::PutResult Board::Put(int index, int color) {
    NANAREN_ASSERT(index >= 0);
    const int size = mEmptySize;
    NANAREN_ASSERT(size > index);
    const Vertex v = mEmpty[index];
    if (mCell[v] != Empty || v == mKo) return Failure;

    // The line rule comes before captures and suicide: a winning move wins
    // even where it would otherwise be suicide, and nothing is captured.
    const PutResult line = CheckLine(v, color);
    if (line == Win) {
        Record(v);
        mCell[v] = static_cast<std::uint8_t>(color);
        return Win;
    }
    if (line == Failure) return Failure;

    mCaptureDirs = 0;
    mCell[v] = static_cast<std::uint8_t>(color);
    mCapturedCount = 0;
    int liberties = 4;
    bool captured = false;
    Vertex koCandidate = -1;
    const int enemy = Opposite(color);
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        if (mCell[n] == Empty) continue;
        --liberties;
        if (mCell[n] == enemy && CaptureIfDead(n, enemy)) {
            mCaptureDirs |= static_cast<std::uint8_t>(1 << i);
            if (!captured && mCapturedCount == 1) koCandidate = n;
            ++liberties;
            captured = true;
        }
    }

    if (liberties == 0 && !captured && IsDead(v, color)) {
        mCell[v] = Empty;
        return Failure;
    }

    mKo = mCapturedCount == 1 ? koCandidate : -1;
    RemoveEmptyAt(index);
    Record(v);
    return Success;
}

Board::PutResult Board::PutAt(Vertex v, int color) {
    if (v < 0 || v >= MaxVertexSize) return Failure;
    if (mCell[v] != Empty) return Failure;
    return Put(mEmptyPos[v], color);
}

bool Board::HasNoLiberty(Vertex v, int color) {
    mCell[v] = Mark;
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + CaptureDirections[i];
        const bool liberty = mCell[n] == Empty || (mCell[n] == color && !HasNoLiberty(n, color));
        if (!liberty) continue;
        // Stop at the first liberty and clear what the earlier directions marked.
        mCell[v] = static_cast<std::uint8_t>(color);
        for (int j = i - 1; j >= 0; --j) {
            const Vertex m = v + CaptureDirections[j];
            if (mCell[m] == Mark) Unmark(m, color);
        }
        return false;
    }
    return true;
}

void Board::Unmark(Vertex v, int color) {
    mCell[v] = static_cast<std::uint8_t>(color);
    for (const int d : CaptureDirections) {
        if (mCell[v + d] == Mark) Unmark(v + d, color);
    }
}

void Board::RemoveGroup(Vertex v) {
    mCell[v] = Empty;
    for (const int d : CaptureDirections) {
        if (mCell[v + d] == Mark) RemoveGroup(v + d);
    }
    ++mCapturedCount;
    AppendEmpty(v);
}

bool Board::CaptureIfDead(Vertex n, int color) {
    const bool dead = HasNoLiberty(n, color);
    if (dead) RemoveGroup(n);
    return dead;
}

bool Board::IsDead(Vertex v, int color) {
    const bool dead = HasNoLiberty(v, color);
    Unmark(v, color);
    return dead;
}

Vertex Board::FindSingleLiberty(Vertex v, int color) {
    mLiberty = -1;
    if (ScanLiberty(v, color)) mLiberty = -1;
    Unmark(v, color);
    return mLiberty;
}

bool Board::ScanLiberty(Vertex v, int color) {
    mCell[v] = Mark;
    for (int i = 0; i < 4; ++i) {
        const Vertex n = v + LibertyDirections[i];
        bool secondLiberty = false;
        if (mCell[n] == Empty) {
            if (mLiberty == -1) {
                mLiberty = n;
            } else if (mLiberty != n) {
                secondLiberty = true;
            }
        } else if (mCell[n] == color) {
            secondLiberty = ScanLiberty(n, color);
        }
        if (!secondLiberty) continue;
        mCell[v] = static_cast<std::uint8_t>(color);
        for (int j = i - 1; j >= 0; --j) {
            const Vertex m = v + LibertyDirections[j];
            if (mCell[m] == Mark) Unmark(m, color);
        }
        return true;
    }
    return false;
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

Board::PutResult Board::CheckLineDirection(Vertex v, int d, int color) const {
    int total = 1;
    int inner = mEdge[v] == 0 ? 1 : 0;
    for (Vertex p = v + d; mCell[p] == color; p += d) {
        ++total;
        inner += mEdge[p] == 0 ? 1 : 0;
    }
    for (Vertex p = v - d; mCell[p] == color; p -= d) {
        ++total;
        inner += mEdge[p] == 0 ? 1 : 0;
    }
    if (color == Black && total >= 8) return Failure;
    if (inner == 0) return Success;  // the whole run lies on the first line
    if (total == 7) return Win;
    if (color == White && total >= 8) return Win;
    return Success;
}

Board::PutResult Board::CheckLine(Vertex v, int color) const {
    for (const int d : LineDirections) {
        const PutResult r = CheckLineDirection(v, d, color);
        if (r != Success) return r;
    }
    return Success;
}

bool Board::IsEnclosedAxis(Vertex v, int step, int flank, int e) const {
    const int f = Opposite(e);
    const auto passable = [&](Vertex p) {
        const bool beside = mCell[p + flank] == e;
        const bool across = mCell[p - flank] == e;
        return mCell[p] == f ? beside && across : beside || across;
    };
    Vertex p = v;
    while (passable(p))
        p += step;
    if (mCell[p] != e) return false;
    p = v - step;
    while (passable(p))
        p -= step;
    return mCell[p] == e;
}

bool Board::IsEnclosed(Vertex v, int c) const {
    const int e = Opposite(c);
    return IsEnclosedAxis(v, Up, Right, e) || IsEnclosedAxis(v, Right, Up, e);
}

}  // namespace nanaren
