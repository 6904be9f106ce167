// The line tests of the board, read from its line masks: the line-of-seven
// rule, runs of stones, and the corridor test of the playouts.

#include <bit>

#include "core/check.h"
#include "game/board.h"

namespace nanaren {

namespace {

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

int Board::StoneCount(int color) const {
    int count = 0;
    for (int row = 1; row <= BoardSize; ++row)
        count += CountPlaces(mLines.Stones(color, Row, row));
    return count;
}

int Board::RunLength(Vertex v, Axis axis, int color) const {
    const LinePlace at = PlaceOf(v, axis);
    const RunEnds run = RunAround(mLines.Stones(color, axis, at.line), at.place);
    return run.high - run.low - 1;
}

Board::PutResult Board::CheckRun(Vertex v, Axis axis, int color) const {
    const LinePlace at = PlaceOf(v, axis);
    const RunEnds run = RunAround(mLines.Stones(color, axis, at.line), at.place);
    const int total = run.high - run.low - 1;
    if (total < WinLength) return Success;
    if (color == Black && total > WinLength) return Failure;
    // A run wholly on the first line goes on.
    if ((PlacesBetween(run.low, run.high) & InnerPlaces[axis][at.line]) == 0) return Success;
    if (total == WinLength) return Win;
    return color == White ? Win : Success;
}

// The axes in order: the column, the row, the diagonal, the anti-diagonal.
// Only an axis with a stone of the colour beside v can make more than a run
// of one.
Board::PutResult Board::CheckLine(Vertex v, int color) const {
    unsigned axes = 0;
    for (int axis = 0; axis < AxisCount; ++axis) {
        const int step = AxisSteps[axis];
        const unsigned ahead = mCell[v + step] == color;
        const unsigned behind = mCell[v - step] == color;
        axes |= (ahead | behind) << axis;
    }
    for (; axes != 0; axes &= axes - 1) {
        const PutResult r = CheckRun(v, static_cast<Axis>(std::countr_zero(axes)), color);
        if (r != Success) return r;
    }
    return Success;
}

// The corridor walk of IsEnclosedAxis along the line masks, for a point the
// walk does not stop on at once.
bool Board::IsEnclosedBeyond(Vertex v, int step, int e) const {
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

}  // namespace nanaren
