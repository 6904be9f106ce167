#include "coach/review.h"

#include <algorithm>
#include <cmath>

#include "coach/explain.h"
#include "core/check.h"

namespace nanaren {

namespace {

// The estimated class of a drop in the mover's chances.
MoveClass ClassOfDrop(double drop) {
    if (drop >= BlunderDrop) return MoveClass::Blunder;
    if (drop >= MistakeDrop) return MoveClass::Mistake;
    if (drop >= InaccuracyDrop) return MoveClass::Inaccuracy;
    return MoveClass::None;
}

std::vector<Vertex> WinOf(const TacticalFacts& facts, int color) {
    if (facts.WinsInOne(color)) return {facts.winsInOne[ColorIndex(color)].First()};
    return facts.forcedWin[ColorIndex(color)];
}

}  // namespace

const char* MoveClassName(MoveClass kind) {
    switch (kind) {
        case MoveClass::Inaccuracy:
            return "inaccuracy";
        case MoveClass::Mistake:
            return "mistake";
        case MoveClass::Blunder:
            return "blunder";
        case MoveClass::MissedWin:
            return "missed-win";
        case MoveClass::MissedForcedWin:
            return "missed-forced-win";
        case MoveClass::AllowedWin:
            return "allowed-win";
        case MoveClass::AllowedForcedWin:
            return "allowed-forced-win";
        default:
            return "";
    }
}

double MoveAccuracy(double drop) {
    const double points = 100.0 * std::max(0.0, drop);
    return std::clamp(103.1668 * std::exp(-0.04354 * points) - 3.1669, 0.0, 100.0);
}

MoveClass CertainClass(const Board& before, const TacticalFacts& was, const TacticalFacts& is,
                       int mover, Vertex move, bool won, ThreatSearch& threats,
                       std::vector<Vertex>& threat) {
    const int other = Opposite(mover);
    if (won || move == Resign) return MoveClass::None;
    // A win let go, unless the other side is still lost whatever it plays.
    if (was.WinsInOne(mover) && !is.lost) {
        threat = WinOf(was, mover);
        return MoveClass::MissedWin;
    }
    if (was.HasForcedWin(mover) && !is.lost &&
        threats.ForcedWinLineFrom(before, mover, move).empty()) {
        threat = WinOf(was, mover);
        return MoveClass::MissedForcedWin;
    }
    if (!was.lost && is.WinsInOne(other)) {
        threat = WinOf(is, other);
        return MoveClass::AllowedWin;
    }
    if (!was.lost && is.HasForcedWin(other)) {
        threat = WinOf(is, other);
        return MoveClass::AllowedForcedWin;
    }
    return MoveClass::None;
}

MoveClass CertainClassOfLastMove(const Position& position, ThreatSearch& threats,
                                 std::vector<Vertex>& threat) {
    const std::vector<Vertex>& moves = position.Moves();
    if (moves.empty()) return MoveClass::None;
    Position before;
    PlayAllButLast(position, before);
    const int mover = before.ToMove();
    const TacticalFacts was = FindTacticalFacts(before.GetBoard(), mover, threats);
    const TacticalFacts is = FindTacticalFacts(position.GetBoard(), position.ToMove(), threats);
    const bool won = position.IsOver() && position.Winner() == mover;
    return CertainClass(before.GetBoard(), was, is, mover, moves.back(), won, threats, threat);
}

Reviewer::Reviewer(const std::vector<Vertex>& moves, const StrongSettings& settings)
    : mMoves(moves), mAnalyst(std::make_unique<Analyst>(settings)) {}

void Reviewer::Step() {
    NANAREN_ASSERT(!Finished());
    if (Done() > 0) {
        const MoveOutcome outcome = mPosition.Play(mMoves[Done() - 1]);
        NANAREN_ASSERT(outcome.Stands());
    }
    SearchObserver quiet;
    mAnalyses.push_back(mAnalyst->Analyse(mPosition, mRandom, quiet));
}

GameReview Reviewer::Result() {
    NANAREN_ASSERT(Finished());
    GameReview review;
    Position before;
    for (std::size_t i = 0; i < mMoves.size(); ++i) {
        const PositionAnalysis& was = mAnalyses[i];
        const PositionAnalysis& is = mAnalyses[i + 1];
        MoveReview move;
        move.move = mMoves[i];
        move.mover = before.ToMove();
        move.winBefore = was.winRate;
        move.winAfter = 1.0 - is.winRate;
        move.best = was.best;
        move.bestWinRate = was.winRate;
        if (!was.candidates.empty()) move.bestLine = was.candidates.front().line;
        Board board;
        board.CopyPosition(before.GetBoard());
        before.Play(mMoves[i]);
        const bool won = before.IsOver() && before.Winner() == move.mover;
        move.kind = CertainClass(board, was.facts, is.facts, move.mover, move.move, won,
                                 mAnalyst->Threats(), move.threat);
        if (move.kind == MoveClass::None && move.move != Resign) {
            move.kind = ClassOfDrop(move.winBefore - move.winAfter);
        }
        ++review.sides[ColorIndex(move.mover)].counts[static_cast<int>(move.kind)];
        review.moves.push_back(std::move(move));
    }
    for (int colour = 0; colour < 2; ++colour) {
        double total = 0.0;
        int count = 0;
        for (const MoveReview& move : review.moves) {
            if (ColorIndex(move.mover) != colour || move.move == Resign) continue;
            total += MoveAccuracy(move.winBefore - move.winAfter);
            ++count;
        }
        if (count > 0) review.sides[colour].accuracy = total / count;
    }
    return review;
}

GameReview ReviewGame(const std::vector<Vertex>& moves, const StrongSettings& settings) {
    Reviewer reviewer(moves, settings);
    while (!reviewer.Finished())
        reviewer.Step();
    return reviewer.Result();
}

}  // namespace nanaren
