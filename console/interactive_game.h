#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string_view>

#include "console_game.h"
#include "game/geometry.h"
#include "terminal.h"

namespace nanaren {

// What a line typed at the interactive game asks for.
struct Request {
    enum class Kind { Nothing, Move, TakeBack, Hint, Pass, Resign, Quit, Help, NotAMove };
    Kind kind = Kind::Nothing;
    // For a move: the point of the column and row typed, NoVertex for numbers
    // beyond the grid (the game refuses either off the board).
    Vertex move = NoVertex;
};

// A move as "5 3", "5-3" or "5,3", a command as its letter or its word ("u"
// or "undo", "h" or "hint", "p" or "pass", "r" or "resign", "q" or "quit",
// "?" or "help"); blanks around it do not count.
Request ParseRequest(std::string_view line);

// Where the interactive game runs: its streams, what the terminal does, the
// clock each game's computer is seeded with, and the directory the records
// are saved in.
struct InteractiveSetting {
    std::istream& in;
    std::ostream& out;
    TerminalAbilities abilities;
    std::function<std::time_t()> clock;
    std::filesystem::path recordDirectory;
};

// Plays games until the person quits or the input ends: the board redrawn in
// place with the last move marked, refusals explained, take-backs and hints,
// the computer's moves with their reasons, and at the end the winning line
// marked and the record saved.
void PlayInteractive(const InteractiveSetting& setting, const ConsoleOptions& options);

}  // namespace nanaren
