#pragma once

#include <cstdint>
#include <ctime>

namespace nanaren {

// The 32-bit xorshift generator with shifts (13, 17, 5). Every generator
// starts from the same state, so its numbers are one fixed sequence, entered
// where the seeding leaves it. Whatever draws is handed the generator: a game
// owns one, and nothing else keeps a state of its own.
class Random {
  public:
    // The state every generator starts from.
    static constexpr std::uint32_t StartState = 2463534242u;

    std::uint32_t Next() {
        std::uint32_t x = mState;
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        mState = x;
        return x;
    }
    // A draw reduced to 0..n-1 by its remainder; n must be positive.
    std::uint32_t Below(int n) { return Next() % static_cast<std::uint32_t>(n); }

    // Advances by 1001 plus the clock's low 16 bits draws.
    void Seed(std::time_t clock);

    // A generator of its own for one search, entered at a place of the
    // sequence that one draw of this generator picks, mixed so that searches
    // seeded by consecutive draws do not run along the same numbers.
    Random Split() {
        std::uint32_t x = Next();
        x ^= x >> 16;
        x *= 0x85ebca6bu;
        x ^= x >> 13;
        x *= 0xc2b2ae35u;
        x ^= x >> 16;
        Random split;
        split.mState = x == 0 ? StartState : x;
        return split;
    }

    // The state, to come back to it when a game is taken back.
    std::uint32_t State() const { return mState; }
    // Returns to a state this generator had.
    void Restore(std::uint32_t state) { mState = state; }

    bool operator==(const Random&) const = default;

  private:
    std::uint32_t mState = StartState;  // the last number drawn
};

}  // namespace nanaren
