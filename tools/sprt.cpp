#include "sprt.h"

#include <cmath>
#include <iomanip>
#include <map>
#include <ostream>

#include "core/parse.h"
#include "match_stats.h"

namespace nanaren::match {

namespace {

// Normalized Elo per unit of t-value, 800 / ln 10.
const double NormalizedEloPerT = 800.0 / std::log(10.0);

// An outcome never seen counts so many pairs, as if it had been.
constexpr double UnseenPairs = 1e-3;

// The probabilities of the five outcomes.
using Distribution = std::array<double, 5>;

double Outcome(int i) {
    return i / 4.0;
}

double MeanOf(const Distribution& p) {
    double mean = 0.0;
    for (int i = 0; i < 5; ++i)
        mean += p[i] * Outcome(i);
    return mean;
}

double VarianceOf(const Distribution& p, double mean) {
    double variance = 0.0;
    for (int i = 0; i < 5; ++i)
        variance += p[i] * (Outcome(i) - mean) * (Outcome(i) - mean);
    return variance;
}

// The x where sum p_i a_i / (1 + x a_i) is 0, between the poles -1/max(a)
// and -1/min(a): the sum falls from +inf to -inf there, so halving finds it.
double SolveSecular(const Distribution& p, const Distribution& a) {
    double low = -1.0 / *std::max_element(a.begin(), a.end());
    double high = -1.0 / *std::min_element(a.begin(), a.end());
    for (int step = 0; step < 200; ++step) {
        const double x = 0.5 * (low + high);
        double sum = 0.0;
        for (int i = 0; i < 5; ++i)
            sum += p[i] * a[i] / (1.0 + x * a[i]);
        (sum > 0.0 ? low : high) = x;
    }
    return 0.5 * (low + high);
}

// The distribution over the outcomes that makes the observed one most
// likely among those with t-value (mean - 1/2) / deviation = t, found by
// the fixed-point iteration on the Lagrange condition from the uniform
// distribution.
Distribution MostLikelyWithT(const Distribution& observed, double t) {
    Distribution p;
    p.fill(0.2);
    for (int iteration = 0; iteration < 10; ++iteration) {
        const double mean = MeanOf(p);
        const double sigma = std::sqrt(VarianceOf(p, mean));
        Distribution a;
        for (int i = 0; i < 5; ++i) {
            const double z = (mean - Outcome(i)) / sigma;
            a[i] = Outcome(i) - 0.5 - t * sigma * (1.0 + z * z) / 2.0;
        }
        if (*std::min_element(a.begin(), a.end()) >= 0.0 ||
            *std::max_element(a.begin(), a.end()) <= 0.0) {
            break;
        }
        const double x = SolveSecular(observed, a);
        Distribution next;
        double change = 0.0;
        for (int i = 0; i < 5; ++i) {
            next[i] = observed[i] / (1.0 + x * a[i]);
            change = std::max(change, std::abs(next[i] - p[i]));
        }
        p = next;
        if (change < 1e-9) break;
    }
    return p;
}

std::string Fixed(double value, int digits) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(digits) << value;
    return text.str();
}

}  // namespace

Pentanomial PentanomialOf(const std::vector<GameRecord>& games) {
    std::map<int, std::pair<int, double>> pairs;  // by pair: games seen, side 0's points
    for (const GameRecord& game : games) {
        const int black = game.setup.blackSide;
        double points = 0.5;
        if (game.winner != Empty) points = (game.winner == Black) == (black == 0) ? 1.0 : 0.0;
        auto& pair = pairs[game.index / 2];
        ++pair.first;
        pair.second += points;
    }
    Pentanomial counts{};
    for (const auto& [pair, result] : pairs) {
        if (result.first == 2) ++counts[static_cast<int>(std::lround(result.second * 2.0))];
    }
    return counts;
}

std::optional<SprtSettings> ParseSprt(const std::vector<std::string>& words) {
    SprtSettings settings;
    for (const std::string& word : words) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) return std::nullopt;
        const std::string name = word.substr(0, equals);
        const auto value = ParseFraction(word.substr(equals + 1));
        if (!value || !std::isfinite(*value)) return std::nullopt;
        if (name == "elo0") {
            settings.elo0 = *value;
        } else if (name == "elo1") {
            settings.elo1 = *value;
        } else if ((name == "alpha" || name == "beta") && *value > 0.0f && *value < 0.5f) {
            (name == "alpha" ? settings.alpha : settings.beta) = *value;
        } else {
            return std::nullopt;
        }
    }
    if (!(settings.elo0 < settings.elo1)) return std::nullopt;
    return settings;
}

double PentanomialLlr(const Pentanomial& pairs, double elo0, double elo1) {
    Distribution counts;
    double total = 0.0;
    for (int i = 0; i < 5; ++i) {
        counts[i] = pairs[i] == 0 ? UnseenPairs : pairs[i];
        total += counts[i];
    }
    Distribution observed;
    for (int i = 0; i < 5; ++i)
        observed[i] = counts[i] / total;
    // A pair's deviation is the game's over the square root of 2.
    const double perT = NormalizedEloPerT / std::sqrt(2.0);
    const Distribution p0 = MostLikelyWithT(observed, elo0 / perT);
    const Distribution p1 = MostLikelyWithT(observed, elo1 / perT);
    double llr = 0.0;
    for (int i = 0; i < 5; ++i)
        llr += counts[i] * std::log(p1[i] / p0[i]);
    return llr;
}

Interval LlrBounds(const SprtSettings& settings) {
    return {std::log(settings.beta / (1.0 - settings.alpha)),
            std::log((1.0 - settings.beta) / settings.alpha)};
}

SprtState StateOf(const SprtSettings& settings, const Pentanomial& pairs) {
    const double llr = PentanomialLlr(pairs, settings.elo0, settings.elo1);
    const Interval bounds = LlrBounds(settings);
    if (llr >= bounds.high) return SprtState::AcceptH1;
    if (llr <= bounds.low) return SprtState::AcceptH0;
    return SprtState::Continue;
}

PairElo PairEloOf(const Pentanomial& pairs) {
    double n = 0.0;
    for (const int count : pairs)
        n += count;
    if (n == 0.0) return {};
    Distribution p;
    for (int i = 0; i < 5; ++i)
        p[i] = pairs[i] / n;
    const double mean = MeanOf(p);
    const double variance = VarianceOf(p, mean);
    const double error = std::sqrt(variance / n);
    PairElo elo;
    elo.elo = EloOfScore(mean);
    elo.interval =
        EloInterval({std::max(0.0, mean - Z95 * error), std::min(1.0, mean + Z95 * error)});
    elo.normalized =
        variance == 0.0 ? elo.elo : (mean - 0.5) / std::sqrt(2.0 * variance) * NormalizedEloPerT;
    return elo;
}

void PrintSprt(const SprtSettings& settings, const std::array<std::string, 2>& names,
               const Pentanomial& pairs, std::ostream& out) {
    const double llr = PentanomialLlr(pairs, settings.elo0, settings.elo1);
    const Interval bounds = LlrBounds(settings);
    const SprtState state = StateOf(settings, pairs);
    const char* decision = state == SprtState::AcceptH1   ? "H1 accepted"
                           : state == SprtState::AcceptH0 ? "H0 accepted"
                                                          : "no decision yet";
    int total = 0;
    for (const int count : pairs)
        total += count;
    out << "SPRT of " << names[0] << " over " << names[1] << ", normalized Elo "
        << Fixed(settings.elo0, 1) << " against " << Fixed(settings.elo1, 1) << " (alpha "
        << Fixed(settings.alpha, 3) << ", beta " << Fixed(settings.beta, 3) << "): LLR "
        << Fixed(llr, 3) << ", bounds " << Fixed(bounds.low, 3) << " and " << Fixed(bounds.high, 3)
        << ", " << decision << '\n';
    out << "Pairs for " << names[0] << " (LL LD WL+DD WD WW): " << pairs[0] << ' ' << pairs[1]
        << ' ' << pairs[2] << ' ' << pairs[3] << ' ' << pairs[4] << ", " << total << " pairs\n";
    const PairElo elo = PairEloOf(pairs);
    out << "Elo by pairs " << EloText(elo.elo) << ", 95% interval " << EloText(elo.interval.low)
        << " to " << EloText(elo.interval.high) << "; normalized Elo " << EloText(elo.normalized)
        << '\n';
}

}  // namespace nanaren::match
