#pragma once

#include <cstdint>

#include "player.h"

namespace nanaren {

// A search reports its progress twenty times.
inline constexpr std::int64_t ProgressSteps = 20;

// Runs iterate playouts + 1 times (none when playouts is negative),
// reporting the share done before every twentieth run, or once at the start
// when there are fewer than twenty. Counts are 64-bit so that the largest
// settings neither overflow the loop nor the percentage.
template <typename F>
void RunWithProgress(std::int64_t playouts, SearchObserver& observer, F&& iterate) {
    const std::int64_t interval = playouts / ProgressSteps;
    for (std::int64_t i = 0; i <= playouts; ++i) {
        const bool report = interval == 0 ? i == 0 : i % interval == 0;
        if (report) observer.Progress(playouts == 0 ? 0 : 100 * i / playouts);
        iterate();
    }
}

}  // namespace nanaren
