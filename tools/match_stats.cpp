#include "match_stats.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <numeric>
#include <ostream>
#include <sstream>
#include <string>

namespace nanaren::match {

namespace {

// The first side's Elo over the second, from its score and the score's
// interval; a side that scored every point has no finite estimate.
void PrintElo(const std::array<std::string, 2>& names, const MatchSummary& summary,
              std::ostream& out) {
    const SideResult& first = summary.sides[0];
    const double elo = EloOfScore(first.score);
    const Interval interval = EloInterval(first.interval);
    out << "Elo of " << names[0] << " over " << names[1] << ": " << EloText(elo);
    if (std::isinf(elo)) out << " (" << names[elo > 0.0 ? 0 : 1] << " scored every point)";
    out << ", 95% interval " << EloText(interval.low) << " to " << EloText(interval.high) << '\n';
}

std::vector<std::string> NamesOf(const std::vector<MatchPlayer>& players) {
    std::vector<std::string> names;
    for (const MatchPlayer& player : players)
        names.push_back(NameOf(player));
    return names;
}

int PlaceOf(const std::vector<std::string>& names, const MatchPlayer& player) {
    return static_cast<int>(std::find(names.begin(), names.end(), NameOf(player)) - names.begin());
}

std::string PairName(const MatchSettings& settings) {
    return NameOf(settings.players[0]) + " against " + NameOf(settings.players[1]);
}

// Each pair's wins, losses and draws from its first-named player's side.
void PrintPairs(const std::vector<PlayedMatch>& matches, std::ostream& out) {
    std::size_t width = 4;
    for (const PlayedMatch& match : matches)
        width = std::max(width, PairName(match.settings).size());
    out << std::left << std::setw(static_cast<int>(width)) << "pair" << std::right
        << "    wins  losses  draws   score\n";
    for (const PlayedMatch& match : matches) {
        const SideResult first = Summarize(match.games).sides[0];
        out << std::left << std::setw(static_cast<int>(width)) << PairName(match.settings)
            << std::right << std::setw(8) << first.wins << std::setw(8) << first.losses
            << std::setw(7) << first.draws << std::setw(8) << Percent(first.score) << '\n';
    }
}

// Every player's games and points in the round robin.
struct PlayerTotal {
    int games = 0;        // games it played
    double points = 0.0;  // a win 1, a draw 1/2
};

std::vector<PlayerTotal> TotalsOf(int players, const std::vector<PairResult>& results) {
    std::vector<PlayerTotal> totals(players);
    for (const PairResult& r : results) {
        totals[r.first].games += r.games;
        totals[r.first].points += r.points;
        totals[r.second].games += r.games;
        totals[r.second].points += r.games - r.points;
    }
    return totals;
}

// Players' places, the highest rated first; a tie keeps the listed order.
std::vector<int> ByRating(const RatingTable& table) {
    std::vector<int> order(table.ratings.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return table.ratings[a].elo > table.ratings[b].elo; });
    return order;
}

std::string IntervalText(const Rating& rating, bool anchor) {
    if (anchor) return "anchor";
    return EloText(rating.interval.low) + " to " + EloText(rating.interval.high);
}

// The ratings table, by rating, with each player's games and score.
void PrintRatings(const std::vector<std::string>& names, const std::vector<PairResult>& results,
                  std::ostream& out) {
    const int players = static_cast<int>(names.size());
    const RatingTable table = FitRatings(players, results);
    const std::vector<PlayerTotal> totals = TotalsOf(players, results);
    const std::vector<int> order = ByRating(table);
    int width = 6;
    for (const std::string& name : names)
        width = std::max(width, static_cast<int>(name.size()));
    out << "Ratings by maximum likelihood, in Elo, " << names[0] << " fixed at 0\n"
        << "(95% intervals, 1.96 standard errors either side, relative to " << names[0] << ")\n";
    out << "rank  " << std::left << std::setw(width) << "player" << std::right
        << "      Elo  95% interval       games   score\n";
    for (int rank = 0; rank < players; ++rank) {
        const int player = order[rank];
        const PlayerTotal& total = totals[player];
        const double score = total.games == 0 ? 0.0 : total.points / total.games;
        out << std::setw(4) << rank + 1 << "  " << std::left << std::setw(width) << names[player]
            << std::right << std::setw(9) << EloText(table.ratings[player].elo) << "  " << std::left
            << std::setw(18) << IntervalText(table.ratings[player], player == 0) << std::right
            << std::setw(6) << total.games << std::setw(8) << Percent(score) << '\n';
    }
    if (table.virtualDraws) {
        out << "Some player or group won or lost every game against the others, so the\n"
               "likelihood has no finite maximum: each player is given one extra draw\n"
               "against a virtual player rated along with them.\n";
    }
}

}  // namespace

std::string Percent(double share) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << 100.0 * share << '%';
    return text.str();
}

// An Elo difference with its sign to a tenth, or +inf or -inf.
std::string EloText(double elo) {
    if (std::isinf(elo)) return elo > 0.0 ? "+inf" : "-inf";
    std::ostringstream text;
    // Adding 0 turns a negative zero into one that prints as +0.0.
    text << std::showpos << std::fixed << std::setprecision(1)
         << std::round(elo * 10.0) / 10.0 + 0.0;
    return text.str();
}

Interval WilsonInterval(double share, int n) {
    if (n <= 0) return {0.0, 1.0};
    const double z2 = Z95 * Z95;
    const double denominator = 1.0 + z2 / n;
    const double centre = (share + z2 / (2.0 * n)) / denominator;
    const double half =
        Z95 / denominator * std::sqrt(share * (1.0 - share) / n + z2 / (4.0 * n * n));
    // At a share of 0 or 1 the bound on that side is exactly 0 or 1, which
    // rounding would otherwise move inside (and make a finite Elo of it).
    const double low = share <= 0.0 ? 0.0 : std::max(0.0, centre - half);
    const double high = share >= 1.0 ? 1.0 : std::min(1.0, centre + half);
    return {low, high};
}

MatchSummary Summarize(const std::vector<GameRecord>& games) {
    MatchSummary summary;
    summary.games = static_cast<int>(games.size());
    long long moves = 0;
    for (const GameRecord& game : games) {
        const int black = game.setup.blackSide;
        moves += static_cast<long long>(game.moves.size());
        for (int side = 0; side < 2; ++side) {
            ThinkingTime& total = summary.sides[side].time;
            total.seconds += game.time[side].seconds;
            total.longest = std::max(total.longest, game.time[side].longest);
            total.moves += game.time[side].moves;
        }
        const int passes = PassesOf(game);
        summary.passes += passes;
        summary.gamesWithPass += passes > 0;
        if (game.winner == Empty) {
            ++summary.draws;
            ++summary.sides[0].draws;
            ++summary.sides[1].draws;
            continue;
        }
        const int winnerSide = game.winner == Black ? black : 1 - black;
        ++summary.sides[winnerSide].wins;
        ++summary.sides[1 - winnerSide].losses;
        ++(game.winner == Black ? summary.blackWins : summary.whiteWins);
    }
    // Without a game a score is 0, its interval all of 0 to 1.
    const int n = summary.games;
    if (n > 0) summary.averageLength = static_cast<double>(moves) / n;
    for (SideResult& side : summary.sides) {
        side.score = n == 0 ? 0.0 : (side.wins + 0.5 * side.draws) / n;
        side.interval = WilsonInterval(side.score, n);
    }
    return summary;
}

void PrintSummary(const MatchSettings& settings, const MatchSummary& summary, std::ostream& out) {
    const int n = summary.games;
    const std::array<std::string, 2> names = {NameOf(settings.players[0]),
                                              NameOf(settings.players[1])};
    out << n << " games, " << names[0] << " against " << names[1] << "; a draw counts half a win\n";
    const int width =
        static_cast<int>(std::max({names[0].size(), names[1].size(), std::size_t{6}}));
    out << std::left << std::setw(width) << "player" << std::right
        << "    wins  losses  draws   score  95% interval (Wilson)\n";
    for (int side = 0; side < 2; ++side) {
        const SideResult& r = summary.sides[side];
        out << std::left << std::setw(width) << names[side] << std::right << std::setw(8) << r.wins
            << std::setw(8) << r.losses << std::setw(7) << r.draws << std::setw(8)
            << Percent(r.score) << "  " << Percent(r.interval.low) << " to "
            << Percent(r.interval.high) << '\n';
    }
    if (n > 0) PrintElo(names, summary, out);
    const double games = n == 0 ? 1.0 : n;
    out << "Black won " << summary.blackWins << " (" << Percent(summary.blackWins / games)
        << "), White " << summary.whiteWins << " (" << Percent(summary.whiteWins / games)
        << "), drawn " << summary.draws << " (" << Percent(summary.draws / games) << ")\n";
    out << "Average game length " << std::fixed << std::setprecision(1) << summary.averageLength
        << " moves; " << summary.passes << " passes in " << summary.gamesWithPass << " games\n";
    out << "Seconds per move, mean and longest:" << std::setprecision(3);
    for (int side = 0; side < 2; ++side) {
        const ThinkingTime& time = summary.sides[side].time;
        out << (side == 0 ? " " : "; ") << names[side] << ' '
            << (time.moves == 0 ? 0.0 : time.seconds / time.moves) << ", " << time.longest;
    }
    out << '\n';
}

std::vector<PairResult> PairResults(const std::vector<MatchPlayer>& players,
                                    const std::vector<PlayedMatch>& matches) {
    const std::vector<std::string> names = NamesOf(players);
    std::vector<PairResult> results;
    for (const PlayedMatch& match : matches) {
        const SideResult first = Summarize(match.games).sides[0];
        results.push_back({PlaceOf(names, match.settings.players[0]),
                           PlaceOf(names, match.settings.players[1]),
                           static_cast<int>(match.games.size()), first.wins + 0.5 * first.draws});
    }
    return results;
}

void PrintRoundRobin(const std::vector<MatchPlayer>& players,
                     const std::vector<PlayedMatch>& matches, std::ostream& out) {
    int played = 0;
    for (const PlayedMatch& match : matches)
        played += static_cast<int>(match.games.size());
    const int planned = matches.empty() ? 0 : matches.front().settings.games;
    out << "Round robin of " << players.size() << " players, " << planned << " games a pair, "
        << played << " played; a draw counts half a win\n";
    PrintPairs(matches, out);
    PrintRatings(NamesOf(players), PairResults(players, matches), out);
}

void PrintReport(const std::vector<PlayedMatch>& matches, const std::optional<SprtSettings>& sprt,
                 std::ostream& out) {
    if (matches.size() == 1) {
        const PlayedMatch& match = matches.front();
        PrintSummary(match.settings, Summarize(match.games), out);
        if (sprt) {
            PrintSprt(*sprt, {NameOf(match.settings.players[0]), NameOf(match.settings.players[1])},
                      PentanomialOf(match.games), out);
        }
        return;
    }
    std::vector<MatchPlayer> players;
    std::vector<std::string> names;
    for (const PlayedMatch& match : matches) {
        for (const MatchPlayer& player : match.settings.players) {
            if (std::find(names.begin(), names.end(), NameOf(player)) != names.end()) continue;
            names.push_back(NameOf(player));
            players.push_back(player);
        }
    }
    PrintRoundRobin(players, matches, out);
}

}  // namespace nanaren::match
