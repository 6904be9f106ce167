#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nanaren::gtp {

// A command line as GTP frames it: an optional number, the command's name and
// its arguments.
struct Command {
    std::string id;  // the digits of its number, "" without one
    std::string name;
    std::vector<std::string> arguments;
};

// The longest command line read; a longer one is answered with an error.
inline constexpr std::size_t MaxLineLength = 65536;

// A line cleaned as GTP asks (control characters other than tabs dropped,
// tabs made blanks, everything from '#' on left out) and split into words;
// none when nothing is left of it. A line of a number alone has no name.
std::optional<Command> ParseCommand(std::string_view line);

// The answer to a command, framed: "=id text" or "?id text", then an empty
// line. A text of several lines is sent as it is.
std::string Framed(const Command& command, bool success, std::string_view text);

// The next line of input without its line break, at most MaxLineLength bytes
// of it (tooLong tells whether there were more, which are dropped); false at
// the end of the input.
bool ReadCommandLine(std::istream& in, std::string& line, bool& tooLong);

}  // namespace nanaren::gtp
