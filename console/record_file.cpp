#include "record_file.h"

#include <sstream>

#include "game/position.h"
#include "game/sgf.h"

namespace nanaren {

namespace {

constexpr std::string_view PageHeader = "nanaren record 1";

std::string Trimmed(std::string line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.back()))
        line.pop_back();
    std::size_t start = 0;
    while (start < line.size() && blank(line[start]))
        ++start;
    return line.substr(start);
}

// The "moves:" line of a page's record file, or none.
std::optional<std::string> MovesOfPageFile(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (line.rfind("moves:", 0) == 0) return line.substr(6);
    }
    return std::nullopt;
}

}  // namespace

std::string GameFileText(std::time_t seed, int human, std::string_view computer,
                         std::string_view record, std::string_view comment) {
    std::ostringstream text;
    text << PageHeader << "\nseed: " << static_cast<long long>(seed)
         << "\nyou: " << (human == Black ? "black" : "white") << "\ncomputer: " << computer
         << "\nmoves: " << record << "\n# " << comment << '\n';
    return text.str();
}

std::optional<std::vector<Vertex>> ReadGameFile(std::string_view text, std::string& error) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '(') {
        const auto sgf = ReadSgf(text);
        if (const auto* bad = std::get_if<SgfError>(&sgf)) {
            error = bad->Message();
            return std::nullopt;
        }
        return std::get<SgfRecord>(sgf).moves;
    }
    std::string record(text);
    if (Trimmed(std::string(text.substr(0, text.find('\n')))) == PageHeader) {
        const auto moves = MovesOfPageFile(text);
        if (!moves) {
            error = "the record file has no moves line";
            return std::nullopt;
        }
        record = *moves;
    }
    Position game;
    if (const auto bad = game.ReadRecord(record)) {
        error = bad->Message();
        return std::nullopt;
    }
    return game.Moves();
}

}  // namespace nanaren
