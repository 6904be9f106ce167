#include "players/strong_search.h"

#include <algorithm>
#include <cmath>

#include "players/threats.h"

namespace nanaren {

bool StrongSearch::ShouldExpand(std::int32_t leaf) const {
    return mWorkspace.GetTree().At(leaf).visits >= VisitsToExpand();
}

// A leaf grows children once it has this many visits. Once half the store is
// used, each further eighth doubles it, so that a long search keeps room for
// the leaves it visits most instead of running out of nodes half-way.
float StrongSearch::VisitsToExpand() const {
    const int eighthsUsed = (MaxNode - mWorkspace.GetTree().FreeCount()) / (MaxNode / 8);
    return mSettings.expandAt * static_cast<float>(1 << std::max(0, eighthsUsed - 3));
}

// The children of a node for color, the side to move there. At the root, the
// moves the plan allows, when it names any. Elsewhere color's winning move
// alone; else every legal point next to a stone (every legal point, at the
// root), the moves of lines with five of either side's stones and the
// captures of either side with a few virtual wins.
void StrongSearch::Expand(std::int32_t node, int color) {
    Tree& tree = mWorkspace.GetTree();
    const Board& board = mWorkspace.WorkingBoard();
    std::int32_t last = NoNode;
    const auto add = [&](Vertex v, float value) {
        last = tree.AppendChild(node, last, v);
        Node& child = tree.At(last);
        child.visits = 1.0f;
        child.value = value;
    };
    const bool isRoot = node == tree.Root();
    const bool planned = isRoot && !mRootMoves.IsEmpty();
    const int opponent = Opposite(color);
    if (!planned) {
        const PointSet wins = WinningPoints(board, color);
        if (!wins.IsEmpty()) {
            add(wins.First(), 1.0f);
            return;
        }
    }
    PointSet urgent;
    if (mSettings.threatPrior > 0) {
        urgent = ThreatCandidates(board, color);
        urgent.AddAll(ThreatCandidates(board, opponent));
    }
    const float prior = static_cast<float>(mSettings.threatPrior);
    if (isRoot) {
        mRootUrgent = urgent;
        mRootWeight = 0.0f;
        mRootLearned = 0.0f;
    }
    const bool learned = mSettings.learnedPrior > 0 || mSettings.learnedAmafPrior > 0;
    std::array<std::int32_t, MaxVertexSize> children;
    std::array<float, MaxVertexSize> weights;
    int count = 0;
    float total = 0.0f;
    for (int i = 0; i < board.EmptyCount(); ++i) {
        const Vertex v = board.EmptyPoint(i);
        const bool candidate = planned ? mRootMoves.Contains(v) : isRoot || board.HasStoneAround(v);
        if (!candidate || board.TryPut(i, color) != Board::Success) continue;
        add(v, 0.5f);
        if (urgent.Contains(v)) {
            Node& child = tree.At(last);
            child.visits = 1.0f + prior;
            child.value = (0.5f + prior) / (1.0f + prior);
        }
        if (isRoot) mRootWeight += tree.At(last).visits;
        if (!learned) continue;
        const float weight = mPriors.WeightOf(board, v, color);
        children[count] = last;
        weights[count++] = weight;
        total += weight;
        if (isRoot) mRootWeights[v] = weight;
    }
    if (isRoot) mRootLearned = total;
    if (count > 0)
        AddLearnedPriors({children.data(), static_cast<std::size_t>(count)},
                         {weights.data(), static_cast<std::size_t>(count)}, total);
}

// Each child's learned weight w against the mean m of its siblings' is worth
// the share w / (w + m) of the virtual results it starts with: the chance
// that it would be chosen over an average sibling.
void StrongSearch::AddLearnedPriors(std::span<const std::int32_t> children,
                                    std::span<const float> weights, float total) {
    Tree& tree = mWorkspace.GetTree();
    const double mean = total / static_cast<double>(children.size());
    const double visits = mSettings.learnedPrior;
    const double amafVisits = mSettings.learnedAmafPrior;
    for (std::size_t i = 0; i < children.size(); ++i) {
        Node& child = tree.At(children[i]);
        const double share = weights[i] / (weights[i] + mean);
        const double n = child.visits;
        child.value = static_cast<float>((n * child.value + visits * share) / (n + visits));
        child.visits = static_cast<float>(n + visits);
        const double a = child.amafVisits;
        child.amafValue =
            static_cast<float>((a * child.amafValue + amafVisits * share) / (a + amafVisits));
        child.amafVisits = static_cast<float>(a + amafVisits);
    }
}

double StrongSearch::RootPrior(Vertex v) const {
    if (mRootLearned > 0.0f) return mRootWeights[v] / mRootLearned;
    if (mRootWeight <= 0.0f) return 1.0;
    const float weight = mRootUrgent.Contains(v) ? 1.0f + mSettings.threatPrior : 1.0f;
    return weight / mRootWeight;
}

// The child with the best blend of its own mean and its all-moves-as-first
// mean, each child weighing the latter by b = a / (n + a + 4 b0^2 n a) for
// its n results and a all-moves-as-first results, plus an exploration term.
std::int32_t StrongSearch::Select(std::int32_t idx) {
    Tree& tree = mWorkspace.GetTree();
    const Node& node = tree.At(idx);
    const double logN = mLogs.Of(node.visits);
    const double bias = 4.0 * mSettings.amafBias * mSettings.amafBias;
    const double exploration = mSettings.exploration;
    double best = -1.0;
    std::int32_t chosen = NoNode;
    for (std::int32_t c = node.firstChild; c != NoNode; c = tree.At(c).nextSibling) {
        const Node& child = tree.At(c);
        const double n = child.visits;
        const double a = child.amafVisits;
        const double beta = a / (n + a + bias * n * a);
        const double score =
            (1.0 - beta) * child.value + beta * child.amafValue + exploration * std::sqrt(logN / n);
        if (score > best) {
            best = score;
            chosen = c;
        }
    }
    tree.PushPath(chosen);
    return chosen;
}

// Backs up result, 1.0 when the colour searched for won, along the path;
// every node on it credits those of its children whose moves the same side
// played later in the iteration, on the path or in the playout.
void StrongSearch::Backup(float result, int recordAfterPath) {
    Tree& tree = mWorkspace.GetTree();
    const Board& board = mWorkspace.WorkingBoard();
    const int pathLength = tree.PathLength();
    // The moves after the root, in order; the root's side played the even ones.
    int count = 0;
    for (int i = 1; i < pathLength; ++i)
        mMoves[count++] = tree.At(tree.PathAt(i)).move;
    for (int k = recordAfterPath; k < board.RecordSize(); ++k)
        mMoves[count++] = board.RecordAt(k);

    const double x = result;
    for (int i = 0; i < pathLength; ++i) {
        Node& entry = tree.At(tree.PathAt(i));
        // The root's move was the opponent's; entry i's was made by the side
        // of move i - 1.
        AddResult(entry.visits, entry.value, i % 2 == 1 ? x : 1.0 - x);
    }
    std::array<PointSet, 2> later;  // the moves from k on, by the side of move k
    std::array<std::int32_t, MaxVertexSize> slots;
    for (int k = count - 1; k >= 0; --k) {
        later[k % 2].Add(mMoves[k]);
        if (k >= pathLength) continue;
        // Entry k's children are the moves of the side of move k.
        const double r = k % 2 == 0 ? x : 1.0 - x;
        const int children = tree.ChildSlots(tree.At(tree.PathAt(k)), slots);
        for (int i = 0; i < children; ++i) {
            Node& child = tree.At(slots[i]);
            if (later[k % 2].Contains(child.move)) AddResult(child.amafVisits, child.amafValue, r);
        }
    }
}

}  // namespace nanaren
