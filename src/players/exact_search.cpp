// The exact player's tree: expansion, selection by the blended bound, and
// the backup with its all-moves-as-first credits.

#include "players/exact_search.h"

#include <cmath>

#include "core/vector_clones.h"
#include "players/exact_bound.h"

namespace nanaren {

namespace {

// The upper bounds of n means over their counts, all under the logarithm
// logTotal. Once sqrt(2 share) alone reaches the cap, so does the variance
// estimate, whose other term is never negative: where that holds for every
// mean, as it does where counts are small, the estimates are not needed.
NANAREN_VECTOR_CLONES void UpperBounds(int n, float logTotal, const float* mean, const float* count,
                                       double* bound) {
    std::array<double, MaxVertexSize> share;
    for (int i = 0; i < n; ++i)
        share[i] = logTotal / static_cast<double>(count[i]);
    bool allCapped = true;
    for (int i = 0; i < n && allCapped; ++i)
        allCapped = 2.0 * share[i] >= VarianceCap * VarianceCap;
    if (allCapped) {
        for (int i = 0; i < n; ++i)
            bound[i] = mean[i] + std::sqrt(share[i] * VarianceCap);
    } else {
        for (int i = 0; i < n; ++i)
            bound[i] = UpperBoundOfShare(mean[i], share[i]);
    }
}

bool IsVertexMove(std::int16_t move) {
    return move >= 0 && move < MaxVertexSize;
}

// A leaf grows children on its third visit.
constexpr float ExpansionVisits = 3.0f;

}  // namespace

bool ExactSearch::ShouldExpand(std::int32_t leaf) const {
    return mWorkspace.GetTree().At(leaf).visits >= ExpansionVisits;
}

void ExactSearch::Expand(std::int32_t node, int color) {
    Tree& tree = mWorkspace.GetTree();
    const bool isRoot = node == tree.Root();
    const Board& board = mWorkspace.WorkingBoard();
    const int size = board.EmptyCount();
    std::int32_t last = NoNode;
    for (int i = 0; i < size; ++i) {
        const Vertex v = board.EmptyPoint(i);
        // Away from the root only points next to a stone are candidates.
        if (!isRoot && !board.HasStoneAround(v)) continue;
        // Trying the move in place changes nothing, as putting it and
        // restoring the position would.
        const Board::PutResult r = board.TryPut(i, color);
        if (r == Board::Failure) continue;
        if (r == Board::Win) {
            KeepOnlyChild(node, v);
            return;
        }
        last = tree.AppendChild(node, last, v);
        Node& child = tree.At(last);
        child.visits = 1.0f;
        child.value = static_cast<float>(1.0 - static_cast<double>(tree.At(node).value));
    }
}

// A winning move makes every other candidate pointless: the children made so
// far go back to the store and the winning move is the only child.
void ExactSearch::KeepOnlyChild(std::int32_t node, Vertex move) {
    Tree& tree = mWorkspace.GetTree();
    tree.FreeChain(tree.At(node).firstChild);  // fresh leaves, released in list order
    Node& child = tree.At(tree.AddChild(node, static_cast<std::int16_t>(move)));
    child.visits = 1.0f;
    child.value = 1.0f;
}

std::int32_t ExactSearch::Select(std::int32_t idx) {
    Tree& tree = mWorkspace.GetTree();
    NANAREN_ASSERT(idx < MaxNode);
    const Node& node = tree.At(idx);
    const float logN = mLogs.Of(node.visits);
    const float beta = AmafWeight(node.visits);

    // The children's statistics are gathered, their all-moves-as-first
    // counts summed in list order; the bounds are then worked out over the
    // gathered arrays, in loops that run several children at a time.
    struct Gathered {
        std::array<std::int32_t, MaxVertexSize> slot;
        std::array<float, MaxVertexSize> visits, value, amafVisits, amafValue;
        std::array<double, MaxVertexSize> score;
    } children;
    const int count = tree.ChildSlots(node, children.slot);
    double amafSum = 0.0;
    for (int i = 0; i < count; ++i) {
        const Node& child = tree.At(children.slot[i]);
        children.visits[i] = child.visits;
        children.value[i] = child.value;
        children.amafVisits[i] = child.amafVisits;
        children.amafValue[i] = child.amafValue;
        amafSum += child.amafVisits;
    }
    const float amafTotal = static_cast<float>(amafSum);
    const float logA = mLogs.Of(amafTotal);

    // BlendedBound of every child.
    std::array<double, MaxVertexSize> own;
    std::array<double, MaxVertexSize> amaf;
    UpperBounds(count, logN, children.value.data(), children.visits.data(), own.data());
    UpperBounds(count, logA, children.amafValue.data(), children.amafVisits.data(), amaf.data());
    for (int i = 0; i < count; ++i)
        children.score[i] = beta * amaf[i] + (1.0 - beta) * own[i];

    // best keeps each winning score rounded to float, while every score is
    // compared at full precision: a later equal score wins when it rounded down.
    float best = -100.0f;
    std::int32_t chosen = NoNode;
    for (int i = 0; i < count; ++i) {
        if (children.score[i] > best) {
            best = static_cast<float>(children.score[i]);
            chosen = children.slot[i];
        }
    }

    tree.PushPath(chosen);
    return chosen;
}

void ExactSearch::Update(float x) {
    Tree& tree = mWorkspace.GetTree();
    double r = x;
    for (std::int32_t i = 0; i < tree.PathLength(); ++i) {
        r = 1.0 - r;
        Node& entry = tree.At(tree.PathAt(i));
        AddResult(entry.visits, entry.value, r);
        // Entry 0 has no siblings on the path to credit.
        if (i > 0) CreditLaterMoves(entry.parent, i, r);
    }
}

// For each entry after the given one, in path order, the child of parent
// that made the same move (the children's moves are distinct) gets the
// result r in its all-moves-as-first statistics. The children are indexed
// by move once, instead of walking the list for every later entry.
void ExactSearch::CreditLaterMoves(std::int32_t parent, std::int32_t entry, double r) {
    Tree& tree = mWorkspace.GetTree();
    if (entry + 1 >= tree.PathLength()) return;
    if (++mChildStamp == 0) {
        mChildByMove = {};
        mChildStamp = 1;
    }
    std::array<std::int32_t, MaxVertexSize> slots;
    const int count = tree.ChildSlots(tree.At(parent), slots);
    for (int i = 0; i < count; ++i) {
        const std::int16_t move = tree.At(slots[i]).move;
        NANAREN_ASSERT(IsVertexMove(move));
        mChildByMove[move] = {slots[i], mChildStamp};
    }
    for (std::int32_t j = entry + 1; j < tree.PathLength(); ++j) {
        const std::int16_t later = tree.At(tree.PathAt(j)).move;
        NANAREN_ASSERT(IsVertexMove(later));
        const IndexedChild& sibling = mChildByMove[later];
        if (sibling.stamp != mChildStamp) continue;
        Node& credited = tree.At(sibling.slot);
        AddResult(credited.amafVisits, credited.amafValue, r);
    }
}

}  // namespace nanaren
