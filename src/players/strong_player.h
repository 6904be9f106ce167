#pragma once

#include "core/point_set.h"
#include "core/random.h"
#include "players/player.h"
#include "players/strong_search.h"
#include "players/threats.h"
#include "search/driver.h"

namespace nanaren {

// The strong computer player. Before it searches it answers what cannot wait:
// it takes a win in one, stops the opponent's win in one (by a block or a
// capture that breaks the line), plays a forced win by consecutive threats,
// and keeps to the moves that stop the opponent's. It then grows its tree
// (StrongSearch). The playouts are the exact player's.
class StrongPlayer : public Player {
  public:
    explicit StrongPlayer(const StrongSettings& settings);
    StrongPlayer(const StrongPlayer&) = delete;
    StrongPlayer& operator=(const StrongPlayer&) = delete;

    // Draws once from random for a generator of its own, so that its search
    // is the same wherever the game's generator stands.
    SearchResult Think(const Position& position, int color, Random& random,
                       SearchObserver& observer) override;
    bool FollowSearch(Random& random) override {
        random.Split();
        return true;
    }
    std::vector<Candidate> Candidates(int lineLength) const override;

  private:
    // What the position demands before any search.
    struct Plan {
        Vertex decided = NoVertex;  // a move to play without searching
        bool wins = false;          // the decided move wins by force
        PointSet moves;             // otherwise the root's moves, all when empty
    };
    Plan MakePlan(int color);
    Vertex AnyMoveNearStones(int color);
    SearchResult ReportDecidedWin(Vertex move, SearchObserver& observer);

    StrongSettings mSettings;    // the budget and the options
    SearchWorkspace mWorkspace;  // the tree and the working board
    StrongSearch mSearch;        // the tree's formulas
    ThreatSearch mThreats;       // forced wins and the replies to a winning point
};

}  // namespace nanaren
