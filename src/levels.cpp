#include "levels.h"

#include <array>

#include "check.h"

namespace nanaren {

namespace {

PlayerSettings Strong(std::int32_t playouts, int forcedWinMoves, int blunderPercent) {
    PlayerSettings settings;
    settings.playouts = playouts;
    settings.forcedWinMoves = forcedWinMoves;
    settings.blunderPercent = blunderPercent;
    return settings;
}

const std::array<Level, LevelCount> Levels = {{
    {"beginner", "", Strong(30, 0, 30)},
    {"novice", "", Strong(100, 0, 10)},
    {"casual", "", Strong(300, 2, 0)},
    {"club", "", Strong(1000, 3, 0)},
    {"strong", "", Strong(3000, 4, 0)},
    {"expert", "", Strong(10000, 5, 0)},
    {"master", "", Strong(30000, 5, 0)},
}};

}  // namespace

const Level& LevelOf(int k) {
    NANAREN_ASSERT(k >= 1 && k <= LevelCount);
    return Levels[k - 1];
}

}  // namespace nanaren
