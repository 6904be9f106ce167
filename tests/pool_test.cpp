#include "search/pool.h"

#include <gtest/gtest.h>

#include <memory>

namespace nanaren {
namespace {

TEST(Pool, StartsWithEveryNodeZeroAndEverySlotFreeInAscendingOrder) {
    const auto pool = std::make_unique<Pool>();
    EXPECT_EQ(pool->FreeCount(), MaxNode);
    int nonZero = 0;
    for (std::int32_t i = 0; i < MaxNode; ++i) {
        const Node& n = pool->At(i);
        nonZero += n.move != 0 || n.visits != 0 || n.value != 0 || n.amafVisits != 0 ||
                   n.amafValue != 0 || n.firstChild != 0 || n.nextSibling != 0 ||
                   n.prevSibling != 0 || n.parent != 0;
    }
    EXPECT_EQ(nonZero, 0);
    // The stack hands the slots out from the top, so in descending order.
    int misplaced = 0;
    for (std::int32_t i = MaxNode - 1; i >= 0; --i)
        misplaced += pool->Allocate() != i;
    EXPECT_EQ(misplaced, 0);
}

TEST(Pool, HandsOutTheHighestSlotFirstAndTheLastReleasedNext) {
    const auto pool = std::make_unique<Pool>();
    EXPECT_EQ(pool->Allocate(), 1048575);
    const std::int32_t second = pool->Allocate();
    EXPECT_EQ(second, 1048574);
    EXPECT_EQ(pool->Allocate(), 1048573);
    EXPECT_EQ(pool->FreeCount(), MaxNode - 3);
    pool->Release(second);
    EXPECT_EQ(pool->FreeCount(), MaxNode - 2);
    EXPECT_EQ(pool->Allocate(), second);
    EXPECT_EQ(pool->Allocate(), 1048572);
}

TEST(PoolDeathTest, AccessOutsideTheStoreStops) {
    const auto pool = std::make_unique<Pool>();
    EXPECT_DEATH(pool->At(-1), "idx < mData.size\\(\\).*src/search/pool");
    EXPECT_DEATH(pool->At(MaxNode), "idx < mData.size\\(\\).*src/search/pool");
}

TEST(PoolDeathTest, AllocatingFromAnEmptyStackStops) {
    const auto pool = std::make_unique<Pool>();
    for (std::int32_t i = 0; i < MaxNode; ++i) {
        pool->Allocate();
    }
    EXPECT_EQ(pool->FreeCount(), 0);
    EXPECT_DEATH(pool->Allocate(), "mEmptyCount > 0.*src/search/pool");
}

TEST(PoolDeathTest, ReleasingOntoAFullStackStops) {
    const auto pool = std::make_unique<Pool>();
    pool->Release(pool->Allocate());
    EXPECT_DEATH(pool->Release(0),
                 "mEmptyCount < \\(int\\)mEmptyIndex.size\\(\\).*src/search/pool");
}

}  // namespace
}  // namespace nanaren
