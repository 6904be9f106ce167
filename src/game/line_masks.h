#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "game/geometry.h"

namespace nanaren {

// The stones of each colour as bit masks over every column, row and diagonal,
// one bit per place along the line, kept up to date as stones come and go.
// A walk along a line becomes a few bit operations: the places between two
// walls are bits 1 to 9 of a column or row, and a wall place is never set.
class LineMasks {
  public:
    void Clear() { mBits = {}; }
    void Add(Vertex v, int color) {
        for (int a = 0; a < AxisCount; ++a)
            Line(color, v, static_cast<Axis>(a)) |= Bit(v, static_cast<Axis>(a));
    }
    void Remove(Vertex v, int color) {
        for (int a = 0; a < AxisCount; ++a)
            Line(color, v, static_cast<Axis>(a)) &=
                static_cast<std::uint16_t>(~Bit(v, static_cast<Axis>(a)));
    }

    // The stones of a colour (Black or White) on a line; line -1 and the line
    // beyond the last are the empty lines outside the grid.
    std::uint32_t Stones(int color, Axis axis, int line) const {
        return mBits[ColorIndex(color)][axis][line + 1];
    }
    std::uint32_t StonesThrough(int color, Vertex v, Axis axis) const {
        return Stones(color, axis, PlaceOf(v, axis).line);
    }

    bool operator==(const LineMasks&) const = default;

  private:
    static std::uint16_t Bit(Vertex v, Axis axis) {
        return static_cast<std::uint16_t>(1u << PlaceOf(v, axis).place);
    }
    std::uint16_t& Line(int color, Vertex v, Axis axis) {
        return mBits[ColorIndex(color)][axis][PlaceOf(v, axis).line + 1];
    }

    // [colour][axis][line + 1]: the bit of each place holding a stone.
    std::array<std::array<std::array<std::uint16_t, MaxLinesPerAxis + 2>, AxisCount>, 2> mBits{};
};

// The first place from `from` on, stepping by sign (+1 or -1), whose bit is
// clear in mask. Every line has a clear bit at each wall, so the search ends.
constexpr int FirstClearPlace(std::uint32_t mask, int from, int sign) {
    if (sign > 0) return from + std::countr_one(mask >> from);
    return from - std::countl_one(mask << (31 - from));
}

// The places strictly between a and b (in either order).
constexpr std::uint32_t PlacesBetween(int a, int b) {
    const int low = a < b ? a : b;
    const int high = a < b ? b : a;
    return ((1u << high) - 1u) & ~((2u << low) - 1u);
}

// The number of set places of a line mask (places 0 to 10), by table: a
// population count is no single instruction on every target.
inline constexpr auto PlaceCounts = [] {
    std::array<std::uint8_t, 1u << GridSize> counts{};
    for (std::uint32_t m = 1; m < counts.size(); ++m)
        counts[m] = static_cast<std::uint8_t>(counts[m >> 1] + (m & 1));
    return counts;
}();

constexpr int CountPlaces(std::uint32_t mask) {
    return PlaceCounts[mask];
}

// The places from the lowest set place to the highest, 0 for an empty mask.
constexpr int SpanOfPlaces(std::uint32_t mask) {
    if (mask == 0) return 0;
    return 32 - std::countl_zero(mask) - std::countr_zero(mask);
}

// The farthest set place of mask going by sign: the highest for +1, the
// lowest for -1; -1 when mask is empty.
constexpr int FarthestPlace(std::uint32_t mask, int sign) {
    if (mask == 0) return -1;
    return sign > 0 ? 31 - std::countl_zero(mask) : std::countr_zero(mask);
}

}  // namespace nanaren
