#include "command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string_view>

#include "level_texts.h"
#include "players/levels.h"

namespace nanaren {

namespace {

// An option with a value: its name, what it takes, and how the value sets it.
struct ValueOption {
    const char* name;
    std::string takes;
    bool (*set)(const std::string& value, CommandLine& line);
};

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SetLevel(const std::string& value, CommandLine& line) {
    const std::optional<PlayerChoice> choice = ParsePlayer("level:" + value);
    if (!choice) return false;
    line.options.player = choice;
    return true;
}

bool SetLanguage(const std::string& value, CommandLine& line) {
    if (value != "ja" && value != "en") return false;
    line.options.language = value == "ja" ? Language::Japanese : Language::English;
    return true;
}

bool SetEncoding(const std::string& value, CommandLine& line) {
    const std::string name = Lowercase(value);
    if (name == "shift_jis" || name == "sjis") {
        line.options.encoding = Encoding::ShiftJis;
    } else if (name == "utf-8" || name == "utf8") {
        line.options.encoding = Encoding::Utf8;
    } else {
        return false;
    }
    return true;
}

bool SetReview(const std::string& value, CommandLine& line) {
    if (value.empty()) return false;
    line.reviewFile = value;
    if (line.action == CommandLine::Action::Play) line.action = CommandLine::Action::Review;
    return true;
}

bool SetReviewSgf(const std::string& value, CommandLine& line) {
    if (value.empty()) return false;
    line.reviewSgf = value;
    return true;
}

const std::array<ValueOption, 5> ValueOptions = {{
    {"--level", "a level from 1 to " + std::to_string(LevelCount), SetLevel},
    {"--lang", "ja or en", SetLanguage},
    {"--encoding", "shift_jis or utf-8", SetEncoding},
    {"--review", "a game file", SetReview},
    {"--sgf", "a file to write", SetReviewSgf},
}};

const ValueOption* FindValueOption(std::string_view name) {
    for (const ValueOption& option : ValueOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

constexpr char Usage[] =
    "Usage: nanaren [--interactive | --classic] [--level K] [--lang ja|en]\n"
    "               [--encoding shift_jis|utf-8]\n"
    "       nanaren --review FILE [--sgf OUT] [--level K] [--lang ja|en] [--encoding ...]\n"
    "       nanaren --help | --version\n"
    "\n"
    "Plays one game on a 9x9 board against the computer; a line of exactly seven\n"
    "stones wins. Moves are read from standard input as two numbers, the column\n"
    "and then the row; -1 passes.\n"
    "\n"
    "  --interactive  the board redrawn in place on a terminal, with the last move\n"
    "                 marked, refused moves explained, take-backs, hints, and the\n"
    "                 record saved at the end (? lists the commands); colour unless\n"
    "                 NO_COLOR is set or TERM is dumb\n"
    "  --classic      the game's own dialogue, as without --interactive\n"
    "  --level K      the computer plays at level K (below). Without it, the\n"
    "                 computer's playouts per move are the first number in\n"
    "                 think.txt in the working directory (20000 without the file)\n"
    "  --lang ja|en   the messages in Japanese (the default) or English\n"
    "  --encoding shift_jis|utf-8\n"
    "                 the Japanese messages as Shift-JIS bytes (the game's default)\n"
    "                 or as UTF-8 (which nanaren-play picks on a UTF-8 terminal)\n"
    "  --review FILE  prints a review of the game in FILE (SGF, a record, or a\n"
    "                 record file the page saved): each move's chances, the best move\n"
    "                 and its mistakes, then each side's accuracy; --level sets\n"
    "                 the search that analyses each position (default 6)\n"
    "  --sgf OUT      with --review, writes the game to OUT as SGF with each\n"
    "                 move's chances (SBKV) and class (C)\n"
    "  --help         prints this\n"
    "  --version      prints the version\n"
    "\n"
    "Levels:\n";

}  // namespace

std::variant<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            line.action = CommandLine::Action::Help;
            continue;
        }
        if (argument == "--interactive" || argument == "--classic") {
            line.options.interactive = argument == "--interactive";
            continue;
        }
        if (argument == "--version") {
            if (line.action != CommandLine::Action::Help)
                line.action = CommandLine::Action::Version;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const ValueOption* option = FindValueOption(std::string_view(argument).substr(0, equals));
        if (option == nullptr) return "unexpected argument '" + argument + "'";
        const std::string takes = option->name + (" takes " + option->takes);
        if (equals == std::string::npos && i + 1 == arguments.size()) return takes;
        const std::string value =
            equals == std::string::npos ? arguments[++i] : argument.substr(equals + 1);
        if (!option->set(value, line)) return takes + ", not '" + value + "'";
    }
    return line;
}

std::string HelpText() {
    std::ostringstream text;
    text << Usage;
    for (int k = 1; k <= LevelCount; ++k) {
        const LevelText& level = LevelTextOf(k, Language::English);
        text << "  " << k << "  " << std::left << std::setw(9) << level.name << ' '
             << level.description << '\n';
    }
    return text.str();
}

}  // namespace nanaren
