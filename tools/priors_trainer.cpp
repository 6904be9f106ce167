#include "priors_trainer.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <set>

#include "game/position.h"

namespace nanaren::priors {

namespace {

// Color's legal moves on board with their features, the pattern canonical.
std::vector<std::pair<Vertex, MoveFeatures>> LegalMoves(const Board& board, int color) {
    std::vector<std::pair<Vertex, MoveFeatures>> moves;
    for (int i = 0; i < board.EmptyCount(); ++i) {
        if (board.TryPut(i, color) == Board::Failure) continue;
        const Vertex v = board.EmptyPoint(i);
        MoveFeatures features = FeaturesOf(board, v, color);
        features[Pattern] = CanonicalPattern(features[Pattern]);
        moves.emplace_back(v, features);
    }
    return moves;
}

// The examples of one game, or none when its moves do not replay.
std::vector<Example> ExamplesOfGame(const match::CsvGame& game, int index,
                                    const std::set<std::string>& learned) {
    std::vector<Example> examples;
    Position position;
    for (const Vertex move : game.moves) {
        const int color = position.ToMove();
        const bool learn = learned.contains(game.players[ColorIndex(color)]);
        if (learn && move != Pass && move != Resign) {
            Example example;
            example.game = index;
            example.chosen = -1;
            for (const auto& [v, features] : LegalMoves(position.GetBoard(), color)) {
                if (v == move) example.chosen = static_cast<int>(example.moves.size());
                example.moves.push_back(features);
            }
            if (example.chosen < 0) return {};
            if (example.moves.size() >= 2) examples.push_back(std::move(example));
        }
        if (!position.Play(move).Stands()) return {};
    }
    return examples;
}

// The levels of the fit as numbered parameters.
class Parameters {
  public:
    Parameters(const std::vector<Example>& examples, int patternMinimum) {
        std::map<std::uint16_t, int> patternCounts;
        for (const Example& example : examples) {
            for (const MoveFeatures& move : example.moves)
                ++patternCounts[move[Pattern]];
        }
        for (const auto& [code, count] : patternCounts) {
            if (count >= patternMinimum) mPattern[code] = Add(Pattern, code);
        }
        mRare = Add(Pattern, 0);
        for (int g = Pattern + 1; g < FeatureGroupCount; ++g) {
            mFirst[g] = Count();
            for (int level = 0; level < FeatureLevels[g]; ++level)
                Add(g, static_cast<std::uint16_t>(level));
        }
    }

    int Count() const { return static_cast<int>(mGroup.size()); }
    int GroupOf(int parameter) const { return mGroup[parameter]; }
    // The parameter of a move's level in group g.
    int Of(const MoveFeatures& move, int g) const {
        if (g != Pattern) return mFirst[g] + move[g];
        const auto found = mPattern.find(move[Pattern]);
        return found == mPattern.end() ? mRare : found->second;
    }
    Weights ToWeights(const std::vector<double>& gamma) const {
        Weights weights;
        for (const auto& [code, parameter] : mPattern)
            weights.levels[Pattern][code] = gamma[parameter];
        weights.rarePattern = gamma[mRare];
        for (int p = 0; p < Count(); ++p) {
            if (mGroup[p] != Pattern) weights.levels[mGroup[p]][mLevel[p]] = gamma[p];
        }
        return weights;
    }

  private:
    int Add(int group, std::uint16_t level) {
        mGroup.push_back(group);
        mLevel.push_back(level);
        return Count() - 1;
    }

    std::map<std::uint16_t, int> mPattern;        // by canonical code
    int mRare = 0;                                // the patterns without their own
    std::array<int, FeatureGroupCount> mFirst{};  // each other group's level 0
    std::vector<int> mGroup;                      // by parameter
    std::vector<std::uint16_t> mLevel;            // by parameter
};

// The float literal that reads back as value.
std::string FloatLiteral(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(static_cast<float>(value)));
    std::string literal = text;
    if (literal.find_first_of(".e") == std::string::npos) literal += ".0";
    return literal + "f";
}

}  // namespace

std::vector<Example> ExamplesOf(const std::vector<match::CsvGame>& games,
                                const std::vector<std::string>& players) {
    const std::set<std::string> learned(players.begin(), players.end());
    std::vector<Example> examples;
    for (int i = 0; i < static_cast<int>(games.size()); ++i) {
        std::vector<Example> more = ExamplesOfGame(games[i], i, learned);
        std::move(more.begin(), more.end(), std::back_inserter(examples));
    }
    return examples;
}

double Weights::Of(const MoveFeatures& move) const {
    const auto pattern = levels[Pattern].find(move[Pattern]);
    double weight = pattern == levels[Pattern].end() ? rarePattern : pattern->second;
    for (int g = Pattern + 1; g < FeatureGroupCount; ++g) {
        const auto level = levels[g].find(move[g]);
        if (level != levels[g].end()) weight *= level->second;
    }
    return weight;
}

// Each sweep updates one group at a time: a level's weight becomes its wins
// over the sum, across the positions, of its moves' weights without it
// divided by all the moves' weights (Hunter's minorization-maximization for
// the generalized Bradley-Terry model, as Coulom applied it to moves).
Weights Fit(const std::vector<Example>& examples, const FitOptions& options) {
    const Parameters parameters(examples, options.patternMinimum);
    std::vector<double> gamma(parameters.Count(), 1.0);
    // Every move's parameter in each group, example after example.
    std::vector<int> moveParameters;
    std::vector<double> wins(parameters.Count(), 0.0);
    for (const Example& example : examples) {
        for (int m = 0; m < static_cast<int>(example.moves.size()); ++m) {
            for (int g = 0; g < FeatureGroupCount; ++g) {
                const int p = parameters.Of(example.moves[m], g);
                moveParameters.push_back(p);
                if (m == example.chosen) wins[p] += 1.0;
            }
        }
    }
    std::vector<double> strength;
    std::vector<double> sums(parameters.Count());
    for (int sweep = 0; sweep < options.sweeps; ++sweep) {
        for (int g = 0; g < FeatureGroupCount; ++g) {
            std::fill(sums.begin(), sums.end(), 0.0);
            std::size_t at = 0;
            for (const Example& example : examples) {
                strength.assign(example.moves.size(), 1.0);
                double total = 0.0;
                for (std::size_t m = 0; m < example.moves.size(); ++m) {
                    for (int h = 0; h < FeatureGroupCount; ++h)
                        strength[m] *= gamma[moveParameters[at + m * FeatureGroupCount + h]];
                    total += strength[m];
                }
                for (std::size_t m = 0; m < example.moves.size(); ++m) {
                    const int p = moveParameters[at + m * FeatureGroupCount + g];
                    sums[p] += strength[m] / gamma[p] / total;
                }
                at += example.moves.size() * FeatureGroupCount;
            }
            for (int p = 0; p < parameters.Count(); ++p) {
                if (parameters.GroupOf(p) != g || (sums[p] == 0.0 && options.priorGames == 0.0))
                    continue;
                const double prior = options.priorGames;
                gamma[p] = (wins[p] + prior) / (sums[p] + 2.0 * prior / (gamma[p] + 1.0));
            }
        }
    }
    return parameters.ToWeights(gamma);
}

PredictionRates Predict(const Weights& weights, const std::vector<Example>& examples) {
    PredictionRates rates;
    int first = 0;
    int topFive = 0;
    for (const Example& example : examples) {
        const double chosen = weights.Of(example.moves[example.chosen]);
        int rank = 1;
        for (int m = 0; m < static_cast<int>(example.moves.size()); ++m) {
            const double weight = weights.Of(example.moves[m]);
            if (weight > chosen || (weight == chosen && m < example.chosen)) ++rank;
        }
        first += rank == 1;
        topFive += rank <= 5;
    }
    rates.examples = static_cast<int>(examples.size());
    if (rates.examples > 0) {
        rates.first = static_cast<double>(first) / rates.examples;
        rates.topFive = static_cast<double>(topFive) / rates.examples;
    }
    return rates;
}

void WriteTable(const Weights& weights, const std::string& provenance, std::ostream& out) {
    out << "// Generated by nanaren-train-priors: do not edit.\n";
    std::size_t from = 0;
    while (from < provenance.size()) {
        const std::size_t end = provenance.find('\n', from);
        out << "// " << provenance.substr(from, end - from) << '\n';
        if (end == std::string::npos) break;
        from = end + 1;
    }
    out << "\n#include \"players/move_prior_table.h\"\n\nnamespace nanaren {\n\nnamespace {\n\n";
    out << "constexpr PatternWeight Patterns[] = {\n";
    for (const auto& [code, weight] : weights.levels[Pattern])
        out << "    {" << code << ", " << FloatLiteral(weight) << "},\n";
    if (weights.levels[Pattern].empty())
        out << "    {0, " << FloatLiteral(weights.rarePattern) << "},\n";
    out << "};\n\n}  // namespace\n\nconst LearnedPriorTable LearnedPriors = {\n"
        << "    Patterns,\n    static_cast<int>(std::size(Patterns)),\n    "
        << FloatLiteral(weights.rarePattern) << ",\n    {{\n";
    for (int g = 0; g < FeatureGroupCount; ++g) {
        out << "        {";
        for (int level = 0; level < MaxGroupLevels; ++level) {
            const auto found = weights.levels[g].find(static_cast<std::uint16_t>(level));
            const double weight =
                g == Pattern || found == weights.levels[g].end() ? 1.0 : found->second;
            out << (level == 0 ? "" : ", ") << FloatLiteral(weight);
        }
        out << "},\n";
    }
    out << "    }}};\n\n}  // namespace nanaren\n";
}

}  // namespace nanaren::priors
