#include "play/self_play.h"

#include "core/check.h"

namespace nanaren {

SelfPlay::SelfPlay(std::array<std::unique_ptr<Player>, 2> players, std::time_t clock,
                   const std::vector<Vertex>& opening)
    : mPlayers(std::move(players)) {
    mRandom.Seed(clock);
    mRandom.Seed(clock);
    for (const Vertex v : opening) {
        NANAREN_ASSERT(IsPlayingPoint(v));
        const MoveOutcome outcome = mPosition.Play(v);
        NANAREN_ASSERT(outcome.kind == MoveOutcome::Kind::Played);
    }
}

bool SelfPlay::IsOver() const {
    return mPosition.IsOver() || mPassesInARow == 2 ||
           static_cast<int>(mPosition.Moves().size()) >= MaxMoves;
}

Vertex SelfPlay::PlayMove(SearchObserver& observer) {
    NANAREN_ASSERT(!IsOver());
    const int mover = mPosition.ToMove();
    Player& player = *mPlayers[ColorIndex(mover)];
    const Vertex move = player.Think(mPosition, mover, mRandom, observer).move;
    const MoveOutcome outcome = mPosition.Play(move);
    NANAREN_ASSERT(outcome.Stands());
    mPassesInARow = move == Pass ? mPassesInARow + 1 : 0;
    mPasses += move == Pass ? 1 : 0;
    return move;
}

}  // namespace nanaren
