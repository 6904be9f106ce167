#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/geometry.h"

namespace nanaren {

// The moves of a game file: an SGF game (it starts with "("), the page's
// record file ("nanaren record 1", then lines of "name: value", the moves
// under "moves:"), or a record alone ("5-5 4-4 pass"). None, with the reason
// in error, for a file that is none of these or holds a move that cannot be
// played.
std::optional<std::vector<Vertex>> ReadGameFile(std::string_view text, std::string& error);

// A game as the page's record file holds it: the clock value the computer was
// seeded with, the person's colour, the computer as PlayerName names it, the
// record (Position::Record) and a comment for the reader ("Black won in 33
// moves").
std::string GameFileText(std::time_t seed, int human, std::string_view computer,
                         std::string_view record, std::string_view comment);

}  // namespace nanaren
