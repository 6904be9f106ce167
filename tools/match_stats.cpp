#include "match_stats.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>

namespace nanaren::match {

namespace {

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

}  // namespace

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
    const std::array<std::string, 2> names = {PlayerName(settings.players[0]),
                                              PlayerName(settings.players[1])};
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
}

}  // namespace nanaren::match
