#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/geometry.h"

namespace nanaren {

// The one way a move is written: the column, then the row, both 1 to 9 as the
// board's labels count them from the top-left, "5-3"; "pass" and "resign".
// Records, the match tool's files, the page and the console's report all
// write and read moves through these.

// A move as text: "5-3", "pass" or "resign".
std::string MoveText(Vertex move);

// A move written so, or none for other text (a point off the board too).
std::optional<Vertex> ParseMove(std::string_view text);

// A playing point's column and row with a separator between them: "5-3"
// with "-", "5, 3" with ", " as the console's report writes it.
std::string PointText(Vertex v, std::string_view separator);

}  // namespace nanaren
