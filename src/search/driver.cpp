#include "search/driver.h"

namespace nanaren {

void SearchWorkspace::Begin(const Board& position, int color, const Random& random,
                            int recordKept) {
    mStart.CopyPosition(position);
    mStart.KeepRecentRecord(recordKept);
    mPolicy.SetPosition(mStart);
    mPolicy.SetMyColor(color);
    mPolicy.SetRandom(random);
    mTree->Reset();
    mTree->BeginPath();
}

SearchResult ResultAtRoot(const Tree& tree) {
    const std::int32_t best = tree.BestChild(tree.Root());
    if (best == NoNode) return {};
    const Node& chosen = tree.At(best);
    const SearchEstimate estimate = {
        static_cast<int>(static_cast<double>(chosen.value) * 100.0),
        tree.IsLeaf(best) ? NoVertex : tree.At(tree.BestChild(best)).move};
    return {chosen.move, estimate};
}

}  // namespace nanaren
