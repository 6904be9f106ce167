#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/geometry.h"

namespace nanaren {

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
    // Asked before every iteration: true ends the search there, with the
    // move the iterations so far found. Only an analysis that a person or a
    // program cuts short asks to stop; a game's moves never do.
    virtual bool ShouldStop() { return false; }
};

// A move the search considered at its root.
struct Candidate {
    Vertex move;               // the root's move
    int visits;                // results backed up through it
    double winRate;            // its mean result for the side that plays it, 0 to 1
    double prior;              // what the search believed of it before any result, 0 to 1
    std::vector<Vertex> line;  // the move, then the most visited reply at each step
};

// What a player chose.
struct SearchResult {
    Vertex move = Pass;                      // a legal point, or Pass without one
    std::optional<SearchEstimate> estimate;  // none for a pass
};

}  // namespace nanaren
