#include "coach/analysis.h"

namespace nanaren {

namespace {

// Forced wins as deep as the strongest level reads them.
constexpr int FactsDepth = 6;

}  // namespace

StrongSettings AnalysisSettings(int level) {
    StrongSettings settings = LevelSettings(level);
    settings.blunderPercent = 0;
    return settings;
}

Analyst::Analyst(const StrongSettings& settings) : mPlayer(settings), mThreats(FactsDepth) {}

TacticalFacts Analyst::Facts(const Position& position) {
    return FindTacticalFacts(position.GetBoard(), position.ToMove(), mThreats);
}

PositionAnalysis Analyst::Analyse(const Position& position, Random& random,
                                  SearchObserver& observer) {
    PositionAnalysis analysis;
    analysis.facts = Facts(position);
    const int toMove = position.ToMove();
    if (position.IsOver()) {
        analysis.winRate = position.Winner() == toMove ? 1.0 : 0.0;
        return analysis;
    }
    const SearchResult result = mPlayer.Think(position, toMove, random, observer);
    analysis.best = result.move;
    analysis.candidates = mPlayer.Candidates(LineLength);
    const TacticalFacts& facts = analysis.facts;
    if (facts.WinsInOne(toMove) || facts.HasForcedWin(toMove)) {
        // Exact: the win, and the line to it, whatever the search chose.
        const std::vector<Vertex> line =
            facts.WinsInOne(toMove)
                ? std::vector<Vertex>{facts.winsInOne[ColorIndex(toMove)].First()}
                : facts.forcedWin[ColorIndex(toMove)];
        analysis.best = line.front();
        analysis.winRate = 1.0;
        if (analysis.candidates.empty())
            analysis.candidates.push_back({line.front(), 0, 1.0, 1.0, line});
    } else if (facts.lost) {
        analysis.winRate = 0.0;
    } else if (!analysis.candidates.empty()) {
        analysis.winRate = analysis.candidates.front().winRate;
    } else if (result.estimate) {
        analysis.winRate = result.estimate->winningRate / 100.0;
    }
    return analysis;
}

}  // namespace nanaren
