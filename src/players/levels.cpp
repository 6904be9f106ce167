#include "players/levels.h"

#include <array>

#include "core/check.h"

namespace nanaren {

namespace {

StrongSettings Strong(std::int32_t playouts, int forcedWinMoves, int blunderPercent) {
    StrongSettings settings;
    settings.playouts = playouts;
    settings.forcedWinMoves = forcedWinMoves;
    settings.blunderPercent = blunderPercent;
    return settings;
}

// The bottom two play some moves at random and search no forced wins; from
// level 3 up each level searches about three times as long as the one below.
const std::array<StrongSettings, LevelCount> Levels = {{
    Strong(20, 0, 40),
    Strong(60, 0, 15),
    Strong(250, 3, 0),
    Strong(1000, 4, 0),
    Strong(3000, 5, 0),
    Strong(10000, 5, 0),
    Strong(40000, 6, 0),
}};

}  // namespace

const StrongSettings& LevelSettings(int k) {
    NANAREN_ASSERT(k >= 1 && k <= LevelCount);
    return Levels[k - 1];
}

}  // namespace nanaren
