#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/check.h"
#include "core/random.h"
#include "search/playout_policy.h"
#include "search/search_report.h"
#include "search/tree.h"

namespace nanaren {

// The tree search both computer players run. The driver copies the position,
// grows the root, iterates with progress and takes the move at the root; each
// player supplies its own expansion, selection and backup.

// What a tree search works on: its tree, over a store allocated once, the
// working board with its playouts, and the position searched.
class SearchWorkspace {
  public:
    SearchWorkspace() : mTree(std::make_unique<Tree>()) {}

    Tree& GetTree() { return *mTree; }
    const Tree& GetTree() const { return *mTree; }
    PlayoutPolicy& Policy() { return mPolicy; }
    const PlayoutPolicy& Policy() const { return mPolicy; }
    const Board& WorkingBoard() const { return mPolicy.GetBoard(); }
    const Board& Start() const { return mStart; }

    // Sets up a search of the position for color, whose playouts draw from
    // random: a fresh tree with its root, and the working board on the
    // position, with the last recordKept entries of its record.
    void Begin(const Board& position, int color, const Random& random,
               int recordKept = MaxRecordSize);
    // Puts the working board back on the position, after an iteration.
    void RestoreStart() { mPolicy.SetPosition(mStart); }

  private:
    std::unique_ptr<Tree> mTree;  // the search tree, reset for every move
    PlayoutPolicy mPolicy;        // the working board and the playouts
    Board mStart;                 // the position searched
};

// A search reports its progress twenty times.
inline constexpr std::int64_t ProgressSteps = 20;

// Runs iterate playouts + 1 times (none when playouts is negative),
// reporting the share done before every twentieth run, or once at the start
// when there are fewer than twenty. Counts are 64-bit so that the largest
// settings neither overflow the loop nor the percentage.
template <typename F>
void RunWithProgress(std::int64_t playouts, SearchObserver& observer, F&& iterate) {
    const std::int64_t interval = playouts / ProgressSteps;
    for (std::int64_t i = 0; i <= playouts && !observer.ShouldStop(); ++i) {
        const bool report = interval == 0 ? i == 0 : i % interval == 0;
        if (report) observer.Progress(playouts == 0 ? 0 : 100 * i / playouts);
        iterate();
    }
}

// One iteration from the root: at each step the player's choice of child,
// whose move is played on the working board, down to a leaf, which may grow
// children and is otherwise played out; the result then goes back up the
// path. Search supplies:
//   bool ShouldExpand(std::int32_t leaf)       whether the leaf grows children now
//   void Expand(std::int32_t node, int color)  the node's children, color to move
//   std::int32_t Select(std::int32_t node)     a child, pushed on the path
//   void Backup(float result, int recordAfterPath)
// Results are 1.0 when the colour searched for won; recordAfterPath is the
// working board's record size where the descent ended and a playout began.
template <typename Search>
void Iterate(SearchWorkspace& workspace, Search& search) {
    Tree& tree = workspace.GetTree();
    PlayoutPolicy& policy = workspace.Policy();
    const int me = policy.MyColor();
    std::int32_t node = tree.BeginPath();
    policy.ClearThreats();
    int color = me;
    for (;;) {
        if (tree.IsLeaf(node)) {
            if (search.ShouldExpand(node) && tree.HasRoomToExpand(policy.GetBoard().EmptyCount())) {
                search.Expand(node, color);
            }
            // Without a child (none was legal, or no room) the leaf is played out.
            if (tree.IsLeaf(node)) break;
        }
        node = search.Select(node);
        const Board::PutResult ret = policy.PlayDescentMove(tree.At(node).move, color);
        NANAREN_ASSERT(ret != Board::Failure);
        if (ret == Board::Win) {
            search.Backup(color == me ? 1.0f : 0.0f, policy.GetBoard().RecordSize());
            return;
        }
        color = Opposite(color);
    }
    const int recordAfterPath = policy.GetBoard().RecordSize();
    search.Backup(policy.Playout(color), recordAfterPath);
}

// The root's most visited child as the search's move, with its value in
// percent and its own most visited child as the reply expected; a pass when
// the root has no child.
SearchResult ResultAtRoot(const Tree& tree);

// The most lanes a search may be split into.
inline constexpr int MaxLanes = 64;

// ResultAtRoot over the trees of several lanes that searched one position,
// whose roots grew the same children in the same order: each child's visits
// are summed and its value is their visit-weighted mean, lane after lane;
// the reply expected is the best child's child with the most visits summed
// over the lanes, the first met among equals. One tree gives ResultAtRoot.
SearchResult ResultAtRoots(std::span<const Tree* const> trees);

// The root's children over the lanes' trees, merged as ResultAtRoots does,
// the most visited first (in list order among equals), each with its line of
// most visited replies up to lineLength moves, followed in the lane where the
// child has the most visits (the first among equals), and the prior that
// priorOf gives its move.
template <typename PriorOf>
std::vector<Candidate> CandidatesAtRoots(std::span<const Tree* const> trees, int lineLength,
                                         PriorOf&& priorOf) {
    std::vector<Candidate> candidates;
    const Tree& first = *trees.front();
    if (first.Root() == NoNode) return candidates;
    std::array<std::int32_t, MaxLanes> child;
    for (std::size_t k = 0; k < trees.size(); ++k)
        child[k] = trees[k]->At(trees[k]->Root()).firstChild;
    while (child[0] != NoNode) {
        const Vertex move = first.At(child[0]).move;
        double visits = 0.0;
        double weighted = 0.0;
        std::size_t most = 0;
        for (std::size_t k = 0; k < trees.size(); ++k) {
            const Node& node = trees[k]->At(child[k]);
            NANAREN_ASSERT(node.move == move);
            visits += node.visits;
            weighted += static_cast<double>(node.visits) * static_cast<double>(node.value);
            if (node.visits > trees[most]->At(child[most]).visits) most = k;
        }
        Candidate candidate{move,
                            static_cast<int>(visits),
                            visits > 0.0 ? static_cast<float>(weighted / visits) : 0.0f,
                            priorOf(move),
                            {}};
        const Tree& tree = *trees[most];
        for (std::int32_t n = child[most];
             n != NoNode && static_cast<int>(candidate.line.size()) < lineLength;
             n = tree.BestChild(n)) {
            candidate.line.push_back(tree.At(n).move);
        }
        candidates.push_back(std::move(candidate));
        for (std::size_t k = 0; k < trees.size(); ++k)
            child[k] = trees[k]->At(child[k]).nextSibling;
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.visits > b.visits; });
    return candidates;
}

// The root's children, the most visited first (in list order among equals),
// each with its line of most visited replies up to lineLength moves and the
// prior that priorOf gives its move.
template <typename PriorOf>
std::vector<Candidate> CandidatesAtRoot(const Tree& tree, int lineLength, PriorOf&& priorOf) {
    const Tree* const trees[] = {&tree};
    return CandidatesAtRoots(trees, lineLength, priorOf);
}

// A whole search after Begin: the root's children, playouts + 1 iterations
// with their progress, and the result at the root.
template <typename Search>
SearchResult RunSearch(SearchWorkspace& workspace, Search& search, std::int64_t playouts,
                       SearchObserver& observer) {
    Tree& tree = workspace.GetTree();
    search.Expand(tree.Root(), workspace.Policy().MyColor());
    observer.Started();
    if (!tree.IsLeaf(tree.Root())) {
        RunWithProgress(playouts, observer, [&] {
            Iterate(workspace, search);
            workspace.RestoreStart();
        });
    }
    const SearchResult result = ResultAtRoot(tree);
    observer.Finished(result.estimate);
    return result;
}

}  // namespace nanaren
