#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <optional>

#include "game/board.h"
#include "messages.h"
#include "players/registry.h"

namespace nanaren {

// What the command line chooses for a game.
struct ConsoleOptions {
    // The computer player; none is the exact player with think.txt's playouts.
    std::optional<PlayerChoice> player;
    Language language = Language::Japanese;  // of the texts
    Encoding encoding = Encoding::ShiftJis;  // of the Japanese texts
    bool interactive = false;  // the board redrawn in place, else the classic dialogue
};

// The computer player the options choose: the exact player with think.txt's
// playouts when they choose none.
PlayerChoice ComputerChoice(const ConsoleOptions& options);

// Plays one game between the person at standard input and output and the
// computer player, which is seeded with the wall clock.
void PlayGame(const ConsoleOptions& options = {});

// The same game on the given streams; clock gives the seconds the computer
// player is seeded with when it is built, after the colour is chosen.
void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock,
              const ConsoleOptions& options);

// The game with the exact player: without playouts, think.txt gives them.
void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock,
              std::optional<std::int32_t> playouts = std::nullopt);

// Prints the 9x9 playing points with a header of column numbers and a label
// for each row.
void PrintBoard(const Board& board, std::ostream& out);

}  // namespace nanaren
