#pragma once

#include <iosfwd>
#include <string>

#include "coach/review.h"
#include "game/sgf.h"
#include "messages.h"

namespace nanaren {

// A game's review as the console prints it: a line a move (its number, the
// mover, the move, the mover's chances after it, the best move with its
// chances, and the move's class with the win it missed or allowed), then
// each side's accuracy and its counts of each class.
void PrintReview(const GameReview& review, int level, Language language, Encoding encoding,
                 std::ostream& out);

// The reviewed game as an SGF record: each move with Black's chances after it
// (SBKV) and its class with the win it let go or gave away (C), in language;
// the header's names and date are the caller's to fill in.
SgfRecord ReviewSgfRecord(const std::vector<Vertex>& moves, const GameReview& review, int level,
                          Language language);

// The reviewed game as SGF text, as ReviewSgfRecord holds it.
std::string ReviewSgf(const std::vector<Vertex>& moves, const GameReview& review, int level,
                      Language language);

// What to review and how.
struct ReviewRequest {
    std::string path;     // the game file
    int level;            // the search that analyses each position
    Language language;    // of the printed review and the SGF's comments
    Encoding encoding;    // of the printed review
    std::string sgfPath;  // where to write the reviewed game as SGF; "" for nowhere
};

// Reads the game file and prints its review (and writes its SGF); false,
// with a message on err, when a file cannot be read or written or holds no
// game.
bool ReviewGameFile(const ReviewRequest& request, std::ostream& out, std::ostream& err);

}  // namespace nanaren
