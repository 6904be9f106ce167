#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <optional>

#include "normal_board.h"

namespace nanaren {

// Plays one game between the person at standard input and output and the
// computer player, which is seeded with the wall clock.
void PlayGame();

// The same game on the given streams; clock gives the seconds the computer
// player is seeded with when it is built, after the colour is chosen. Without
// playouts, think.txt gives them.
void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock,
              std::optional<std::int32_t> playouts = std::nullopt);

// Prints the 9x9 playing points with a header of column numbers and a label
// for each row.
void PrintBoard(const Board& board, std::ostream& out);

}  // namespace nanaren
