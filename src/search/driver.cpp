#include "search/driver.h"

#include "core/point_set.h"

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

namespace {

// The child of the lanes' nodes (one per tree) with the most visits summed
// over the trees, the first met among equals: NoVertex when none has one.
Vertex MostVisitedReply(std::span<const Tree* const> trees,
                        const std::array<std::int32_t, MaxLanes>& nodes) {
    std::array<double, MaxVertexSize> visits{};  // by move
    std::array<Vertex, MaxVertexSize> met;       // the moves in the order first met
    PointSet seen;
    int count = 0;
    for (std::size_t k = 0; k < trees.size(); ++k) {
        const Tree& tree = *trees[k];
        for (std::int32_t c = tree.At(nodes[k]).firstChild; c != NoNode;
             c = tree.At(c).nextSibling) {
            const Node& child = tree.At(c);
            if (!seen.Contains(child.move)) met[count++] = child.move;
            seen.Add(child.move);
            visits[child.move] += child.visits;
        }
    }
    Vertex reply = NoVertex;
    double most = -1.0;
    for (int i = 0; i < count; ++i) {
        if (visits[met[i]] > most) {
            most = visits[met[i]];
            reply = met[i];
        }
    }
    return reply;
}

}  // namespace

SearchResult ResultAtRoots(std::span<const Tree* const> trees) {
    NANAREN_ASSERT(!trees.empty() && trees.size() <= MaxLanes);
    std::array<std::int32_t, MaxLanes> child;  // each tree's child of the same move
    std::array<std::int32_t, MaxLanes> best;   // each tree's child of the best move so far
    for (std::size_t k = 0; k < trees.size(); ++k)
        child[k] = trees[k]->At(trees[k]->Root()).firstChild;
    if (child[0] == NoNode) return {};
    double bestVisits = -1.0;
    float bestValue = 0.0f;
    while (child[0] != NoNode) {
        double visits = 0.0;
        double weighted = 0.0;
        for (std::size_t k = 0; k < trees.size(); ++k) {
            const Node& node = trees[k]->At(child[k]);
            NANAREN_ASSERT(node.move == trees[0]->At(child[0]).move);
            visits += node.visits;
            weighted += static_cast<double>(node.visits) * static_cast<double>(node.value);
        }
        if (visits > bestVisits) {
            bestVisits = visits;
            bestValue = visits > 0.0 ? static_cast<float>(weighted / visits) : 0.0f;
            best = child;
        }
        for (std::size_t k = 0; k < trees.size(); ++k)
            child[k] = trees[k]->At(child[k]).nextSibling;
    }
    const SearchEstimate estimate = {static_cast<int>(static_cast<double>(bestValue) * 100.0),
                                     MostVisitedReply(trees, best)};
    return {trees[0]->At(best[0]).move, estimate};
}

}  // namespace nanaren
