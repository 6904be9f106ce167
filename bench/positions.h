#pragma once

#include <algorithm>
#include <array>

#include "game/position.h"

namespace nanaren {

// Plays 24 stones, Black first and alternating, so that Black is to move in a
// middle game without a winner and without captures. False if any move fails
// to be a plain Success or captures (the board rules changed under the
// benchmark).
inline bool SetUpMiddleGame(Position& position) {
    constexpr std::array<std::array<int, 2>, 24> Moves = {{
        {5, 5}, {5, 4}, {4, 4}, {4, 5}, {6, 3}, {6, 5}, {3, 6}, {6, 4},
        {5, 7}, {3, 3}, {7, 5}, {7, 4}, {4, 2}, {4, 7}, {2, 4}, {6, 7},
        {6, 6}, {2, 6}, {8, 3}, {8, 6}, {3, 8}, {6, 2}, {7, 7}, {3, 5},
    }};
    for (const auto& [x, y] : Moves) {
        if (position.Play(GetVertex(x, y)) != MoveOutcome::Played()) return false;
    }
    const Board& board = position.GetBoard();
    return board.StoneCount(Black) + board.StoneCount(White) == static_cast<int>(Moves.size());
}

}  // namespace nanaren
