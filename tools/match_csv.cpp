#include "match_csv.h"

#include <algorithm>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>

#include "core/parse.h"
#include "game/notation.h"
#include "game/sgf.h"

namespace nanaren::match {

namespace {

constexpr const char* Header =
    "game,clock,black,white,winner,termination,moves,passes,opening,black_seconds,black_longest,"
    "white_seconds,white_longest,move_list";
constexpr int Columns = 14;

// The header of the files written before games could end by a fault or start
// from an opening: without the termination and opening columns.
constexpr const char* FirstHeader =
    "game,clock,black,white,winner,moves,passes,black_seconds,black_longest,white_seconds,"
    "white_longest,move_list";

// A field as CSV writes it: in quotes, with quotes doubled, when it holds a
// comma or a quote.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + '"';
}

const char* WinnerName(int winner) {
    return winner == Black ? "black" : winner == White ? "white" : "draw";
}

void WriteRows(const MatchSettings& settings, const std::vector<GameRecord>& games,
               std::ostream& out) {
    for (const GameRecord& game : games) {
        const int black = game.setup.blackSide;
        out << game.index << ',' << game.setup.clock << ','
            << Field(NameOf(settings.players[black])) << ','
            << Field(NameOf(settings.players[1 - black])) << ',' << WinnerName(game.winner) << ','
            << TerminationName(game.termination) << ',' << game.moves.size() << ','
            << PassesOf(game) << ',' << game.openingPlies;
        for (const int side : {black, 1 - black})
            out << ',' << game.time[side].seconds << ',' << game.time[side].longest;
        out << ',';
        for (std::size_t i = 0; i < game.moves.size(); ++i)
            out << (i == 0 ? "" : " ") << MoveText(game.moves[i]);
        out << '\n';
    }
}

// The fields of a line, quoted ones unquoted; none when a quote is not closed.
std::optional<std::vector<std::string>> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (quoted) return std::nullopt;
    return fields;
}

std::optional<double> ParseSeconds(const std::string& text) {
    const auto value = ParseFraction(text);
    if (!value || !(*value >= 0.0f)) return std::nullopt;
    return *value;
}

// One game's line, or why it is none; a line of the first form gets the
// columns it lacks as a game of no opening that ended normally.
std::optional<std::string> ParseGame(const std::string& line, bool firstForm, CsvGame& game) {
    const std::optional<std::vector<std::string>> read = Fields(line);
    if (!read) return "a quote is not closed";
    std::vector<std::string> fields = *read;
    if (firstForm && fields.size() == Columns - 2) {
        fields.insert(fields.begin() + 5, "normal");
        fields.insert(fields.begin() + 8, "0");
    }
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
    const auto termination = ParseTermination(fields[5]);
    const auto opening = ParseInteger<int>(fields[8]);
    if (!termination) return "no termination";
    if (!opening || *opening < 0) return "the opening's plies are no number";
    game.termination = *termination;
    game.openingPlies = *opening;
    for (int colour = 0; colour < 2; ++colour) {
        const auto seconds = ParseSeconds(fields[9 + 2 * colour]);
        const auto longest = ParseSeconds(fields[10 + 2 * colour]);
        if (!seconds || !longest) return "a thinking time is no number";
        game.time[colour].seconds = *seconds;
        game.time[colour].longest = *longest;
    }
    std::istringstream moves(fields[13]);
    for (std::string token; moves >> token;) {
        const auto move = ParseMove(token);
        if (!move) return "the move " + token + " is none";
        game.moves.push_back(*move);
        ++game.time[(game.moves.size() - 1) % 2].moves;
    }
    if (ParseInteger<std::size_t>(fields[6]) != game.moves.size()) return "the moves miscounted";
    if (static_cast<std::size_t>(game.openingPlies) > game.moves.size())
        return "an opening longer than the game";
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
    if (!std::getline(in, line) || (line != Header && line != FirstHeader)) {
        error = CsvError{number, "not the match tool's header"};
        return {};
    }
    const bool firstForm = line == FirstHeader;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty()) continue;
        CsvGame game;
        if (const auto reason = ParseGame(line, firstForm, game)) {
            error = CsvError{number, *reason};
            return {};
        }
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace nanaren::match

namespace nanaren::match {

namespace {

// The game as the match it belongs to holds it: by side rather than colour.
GameRecord RecordOf(const CsvGame& game, int blackSide) {
    GameRecord record{game.index, {game.clock, blackSide}, game.winner, game.moves};
    record.time[blackSide] = game.time[0];
    record.time[1 - blackSide] = game.time[1];
    record.termination = game.termination;
    record.openingPlies = game.openingPlies;
    return record;
}

}  // namespace

std::variant<std::vector<PlayedMatch>, std::string> MatchesOfGames(
    const std::vector<CsvGame>& games) {
    std::vector<PlayedMatch> matches;
    std::map<std::pair<std::string, std::string>, std::size_t> places;  // by side 0, side 1
    for (const CsvGame& game : games) {
        const bool even = game.index % 2 == 0;
        const std::string& side0 = game.players[even ? 0 : 1];
        const std::string& side1 = game.players[even ? 1 : 0];
        const std::string where =
            "game " + std::to_string(game.index) + " of " + side0 + " against " + side1;
        auto [place, added] = places.try_emplace({side0, side1}, matches.size());
        if (added) {
            const auto first = ParseMatchPlayer(side0);
            const auto second = ParseMatchPlayer(side1);
            if (!first || !second) return where + ": a player that is not one";
            matches.push_back({MatchSettings{{*first, *second}, 0, game.clock - game.index}, {}});
        }
        PlayedMatch& match = matches[place->second];
        if (game.clock - game.index != match.settings.firstClock)
            return where + ": its clock does not follow the others'";
        match.games.push_back(RecordOf(game, even ? 0 : 1));
    }
    for (PlayedMatch& match : matches) {
        std::vector<GameRecord>& played = match.games;
        std::sort(played.begin(), played.end(),
                  [](const GameRecord& a, const GameRecord& b) { return a.index < b.index; });
        for (std::size_t i = 1; i < played.size(); ++i) {
            if (played[i].index == played[i - 1].index)
                return "game " + std::to_string(played[i].index) + " of " +
                       NameOf(match.settings.players[0]) + " against " +
                       NameOf(match.settings.players[1]) + " is there twice";
        }
        match.settings.games = static_cast<int>(played.size());
        match.settings.firstGame = played.empty() ? 0 : played.front().index;
    }
    return matches;
}

std::string GameSgf(const MatchSettings& settings, const GameRecord& game,
                    const std::string& date) {
    const int black = game.setup.blackSide;
    SgfRecord record;
    record.moves = game.moves;
    SgfHeader& header = record.header;
    header.black = NameOf(settings.players[black]);
    header.white = NameOf(settings.players[1 - black]);
    header.date = date;
    const std::string winner = game.winner == Black ? "B+" : "W+";
    const bool resigned = !game.moves.empty() && game.moves.back() == Resign;
    switch (game.termination) {
        case Termination::Normal:
            header.result = game.winner == Empty ? "0" : winner + (resigned ? "R" : "");
            break;
        case Termination::Timeout:
            header.result = winner + "T";
            break;
        default:
            header.result = winner + "F";
            break;
    }
    header.comment = "game " + std::to_string(game.index) + ", clock " +
                     std::to_string(game.setup.clock) + ", " + TerminationName(game.termination) +
                     ", opening of " + std::to_string(game.openingPlies) + " plies";
    return WriteSgf(record);
}

}  // namespace nanaren::match
