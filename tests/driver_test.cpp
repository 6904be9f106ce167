#include "search/driver.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>

namespace nanaren {
namespace {

// A tree whose root has children of the given moves, visits and values.
struct Child {
    Vertex move;
    float visits;
    float value;
};

std::unique_ptr<Tree> TreeOf(std::initializer_list<Child> children) {
    auto tree = std::make_unique<Tree>();
    tree->Reset();
    std::int32_t last = NoNode;
    for (const Child& child : children) {
        last = tree->AppendChild(tree->Root(), last, child.move);
        tree->At(last).visits = child.visits;
        tree->At(last).value = child.value;
    }
    return tree;
}

// Gives the root's child of move children of these moves and visits.
void AddReplies(Tree& tree, Vertex move, std::initializer_list<std::pair<Vertex, float>> replies) {
    std::int32_t child = tree.At(tree.Root()).firstChild;
    while (tree.At(child).move != move)
        child = tree.At(child).nextSibling;
    std::int32_t last = NoNode;
    for (const auto& [reply, visits] : replies) {
        last = tree.AppendChild(child, last, reply);
        tree.At(last).visits = visits;
    }
}

// Lane 1 prefers 30 (10 visits to 5), lane 2 prefers 40 (9 to 2): summed,
// 40 has 14 visits to 12, and its value is (5 * 0.4 + 9 * 0.7) / 14. Its
// replies 50 (3 + 1) and 60 (2 + 3) sum to 4 and 5.
TEST(ResultAtRoots, SumsTheLanesVisitsAndWeighsTheirValues) {
    const auto first = TreeOf({{30, 10.0f, 0.6f}, {40, 5.0f, 0.4f}});
    const auto second = TreeOf({{30, 2.0f, 0.1f}, {40, 9.0f, 0.7f}});
    AddReplies(*first, 40, {{50, 3.0f}, {60, 2.0f}});
    AddReplies(*second, 40, {{60, 3.0f}, {50, 1.0f}});
    const Tree* const trees[] = {first.get(), second.get()};
    const SearchResult result = ResultAtRoots(trees);
    EXPECT_EQ(result.move, 40);
    ASSERT_TRUE(result.estimate.has_value());
    EXPECT_EQ(result.estimate->winningRate, static_cast<int>((5 * 0.4 + 9 * 0.7) / 14 * 100));
    EXPECT_EQ(result.estimate->expectedReply, 60);

    const std::vector<Candidate> candidates =
        CandidatesAtRoots(trees, 2, [](Vertex) { return 0.5; });
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0].move, 40);
    EXPECT_EQ(candidates[0].visits, 14);
    EXPECT_EQ(candidates[1].visits, 12);
    // The line follows the lane where the move has the most visits: the second.
    EXPECT_EQ(candidates[0].line, (std::vector<Vertex>{40, 60}));
}

// One lane's merge is that lane's own result, to the float.
TEST(ResultAtRoots, OneTreeGivesItsOwnResult) {
    const auto tree = TreeOf({{30, 7.0f, 0.3f}, {40, 7.0f, 0.9f}, {50, 3.0f, 0.123456f}});
    AddReplies(*tree, 30, {{60, 2.0f}, {70, 2.0f}});
    const Tree* const trees[] = {tree.get()};
    const SearchResult merged = ResultAtRoots(trees);
    const SearchResult own = ResultAtRoot(*tree);
    EXPECT_EQ(merged.move, 30) << "the first among equals";
    EXPECT_EQ(merged.move, own.move);
    EXPECT_EQ(merged.estimate->winningRate, own.estimate->winningRate);
    EXPECT_EQ(merged.estimate->expectedReply, 60);
    EXPECT_EQ(merged.estimate->expectedReply, own.estimate->expectedReply);
}

}  // namespace
}  // namespace nanaren
