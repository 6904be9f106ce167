#pragma once

#include <cstdint>

#include "players/player.h"
#include "search/tree.h"

namespace nanaren {

// What the tree searches share: their progress reports and their result.

// A search reports its progress twenty times.
inline constexpr std::int64_t ProgressSteps = 20;

// Runs iterate playouts + 1 times (none when playouts is negative),
// reporting the share done before every twentieth run, or once at the start
// when there are fewer than twenty. Counts are 64-bit so that the largest
// settings neither overflow the loop nor the percentage.
template <typename F>
void RunWithProgress(std::int64_t playouts, SearchObserver& observer, F&& iterate) {
    const std::int64_t interval = playouts / ProgressSteps;
    for (std::int64_t i = 0; i <= playouts; ++i) {
        const bool report = interval == 0 ? i == 0 : i % interval == 0;
        if (report) observer.Progress(playouts == 0 ? 0 : 100 * i / playouts);
        iterate();
    }
}

// The root's most visited child as the search's move, with its value in
// percent and its own most visited child as the reply expected; a pass when
// the root has no child.
inline SearchResult ResultAtRoot(const Tree& tree, std::int32_t root) {
    const std::int32_t best = tree.BestChild(root);
    if (best == NoNode) return {};
    const Node& chosen = tree.At(best);
    const SearchEstimate estimate = {
        static_cast<int>(static_cast<double>(chosen.value) * 100.0),
        tree.IsLeaf(best) ? NoVertex : tree.At(tree.BestChild(best)).move};
    return {chosen.move, estimate};
}

}  // namespace nanaren
