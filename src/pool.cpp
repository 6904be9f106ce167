#include "pool.h"

#include <numeric>

namespace nanaren {

Pool::Pool() : mData(MaxNode), mEmptyIndex(MaxNode) {
    ReleaseAll();
}

std::int32_t Pool::Allocate() {
    NANAREN_ASSERT(mEmptyCount > 0);
    --mEmptyCount;
    return mEmptyIndex[mEmptyCount];
}

void Pool::Release(std::int32_t idx) {
    NANAREN_ASSERT(mEmptyCount < (int)mEmptyIndex.size());
    mEmptyIndex[mEmptyCount] = idx;
    ++mEmptyCount;
}

void Pool::ReleaseAll() {
    std::iota(mEmptyIndex.begin(), mEmptyIndex.end(), 0);
    mEmptyCount = MaxNode;
}

}  // namespace nanaren
