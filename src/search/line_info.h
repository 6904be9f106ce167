#pragma once

#include <array>
#include <cstdint>

namespace nanaren {

// What the last line scan for one colour found along the column or the row
// through a point p. Vertices are 0 for none (vertex 0 is a wall corner).
struct LineInfo {
    std::array<std::int32_t, 2> edge{};       // farthest own stone forward [0] and backward [1]
    std::array<std::int32_t, 2> edgeSpace{};  // farthest empty point passed beyond each edge
    std::int32_t len = 0;                     // points from edge[1] to edge[0]
    std::int32_t space = 0;                   // bridged points within that stretch
    std::int32_t dir = 0;                     // forward step: -11 column, +1 row
    std::int32_t stone = 0;                   // own stones counted

    // The length the stretch would span with a stone on the better end space.
    std::int32_t NextVirtualLengthMax() const;
    // That end space: the forward one when it spans more, else the backward one.
    std::int32_t NextVirtualEdgeSpace() const;
    // The step leading from that end space back towards the stretch.
    std::int32_t NextVirtualDir() const;

  private:
    std::int32_t ForwardSpan() const;
    std::int32_t BackwardSpan() const;
};

}  // namespace nanaren
