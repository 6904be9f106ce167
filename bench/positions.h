#pragma once

#include <array>

#include "normal_board.h"

namespace nanaren {

// Plays 24 stones, Black first and alternating, so that Black is to move in a
// middle game without a winner and without captures. False if any move fails
// to be a plain Success (the board rules changed under the benchmark).
inline bool SetUpMiddleGame(Board& board) {
    constexpr std::array<std::array<int, 2>, 24> Moves = {{
        {5, 5}, {5, 4}, {4, 4}, {4, 5}, {6, 3}, {6, 5}, {3, 6}, {6, 4},
        {5, 7}, {3, 3}, {7, 5}, {7, 4}, {4, 2}, {4, 7}, {2, 4}, {6, 7},
        {6, 6}, {2, 6}, {8, 3}, {8, 6}, {3, 8}, {6, 2}, {7, 7}, {3, 5},
    }};
    board.ClearPosition();
    int color = Black;
    for (const auto& [x, y] : Moves) {
        if (board.PutAt(GetVertex(x, y), color) != Board::Success) return false;
        if (board.mCapturedCount != 0) return false;
        color = Opposite(color);
    }
    return true;
}

}  // namespace nanaren
