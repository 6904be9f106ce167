#include "search/pool.h"

#include <gtest/gtest.h>

#include <memory>

namespace nanaren {
namespace {

TEST(Pool, StartsWithEveryNodeZeroAndEverySlotFreeInAscendingOrder) {
    const auto pool = std::make_unique<Pool>();
    ASSERT_EQ(pool->mData.size(), static_cast<std::size_t>(MaxNode));
    ASSERT_EQ(pool->mEmptyIndex.size(), static_cast<std::size_t>(MaxNode));
    EXPECT_EQ(pool->mEmptyCount, MaxNode);
    int nonZero = 0;
    int misplaced = 0;
    for (std::int32_t i = 0; i < MaxNode; ++i) {
        const Node& n = pool->mData[i];
        nonZero += n.move != 0 || n.visits != 0 || n.value != 0 || n.amafVisits != 0 ||
                   n.amafValue != 0 || n.firstChild != 0 || n.nextSibling != 0 ||
                   n.prevSibling != 0 || n.parent != 0;
        misplaced += pool->FreeSlotAt(i) != i;
    }
    EXPECT_EQ(nonZero, 0);
    EXPECT_EQ(misplaced, 0);
}

TEST(Pool, HandsOutTheHighestSlotFirstAndTheLastReleasedNext) {
    const auto pool = std::make_unique<Pool>();
    EXPECT_EQ(pool->Allocate(), 1048575);
    const std::int32_t second = pool->Allocate();
    EXPECT_EQ(second, 1048574);
    EXPECT_EQ(pool->Allocate(), 1048573);
    EXPECT_EQ(pool->mEmptyCount, MaxNode - 3);
    pool->Release(second);
    EXPECT_EQ(pool->mEmptyCount, MaxNode - 2);
    EXPECT_EQ(pool->Allocate(), second);
    EXPECT_EQ(pool->Allocate(), 1048572);
}

TEST(PoolDeathTest, AccessOutsideTheStoreStops) {
    const auto pool = std::make_unique<Pool>();
    EXPECT_DEATH(pool->At(-1), "idx < mData.size\\(\\).*src/search/pool");
    EXPECT_DEATH(pool->At(MaxNode), "idx < mData.size\\(\\).*src/search/pool");
    EXPECT_EQ(&pool->At(MaxNode - 1), &pool->mData.back());
}

TEST(PoolDeathTest, AllocatingFromAnEmptyStackStops) {
    const auto pool = std::make_unique<Pool>();
    for (std::int32_t i = 0; i < MaxNode; ++i) {
        pool->Allocate();
    }
    EXPECT_EQ(pool->mEmptyCount, 0);
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
