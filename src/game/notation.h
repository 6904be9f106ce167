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
//
// Two other programs' forms are mapped to it here and nowhere else:
// - GTP's vertex: a column letter A to J without I, then the row counted from
//   the bottom, so "5-3" is "E7" and "1-9" is "A1";
// - SGF's point: two letters a to i, the column, then the row from the top,
//   so "5-3" is "ec"; a pass is the empty point.

// A move as text: "5-3", "pass" or "resign".
std::string MoveText(Vertex move);

// A move written so, or none for other text (a point off the board too).
std::optional<Vertex> ParseMove(std::string_view text);

// A playing point's column and row with a separator between them: "5-3"
// with "-", "5, 3" with ", " as the console's report writes it.
std::string PointText(Vertex v, std::string_view separator);

// A move as a GTP vertex: "E7", "pass" or "resign".
std::string GtpVertexText(Vertex move);

// A GTP vertex in either case ("e7", "PASS", "resign"), or none for other
// text, a point off the 9x9 board or the letter I.
std::optional<Vertex> ParseGtpVertex(std::string_view text);

// A move as an SGF point: "ec", "" for a pass (a resignation is no move
// there, and has no point).
std::string SgfPointText(Vertex move);

// An SGF point: two lower-case letters from "aa" to "ii", or a pass, written
// "" or, in older files, "tt"; none for anything else.
std::optional<Vertex> ParseSgfPoint(std::string_view text);

}  // namespace nanaren
