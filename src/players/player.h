#pragma once

#include <cstdint>
#include <optional>

#include "game/geometry.h"

namespace nanaren {

class Position;
class Random;

// The playouts per move of the game as it is played at the console.
inline constexpr std::int32_t DefaultPlayoutCount = 20000;

// What a player is given besides the position: its budget and options.
struct PlayerSettings {
    std::int32_t playouts = DefaultPlayoutCount;  // playouts per move; negative: no search

    // The strong player's options.
    int forcedWinMoves = 5;     // attacker moves of its search for forced wins; 0: none
    float amafBias = 0.05f;     // b0 of each child's all-moves-as-first weight
    float exploration = 0.02f;  // weight of the descent's exploration term
    float expandAt = 2.0f;      // visits that make a leaf grow children
    int blunderPercent = 0;     // moves played at random near the stones, in percent
    int threatPrior = 3;        // virtual wins for the moves of long lines and captures
};

// The chosen move's estimate, as a search reports it.
struct SearchEstimate {
    int winningRate;       // the move's value in percent, truncated toward zero
    Vertex expectedReply;  // the most visited reply, NoVertex when the move was never expanded
};

// Receives a search's report while it runs.
class SearchObserver {
  public:
    virtual ~SearchObserver() = default;
    // Before the first iteration.
    virtual void Started() {}
    // At every twentieth of the iterations (at the first when there are fewer
    // than twenty): the share done, in percent.
    virtual void Progress(std::int64_t /*percent*/) {}
    // After the last iteration: the chosen move's estimate, none when the
    // player has no legal move.
    virtual void Finished(const std::optional<SearchEstimate>& /*estimate*/) {}
};

// What a player chose.
struct SearchResult {
    Vertex move = Pass;                      // a legal point, or Pass without one
    std::optional<SearchEstimate> estimate;  // none for a pass
};

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
};

}  // namespace nanaren
