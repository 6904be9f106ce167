#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>

#include "core/check.h"
#include "search/node.h"

namespace nanaren {

inline constexpr std::int32_t MaxNode = 0x100000;

// A fixed array of plain values, all bytes zero at the start. It comes from
// calloc, whose large blocks are pages of zeros that the system maps only
// when they are first touched: a search that uses a tenth of the store costs
// a tenth of its memory and no time to clear the rest.
template <typename T>
class ZeroedArray {
    static_assert(std::is_trivially_copyable_v<T>, "all bytes zero must be a value of T");

  public:
    explicit ZeroedArray(std::size_t size)
        : mData(static_cast<T*>(std::calloc(size, sizeof(T)))), mSize(size) {
        if (mData == nullptr) throw std::bad_alloc();
    }
    ~ZeroedArray() { std::free(mData); }
    ZeroedArray(const ZeroedArray&) = delete;
    ZeroedArray& operator=(const ZeroedArray&) = delete;

    std::size_t size() const { return mSize; }
    T& operator[](std::size_t i) { return mData[i]; }
    const T& operator[](std::size_t i) const { return mData[i]; }
    T& back() { return mData[mSize - 1]; }
    T* data() { return mData; }
    T* begin() { return mData; }
    T* end() { return mData + mSize; }

  private:
    T* mData;
    std::size_t mSize;
};

// The fixed store of MaxNode nodes, allocated once, with a stack of free slot
// numbers. Releasing a slot never writes into its node.
class Pool {
  public:
    Pool();
    // The store is tens of megabytes: it is never copied.
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // The node in a slot; NoNode and slots of MaxNode or more stop the program.
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
    // highest slot is handed out first. Nothing is written: the entries
    // below mWrittenFrom are read as their own position.
    void ReleaseAll();
    std::int32_t FreeCount() const { return mEmptyCount; }

  private:
    // The free slot at a position of the stack, below mEmptyCount.
    std::int32_t FreeSlotAt(std::int32_t position) const {
        return position < mWrittenFrom ? position : mEmptyIndex[position];
    }

    ZeroedArray<Node> mData;                // every node, all zero at construction
    ZeroedArray<std::int32_t> mEmptyIndex;  // free slots below mEmptyCount, top last
    std::int32_t mEmptyCount;               // number of free slots
    std::int32_t mWrittenFrom;              // entries below it hold their own position
};

}  // namespace nanaren
