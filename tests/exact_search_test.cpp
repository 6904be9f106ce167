#include "players/exact_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

#include "exact_bound_reference.h"
#include "tree_fixture.h"

namespace nanaren {
namespace {

using testing::BlendedBound;
using testing::Slots;

// The workspace, made before the fixture that grows its tree.
struct OwnedWorkspace {
    std::unique_ptr<SearchWorkspace> workspace = std::make_unique<SearchWorkspace>();
};

// The exact player's formulas over a tree with a fresh root.
class ExactSearchTest : private OwnedWorkspace, public testing::TreeFixture {
  protected:
    ExactSearchTest() : TreeFixture(workspace->GetTree()) {}

    ExactSearch search{*workspace};
};

// ---------------------------------------------------------------- selecting

TEST_F(ExactSearchTest, SelectWithoutChildrenReturnsAndPushesNoNode) {
    tree.BeginPath();
    EXPECT_EQ(search.Select(root), -1);
    EXPECT_EQ(tree.PathLength(), 2);
    EXPECT_EQ(tree.PathAt(1), -1);
}

TEST_F(ExactSearchTest, SelectPushesTheChildWithTheHighestBound) {
    // The worked bound example (score 1.04220) between two weaker children;
    // the children's amafVisits add up to 10.
    const Slots c = AddChildren(root, {12, 13, 14});
    tree.At(root).visits = 20.0f;
    tree.At(c[0]) = Node{12, 0, 10.0f, 0.5f, 3.0f, 0.5f, -1, c[1], -1, root};
    tree.At(c[1]) = Node{13, 0, 4.0f, 0.75f, 3.0f, 0.6f, -1, c[2], c[0], root};
    tree.At(c[2]) = Node{14, 0, 30.0f, 0.1f, 4.0f, 0.2f, -1, -1, c[1], root};
    tree.BeginPath();
    EXPECT_EQ(search.Select(root), c[1]);
    EXPECT_EQ(tree.PathLength(), 2);
    EXPECT_EQ(tree.PathAt(1), c[1]);
}

TEST_F(ExactSearchTest, ScoresThatAreNotNumbersNeverWin) {
    // Unvisited children under a root of one visit score 0/0.
    const Slots c = AddChildren(root, {12, 13});
    tree.BeginPath();
    EXPECT_EQ(search.Select(root), -1);
    tree.At(c[1]).visits = 1.0f;
    EXPECT_EQ(search.Select(root), c[1]);
}

// Children whose slots do not run down from the first, after a slot taken in
// between, are found along the list.
TEST_F(ExactSearchTest, SelectFollowsTheListWhereTheChildrenAreNotOneRun) {
    const std::int32_t first = AddChildren(root, {12})[0];
    tree.Store().Allocate();
    const std::int32_t second = tree.AddSibling(first, 13);
    tree.At(second).visits = 1.0f;
    EXPECT_EQ(search.Select(root), second);
}

// Equal children score the same d: the first sets best to (float)d, and each
// later one wins again exactly when (float)d < d. Parent visits 1579 are where
// a float logarithm would differ from the rounded double one.
TEST_F(ExactSearchTest, AmongEqualChildrenTheLastWinsExactlyWhenTheScoreRoundsDown) {
    const Slots c = AddChildren(root, {12, 13, 14});
    int lastWins = 0;
    int firstWins = 0;
    for (const float parentVisits : {1.0f, 20.0f, 1579.0f, 4000.0f}) {
        for (int k = 1; k <= 40; ++k) {
            const auto visits = static_cast<float>(k);
            const float value = static_cast<float>(k % 7) / 7.0f;
            const float amafVisits = visits + 1.0f;
            for (const std::int32_t child : c) {
                Node& n = tree.At(child);
                n.visits = visits;
                n.value = value;
                n.amafVisits = amafVisits;
                n.amafValue = 0.6f;
            }
            tree.At(root).visits = parentVisits;
            const float logN = static_cast<float>(std::log(static_cast<double>(parentVisits)));
            const float amafTotal = static_cast<float>(3.0 * amafVisits);
            const float logA = static_cast<float>(std::log(static_cast<double>(amafTotal)));
            const double d = BlendedBound(tree.At(c[0]), AmafWeight(parentVisits), logN, logA);
            const bool roundsDown = static_cast<float>(d) < d;
            (roundsDown ? lastWins : firstWins) += 1;
            tree.BeginPath();
            EXPECT_EQ(search.Select(root), roundsDown ? c[2] : c[0])
                << "parent visits " << parentVisits << ", child visits " << k;
        }
    }
    EXPECT_GT(lastWins, 0);
    EXPECT_GT(firstWins, 0);
}

// ------------------------------------------------------------------ backing up

// R has children A (23), A2 (45), A3 (60); A has B (45), B2 (60), B3 (23); B has
// C (60). Every node starts as the search creates it: one visit, mean 0.5.
TEST_F(ExactSearchTest, SelectChoosesWhatTheBlendedBoundRanksFirst) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int trial = 0; trial < 300; ++trial) {
        tree.Reset();
        const std::int32_t root = tree.BeginPath();
        std::vector<int> moves(1 + rng() % 80);
        for (std::size_t i = 0; i < moves.size(); ++i)
            moves[i] = 12 + static_cast<int>(i);
        // Small counts that many children share, some large ones, and
        // children alike but for the order, so that ties occur.
        float visits = 0.0f;
        std::int32_t last = -1;
        for (const int move : moves) {
            last = last == -1 ? tree.AddChild(root, static_cast<std::int16_t>(move))
                              : tree.AddSibling(last, static_cast<std::int16_t>(move));
            Node& n = tree.At(last);
            const bool twin = rng() % 4 == 0;
            n.visits = twin ? 2.0f : static_cast<float>(1 + (rng() % 3 ? rng() % 8 : rng() % 5000));
            n.value = twin ? 0.5f : unit(rng);
            n.amafVisits =
                twin ? 3.0f : static_cast<float>(1 + (rng() % 3 ? rng() % 8 : rng() % 9000));
            n.amafValue = twin ? 0.25f : unit(rng);
            visits += n.visits;
        }
        // Sums of whole counts, beyond the descent's table of logarithms too,
        // and now and then a parent count that is no whole number.
        if (trial % 5 == 0) visits += 0.5f;
        tree.At(root).visits = visits;
        const float logN = static_cast<float>(std::log(static_cast<double>(visits)));
        double amafSum = 0.0;
        for (const std::int32_t c : ChildrenOf(root))
            amafSum += tree.At(c).amafVisits;
        const float logA = static_cast<float>(std::log(static_cast<float>(amafSum)));
        const float beta = AmafWeight(visits);
        float best = -100.0f;
        std::int32_t expected = -1;
        for (const std::int32_t c : ChildrenOf(root)) {
            const double score = BlendedBound(tree.At(c), beta, logN, logA);
            if (score > best) {
                best = static_cast<float>(score);
                expected = c;
            }
        }
        ASSERT_EQ(search.Select(root), expected) << "trial " << trial;
        ASSERT_EQ(search.Select(root), expected)
            << "trial " << trial << ", logarithms looked up again";
    }
}

class UpdateTest : public ExactSearchTest {
  protected:
    void SetUp() override {
        ExactSearchTest::SetUp();
        const Slots level1 = AddChildren(root, {23, 45, 60});
        const Slots level2 = AddChildren(level1[0], {45, 60, 23});
        c = AddChildren(level2[0], {60})[0];
        for (const std::int32_t s :
             {level1[0], level1[1], level1[2], level2[0], level2[1], level2[2], c}) {
            tree.At(s).visits = 1.0f;
            tree.At(s).value = 0.5f;
        }
        a = level1[0], a2 = level1[1], a3 = level1[2];
        b = level2[0], b2 = level2[1], b3 = level2[2];
    }

    void FollowPath(std::initializer_list<std::int32_t> below) {
        tree.BeginPath();
        for (const std::int32_t s : below)
            tree.PushPath(s);
    }

    void ExpectStats(std::int32_t s, float visits, float value) const {
        EXPECT_EQ(tree.At(s).visits, visits) << "slot " << s;
        EXPECT_EQ(tree.At(s).value, value) << "slot " << s;
    }

    void ExpectAmaf(std::int32_t s, float visits, float value) const {
        EXPECT_EQ(tree.At(s).amafVisits, visits) << "slot " << s;
        EXPECT_EQ(tree.At(s).amafValue, value) << "slot " << s;
    }

    std::int32_t a, a2, a3, b, b2, b3, c;
};

TEST_F(UpdateTest, EmptyPathChangesNothing) {
    ASSERT_EQ(tree.PathLength(), 0);
    search.Update(1.0f);
    ExpectStats(root, 1.0f, 0.5f);
    ExpectStats(a, 1.0f, 0.5f);
    ExpectAmaf(a, 1.0f, 0.5f);
}

TEST_F(UpdateTest, ResultsAlternateAndTheSiblingOfALaterMoveIsCredited) {
    FollowPath({a, b});
    search.Update(1.0f);
    ExpectStats(root, 2.0f, 0.25f);
    ExpectStats(a, 2.0f, 0.75f);
    ExpectStats(b, 2.0f, 0.25f);
    ExpectAmaf(a2, 2.0f, 0.75f);  // B's move 45, credited at A's level with A's result
    for (const std::int32_t s : {root, a, a3, b, b2, b3}) {
        ExpectAmaf(s, 1.0f, 0.5f);
    }
    ExpectStats(a2, 1.0f, 0.5f);
    EXPECT_EQ(tree.PathLength(), 3);
}

TEST_F(UpdateTest, EveryLaterMoveIsCreditedAtEveryLevel) {
    FollowPath({a, b, c});
    search.Update(0.0f);
    ExpectStats(root, 2.0f, 0.75f);
    ExpectStats(c, 2.0f, 0.25f);
    ExpectAmaf(a2, 2.0f, 0.25f);  // B's 45 and C's 60 at A's level
    ExpectAmaf(a3, 2.0f, 0.25f);
    ExpectAmaf(b2, 2.0f, 0.75f);  // C's 60 at B's level
    ExpectAmaf(b3, 1.0f, 0.5f);   // 23 was played before B
}

// With visits 3 the new mean (r + 3 v) / 4 is exact in double (3 v needs 26
// bits), so the stored value is the exact mean rounded once to float; a value
// is picked where float arithmetic would round twice to something else.
TEST_F(UpdateTest, RunningMeanIsTheExactMeanRoundedOnce) {
    tree.At(a).visits = 3.0f;
    FollowPath({a});
    search.Update(1.0f);
    ExpectStats(a, 4.0f, 0.625f);

    float v = 0.0f;
    for (int k = 1; k < 1000 && v == 0.0f; ++k) {
        const float candidate = static_cast<float>(k) / 1000.0f;
        const float exact = static_cast<float>((1.0 + 3.0 * candidate) / 4.0);
        if ((1.0f + 3.0f * candidate) / 4.0f != exact) v = candidate;
    }
    ASSERT_NE(v, 0.0f);
    tree.At(a).visits = 3.0f;
    tree.At(a).value = v;
    search.Update(1.0f);
    ExpectStats(a, 4.0f, static_cast<float>((1.0 + 3.0 * v) / 4.0));
}

// ------------------------------------------------------------------- checks

using ExactSearchDeathTest = ExactSearchTest;

TEST_F(ExactSearchDeathTest, SelectOutsideTheStoreStops) {
    EXPECT_DEATH(search.Select(MaxNode), "idx < MaxNode.*src/players/exact_search");
    EXPECT_DEATH(search.Select(-1), "idx < mData.size\\(\\).*src/search/pool");
}

TEST_F(ExactSearchDeathTest, SelectOntoAFullPathStops) {
    AddChildren(root, {12});
    tree.BeginPath();
    while (tree.PathLength() < MaxDepth) {
        search.Select(root);
    }
    EXPECT_TRUE(tree.IsPathFull());
    EXPECT_DEATH(search.Select(root), "mHistoryIndex <= MaxDepth.*src/search/tree");
}

}  // namespace
}  // namespace nanaren
