#pragma once

#include <ctime>
#include <vector>

#include "game/geometry.h"

namespace nanaren {

// The most plies a random opening takes.
inline constexpr int MaxOpeningPlies = 40;

// plies legal moves drawn at random, none of them a pass or a win, from a
// generator seeded with clock, such that neither side then has a winning
// point: a start for a pair of games that neither colour has already won.
// The same clock gives the same opening. plies is 0 to MaxOpeningPlies.
std::vector<Vertex> RandomOpening(std::time_t clock, int plies);

}  // namespace nanaren
