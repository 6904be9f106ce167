#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace nanaren {

// The natural logarithm of a visit count, taken in double and rounded to
// float: the same on every platform, as every library's log agrees on the
// float it rounds to. A descent takes one at every step, and the counts are
// whole numbers: those below the table's size are worked out once each, when
// first needed.
class CountLogarithms {
  public:
    CountLogarithms() { mLogOfCount.fill(-1.0f); }

    float Of(float count) {
        if (!(count >= 0.0f && count < static_cast<float>(mLogOfCount.size()))) return LogOf(count);
        const auto n = static_cast<std::uint32_t>(count);
        if (static_cast<float>(n) != count) return LogOf(count);
        float& log = mLogOfCount[n];
        if (log < 0.0f) log = LogOf(n);
        return log;
    }

  private:
    static float LogOf(double x) { return static_cast<float>(std::log(x)); }

    std::array<float, 1 << 16> mLogOfCount;  // by count: its logarithm, -1 for not yet
};

}  // namespace nanaren
