#pragma once

#include <cstdint>
#include <vector>

#include "check.h"
#include "node.h"

namespace nanaren {

inline constexpr std::int32_t MaxNode = 0x100000;

// The fixed store of MaxNode nodes, allocated once, with a stack of free slot
// numbers. Releasing a slot never writes into its node.
class Pool {
  public:
    Pool();
    // The store is tens of megabytes: it is never copied.
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // The node in a slot; -1 and slots of MaxNode or more stop the program.
    Node& At(std::uint32_t idx) {
        NANAREN_ASSERT(idx < mData.size());
        return mData[idx];
    }
    const Node& At(std::uint32_t idx) const {
        NANAREN_ASSERT(idx < mData.size());
        return mData[idx];
    }

    // Pops the top free slot, without initialising its node.
    std::int32_t Allocate();
    void Release(std::int32_t idx);
    // Puts every slot back on the stack in ascending order, so that the
    // highest slot is handed out first.
    void ReleaseAll();

    std::vector<Node> mData;                // every node, all zero at construction
    std::vector<std::int32_t> mEmptyIndex;  // free slots below mEmptyCount, top last
    std::int32_t mEmptyCount;               // number of free slots
};

}  // namespace nanaren
