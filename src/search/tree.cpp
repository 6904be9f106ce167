#include "search/tree.h"

#include <cmath>

#include "core/vector_clones.h"

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

// The natural logarithm, taken in double and rounded once to float.
float LogOf(double x) {
    return static_cast<float>(std::log(x));
}

}  // namespace

void Tree::Reset() {
    mPool.ReleaseAll();
    mRoot = mPool.Allocate();
    Node& root = At(mRoot);
    InitNode(root, NoVertex);
    root.visits = 1.0f;
    root.value = 0.5f;
}

std::int32_t Tree::BeginPath() {
    mHistory[0] = mRoot;
    mHistoryIndex = 1;
    return mRoot;
}

std::int32_t Tree::AddChild(std::int32_t parent, std::int16_t move) {
    const std::int32_t slot = mPool.Allocate();
    At(parent).firstChild = slot;
    At(parent).childRun = 1;
    Node& child = At(slot);
    InitNode(child, move);
    child.parent = parent;
    return slot;
}

std::int32_t Tree::AddSibling(std::int32_t prev, std::int16_t move) {
    const std::int32_t slot = mPool.Allocate();
    Node& before = At(prev);
    before.nextSibling = slot;
    Node& sibling = At(slot);
    InitNode(sibling, move);
    sibling.prevSibling = prev;
    sibling.parent = before.parent;
    // The store hands out slots downwards, so a list made in one go is
    // mostly one run.
    Node& parent = At(before.parent);
    const bool extendsRun = parent.childRun != 0 &&
                            prev == parent.firstChild - (parent.childRun - 1) && slot == prev - 1;
    parent.childRun = extendsRun ? static_cast<std::uint16_t>(parent.childRun + 1) : 0;
    return slot;
}

void Tree::FreeChain(std::int32_t first) {
    while (first != NoNode) {
        FreeChain(At(first).firstChild);
        const std::int32_t next = At(first).nextSibling;
        mPool.Release(first);
        first = next;
    }
}

void Tree::Remove(std::int32_t idx) {
    const Node& node = At(idx);
    At(node.parent).childRun = 0;
    if (node.prevSibling == NoNode) {
        At(node.parent).firstChild = node.nextSibling;
    } else {
        At(node.prevSibling).nextSibling = node.nextSibling;
    }
    if (node.nextSibling != NoNode) At(node.nextSibling).prevSibling = node.prevSibling;
    FreeChain(node.firstChild);
    mPool.Release(idx);
}

void Tree::Clear() {
    const std::int32_t root = BeginPath();
    // Remove leaves the removed child's nextSibling as it was.
    for (std::int32_t c = At(root).firstChild; c != NoNode; c = At(c).nextSibling) {
        Remove(c);
    }
    mPool.Release(BeginPath());
}

std::int32_t Tree::BestChild(std::int32_t idx) const {
    float best = -1.0f;
    std::int32_t result = NoNode;
    for (std::int32_t c = At(idx).firstChild; c != NoNode; c = At(c).nextSibling) {
        if (At(c).visits > best) {
            best = At(c).visits;
            result = c;
        }
    }
    return result;
}

// The slots of the node's children in list order, read off the run where
// they form one and followed along the list otherwise.
int Tree::ChildSlots(const Node& node, std::array<std::int32_t, MaxVertexSize>& slots) const {
    const int run = node.childRun;
    NANAREN_ASSERT(run <= MaxVertexSize);
    if (run != 0) {
        for (int i = 0; i < run; ++i)
            slots[i] = node.firstChild - i;
        return run;
    }
    int count = 0;
    for (std::int32_t c = node.firstChild; c != NoNode; c = At(c).nextSibling) {
        NANAREN_ASSERT(count < MaxVertexSize);  // the children's moves are distinct vertices
        slots[count++] = c;
    }
    return count;
}

float Tree::LogOfCount(float count) {
    if (!(count >= 0.0f && count < static_cast<float>(mLogOfCount.size()))) return LogOf(count);
    const auto n = static_cast<std::uint32_t>(count);
    if (static_cast<float>(n) != count) return LogOf(count);
    float& log = mLogOfCount[n];
    if (log < 0.0f) log = LogOf(n);
    return log;
}

std::int32_t Tree::Select(std::int32_t idx) {
    NANAREN_ASSERT(idx < MaxNode);
    const Node& node = At(idx);
    const float logN = LogOfCount(node.visits);
    const float beta = AmafWeight(node.visits);

    // The children's statistics are gathered, their all-moves-as-first
    // counts summed in list order; the bounds are then worked out over the
    // gathered arrays, in loops that run several children at a time.
    struct Gathered {
        std::array<std::int32_t, MaxVertexSize> slot;
        std::array<float, MaxVertexSize> visits, value, amafVisits, amafValue;
        std::array<double, MaxVertexSize> score;
    } children;
    const int count = ChildSlots(node, children.slot);
    double amafSum = 0.0;
    for (int i = 0; i < count; ++i) {
        const Node& child = At(children.slot[i]);
        children.visits[i] = child.visits;
        children.value[i] = child.value;
        children.amafVisits[i] = child.amafVisits;
        children.amafValue[i] = child.amafValue;
        amafSum += child.amafVisits;
    }
    const float amafTotal = static_cast<float>(amafSum);
    const float logA = LogOfCount(amafTotal);

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

    ++mHistoryIndex;
    NANAREN_ASSERT(mHistoryIndex <= MaxDepth);
    mHistory[mHistoryIndex - 1] = chosen;
    return chosen;
}

void Tree::Update(float x) {
    double r = x;
    for (std::int32_t i = 0; i < mHistoryIndex; ++i) {
        r = 1.0 - r;
        Node& entry = At(mHistory[i]);
        AddResult(entry.visits, entry.value, r);
        // Entry 0 has no siblings on the path to credit.
        if (i > 0) CreditLaterMoves(entry.parent, i, r);
    }
}

// For each entry after the given one, in path order, the child of parent
// that made the same move (the children's moves are distinct) gets the
// result r in its all-moves-as-first statistics. The children are indexed
// by move once, instead of walking the list for every later entry.
void Tree::CreditLaterMoves(std::int32_t parent, std::int32_t entry, double r) {
    if (entry + 1 >= mHistoryIndex) return;
    if (++mChildStamp == 0) {
        mChildByMove = {};
        mChildStamp = 1;
    }
    std::array<std::int32_t, MaxVertexSize> slots;
    const int count = ChildSlots(At(parent), slots);
    for (int i = 0; i < count; ++i) {
        const std::int16_t move = At(slots[i]).move;
        NANAREN_ASSERT(IsVertexMove(move));
        mChildByMove[move] = {slots[i], mChildStamp};
    }
    for (std::int32_t j = entry + 1; j < mHistoryIndex; ++j) {
        const std::int16_t later = At(mHistory[j]).move;
        NANAREN_ASSERT(IsVertexMove(later));
        const IndexedChild& sibling = mChildByMove[later];
        if (sibling.stamp != mChildStamp) continue;
        Node& credited = At(sibling.slot);
        AddResult(credited.amafVisits, credited.amafValue, r);
    }
}

}  // namespace nanaren
