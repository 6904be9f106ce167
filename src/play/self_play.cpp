#include "play/self_play.h"

#include "core/check.h"

namespace nanaren {

SelfPlay::SelfPlay(std::array<std::unique_ptr<Player>, 2> players, std::time_t clock)
    : mPlayers(std::move(players)) {
    mRandom.Seed(clock);
    mRandom.Seed(clock);
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
