#include "strength.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

#include "match_stats.h"
#include "players/levels.h"

namespace nanaren::match {

namespace {

std::string Seconds(double seconds) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(3) << seconds;
    return text.str();
}

std::string LevelName(int level) {
    return "level:" + std::to_string(level);
}

// The pair of the two players from first's side, if they met.
std::optional<PairTally> Between(const std::vector<PairTally>& pairs, const std::string& first,
                                 const std::string& second) {
    for (const PairTally& pair : pairs) {
        if (pair.first == first && pair.second == second) return pair;
        if (pair.first == second && pair.second == first) {
            return PairTally{first, second, pair.games, pair.games - pair.points};
        }
    }
    return std::nullopt;
}

// What a level is measured against: the level below, or the line-builder.
std::string BelowOf(int level) {
    return level == 1 ? "builder" : LevelName(level - 1);
}

struct Measured {
    double score;
    Interval interval;
};

Measured MeasuredOf(const PairTally& pair) {
    const double score = pair.games == 0 ? 0.0 : pair.points / pair.games;
    return {score, WilsonInterval(score, pair.games)};
}

void WriteLadder(const std::vector<PairTally>& pairs, std::ostream& out) {
    out << "## The ladder\n\n"
        << "Each level against the level below (level 1 against the line-builder), the\n"
        << "colours alternating, game i seeded with the clock value i.\n\n"
        << "| pair | games | higher's score | 95% Wilson | Elo | 95% | above level 1 |\n"
        << "|---|---|---|---|---|---|---|\n";
    double above = 0.0;
    for (int level = 1; level <= LevelCount; ++level) {
        const auto pair = Between(pairs, LevelName(level), BelowOf(level));
        if (!pair) continue;
        const Measured m = MeasuredOf(*pair);
        const double elo = EloOfScore(m.score);
        const Interval elos = EloInterval(m.interval);
        if (level > 1) above += elo;
        out << "| " << level << " vs " << (level == 1 ? "builder" : std::to_string(level - 1))
            << " | " << pair->games << " | " << Percent(m.score) << " | " << Percent(m.interval.low)
            << "–" << Percent(m.interval.high) << " | " << EloText(elo) << " | "
            << EloText(elos.low) << " to " << EloText(elos.high) << " | "
            << (level == 1 ? "0" : EloText(above)) << " |\n";
    }
    out << '\n';
}

void WriteBuilders(const std::vector<PairTally>& pairs, std::ostream& out) {
    out << "## Against the line-builders\n\n"
        << "The builder only builds a line; the blocker first blocks a win in one.\n\n"
        << "| level | against | games | level's score | 95% Wilson |\n|---|---|---|---|---|\n";
    for (int level = 1; level <= LevelCount; ++level) {
        for (const char* builder : {"builder", "blocker"}) {
            const auto pair = Between(pairs, LevelName(level), builder);
            if (!pair) continue;
            const Measured m = MeasuredOf(*pair);
            out << "| " << level << " | " << builder << " | " << pair->games << " | "
                << Percent(m.score) << " | " << Percent(m.interval.low) << "–"
                << Percent(m.interval.high) << " |\n";
        }
    }
    out << '\n';
}

bool IsLadderOrBuilder(const PairTally& pair) {
    for (int level = 1; level <= LevelCount; ++level) {
        const std::string name = LevelName(level);
        for (const std::string& other :
             {BelowOf(level), std::string("blocker"), std::string("builder")}) {
            if ((pair.first == name && pair.second == other) ||
                (pair.second == name && pair.first == other)) {
                return true;
            }
        }
    }
    return false;
}

void WriteOthers(const std::vector<PairTally>& pairs, std::ostream& out) {
    std::vector<PairTally> others;
    std::copy_if(pairs.begin(), pairs.end(), std::back_inserter(others),
                 [](const PairTally& pair) { return !IsLadderOrBuilder(pair); });
    if (others.empty()) return;
    out << "## Other matches\n\n"
        << "| pair | games | first's score | 95% Wilson | Elo | 95% |\n|---|---|---|---|---|---|\n";
    for (const PairTally& pair : others) {
        const Measured m = MeasuredOf(pair);
        const Interval elos = EloInterval(m.interval);
        out << "| " << pair.first << " vs " << pair.second << " | " << pair.games << " | "
            << Percent(m.score) << " | " << Percent(m.interval.low) << "–"
            << Percent(m.interval.high) << " | " << EloText(EloOfScore(m.score)) << " | "
            << EloText(elos.low) << " to " << EloText(elos.high) << " |\n";
    }
    out << '\n';
}

void WriteTimes(const std::vector<CsvGame>& games, std::ostream& out) {
    out << "## Time per move\n\n"
        << "Seconds by the clock over every move each player chose in these matches,\n"
        << "each player on one thread, two games at a time on a 2-core machine\n"
        << "(`--jobs 2`). Levels 7 and 8 on two threads: "
        << "[strength-notes.md](strength-notes.md).\n\n"
        << "| player | moves | mean | longest |\n|---|---|---|---|\n";
    for (const PlayerTime& player : TimesOf(games)) {
        const ThinkingTime& t = player.time;
        out << "| " << player.player << " | " << t.moves << " | "
            << Seconds(t.moves == 0 ? 0.0 : t.seconds / t.moves) << " | " << Seconds(t.longest)
            << " |\n";
    }
}

}  // namespace

std::vector<PairTally> TallyPairs(const std::vector<CsvGame>& games) {
    // By the pair's names in order, with the index of its first game seen.
    std::map<std::pair<std::string, std::string>, std::pair<int, PairTally>> byPair;
    for (const CsvGame& game : games) {
        const auto key = std::minmax(game.players[0], game.players[1]);
        auto [entry, fresh] = byPair.try_emplace({key.first, key.second}, game.index,
                                                 PairTally{key.first, key.second});
        auto& [firstIndex, pair] = entry->second;
        if (game.index < firstIndex) firstIndex = game.index;
        ++pair.games;
        const int firstColour = game.players[0] == pair.first ? Black : White;
        pair.points += game.winner == Empty ? 0.5 : game.winner == firstColour ? 1.0 : 0.0;
    }
    // Then from the side of the Black of the lowest-numbered game.
    std::vector<PairTally> pairs;
    for (auto& [key, entry] : byPair) {
        PairTally pair = entry.second;
        const auto lowest = std::find_if(games.begin(), games.end(), [&](const CsvGame& game) {
            return game.index == entry.first && std::minmax(game.players[0], game.players[1]) ==
                                                    std::minmax(pair.first, pair.second);
        });
        if (lowest->players[0] != pair.first) {
            std::swap(pair.first, pair.second);
            pair.points = pair.games - pair.points;
        }
        pairs.push_back(pair);
    }
    return pairs;
}

std::vector<PlayerTime> TimesOf(const std::vector<CsvGame>& games) {
    std::map<std::string, ThinkingTime> byPlayer;
    for (const CsvGame& game : games) {
        for (int colour = 0; colour < 2; ++colour) {
            ThinkingTime& total = byPlayer[game.players[colour]];
            total.seconds += game.time[colour].seconds;
            total.longest = std::max(total.longest, game.time[colour].longest);
            total.moves += game.time[colour].moves;
        }
    }
    std::vector<PlayerTime> times;
    for (const auto& [player, time] : byPlayer)
        times.push_back({player, time});
    return times;
}

std::string SignatureText(std::uint64_t signature) {
    std::ostringstream text;
    text << std::hex << std::setw(16) << std::setfill('0') << signature;
    return text.str();
}

void WriteStrengthMarkdown(const std::vector<CsvGame>& games, std::uint64_t signature,
                           std::ostream& out) {
    const std::vector<PairTally> pairs = TallyPairs(games);
    out << "# How strong the levels are\n\n"
        << "Made by `scripts/ladder.sh` from the match tool's files in `docs/ladder/`; not\n"
        << "edited by hand. Measured with the strong player whose signature is\n"
        << "`" << SignatureText(signature) << "` (`nanaren_signature`): a player that plays\n"
        << "other games has another signature, and a test fails until the ladder is\n"
        << "measured again. Scores count a draw as half a win; the Elo is\n"
        << "-400 log10(1/s - 1) of the score s, its interval the Wilson interval's bounds\n"
        << "put through the same function.\n\n";
    WriteLadder(pairs, out);
    WriteBuilders(pairs, out);
    WriteOthers(pairs, out);
    WriteTimes(games, out);
}

void WriteStrengthJson(const std::vector<CsvGame>& games, std::uint64_t signature,
                       std::ostream& out) {
    const std::vector<PairTally> pairs = TallyPairs(games);
    out << "{\n  \"signature\": \"" << SignatureText(signature) << "\",\n  \"levels\": [";
    bool first = true;
    for (int level = 1; level <= LevelCount; ++level) {
        const auto pair = Between(pairs, LevelName(level), BelowOf(level));
        if (!pair) continue;
        const Measured m = MeasuredOf(*pair);
        out << (first ? "\n" : ",\n") << std::setprecision(4) << "    {\"level\": " << level
            << ", \"against\": \"" << BelowOf(level) << "\", \"games\": " << pair->games
            << ", \"score\": " << m.score << ", \"low\": " << m.interval.low
            << ", \"high\": " << m.interval.high << '}';
        first = false;
    }
    out << "\n  ]\n}\n";
}

}  // namespace nanaren::match
