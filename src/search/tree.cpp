#include "search/tree.h"

namespace nanaren {

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

}  // namespace nanaren
