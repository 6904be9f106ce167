#pragma once

#include <array>
#include <cstdint>

namespace nanaren {

// A point of the 11x11 grid, x + 11*y; the ring where x or y is 0 or 10 is the
// wall, so every neighbour of a playing point is a valid index.
using Vertex = int;

// Colour codes, one byte per point. Mark exists only while a scan runs.
enum Color : int { Empty = 0, Black = 1, White = 2, Wall = 3, Mark = 4 };

inline constexpr int GridSize = 11;
inline constexpr int BoardSize = 9;
inline constexpr int MaxVertexSize = GridSize * GridSize;
inline constexpr int MaxRecordSize = 512;

// Neighbour offsets on the grid.
inline constexpr int Up = -GridSize;
inline constexpr int Down = GridSize;
inline constexpr int Left = -1;
inline constexpr int Right = 1;
inline constexpr int UpLeft = Up + Left;
inline constexpr int UpRight = Up + Right;
inline constexpr int DownLeft = Down + Left;
inline constexpr int DownRight = Down + Right;

// The order of the capture step and the group scans; bit i of mCaptureDirs
// refers to direction i of this order.
inline constexpr std::array<int, 4> CaptureDirections = {Up, Right, Left, Down};

constexpr int GetX(Vertex v) {
    return v % GridSize;
}
constexpr int GetY(Vertex v) {
    return v / GridSize;
}
constexpr Vertex GetVertex(int x, int y) {
    return x + GridSize * y;
}
constexpr int Opposite(int color) {
    return color == Black ? White : Black;
}

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

    bool IsOnBoard(Vertex v) const { return mCell[v] != Wall; }
    int IsEdge(Vertex v) const { return mEdge[v]; }

    // Plays color on mEmpty[index]; requires 0 <= index < mEmptySize.
    PutResult Put(int index, int color);
    // Plays color on vertex v; any v outside the grid is a Failure.
    PutResult PutAt(Vertex v, int color);

    // Whether the color group through v has no empty neighbour.
    bool IsDead(Vertex v, int color);
    // The only liberty of the color group through v, or -1 for none or several.
    Vertex FindSingleLiberty(Vertex v, int color);

    // The line-of-seven rule for a color stone about to be placed on v.
    PutResult CheckLine(Vertex v, int color) const;
    PutResult CheckLineDirection(Vertex v, int d, int color) const;

    // Whether v lies, along its column or its row, in a corridor closed by
    // stones of Opposite(c).
    bool IsEnclosed(Vertex v, int c) const;
    bool IsEnclosedAxis(Vertex v, int step, int flank, int e) const;

    std::array<std::int32_t, MaxRecordSize> mRecord{};  // vertices placed, oldest first
    std::int32_t mEmptySize;                            // valid entries of mEmpty
    std::array<std::int16_t, MaxVertexSize> mEmpty;     // the empty playing points
    std::array<std::int16_t, MaxVertexSize> mEmptyPos;  // index in mEmpty by vertex, or -1
    std::array<std::uint8_t, MaxVertexSize> mCell;      // colour code of every vertex
    std::array<std::uint8_t, MaxVertexSize> mEdge;      // 1 on the wall and the first line
    std::int32_t mKo;                                   // vertex the next Put may not play, or -1
    std::int32_t mCapturedCount;                        // stones removed by the last Put
    std::int16_t mRecordSize;                           // valid entries of mRecord
    std::uint8_t mCaptureDirs;  // bit i: the last Put captured in CaptureDirections[i]
    std::int32_t mLiberty;      // result cell of FindSingleLiberty

  private:
    bool HasNoLiberty(Vertex v, int color);
    void Unmark(Vertex v, int color);
    void RemoveGroup(Vertex v);
    bool CaptureIfDead(Vertex n, int color);
    bool ScanLiberty(Vertex v, int color);

    void AppendEmpty(Vertex v);
    void RemoveEmptyAt(int index);
    void Record(Vertex v);
};

}  // namespace nanaren
