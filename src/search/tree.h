#pragma once

#include <array>
#include <cstdint>

#include "game/geometry.h"
#include "search/pool.h"

namespace nanaren {

inline constexpr std::int32_t MaxDepth = 4096;

// The search tree over its node store: the root, the child lists and the
// descent path of the running iteration. Its store is about 40 MB and the
// rest some 300 KB, so its owner allocates it once on the heap.
class Tree {
  public:
    Tree() { mLogOfCount.fill(-1.0f); }

    Node& At(std::uint32_t idx) { return mPool.At(idx); }
    const Node& At(std::uint32_t idx) const { return mPool.At(idx); }
    // The store itself, for tests that take and give back slots directly.
    Pool& Store() { return mPool; }

    // Frees every slot and allocates a fresh root with one half-won visit.
    void Reset();
    // Starts the path at the root and returns the root.
    std::int32_t BeginPath();

    // Puts a node on the path, for a descent that chooses its children itself.
    void PushPath(std::int32_t node) {
        NANAREN_ASSERT(mHistoryIndex < MaxDepth);
        mHistory[mHistoryIndex++] = node;
    }
    // Takes the last entry off the path.
    void PopPath() {
        NANAREN_ASSERT(mHistoryIndex > 0);
        --mHistoryIndex;
    }

    // A new node as the parent's only child; its visits and value stay 0.
    std::int32_t AddChild(std::int32_t parent, std::int16_t move);
    // A new node after prev, which must be the tail of its list.
    std::int32_t AddSibling(std::int32_t prev, std::int16_t move);
    // A new child of parent after last, its last child so far (NoNode for none).
    std::int32_t AppendChild(std::int32_t parent, std::int32_t last, Vertex move) {
        const auto m = static_cast<std::int16_t>(move);
        return last == NoNode ? AddChild(parent, m) : AddSibling(last, m);
    }
    // Releases first, every sibling after it and all their descendants,
    // children before their parent; NoNode releases nothing.
    void FreeChain(std::int32_t first);
    // Unlinks a node from its parent's list and releases it with its subtree.
    void Remove(std::int32_t idx);
    // Releases every node, the root last. Reset before using the tree again.
    void Clear();

    // The child with the most visits, the first among equals; NoNode if none.
    std::int32_t BestChild(std::int32_t idx) const;
    bool IsLeaf(std::int32_t idx) const { return At(idx).firstChild == NoNode; }

    // Chooses the child with the highest blended bound, the first among equal
    // scores unless the score rounds down to float, and pushes it on the path.
    // Returns NoNode, and pushes it, for a node without children.
    std::int32_t Select(std::int32_t idx);
    // Backs up the result x, seen by the player to move at the path's start,
    // along the path, crediting the siblings of each entry whose moves were
    // played later on the path.
    void Update(float x);

    std::int32_t FreeCount() const { return mPool.mEmptyCount; }
    bool IsPathFull() const { return mHistoryIndex >= MaxDepth; }
    // Whether a leaf may grow up to count children and the next descent step
    // still find room on the path.
    bool HasRoomToExpand(int count) const { return !IsPathFull() && FreeCount() >= count; }

    std::array<std::int32_t, MaxDepth> mHistory{};  // descent path, the root first
    std::int32_t mRoot = NoNode;                    // slot of the root
    std::int32_t mHistoryIndex = 0;                 // entries on the path

    // The natural logarithm of a visit count, taken in double and rounded to
    // float, the same on every platform. The descent takes one at every
    // step, and the counts are whole numbers: those below a table's size are
    // worked out once each, when first needed.
    float LogOfCount(float count);

    // The slots of the node's children in list order; their number.
    int ChildSlots(const Node& node, std::array<std::int32_t, MaxVertexSize>& slots) const;

  private:
    Pool mPool;  // every node, and the free slots

    void CreditLaterMoves(std::int32_t parent, std::int32_t entry, double r);

    // A child list indexed by move during an update; an entry counts only
    // when its stamp is the current one.
    struct IndexedChild {
        std::int32_t slot;
        std::uint32_t stamp;
    };
    std::array<IndexedChild, MaxVertexSize> mChildByMove{};
    std::uint32_t mChildStamp = 0;

    std::array<float, 1 << 16> mLogOfCount;  // by count: its logarithm, -1 for not yet
};

}  // namespace nanaren
