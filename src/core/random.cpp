#include "core/random.h"

namespace nanaren {

void Random::Seed(std::time_t clock) {
    const std::uint32_t lowBits =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(clock) & 0xFFFF);
    for (std::uint32_t i = 0; i < lowBits + 1001; ++i)
        Next();
}

}  // namespace nanaren
