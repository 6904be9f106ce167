#pragma once

#include <string>

#include "game/board.h"

namespace nanaren {

// Checks of a board between moves, recomputed from its cells, for the tests
// and the fuzz targets; nothing in a game or a search calls them.

// What is wrong with the board, or an empty text: the wall ring, no Mark
// left, the empty list and mEmptyPos agreeing with the cells, and the line
// masks and the groups with their liberties being what the cells make.
std::string FindBoardFault(const Board& board);

// Where two positions differ (the cells, the empty list in order, the ko
// point and the record), or an empty text when they do not.
std::string FindPositionDifference(const Board& a, const Board& b);

// A stone whose group has no liberty, or -1 when there is none, as after
// every Success.
Vertex FindDeadGroup(const Board& board);

}  // namespace nanaren
