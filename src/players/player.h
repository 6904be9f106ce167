#pragma once

#include <cstdint>
#include <vector>

#include "search/search_report.h"

namespace nanaren {

class Position;
class Random;

// The playouts per move of the game as it is played at the console.
inline constexpr std::int32_t DefaultPlayoutCount = 20000;

// A computer player: given a position and the colour to play, it searches,
// drawing from the game's generator, reports, and returns its move. It never
// changes the position; the caller plays the move.
class Player {
  public:
    virtual ~Player() = default;
    virtual SearchResult Think(const Position& position, int color, Random& random,
                               SearchObserver& observer) = 0;
    // Moves the generator on as a search would, without searching, for a
    // player whose draws do not depend on the position; false, with nothing
    // drawn, for one that only a search can follow.
    virtual bool FollowSearch(Random& /*random*/) { return false; }
    // The moves its search weighed at the root, the most visited first, each
    // with a line of up to lineLength moves: those of the search running (when
    // asked from its observer) or of the last one; none for a player that
    // does not search.
    virtual std::vector<Candidate> Candidates(int /*lineLength*/) const { return {}; }
};

}  // namespace nanaren
