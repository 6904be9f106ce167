#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/always_inline.h"
#include "core/check.h"
#include "core/point_set.h"
#include "game/geometry.h"
#include "game/line_masks.h"

namespace nanaren {

inline constexpr int MaxRecordSize = 512;

class Board {
  public:
    // Put results, shared by the line rule and the playout's moves.
    enum PutResult : int { Win = 0, Success = 1, Failure = 2 };

    Board() { ClearPosition(); }
    // A board is copied only through CopyPosition, which copies the live parts.
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    void ClearPosition();
    void CopyPosition(const Board& src);
    // Recomputes the line masks and the groups from mCell, for code that sets
    // the cells directly (position set-ups in tests); the empty list is the
    // caller's to set.
    void SyncWithCells();

    // The colour code of a vertex.
    int Cell(Vertex v) const { return mCell[v]; }
    int IsEdge(Vertex v) const { return mEdge[v]; }
    // The empty playing points, in the list's order, which the puts keep.
    int EmptyCount() const { return mEmptySize; }
    Vertex EmptyPoint(int index) const { return mEmpty[index]; }
    // The position of an empty point in the list, -1 for any other point.
    int EmptyIndexOf(Vertex v) const { return mEmptyPos[v]; }
    // The point the next put may not play, or NoVertex.
    Vertex Ko() const { return mKo; }
    // The vertices placed, oldest first; a full record keeps its newer half.
    int RecordSize() const { return mRecordSize; }
    Vertex RecordAt(int k) const { return mRecord[k]; }
    // Keeps only the last count entries of the record, so that a copy of the
    // board carries no more of it than its reader needs.
    void KeepRecentRecord(int count);
    // Each colour's stones along every line.
    const LineMasks& Lines() const { return mLines; }
    // The stones of a colour on the board.
    int StoneCount(int color) const;
    // The group of a stone: its head (one stone of it), its size and its
    // empty neighbours, and the next stone of its ring.
    Vertex GroupHead(Vertex stone) const { return mGroupHead[stone]; }
    int GroupSize(Vertex head) const { return mGroupSize[head]; }
    const PointSet& LibertiesOf(Vertex stone) const { return mLiberties[mGroupHead[stone]]; }
    Vertex NextStone(Vertex stone) const { return mNextStone[stone]; }

    // Set-ups of a position (a problem, a test), with no rule applied: a
    // cell's content written as it is, the ko point, the record. Then
    // SyncWithCells, and ListEmptyPoints for a list in row order.
    void SetCell(Vertex v, int content) { mCell[v] = static_cast<std::uint8_t>(content); }
    void ListEmptyPoints();
    void SetKo(Vertex v) { mKo = v; }
    void SetRecord(std::span<const Vertex> placed);

    // What a put did: its result and, for a Success, the groups it captured.
    struct Placement {
        PutResult result;
        std::uint8_t captureDirs;  // bit i: captured the group in CaptureDirections[i]
    };

    // Plays color on mEmpty[index]; requires 0 <= index < mEmptySize.
    Placement Place(int index, int color);
    PutResult Put(int index, int color) { return Place(index, color).result; }
    // Plays color on vertex v; any v outside the grid is a Failure.
    Placement PlaceAt(Vertex v, int color) {
        if (v < 0 || v >= MaxVertexSize || mCell[v] != Empty) return {Failure, 0};
        return Place(mEmptyPos[v], color);
    }
    PutResult PutAt(Vertex v, int color) { return PlaceAt(v, color).result; }
    // The result Put(index, color) would give, changing nothing.
    PutResult TryPut(int index, int color) const;

    // The only liberty of the color group through v, or NoVertex for none or
    // several.
    NANAREN_ALWAYS_INLINE Vertex FindSingleLiberty(Vertex v, int color) const {
        NANAREN_ASSERT(mCell[v] == color);
        return LibertiesOf(v).Single();
    }

    // The line-of-seven rule for a color stone about to be placed on v.
    PutResult CheckLine(Vertex v, int color) const;
    // The rule along one axis.
    PutResult CheckRun(Vertex v, Axis axis, int color) const;
    // The run of color stones through v along an axis, v counted as one of them.
    int RunLength(Vertex v, Axis axis, int color) const;
    // The first point from `from` on, stepping by d, that holds no color stone.
    // Mostly there is none to skip, so the cells are walked.
    Vertex SkipStones(Vertex from, int d, int color) const {
        while (mCell[from] == color)
            from += d;
        return from;
    }

    // Whether any of the eight neighbours of v holds a stone.
    bool HasStoneAround(Vertex v) const {
        for (const int d : Neighbours) {
            const int cell = mCell[v + d];
            if (cell == Black || cell == White) return true;
        }
        return false;
    }

    // Whether v lies, along its column or its row, in a corridor closed by
    // stones of Opposite(c).
    NANAREN_ALWAYS_INLINE bool IsEnclosed(Vertex v, int c) const {
        const int e = Opposite(c);
        // An empty point without an e stone beside it stops both walks on itself.
        if (mCell[v] == Empty && mCell[v + Up] != e && mCell[v + Down] != e &&
            mCell[v + Left] != e && mCell[v + Right] != e) {
            return false;
        }
        return IsEnclosedAxis(v, Up, Right, e) || IsEnclosedAxis(v, Right, Up, e);
    }
    // A point is passable when it holds an f stone with e stones on both
    // flanks, or anything else with an e stone on at least one flank; the
    // walk passes v itself going forward, and both walks must end on an e
    // stone. Most points fail at once: the walk stops on v, no e stone.
    NANAREN_ALWAYS_INLINE bool IsEnclosedAxis(Vertex v, int step, int flank, int e) const {
        const bool beside = mCell[v + flank] == e;
        const bool across = mCell[v - flank] == e;
        const bool passable = mCell[v] == Opposite(e) ? beside && across : beside || across;
        if (!passable && mCell[v] != e) return false;
        return IsEnclosedBeyond(v, step, e);
    }

  private:
    Vertex EmptyAt(int index) const;
    unsigned DyingNeighbours(Vertex v, int color, bool& breathes) const;
    bool IsSuicide(Vertex v, int color) const;
    bool IsEnclosedBeyond(Vertex v, int step, int e) const;
    int Capture(Vertex n, Vertex placed, int color);
    void RemoveMarked(Vertex v, int color);
    void JoinNeighbours(Vertex v, int color);
    void Merge(Vertex& head, Vertex other);

    void AppendEmpty(Vertex v);
    void RemoveEmptyAt(int index);
    void Record(Vertex v);

    std::array<std::int32_t, MaxRecordSize> mRecord{};  // vertices placed, oldest first
    std::int32_t mEmptySize;                            // valid entries of mEmpty
    std::array<std::int16_t, MaxVertexSize> mEmpty;     // the empty playing points
    std::array<std::int16_t, MaxVertexSize> mEmptyPos;  // index in mEmpty by vertex, or -1
    std::array<std::uint8_t, MaxVertexSize> mCell;      // colour code of every vertex
    std::array<std::uint8_t, MaxVertexSize> mEdge;      // 1 on the wall and the first line
    std::int32_t mKo;          // vertex the next Put may not play, or NoVertex
    std::int16_t mRecordSize;  // valid entries of mRecord

    // Kept in step with mCell by every put and capture:
    LineMasks mLines;                                      // each colour's stones along every line
    std::array<std::uint8_t, MaxVertexSize> mGroupHead{};  // by stone: the head of its group
    std::array<std::uint8_t, MaxVertexSize>
        mNextStone{};  // by stone: the next of its group, a ring
    std::array<std::uint8_t, MaxVertexSize> mGroupSize{};  // by head: the stones of the group
    std::array<PointSet, MaxVertexSize> mLiberties{};      // by head: the group's empty neighbours
};

}  // namespace nanaren
