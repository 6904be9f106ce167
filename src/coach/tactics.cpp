#include "coach/tactics.h"

namespace nanaren {

namespace {

// Whether one of the answers leaves the other side neither a win in one nor
// a forced win.
bool AnyAnswerHolds(const Board& board, int toMove, const PointSet& answers,
                    ThreatSearch& threats) {
    const int other = Opposite(toMove);
    bool holds = false;
    Board after;
    answers.ForEach([&](Vertex v) {
        if (holds) return;
        after.CopyPosition(board);
        const Board::PutResult put = after.PutAt(v, toMove);
        holds =
            put == Board::Win || (put == Board::Success && WinningPoints(after, other).IsEmpty() &&
                                  threats.FindForcedWin(after, other) == NoVertex);
    });
    return holds;
}

}  // namespace

TacticalFacts FindTacticalFacts(const Board& board, int toMove, ThreatSearch& threats) {
    TacticalFacts facts;
    facts.toMove = toMove;
    const int other = Opposite(toMove);
    facts.winsInOne[ColorIndex(toMove)] = WinningPoints(board, toMove);
    facts.winsInOne[ColorIndex(other)] = WaitingWinningPoints(board, other);
    for (const int color : {toMove, other}) {
        if (!facts.WinsInOne(color))
            facts.forcedWin[ColorIndex(color)] = threats.ForcedWinLine(board, color);
    }
    // The side to move wins first; else the other side's win in one must be
    // stopped; else the side to move's own threats come first; else the
    // other side's threats must be stopped.
    if (facts.WinsInOne(toMove)) return facts;
    if (facts.WinsInOne(other)) {
        facts.threat = TacticalFacts::Threat::WinInOne;
        facts.answers = threats.Defences(board, other);
        facts.lost = !AnyAnswerHolds(board, toMove, facts.answers, threats);
    } else if (!facts.HasForcedWin(toMove) && facts.HasForcedWin(other)) {
        facts.threat = TacticalFacts::Threat::ForcedWin;
        facts.answers = threats.StoppingMoves(board, other);
        facts.lost = facts.answers.IsEmpty();
    }
    return facts;
}

}  // namespace nanaren
