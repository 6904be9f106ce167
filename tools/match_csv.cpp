#include "match_csv.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "core/parse.h"
#include "game/notation.h"

namespace nanaren::match {

namespace {

constexpr const char* Header =
    "game,clock,black,white,winner,moves,passes,black_seconds,black_longest,white_seconds,"
    "white_longest,move_list";
constexpr int Columns = 12;

const char* WinnerName(int winner) {
    return winner == Black ? "black" : winner == White ? "white" : "draw";
}

void WriteRows(const MatchSettings& settings, const std::vector<GameRecord>& games,
               std::ostream& out) {
    for (const GameRecord& game : games) {
        const int black = game.setup.blackSide;
        out << game.index << ',' << game.setup.clock << ',' << PlayerName(settings.players[black])
            << ',' << PlayerName(settings.players[1 - black]) << ',' << WinnerName(game.winner)
            << ',' << game.moves.size() << ',' << PassesOf(game);
        for (const int side : {black, 1 - black})
            out << ',' << game.time[side].seconds << ',' << game.time[side].longest;
        out << ',';
        for (std::size_t i = 0; i < game.moves.size(); ++i)
            out << (i == 0 ? "" : " ") << MoveText(game.moves[i]);
        out << '\n';
    }
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

std::optional<double> ParseSeconds(const std::string& text) {
    const auto value = ParseFraction(text);
    if (!value || !(*value >= 0.0f)) return std::nullopt;
    return *value;
}

// One game's line, or why it is none.
std::optional<std::string> ParseGame(const std::string& line, CsvGame& game) {
    const std::vector<std::string> fields = Fields(line);
    if (static_cast<int>(fields.size()) != Columns)
        return "not " + std::to_string(Columns) + " fields";
    const auto index = ParseInteger<int>(fields[0]);
    const auto clock = ParseInteger<long long>(fields[1]);
    if (!index || !clock) return "the game or its clock is no number";
    game.index = *index;
    game.clock = static_cast<std::time_t>(*clock);
    game.players = {fields[2], fields[3]};
    const std::string& winner = fields[4];
    if (winner != "black" && winner != "white" && winner != "draw") return "no winner";
    game.winner = winner == "black" ? Black : winner == "white" ? White : Empty;
    for (int colour = 0; colour < 2; ++colour) {
        const auto seconds = ParseSeconds(fields[7 + 2 * colour]);
        const auto longest = ParseSeconds(fields[8 + 2 * colour]);
        if (!seconds || !longest) return "a thinking time is no number";
        game.time[colour].seconds = *seconds;
        game.time[colour].longest = *longest;
    }
    std::istringstream moves(fields[11]);
    for (std::string token; moves >> token;) {
        const auto move = ParseMove(token);
        if (!move) return "the move " + token + " is none";
        game.moves.push_back(*move);
        ++game.time[(game.moves.size() - 1) % 2].moves;
    }
    if (ParseInteger<std::size_t>(fields[5]) != game.moves.size()) return "the moves miscounted";
    return std::nullopt;
}

}  // namespace

void WriteCsv(const MatchSettings& settings, const std::vector<GameRecord>& games,
              std::ostream& out) {
    out << Header << '\n';
    WriteRows(settings, games, out);
}

void WriteCsv(const std::vector<PlayedMatch>& matches, std::ostream& out) {
    out << Header << '\n';
    for (const PlayedMatch& match : matches)
        WriteRows(match.settings, match.games, out);
}

std::vector<CsvGame> ReadCsv(std::istream& in, std::optional<CsvError>& error) {
    std::vector<CsvGame> games;
    std::string line;
    int number = 1;
    if (!std::getline(in, line) || line != Header) {
        error = CsvError{number, "not the match tool's header"};
        return {};
    }
    while (std::getline(in, line)) {
        ++number;
        if (line.empty()) continue;
        CsvGame game;
        if (const auto reason = ParseGame(line, game)) {
            error = CsvError{number, *reason};
            return {};
        }
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace nanaren::match
