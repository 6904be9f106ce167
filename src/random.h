#pragma once

#include <cstdint>
#include <ctime>

namespace nanaren {

// The state of the process-wide generator at program start.
inline constexpr std::uint32_t RandomStartState = 2463534242u;
// The playouts per move when think.txt gives none.
inline constexpr std::int32_t DefaultPlayoutCount = 20000;
// The one process-wide xorshift state; every random choice draws from it.
extern std::uint32_t Random;

// The 32-bit xorshift generator with shifts (13, 17, 5).
inline std::uint32_t NextRandom() {
    std::uint32_t x = Random;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    Random = x;
    return x;
}

// Advances the generator by 1001 plus the clock's low 16 bits draws.
void SeedRandom(std::time_t t);

// The first integer of think.txt read as "%d" would read it, or the default.
std::int32_t ReadPlayoutCount();

}  // namespace nanaren
