#pragma once

#include <cstdint>
#include <memory>

#include "players/player.h"
#include "search/playout_policy.h"

namespace nanaren {

class Tree;

// The exact computer player: a Monte-Carlo tree search over a working copy of
// the position, with the playout policy's tactics and its line analysis.
class ExactPlayer : public Player {
  public:
    // Creates the tree, whose node store is allocated here once.
    explicit ExactPlayer(const PlayerSettings& settings = {});
    ~ExactPlayer() override;
    ExactPlayer(const ExactPlayer&) = delete;
    ExactPlayer& operator=(const ExactPlayer&) = delete;

    // Searches the position for color with the settings' playouts plus one
    // iterations, reports, and returns the most visited move; Pass, with no
    // estimate, when color has no legal move.
    SearchResult Think(const Position& position, int color, Random& random,
                       SearchObserver& observer) override;
    // One search iteration from the root; the caller restores the board.
    void Iterate();
    // Creates the children of a leaf for color, the side to move there.
    void Expand(std::int32_t node, int color);
    bool NeedsExpansion(std::int32_t node) const;

    std::int32_t mPlayouts;       // playouts per move
    std::unique_ptr<Tree> mTree;  // the search tree, reset for every move
    // The working board, the playouts and the line analysis; its generator
    // is the caller's while a search runs, taken in at the start and handed
    // back at the end.
    PlayoutPolicy mPolicy;

  private:
    void RunIterations(const Board& start, SearchObserver& observer);
    void KeepOnlyChild(std::int32_t node, Vertex move);
};

}  // namespace nanaren
