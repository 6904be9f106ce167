#pragma once

#include <string>
#include <variant>
#include <vector>

#include "console_game.h"

namespace nanaren {

// What the program's arguments ask for.
struct CommandLine {
    enum class Action { Play, Help, Version };
    Action action = Action::Play;  // --help wins over --version, either over a game
    ConsoleOptions options;        // the game's
};

// The request the arguments (the program's name left out) make, or a message
// saying which one is wrong and why. An option's value follows it as the next
// argument or after '='; of an option given twice the last counts.
std::variant<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& arguments);

// The usage, the options and the levels, as --help prints them.
std::string HelpText();

}  // namespace nanaren
