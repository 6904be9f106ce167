#include "openings.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/parse.h"
#include "game/sgf.h"
#include "play/opening.h"

namespace nanaren::match {

namespace {

// Why moves make no opening, or nothing.
std::optional<std::string> FaultOf(const std::vector<Vertex>& moves) {
    Position position;
    for (const Vertex v : moves) {
        if (!IsPlayingPoint(v)) return "an opening has no pass and no resignation";
        position.Play(v);
    }
    if (position.IsOver()) return "the opening ends the game";
    return std::nullopt;
}

std::variant<Openings, std::string> OpeningsOfSgf(std::string_view text, const std::string& name) {
    const auto games = ReadSgfGames(text);
    if (const auto* error = std::get_if<SgfError>(&games)) return name + ": " + error->Message();
    Openings openings;
    int number = 0;
    for (const SgfRecord& game : std::get<std::vector<SgfRecord>>(games)) {
        ++number;
        if (const auto fault = FaultOf(game.moves))
            return name + ", game " + std::to_string(number) + ": " + *fault;
        openings.book.push_back(game.moves);
    }
    return openings;
}

std::variant<Openings, std::string> OpeningsOfRecords(std::string_view text,
                                                      const std::string& name) {
    Openings openings;
    std::istringstream lines{std::string(text)};
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        Position position;
        const std::string where = name + ", line " + std::to_string(number) + ": ";
        if (const auto error = position.ReadRecord(line)) return where + error->Message();
        if (const auto fault = FaultOf(position.Moves())) return where + *fault;
        openings.book.push_back(position.Moves());
    }
    if (openings.book.empty()) return name + ": no opening";
    return openings;
}

}  // namespace

std::variant<Openings, std::string> OpeningsOfText(std::string_view text, const std::string& name) {
    const std::size_t start = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (start != std::string_view::npos && text[start] == '(') return OpeningsOfSgf(text, name);
    return OpeningsOfRecords(text, name);
}

std::variant<Openings, std::string> ReadOpenings(std::string_view source) {
    if (source.substr(0, 7) == "random:") {
        const auto plies = ParseInteger<int>(source.substr(7));
        if (!plies || *plies < 1 || *plies > MaxOpeningPlies) {
            return "random:N takes N from 1 to " + std::to_string(MaxOpeningPlies);
        }
        return Openings{*plies, {}};
    }
    const std::string name(source);
    std::ifstream file(name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    if (!file) return "cannot read " + name;
    return OpeningsOfText(text, name);
}

}  // namespace nanaren::match
