#include "players/levels.h"

#include <array>

#include "core/check.h"

namespace nanaren {

namespace {

PlayerSettings Strong(std::int32_t playouts, int forcedWinMoves, int blunderPercent) {
    PlayerSettings settings;
    settings.playouts = playouts;
    settings.forcedWinMoves = forcedWinMoves;
    settings.blunderPercent = blunderPercent;
    return settings;
}

// The bottom two play some moves at random and search no forced wins; from
// level 3 up each level searches about three times as long as the one below.
const std::array<Level, LevelCount> Levels = {{
    {"beginner", "入門", Strong(20, 0, 40), 1},
    {"novice", "初級", Strong(60, 0, 15), 96},
    {"casual", "中級", Strong(250, 3, 0), 94},
    {"club", "上級", Strong(1000, 4, 0), 79},
    {"strong", "有段", Strong(3000, 5, 0), 73},
    {"expert", "高段", Strong(10000, 5, 0), 72},
    {"master", "名人", Strong(40000, 6, 0), 69},
}};

}  // namespace

const Level& LevelOf(int k) {
    NANAREN_ASSERT(k >= 1 && k <= LevelCount);
    return Levels[k - 1];
}

}  // namespace nanaren
