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

std::vector<Candidate> ExactPlayer::Candidates(int lineLength) const {
    const Tree& tree = mWorkspace.GetTree();
    int children = 0;
    for (std::int32_t c = tree.At(tree.Root()).firstChild; c != NoNode; c = tree.At(c).nextSibling)
        ++children;
    return CandidatesAtRoot(tree, lineLength, [&](Vertex) { return 1.0 / children; });
}

}  // namespace nanaren
