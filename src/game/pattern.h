#pragma once

#include <cstdint>

#include "game/board.h"

namespace nanaren {

// The 3x3 patterns around a point, as a code of 16 bits: two bits for each
// neighbour in Neighbours order, the lowest first, 0 empty, 1 the mover's
// stone, 2 the opponent's, 3 off the board.
inline constexpr int PatternCount = 1 << 16;

inline std::uint16_t PatternCode(const Board& board, Vertex v, int color) {
    const int own = color;
    unsigned code = 0;
    for (int i = 0; i < 8; ++i) {
        const int cell = board.Cell(v + Neighbours[i]);
        const unsigned bits = cell == Empty ? 0 : cell == Wall ? 3 : cell == own ? 1 : 2;
        code |= bits << (2 * i);
    }
    return static_cast<std::uint16_t>(code);
}

}  // namespace nanaren
