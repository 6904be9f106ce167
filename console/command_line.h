#pragma once

#include <string>
#include <variant>
#include <vector>

#include "console_game.h"

namespace nanaren {

// What the program's arguments ask for.
struct CommandLine {
    enum class Action { Play, Review, Help, Version };
    // --help wins over --version, either over a review, and a review over a game.
    Action action = Action::Play;
    ConsoleOptions options;  // the game's, or the review's level and language
    std::string reviewFile;  // the game file to review
    std::string reviewSgf;   // where to write the reviewed game as SGF, if anywhere
};

// The request the arguments (the program's name left out) make, or a message
// saying which one is wrong and why. An option's value follows it as the next
// argument or after '='; of an option given twice the last counts.
std::variant<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& arguments);

// The usage, the options and the levels, as --help prints them.
std::string HelpText();

}  // namespace nanaren
