// The line tests of the board, read from its line masks: the line-of-seven
// rule, runs of stones, and the corridor test of the playouts.

#include <bit>

#include "check.h"
#include "normal_board.h"

namespace nanaren {

namespace {

constexpr bool IsInnerPoint(int x, int y) {
    return x >= 2 && x <= BoardSize - 1 && y >= 2 && y <= BoardSize - 1;
}

// By axis and line: the places whose points are not on the first line.
constexpr auto InnerPlaces = [] {
    std::array<std::array<std::uint32_t, MaxLinesPerAxis>, AxisCount> inner{};
    for (int x = 2; x <= BoardSize - 1; ++x) {
        for (int y = 2; y <= BoardSize - 1; ++y) {
            for (int a = 0; a < AxisCount; ++a) {
                const LinePlace at = ComputePlace(GetVertex(x, y), static_cast<Axis>(a));
                inner[a][at.line] |= 1u << at.place;
            }
        }
    }
    return inner;
}();

// The stop places either side of the run of stones through place, which
// counts as a stone.
struct RunEnds {
    int low;
    int high;
};

RunEnds RunAround(std::uint32_t stones, int place) {
    const std::uint32_t withPlace = stones | 1u << place;
    return {FirstClearPlace(withPlace, place, -1), FirstClearPlace(withPlace, place, 1)};
}

}  // namespace

int Board::RunLength(Vertex v, Axis axis, int color) const {
    const LinePlace at = PlaceOf(v, axis);
    const RunEnds run = RunAround(mLines.Stones(color, axis, at.line), at.place);
    return run.high - run.low - 1;
}

Board::PutResult Board::CheckLineAlong(Vertex v, Axis axis, int color) const {
    const LinePlace at = PlaceOf(v, axis);
    const RunEnds run = RunAround(mLines.Stones(color, axis, at.line), at.place);
    const int total = run.high - run.low - 1;
    if (total < 7) return Success;
    if (color == Black && total >= 8) return Failure;
    // A run wholly on the first line goes on.
    if ((PlacesBetween(run.low, run.high) & InnerPlaces[axis][at.line]) == 0) return Success;
    if (total == 7) return Win;
    return color == White ? Win : Success;
}

Board::PutResult Board::CheckLineDirection(Vertex v, int d, int color) const {
    return CheckLineAlong(v, StepOf(d).axis, color);
}

// The directions up, right, up-left and up-right, in this order.
Board::PutResult Board::CheckLine(Vertex v, int color) const {
    for (const Axis axis : {Column, Row, Diagonal, AntiDiagonal}) {
        const PutResult r = CheckLineAlong(v, axis, color);
        if (r != Success) return r;
    }
    return Success;
}

// A point is passable when it holds an f stone with e stones on both flanks,
// or anything else with an e stone on at least one flank; the walk passes v
// itself going forward, and both walks must end on an e stone.
bool Board::IsEnclosedAxis(Vertex v, int step, int flank, int e) const {
    // Most points fail at once: the walk stops on v itself, which is no e stone.
    const bool beside = mCell[v + flank] == e;
    const bool across = mCell[v - flank] == e;
    const bool passable = mCell[v] == Opposite(e) ? beside && across : beside || across;
    if (!passable && mCell[v] != e) return false;

    const LineStep walk = StepOf(step);
    NANAREN_ASSERT(walk.axis == Column || walk.axis == Row);
    const LinePlace at = PlaceOf(v, walk.axis);
    const std::uint32_t enclosers = mLines.Stones(e, walk.axis, at.line);
    const std::uint32_t others = mLines.Stones(Opposite(e), walk.axis, at.line);
    const std::uint32_t besides = mLines.Stones(e, walk.axis, at.line - 1);
    const std::uint32_t acrosses = mLines.Stones(e, walk.axis, at.line + 1);
    const std::uint32_t passables =
        (others & besides & acrosses) | (~others & (besides | acrosses));
    const int forwardEnd = FirstClearPlace(passables, at.place, walk.sign);
    if ((enclosers >> forwardEnd & 1) == 0) return false;
    const int backwardEnd = FirstClearPlace(passables, at.place - walk.sign, -walk.sign);
    return (enclosers >> backwardEnd & 1) != 0;
}

bool Board::IsEnclosed(Vertex v, int c) const {
    const int e = Opposite(c);
    return IsEnclosedAxis(v, Up, Right, e) || IsEnclosedAxis(v, Right, Up, e);
}

}  // namespace nanaren
