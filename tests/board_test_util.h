#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string_view>

#include "game/board.h"

namespace nanaren::testing {

// Sets the cells from nine rows of nine cells, top row first: '@' Black,
// 'O' White, '+' empty; blanks between cells are ignored. The empty list is
// rebuilt in row-major order; ko and record are cleared.
void SetUpPosition(Board& board, std::initializer_list<std::string_view> rows);

// Fills the playing points at random with stones of both colours in long
// runs and clumps, empty points and a few Marks (which the line tests must
// take for empty points), then syncs the board's masks and groups. The
// empty list is left as it was.
void ScatterStones(Board& board, std::mt19937& rng);

// The vertex of column x, row y (both 1..9), for readable tests.
constexpr Vertex At(int x, int y) {
    return GetVertex(x, y);
}

// Checks what must hold between operations: the wall ring, no Mark, the empty
// list and mEmptyPos agreeing with the cells.
::testing::AssertionResult IsConsistent(const Board& board);

// Checks that no stone on the board belongs to a group without a liberty.
::testing::AssertionResult EveryGroupHasLiberty(const Board& board);

// Checks that two boards hold the same position: cells, list order, ko, record.
::testing::AssertionResult SamePosition(const Board& a, const Board& b);

}  // namespace nanaren::testing
