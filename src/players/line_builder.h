#pragma once

#include "players/player.h"

namespace nanaren {

// A scripted opponent that does nothing but build a straight line: it plays
// the empty point of the most promising seven-point window (the most of its
// own stones and none of the other side's), nearest the centre, and ignores
// the other side's stones elsewhere. As a blocker it first stops a win in
// one. It draws nothing from the generator.
class LineBuilder : public Player {
  public:
    explicit LineBuilder(bool blocks) : mBlocks(blocks) {}

    SearchResult Think(const Position& position, int color, Random& random,
                       SearchObserver& observer) override;
    bool FollowSearch(Random& /*random*/) override { return true; }

  private:
    bool mBlocks;  // stops the other side's win in one first
};

}  // namespace nanaren
