#pragma once

#include "player.h"

namespace nanaren {

// The named strengths of the strong player, from a beginner's opponent up.
inline constexpr int LevelCount = 7;

struct Level {
    const char* name;         // a word for it, in English
    const char* strength;     // how it plays, in a few words measured in games
    PlayerSettings settings;  // the strong player's budget and options
};

// Level k, 1 to LevelCount.
const Level& LevelOf(int k);

}  // namespace nanaren
