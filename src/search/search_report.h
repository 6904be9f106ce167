#pragma once

#include <cstdint>
#include <optional>

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
};

// What a player chose.
struct SearchResult {
    Vertex move = Pass;                      // a legal point, or Pass without one
    std::optional<SearchEstimate> estimate;  // none for a pass
};

}  // namespace nanaren
