#include "search/pool.h"

#include <algorithm>

namespace nanaren {

Pool::Pool() : mData(MaxNode), mEmptyIndex(MaxNode) {
    ReleaseAll();
}

std::int32_t Pool::Allocate() {
    NANAREN_ASSERT(mEmptyCount > 0);
    --mEmptyCount;
    return FreeSlotAt(mEmptyCount);
}

void Pool::Release(std::int32_t idx) {
    NANAREN_ASSERT(mEmptyCount < (int)mEmptyIndex.size());
    mEmptyIndex[mEmptyCount] = idx;
    mWrittenFrom = std::min(mWrittenFrom, mEmptyCount);
    ++mEmptyCount;
}

void Pool::ReleaseAll() {
    mEmptyCount = MaxNode;
    mWrittenFrom = MaxNode;
}

}  // namespace nanaren
