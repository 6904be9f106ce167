#pragma once

#include <array>
#include <cstdint>

#include "core/always_inline.h"
#include "core/check.h"
#include "game/geometry.h"
#include "search/pool.h"

namespace nanaren {

inline constexpr std::int32_t MaxDepth = 4096;

// The search tree over its node store: the root, the child lists and the
// descent path of the running iteration. How children are chosen and how
// results are backed up is each player's own. Its store is about 40 MB and
// the rest some 16 KB, so its owner allocates it once on the heap.
class Tree {
  public:
    Node& At(std::uint32_t idx) { return mPool.At(idx); }
    const Node& At(std::uint32_t idx) const { return mPool.At(idx); }
    // The store itself, for tests that take and give back slots directly.
    Pool& Store() { return mPool; }

    // Frees every slot and allocates a fresh root with one half-won visit.
    void Reset();
    std::int32_t Root() const { return mRoot; }

    // Starts the path at the root and returns the root.
    std::int32_t BeginPath();
    // Puts a node on the path.
    void PushPath(std::int32_t node) {
        ++mHistoryIndex;
        NANAREN_ASSERT(mHistoryIndex <= MaxDepth);
        mHistory[mHistoryIndex - 1] = node;
    }
    // The entries of the path, the root first.
    std::int32_t PathLength() const { return mHistoryIndex; }
    std::int32_t PathAt(std::int32_t i) const { return mHistory[i]; }

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

    // The child with the most visits, the first among equals; NoNode if none.
    std::int32_t BestChild(std::int32_t idx) const;
    bool IsLeaf(std::int32_t idx) const { return At(idx).firstChild == NoNode; }
    // The slots of the node's children in list order, read off the run where
    // they form one and followed along the list otherwise; their number.
    // Every descent step and backup reads them: always inlined.
    NANAREN_ALWAYS_INLINE int ChildSlots(const Node& node,
                                         std::array<std::int32_t, MaxVertexSize>& slots) const {
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

    std::int32_t FreeCount() const { return mPool.FreeCount(); }
    bool IsPathFull() const { return mHistoryIndex >= MaxDepth; }
    // Whether a leaf may grow up to count children and the next descent step
    // still find room on the path.
    bool HasRoomToExpand(int count) const { return !IsPathFull() && FreeCount() >= count; }

  private:
    Pool mPool;                                     // every node, and the free slots
    std::array<std::int32_t, MaxDepth> mHistory{};  // descent path, the root first
    std::int32_t mRoot = NoNode;                    // slot of the root
    std::int32_t mHistoryIndex = 0;                 // entries on the path
};

}  // namespace nanaren
