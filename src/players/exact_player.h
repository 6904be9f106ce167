#pragma once

#include <cstdint>

#include "players/exact_search.h"
#include "players/player.h"
#include "search/driver.h"

namespace nanaren {

// What the exact player reads: its budget.
struct ExactSettings {
    std::int32_t playouts = DefaultPlayoutCount;  // playouts per move; negative: no search

    bool operator==(const ExactSettings&) const = default;
};

// The exact computer player: a Monte-Carlo tree search over a working copy of
// the position, with the playout policy's tactics and its line analysis.
// Its searches draw from the game's own generator.
class ExactPlayer : public Player {
  public:
    // The tree's node store is allocated here once.
    explicit ExactPlayer(const ExactSettings& settings = {});
    ExactPlayer(const ExactPlayer&) = delete;
    ExactPlayer& operator=(const ExactPlayer&) = delete;

    // Searches the position for color with the settings' playouts plus one
    // iterations, reports, and returns the most visited move; Pass, with no
    // estimate, when color has no legal move.
    SearchResult Think(const Position& position, int color, Random& random,
                       SearchObserver& observer) override;

    // Every root move has the same prior.
    std::vector<Candidate> Candidates(int lineLength) const override;

    // The tree of the last search, for looking into it.
    const Tree& LastTree() const { return mWorkspace.GetTree(); }

  private:
    ExactSettings mSettings;     // the budget
    SearchWorkspace mWorkspace;  // the tree and the working board
    ExactSearch mSearch;         // the tree's formulas
};

}  // namespace nanaren
