#pragma once

#include <array>
#include <cstdint>

namespace nanaren {

// A point of the 11x11 grid, x + 11*y; the ring where x or y is 0 or 10 is the
// wall, so every neighbour of a playing point is a valid index.
using Vertex = int;

// Colour codes, one byte per point. Mark exists only while a scan runs.
enum Color : int { Empty = 0, Black = 1, White = 2, Wall = 3, Mark = 4 };

// No point at all: no ko point, no single liberty, no reply to expect.
inline constexpr Vertex NoVertex = -1;
// The move that places no stone.
inline constexpr Vertex Pass = -2;
// The move that gives the game up.
inline constexpr Vertex Resign = -3;

inline constexpr int GridSize = 11;
inline constexpr int BoardSize = 9;
inline constexpr int MaxVertexSize = GridSize * GridSize;

// A straight line of exactly this many stones wins (for White, a longer one
// too), unless every stone of it is on the first line.
inline constexpr int WinLength = 7;

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

// The eight neighbours of a point, row by row.
inline constexpr std::array<int, 8> Neighbours = {UpLeft, Up,       UpRight, Left,
                                                  Right,  DownLeft, Down,    DownRight};

// Whether v is one of the 81 playing points.
constexpr bool IsPlayingPoint(Vertex v) {
    return v >= 0 && v < MaxVertexSize && v % GridSize >= 1 && v % GridSize <= BoardSize &&
           v / GridSize >= 1 && v / GridSize <= BoardSize;
}

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
// Per-colour arrays are indexed 0 for Black and 1 for White.
constexpr int ColorIndex(int color) {
    return color == Black ? 0 : 1;
}

// The four lines through a point. A point's place along its line is its y on
// a column and its x on a row or a diagonal.
enum Axis : int { Column = 0, Row = 1, Diagonal = 2, AntiDiagonal = 3 };
inline constexpr int AxisCount = 4;
// Columns and rows are numbered 0..10, diagonals by x - y + 10 and
// anti-diagonals by x + y, both 0..20.
inline constexpr int MaxLinesPerAxis = 21;

// By axis: the step from a point to the next place along its line (down a
// column, right along a row, down-right, up-right).
inline constexpr std::array<int, AxisCount> AxisSteps = {Down, Right, DownRight, UpRight};

struct LinePlace {
    std::uint8_t line;   // which line of the axis
    std::uint8_t place;  // where along it, 0..10
};

constexpr LinePlace ComputePlace(Vertex v, Axis axis) {
    const int x = GetX(v);
    const int y = GetY(v);
    switch (axis) {
        case Column:
            return {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
        case Row:
            return {static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x)};
        case Diagonal:
            return {static_cast<std::uint8_t>(x - y + 10), static_cast<std::uint8_t>(x)};
        default:
            return {static_cast<std::uint8_t>(x + y), static_cast<std::uint8_t>(x)};
    }
}

inline constexpr auto LinePlaces = [] {
    std::array<std::array<LinePlace, AxisCount>, MaxVertexSize> places{};
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        for (int a = 0; a < AxisCount; ++a)
            places[v][a] = ComputePlace(v, static_cast<Axis>(a));
    }
    return places;
}();

constexpr LinePlace PlaceOf(Vertex v, Axis axis) {
    return LinePlaces[v][axis];
}

// The vertex at a place of a line, the inverse of PlaceOf, or 0 (a wall
// corner) for a place off the grid.
constexpr Vertex ComputeVertexAt(Axis axis, int line, int place) {
    int x = place;
    int y = 0;
    switch (axis) {
        case Column:
            x = line;
            y = place;
            break;
        case Row:
            y = line;
            break;
        case Diagonal:
            y = place - line + 10;
            break;
        default:
            y = line - place;
            break;
    }
    return y < 0 || y >= GridSize ? 0 : GetVertex(x, y);
}

inline constexpr auto LineVertices = [] {
    std::array<std::array<std::array<std::uint8_t, GridSize>, MaxLinesPerAxis>, AxisCount> at{};
    for (int a = 0; a < AxisCount; ++a) {
        for (int line = 0; line < MaxLinesPerAxis; ++line) {
            for (int place = 0; place < GridSize; ++place) {
                at[a][line][place] =
                    static_cast<std::uint8_t>(ComputeVertexAt(static_cast<Axis>(a), line, place));
            }
        }
    }
    return at;
}();

constexpr Vertex VertexAt(Axis axis, int line, int place) {
    return LineVertices[axis][line][place];
}

// How a neighbour offset moves along its line: the axis, and +1 or -1 place.
struct LineStep {
    Axis axis;
    int sign;
};

constexpr LineStep ComputeStep(int d) {
    switch (d) {
        case Up:
            return {Column, -1};
        case Down:
            return {Column, 1};
        case Right:
            return {Row, 1};
        case Left:
            return {Row, -1};
        case DownRight:
            return {Diagonal, 1};
        case UpLeft:
            return {Diagonal, -1};
        case UpRight:
            return {AntiDiagonal, 1};
        default:  // DownLeft
            return {AntiDiagonal, -1};
    }
}

// By neighbour offset + 12.
inline constexpr auto LineSteps = [] {
    std::array<LineStep, 25> steps{};
    for (const int d : {Up, Down, Right, Left, DownRight, UpLeft, UpRight, DownLeft})
        steps[d + 12] = ComputeStep(d);
    return steps;
}();

constexpr LineStep StepOf(int d) {
    return LineSteps[d + 12];
}

}  // namespace nanaren
