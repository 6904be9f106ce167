#include "players/exact_player.h"

#include "game/position.h"

namespace nanaren {

ExactPlayer::ExactPlayer(const ExactSettings& settings)
    : mSettings(settings), mSearch(mWorkspace) {}

SearchResult ExactPlayer::Think(const Position& position, int color, Random& random,
                                SearchObserver& observer) {
    mWorkspace.Begin(position.GetBoard(), color, random);
    const SearchResult result = RunSearch(mWorkspace, mSearch, mSettings.playouts, observer);
    random = mWorkspace.Policy().GetRandom();
    return result;
}

}  // namespace nanaren
