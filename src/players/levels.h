#pragma once

#include "players/strong_search.h"

namespace nanaren {

// The named strengths of the strong player, from a beginner's opponent up:
// settings only. What each is called, and how it measured, is for the
// front-ends and docs/strength.md to say.
inline constexpr int LevelCount = 8;

// The settings of level k, 1 to LevelCount.
const StrongSettings& LevelSettings(int k);

}  // namespace nanaren
