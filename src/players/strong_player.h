#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/point_set.h"
#include "core/random.h"
#include "players/player.h"
#include "players/threats.h"
#include "search/playout_policy.h"
#include "search/tree.h"

namespace nanaren {

// The strong computer player. Before it searches it answers what cannot wait:
// it takes a win in one, stops the opponent's win in one (by a block or a
// capture that breaks the line), plays a forced win by consecutive threats,
// and keeps to the moves that stop the opponent's. It then grows a
// Monte-Carlo tree whose all-moves-as-first statistics count the mover's own
// later moves, in the tree and in the playout, each child weighing them by how
// many it has; the moves of long lines and captures start with a few virtual
// wins. The playouts are the exact player's.
class StrongPlayer : public Player {
  public:
    explicit StrongPlayer(const PlayerSettings& settings);
    ~StrongPlayer() override;
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

  private:
    // What the position demands before any search.
    struct Plan {
        Vertex decided = NoVertex;  // a move to play without searching
        bool wins = false;          // the decided move wins by force
        PointSet moves;             // otherwise the root's moves, all when empty
    };
    Plan MakePlan(int color);
    PointSet MovesStoppingForcedWin(int color);
    Vertex AnyMoveNearStones(int color);

    SearchResult Search(const Plan& plan, int color, SearchObserver& observer);
    void Iterate();
    void Expand(std::int32_t node, int color, const PointSet& allowed);
    std::int32_t Select(std::int32_t node);
    void Backup(float result, int recordAfterPath);
    float VisitsToExpand() const;

    PlayerSettings mSettings;
    std::unique_ptr<Tree> mTree;  // the search tree, reset for every move
    PlayoutPolicy mPolicy;        // the working board and the playouts
    ThreatSearch mThreats;        // forced wins and the replies to a winning point
    Board mStart;                 // the position searched, its record cut short
    // The moves of an iteration after the root: the path's, then the playout's.
    std::array<Vertex, MaxDepth + MaxRecordSize> mMoves;
};

}  // namespace nanaren
