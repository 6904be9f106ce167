#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "search/tree.h"

namespace nanaren::testing {

using Slots = std::vector<std::int32_t>;

// A tree with a fresh root, and ways to grow it by hand.
class TreeFixture : public ::testing::Test {
  protected:
    explicit TreeFixture(Tree& tree) : tree(tree) {}
    void SetUp() override { tree.Reset(); }

    // Adds children with these moves under parent, in order.
    Slots AddChildren(std::int32_t parent, std::initializer_list<int> moves) {
        Slots added;
        for (const int move : moves) {
            const auto m = static_cast<std::int16_t>(move);
            added.push_back(added.empty() ? tree.AddChild(parent, m)
                                          : tree.AddSibling(added.back(), m));
        }
        return added;
    }

    // The children of idx in list order, checking the back links on the way.
    Slots ChildrenOf(std::int32_t idx) const {
        Slots children;
        for (std::int32_t c = tree.At(idx).firstChild; c != -1; c = tree.At(c).nextSibling) {
            EXPECT_EQ(tree.At(c).prevSibling, children.empty() ? -1 : children.back());
            EXPECT_EQ(tree.At(c).parent, idx);
            children.push_back(c);
        }
        return children;
    }

    Slots AllocateSome(int count) {
        Slots slots;
        for (int i = 0; i < count; ++i)
            slots.push_back(tree.Store().Allocate());
        return slots;
    }

    Tree& tree;
    const std::int32_t root = MaxNode - 1;
};

}  // namespace nanaren::testing
