#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "game/geometry.h"

namespace nanaren {

// A set of vertices as 128 bits, one per vertex of the grid.
class PointSet {
  public:
    static PointSet Of(Vertex v) {
        PointSet set;
        set.Add(v);
        return set;
    }

    void Add(Vertex v) { mWords[v >> 6] |= Bit(v); }
    void Remove(Vertex v) { mWords[v >> 6] &= ~Bit(v); }
    void AddIf(Vertex v, bool add) {
        mWords[v >> 6] |= static_cast<std::uint64_t>(add) << (v & 63);
    }
    void AddAll(const PointSet& other) {
        mWords[0] |= other.mWords[0];
        mWords[1] |= other.mWords[1];
    }
    bool IsEmpty() const { return (mWords[0] | mWords[1]) == 0; }
    int Count() const { return CountBits(mWords[0]) + CountBits(mWords[1]); }
    bool Contains(Vertex v) const { return (mWords[v >> 6] >> (v & 63) & 1) != 0; }
    // Calls f with each point of the set, in ascending order.
    template <typename F>
    void ForEach(F&& f) const {
        for (int word = 0; word < 2; ++word) {
            for (std::uint64_t bits = mWords[word]; bits != 0; bits &= bits - 1)
                f(64 * word + std::countr_zero(bits));
        }
    }
    // Whether v is the one point of the set.
    bool IsOnly(Vertex v) const {
        const std::uint64_t only = Bit(v);
        return v < 64 ? mWords[0] == only && mWords[1] == 0 : mWords[1] == only && mWords[0] == 0;
    }
    // The one point of the set, or NoVertex when it holds none or several.
    Vertex Single() const {
        if (mWords[1] == 0) return IsSingleBit(mWords[0]) ? std::countr_zero(mWords[0]) : NoVertex;
        if (mWords[0] == 0) {
            return IsSingleBit(mWords[1]) ? 64 + std::countr_zero(mWords[1]) : NoVertex;
        }
        return NoVertex;
    }
    // The lowest point of the set, or NoVertex when it is empty.
    Vertex First() const {
        if (mWords[0] != 0) return std::countr_zero(mWords[0]);
        return mWords[1] != 0 ? 64 + std::countr_zero(mWords[1]) : NoVertex;
    }
    bool operator==(const PointSet&) const = default;

  private:
    static std::uint64_t Bit(Vertex v) { return std::uint64_t{1} << (v & 63); }
    static bool IsSingleBit(std::uint64_t w) { return w != 0 && (w & (w - 1)) == 0; }
    // By halves, nibbles and bytes: a population count is no single
    // instruction on every target.
    static int CountBits(std::uint64_t w) {
        w -= (w >> 1) & 0x5555555555555555u;
        w = (w & 0x3333333333333333u) + ((w >> 2) & 0x3333333333333333u);
        w = (w + (w >> 4)) & 0x0f0f0f0f0f0f0f0fu;
        return static_cast<int>((w * 0x0101010101010101u) >> 56);
    }

    std::array<std::uint64_t, 2> mWords{};  // vertices 0-63, then 64-120
};

}  // namespace nanaren
