#pragma once

#include "players/player.h"

namespace nanaren {

// The named strengths of the strong player, from a beginner's opponent up.
inline constexpr int LevelCount = 7;

struct Level {
    const char* name;          // a word for it, in English
    const char* japaneseName;  // the same in Japanese, as UTF-8
    PlayerSettings settings;   // the strong player's budget and options
    // Measured in the README's ladder: the share of the points this level
    // takes against the level below it (level 1: against the line-builder).
    int percentAgainstBelow;
};

// Level k, 1 to LevelCount.
const Level& LevelOf(int k);

}  // namespace nanaren
