#include "play/opening.h"

#include "core/check.h"
#include "core/random.h"
#include "game/position.h"
#include "players/threats.h"

namespace nanaren {

namespace {

// Whether either side could win with its next move.
bool HasWinInOne(const Position& position) {
    const Board& board = position.GetBoard();
    const int mover = position.ToMove();
    return !WinningPoints(board, mover).IsEmpty() ||
           !WaitingWinningPoints(board, Opposite(mover)).IsEmpty();
}

// One try: plies moves of the side to move, each drawn among its legal
// points that do not win; false when a side runs out of such points.
bool DrawMoves(Random& random, int plies, Position& position) {
    for (int ply = 0; ply < plies; ++ply) {
        const int mover = position.ToMove();
        const PointSet wins = WinningPoints(position.GetBoard(), mover);
        std::vector<Vertex> choices;
        for (int y = 1; y <= BoardSize; ++y) {
            for (int x = 1; x <= BoardSize; ++x) {
                const Vertex v = GetVertex(x, y);
                if (!wins.Contains(v) && position.ReasonRefused(mover, v) == Refusal::None)
                    choices.push_back(v);
            }
        }
        if (choices.empty()) return false;
        const MoveOutcome outcome = position.Play(choices[random.Below(choices.size())]);
        NANAREN_ASSERT(outcome.kind == MoveOutcome::Kind::Played);
    }
    return true;
}

}  // namespace

std::vector<Vertex> RandomOpening(std::time_t clock, int plies) {
    NANAREN_ASSERT(plies >= 0 && plies <= MaxOpeningPlies);
    Random random;
    random.Seed(clock);
    for (;;) {
        Position position;
        if (DrawMoves(random, plies, position) && !HasWinInOne(position)) return position.Moves();
    }
}

}  // namespace nanaren
