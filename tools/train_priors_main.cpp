// nanaren-train-priors: fits the learned move priors to the moves of chosen
// players in the match tool's game files and writes them as a source table.

#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/parse.h"
#include "match_csv.h"
#include "priors_trainer.h"

namespace {

using nanaren::priors::Example;

constexpr char Usage[] =
    "usage: nanaren-train-priors --players P1,P2,... --out FILE [--holdout K] [--sweeps N]\n"
    "                            [--pattern-minimum M] [--prior G] GAMES.csv...\n"
    "  Fits the weights of the move features to the moves the named players chose in\n"
    "  the games (files of nanaren-match), every K-th game (default 10) held out, and\n"
    "  writes them to FILE as move_prior_table.cpp. Prints the share of held-out moves\n"
    "  whose chosen move ranks first and among the first five. N sweeps of the fit\n"
    "  (default 40); a pattern met M times (default 10) among the moves has its own\n"
    "  weight; each weight starts with G virtual wins and losses (default 1).\n";

struct Options {
    std::vector<std::string> players;  // whose moves are learned
    std::string out;                   // the table's file
    int holdout = 10;                  // every holdout-th game is held out
    nanaren::priors::FitOptions fit;   // the fit's settings
    std::vector<std::string> files;    // the games
    std::string command;               // as given, for the table's comment
};

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    return parts;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    options.command = "nanaren-train-priors";
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        options.command += ' ' + name;
        if (name.rfind("--", 0) != 0) {
            options.files.push_back(name);
            continue;
        }
        if (i + 1 >= argc) return std::nullopt;
        const std::string value = argv[++i];
        options.command += ' ' + value;
        const auto number = nanaren::ParseInteger<int>(value);
        if (name == "--players") {
            options.players = SplitCommas(value);
        } else if (name == "--out") {
            options.out = value;
        } else if (name == "--holdout" && number && *number >= 2) {
            options.holdout = *number;
        } else if (name == "--sweeps" && number && *number >= 1) {
            options.fit.sweeps = *number;
        } else if (name == "--pattern-minimum" && number && *number >= 1) {
            options.fit.patternMinimum = *number;
        } else if (name == "--prior" && number && *number >= 0) {
            options.fit.priorGames = *number;
        } else {
            return std::nullopt;
        }
    }
    if (options.players.empty() || options.out.empty() || options.files.empty())
        return std::nullopt;
    return options;
}

std::optional<std::vector<nanaren::match::CsvGame>> ReadGames(
    const std::vector<std::string>& files) {
    std::vector<nanaren::match::CsvGame> games;
    for (const std::string& file : files) {
        std::ifstream in(file);
        std::optional<nanaren::match::CsvError> error;
        std::vector<nanaren::match::CsvGame> read = nanaren::match::ReadCsv(in, error);
        if (!in.eof() || error) {
            std::cerr << "nanaren-train-priors: " << file << ": "
                      << (error ? "line " + std::to_string(error->line) + ": " + error->reason
                                : std::string("cannot read"))
                      << '\n';
            return std::nullopt;
        }
        games.insert(games.end(), read.begin(), read.end());
    }
    return games;
}

std::string Percent(double share) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << 100.0 * share << '%';
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    const auto games = ReadGames(options->files);
    if (!games) return 1;
    const std::vector<Example> examples = nanaren::priors::ExamplesOf(*games, options->players);
    std::vector<Example> training;
    std::vector<Example> heldOut;
    for (const Example& example : examples)
        (example.game % options->holdout == options->holdout - 1 ? heldOut : training)
            .push_back(example);
    const nanaren::priors::Weights weights = nanaren::priors::Fit(training, options->fit);
    const auto trained = nanaren::priors::Predict(weights, training);
    const auto held = nanaren::priors::Predict(weights, heldOut);
    std::ostringstream report;
    report << games->size() << " games, " << training.size() << " moves fitted, " << heldOut.size()
           << " held out\n"
           << "fitted moves:   first " << Percent(trained.first) << ", top five "
           << Percent(trained.topFive) << '\n'
           << "held-out moves: first " << Percent(held.first) << ", top five "
           << Percent(held.topFive) << '\n';
    std::cout << report.str();
    std::ofstream out(options->out);
    nanaren::priors::WriteTable(weights, options->command + '\n' + report.str(), out);
    out.close();
    if (!out) {
        std::cerr << "nanaren-train-priors: cannot write " << options->out << '\n';
        return 1;
    }
    return 0;
}
