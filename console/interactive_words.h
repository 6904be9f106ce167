#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/position.h"
#include "messages.h"

namespace nanaren {

// The words of the interactive game beyond the game's own texts, English or
// Japanese (UTF-8; the screen encodes them).
struct InteractiveWords {
    const char* you;             // "you", after the person's colour
    const char* computer;        // "Computer", before its player and its moves
    const char* reasonAfter;     // between a move and its reason
    const char* captured;        // before a count of captured stones
    const char* empty;           // what '+' stands for
    const char* lastMove;        // what the marks around a stone stand for
    const char* winningSeven;    // what the marked stones at the end stand for
    const char* keys;            // the commands, in one line
    const char* pass;            // a pass
    const char* youPassed;       // after the person's pass
    const char* hint;            // before a hint
    const char* hintThinking;    // the hint's search in progress
    const char* then;            // before the line a hint expects
    const char* takenBack;       // after a take-back
    const char* nothingToTake;   // when nothing can be taken back
    const char* chooseAgain;     // after an answer to the colour question that is none
    const char* recordSaved;     // before the record file's path
    const char* recordNotSaved;  // before the record itself, when no file could be made
    const char* playAgain;       // the question at the end
};

const InteractiveWords& WordsFor(Language language);

// The help that ? shows, a few lines.
std::vector<std::string> HelpLines(Language language);

// Why a move is refused, in one line: "5-5 is taken: a stone is there".
std::string RefusalWords(std::string_view typed, Refusal refusal, Language language);

// What is said of text that is no move and no command.
std::string NotAMoveWords(std::string_view typed, Language language);

// The computer as the title names it: "level 3, casual" or "20000 playouts".
std::string LevelWords(int level, Language language);
std::string PlayoutWords(int playouts, Language language);

// What follows the result: " in 33 moves", " by resignation after 20 moves".
std::string ResultDetailWords(std::size_t moves, bool resigned, Language language);

}  // namespace nanaren
