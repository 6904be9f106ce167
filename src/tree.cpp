#include "tree.h"

namespace nanaren {

void Tree::Reset() {
    ReleaseAll();
    mRoot = Allocate();
    Node& root = At(mRoot);
    InitNode(root, -1);
    root.visits = 1.0f;
    root.value = 0.5f;
}

std::int32_t Tree::BeginPath() {
    mHistory[0] = mRoot;
    mHistoryIndex = 1;
    return mRoot;
}

std::int32_t Tree::AddChild(std::int32_t parent, std::int16_t move) {
    const std::int32_t slot = Allocate();
    At(parent).firstChild = slot;
    Node& child = At(slot);
    InitNode(child, move);
    child.parent = parent;
    return slot;
}

std::int32_t Tree::AddSibling(std::int32_t prev, std::int16_t move) {
    const std::int32_t slot = Allocate();
    Node& before = At(prev);
    before.nextSibling = slot;
    Node& sibling = At(slot);
    InitNode(sibling, move);
    sibling.prevSibling = prev;
    sibling.parent = before.parent;
    return slot;
}

void Tree::FreeChain(std::int32_t first) {
    while (first != -1) {
        FreeChain(At(first).firstChild);
        const std::int32_t next = At(first).nextSibling;
        Release(first);
        first = next;
    }
}

void Tree::Remove(std::int32_t idx) {
    const Node& node = At(idx);
    if (node.prevSibling == -1) {
        At(node.parent).firstChild = node.nextSibling;
    } else {
        At(node.prevSibling).nextSibling = node.nextSibling;
    }
    if (node.nextSibling != -1) At(node.nextSibling).prevSibling = node.prevSibling;
    FreeChain(node.firstChild);
    Release(idx);
}

void Tree::Clear() {
    const std::int32_t root = BeginPath();
    // Remove leaves the removed child's nextSibling as it was.
    for (std::int32_t c = At(root).firstChild; c != -1; c = At(c).nextSibling)
        Remove(c);
    Release(BeginPath());
}

std::int32_t Tree::BestChild(std::int32_t idx) const {
    float best = -1.0f;
    std::int32_t result = -1;
    for (std::int32_t c = At(idx).firstChild; c != -1; c = At(c).nextSibling) {
        if (At(c).visits > best) {
            best = At(c).visits;
            result = c;
        }
    }
    return result;
}

}  // namespace nanaren
