#pragma once

#include <iosfwd>
#include <string>

#include "coach/review.h"
#include "messages.h"

namespace nanaren {

// A game's review as the console prints it: a line a move (its number, the
// mover, the move, the mover's chances after it, the best move with its
// chances, and the move's class with the win it missed or allowed), then
// each side's accuracy and its counts of each class.
void PrintReview(const GameReview& review, int level, Language language, Encoding encoding,
                 std::ostream& out);

// Reads the game file at path and prints its review at the given level;
// false, with a message on err, when the file cannot be read or holds no
// game.
bool ReviewGameFile(const std::string& path, int level, Language language, Encoding encoding,
                    std::ostream& out, std::ostream& err);

}  // namespace nanaren
