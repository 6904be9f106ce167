#include "ratings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace nanaren::match {

namespace {

// Elo points in one unit of the natural logarithm of the odds: 400 / ln 10.
constexpr double EloPerLogit = 173.71779276130073;

// Newton's method doubles the correct digits each step; this is ample.
constexpr int MaxSteps = 100;

// A step this small in every rating (in logits) means the maximum is found.
constexpr double Converged = 1e-10;

using Matrix = std::vector<std::vector<double>>;

double Logistic(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

// log(Logistic(x)), without overflow for large |x|.
double LogLogistic(double x) {
    return x >= 0.0 ? -std::log1p(std::exp(-x)) : x - std::log1p(std::exp(x));
}

// Whether every player is reached from player 0 along links.
bool ReachesAll(const std::vector<std::vector<int>>& links) {
    std::vector<bool> reached(links.size(), false);
    std::vector<int> waiting = {0};
    reached[0] = true;
    while (!waiting.empty()) {
        const int player = waiting.back();
        waiting.pop_back();
        for (const int next : links[player]) {
            if (reached[next]) continue;
            reached[next] = true;
            waiting.push_back(next);
        }
    }
    return std::all_of(reached.begin(), reached.end(), [](bool r) { return r; });
}

// Zermelo's condition for a finite maximum: following "scored at least a
// draw against", every player leads to every other.
bool RatingsBounded(int players, const std::vector<PairResult>& results) {
    std::vector<std::vector<int>> scoredAgainst(players);
    std::vector<std::vector<int>> conceded(players);
    const auto link = [&](int from, int to) {
        scoredAgainst[from].push_back(to);
        conceded[to].push_back(from);
    };
    for (const PairResult& r : results) {
        if (r.points > 0.0) link(r.first, r.second);
        if (r.points < r.games) link(r.second, r.first);
    }
    return ReachesAll(scoredAgainst) && ReachesAll(conceded);
}

double LogLikelihood(const std::vector<double>& logits, const std::vector<PairResult>& results) {
    double sum = 0.0;
    for (const PairResult& r : results) {
        const double difference = logits[r.first] - logits[r.second];
        sum += r.points * LogLogistic(difference) + (r.games - r.points) * LogLogistic(-difference);
    }
    return sum;
}

// The log-likelihood's gradient and minus its Hessian (the observed
// information) in every player's logit.
struct Slope {
    std::vector<double> gradient;  // by player
    Matrix information;            // by player and player
};

Slope SlopeAt(const std::vector<double>& logits, const std::vector<PairResult>& results) {
    const std::size_t n = logits.size();
    Slope slope{std::vector<double>(n, 0.0), Matrix(n, std::vector<double>(n, 0.0))};
    for (const PairResult& r : results) {
        const double expected = Logistic(logits[r.first] - logits[r.second]);
        const double surplus = r.points - r.games * expected;
        slope.gradient[r.first] += surplus;
        slope.gradient[r.second] -= surplus;
        const double weight = r.games * expected * (1.0 - expected);
        slope.information[r.first][r.first] += weight;
        slope.information[r.second][r.second] += weight;
        slope.information[r.first][r.second] -= weight;
        slope.information[r.second][r.first] -= weight;
    }
    return slope;
}

// Player 0's rating is fixed, so it drops out of the equations.
std::vector<double> WithoutAnchor(const std::vector<double>& v) {
    return {v.begin() + 1, v.end()};
}

Matrix WithoutAnchor(const Matrix& m) {
    Matrix rest;
    for (std::size_t row = 1; row < m.size(); ++row)
        rest.push_back(WithoutAnchor(m[row]));
    return rest;
}

// The inverse by Gauss-Jordan elimination; the information is positive
// definite once the anchor is out, so its pivots need no search.
Matrix Inverse(Matrix a) {
    const std::size_t n = a.size();
    Matrix inverse(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i)
        inverse[i][i] = 1.0;
    for (std::size_t col = 0; col < n; ++col) {
        const double pivot = a[col][col];
        for (std::size_t j = 0; j < n; ++j) {
            a[col][j] /= pivot;
            inverse[col][j] /= pivot;
        }
        for (std::size_t row = 0; row < n; ++row) {
            const double factor = a[row][col];
            if (row == col || factor == 0.0) continue;
            for (std::size_t j = 0; j < n; ++j) {
                a[row][j] -= factor * a[col][j];
                inverse[row][j] -= factor * inverse[col][j];
            }
        }
    }
    return inverse;
}

std::vector<double> Times(const Matrix& m, const std::vector<double>& v) {
    std::vector<double> product(m.size(), 0.0);
    for (std::size_t row = 0; row < m.size(); ++row) {
        for (std::size_t j = 0; j < v.size(); ++j)
            product[row] += m[row][j] * v[j];
    }
    return product;
}

// Every player's logit at the maximum, player 0's held at 0, by Newton's
// method; a step that would lower the likelihood is halved until it does not.
std::vector<double> MaximumLikelihood(int players, const std::vector<PairResult>& results) {
    std::vector<double> logits(players, 0.0);
    for (int step = 0; step < MaxSteps; ++step) {
        const Slope slope = SlopeAt(logits, results);
        const std::vector<double> move =
            Times(Inverse(WithoutAnchor(slope.information)), WithoutAnchor(slope.gradient));
        const double before = LogLikelihood(logits, results);
        std::vector<double> next = logits;
        bool rises = false;
        for (double fraction = 1.0; fraction > 1e-9 && !rises; fraction /= 2.0) {
            for (std::size_t i = 0; i < move.size(); ++i)
                next[i + 1] = logits[i + 1] + fraction * move[i];
            rises = LogLikelihood(next, results) >= before;
        }
        if (!rises) break;  // no step of the doubles' size raises it: the maximum
        logits = next;
        double largest = 0.0;
        for (const double m : move)
            largest = std::max(largest, std::abs(m));
        if (largest < Converged) break;
    }
    return logits;
}

}  // namespace

double EloOfScore(double score) {
    if (score <= 0.0) return -std::numeric_limits<double>::infinity();
    if (score >= 1.0) return std::numeric_limits<double>::infinity();
    return -400.0 * std::log10(1.0 / score - 1.0);
}

Interval EloInterval(const Interval& score) {
    return {EloOfScore(score.low), EloOfScore(score.high)};
}

RatingTable FitRatings(int players, const std::vector<PairResult>& results) {
    RatingTable table;
    if (players <= 0) return table;
    std::vector<PairResult> games = results;
    int rated = players;
    if (!RatingsBounded(players, results)) {
        table.virtualDraws = true;
        for (int player = 0; player < players; ++player)
            games.push_back({player, players, 1, 0.5});
        ++rated;
    }
    const std::vector<double> logits = MaximumLikelihood(rated, games);
    const Matrix covariance = Inverse(WithoutAnchor(SlopeAt(logits, games).information));
    for (int player = 0; player < players; ++player) {
        const double elo = EloPerLogit * logits[player];
        const double spread =
            player == 0 ? 0.0 : Z95 * EloPerLogit * std::sqrt(covariance[player - 1][player - 1]);
        table.ratings.push_back({elo, {elo - spread, elo + spread}});
    }
    return table;
}

}  // namespace nanaren::match
