#include "search/tree.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "tree_fixture.h"

namespace nanaren {
namespace {

using testing::Slots;

// The tree's store, made before the fixture that grows it.
struct OwnedTree {
    std::unique_ptr<Tree> owned = std::make_unique<Tree>();
};

class TreeTest : private OwnedTree, public testing::TreeFixture {
  protected:
    TreeTest() : TreeFixture(*owned) {}
};

// ------------------------------------------------------------------ growing

TEST_F(TreeTest, ResetGivesAFreshRootInTheHighestSlotEveryTime) {
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(tree.Root(), 1048575);
        const Node& r = tree.At(root);
        EXPECT_EQ(r.move, -1);
        EXPECT_EQ(r.visits, 1.0f);
        EXPECT_EQ(r.value, 0.5f);
        EXPECT_EQ(r.amafVisits, 1.0f);
        EXPECT_EQ(r.amafValue, 0.5f);
        EXPECT_EQ(r.nextSibling, -1);
        EXPECT_EQ(r.prevSibling, -1);
        EXPECT_EQ(r.parent, -1);
        EXPECT_TRUE(tree.IsLeaf(root));
        EXPECT_EQ(tree.FreeCount(), 1048575);
        EXPECT_EQ(tree.BeginPath(), root);
        EXPECT_EQ(tree.PathLength(), 1);
        EXPECT_EQ(tree.PathAt(0), root);
        // Grow and descend a little, then start over.
        AddChildren(AddChildren(root, {12, 13})[1], {14});
        tree.Reset();
    }
}

TEST_F(TreeTest, ChildrenTakeTheNextSlotsDownwardsInTheOrderAdded) {
    EXPECT_EQ(AddChildren(root, {12, 13, 14}), (Slots{1048574, 1048573, 1048572}));
    EXPECT_EQ(ChildrenOf(root), (Slots{1048574, 1048573, 1048572}));
    EXPECT_EQ(tree.At(1048572).nextSibling, -1);
    const Node& c = tree.At(1048573);
    EXPECT_EQ(c.move, 13);
    EXPECT_EQ(c.visits, 0.0f);
    EXPECT_EQ(c.amafVisits, 1.0f);
    EXPECT_TRUE(tree.IsLeaf(1048573));
    EXPECT_FALSE(tree.IsLeaf(root));
}

TEST_F(TreeTest, BestChildIsTheFirstOfTheMostVisited) {
    const Slots c = AddChildren(root, {12, 13, 14});
    tree.At(c[0]).visits = 3.0f;
    tree.At(c[1]).visits = 7.0f;
    tree.At(c[2]).visits = 7.0f;
    EXPECT_EQ(tree.BestChild(root), c[1]);
    EXPECT_EQ(tree.BestChild(c[0]), -1);
}

// ---------------------------------------------------------------- releasing

TEST_F(TreeTest, FreeChainReleasesTheSubtreeDepthFirstBeforeTheNode) {
    const std::int32_t x = AddChildren(root, {12})[0];
    const Slots y = AddChildren(x, {13, 14});
    const std::int32_t z = AddChildren(y[0], {15})[0];
    tree.FreeChain(x);
    EXPECT_EQ(tree.FreeCount(), MaxNode - 1);
    EXPECT_EQ(tree.At(x).firstChild, y[0]) << "a released node keeps its fields";
    // Released z, y[0], y[1], x: the stack hands them back the other way round.
    EXPECT_EQ(AllocateSome(4), (Slots{x, y[1], y[0], z}));
}

TEST_F(TreeTest, FreeChainOfNoNodeReleasesNothing) {
    tree.FreeChain(-1);
    EXPECT_EQ(tree.FreeCount(), MaxNode - 1);
}

// ------------------------------------------------------------------- checks

using TreeDeathTest = TreeTest;

TEST_F(TreeDeathTest, PushingOntoAFullPathStops) {
    tree.BeginPath();
    while (!tree.IsPathFull())
        tree.PushPath(root);
    EXPECT_EQ(tree.PathLength(), MaxDepth);
    EXPECT_DEATH(tree.PushPath(root), "mHistoryIndex <= MaxDepth.*src/search/tree");
}

}  // namespace
}  // namespace nanaren
