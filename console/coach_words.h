#pragma once

#include <string>

#include "coach/explain.h"
#include "coach/review.h"
#include "messages.h"

namespace nanaren {

// The coach's findings in a player's words, English or Japanese (UTF-8;
// Encode gives Shift-JIS).

// Whose line a reason speaks of: the person's against the computer, or a
// colour's in a review.
enum class Whose { Yours, Black, White };

// A reason for a move: "wins", "blocks your seven at 4-6", "breaks your line
// by capturing 5-5", "starts a forced win: 6-6, 6-7, …", "stops your forced
// win"; "" where none is certain.
std::string ReasonWords(const MoveReason& reason, Whose other, Language language);

// The chances of the person (0 to 1) in words: "you are winning", "good for
// you", "even", "good for the computer", "the computer is winning".
std::string EstimateWords(double personChances, Language language);

// A review's class of a move: "inaccuracy", "missed a win in one", ...
std::string ClassWords(MoveClass kind, Language language);

// A colour's name.
std::string ColourWords(int color, Language language);

// A line of moves in the one notation, "6-6, 6-7, 5-8".
std::string LineWords(const std::vector<Vertex>& line);

}  // namespace nanaren
