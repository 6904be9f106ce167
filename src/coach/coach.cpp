#include "coach/coach.h"

namespace nanaren {

Coach::Hint Coach::Suggest(const Position& position, SearchObserver& observer) {
    Random random;
    const PositionAnalysis analysis = mAnalyst.Analyse(position, random, observer);
    Hint hint;
    hint.move = analysis.best;
    hint.winRate = analysis.winRate;
    hint.reason =
        ExplainMove(position.GetBoard(), position.ToMove(), analysis.best, mAnalyst.Threats());
    for (const Candidate& candidate : analysis.candidates) {
        if (candidate.move == hint.move) hint.line = candidate.line;
    }
    return hint;
}

Coach::Warning Coach::CheckLast(const Position& position) {
    Warning warning;
    warning.kind = CertainClassOfLastMove(position, mAnalyst.Threats(), warning.threat);
    return warning;
}

}  // namespace nanaren
