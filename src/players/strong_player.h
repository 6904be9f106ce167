#pragma once

#include <array>
#include <memory>
#include <vector>

#include "core/point_set.h"
#include "core/random.h"
#include "players/player.h"
#include "players/strong_search.h"
#include "players/threats.h"
#include "search/driver.h"
#include "search/lane_threads.h"

namespace nanaren {

// The strong computer player. Before it searches it answers what cannot wait:
// it takes a win in one, stops the opponent's win in one (by a block or a
// capture that breaks the line), plays a forced win by consecutive threats,
// and keeps to the moves that stop the opponent's. It then grows its trees
// (StrongSearch): the search is split into the settings' lanes, each a tree
// with a generator of its own, run on up to threads threads and merged at
// the root in lane order, so that its move is the same on any number of
// threads. The playouts are the exact player's.
class StrongPlayer : public Player {
  public:
    // threads: how many may search at once, AllCores for one per core.
    explicit StrongPlayer(const StrongSettings& settings, int threads = AllCores);
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
    // One tree of the search, with its working board and its formulas.
    struct Lane {
        explicit Lane(const StrongSettings& settings) : search(settings, workspace) {}
        SearchWorkspace workspace;  // the tree and the working board
        StrongSearch search;        // the tree's formulas
    };

    // What the position demands before any search.
    struct Plan {
        Vertex decided = NoVertex;  // a move to play without searching
        bool wins = false;          // the decided move wins by force
        PointSet moves;             // otherwise the root's moves, all when empty
    };
    Plan MakePlan(int color);
    Vertex AnyMoveNearStones(int color);
    SearchResult ReportDecidedWin(Vertex move, SearchObserver& observer);
    SearchResult SearchLanes(const Board& position, int color, const PointSet& rootMoves,
                             SearchObserver& observer);
    std::int64_t PlayoutsOfLane(int lane) const;
    // Lane 0's workspace, where the plan is made.
    SearchWorkspace& First() { return mLanes.front()->workspace; }
    const SearchWorkspace& First() const { return mLanes.front()->workspace; }

    StrongSettings mSettings;                   // the budget and the options
    std::vector<std::unique_ptr<Lane>> mLanes;  // the settings' lanes, made once
    std::array<const Tree*, MaxLanes> mShown;   // the trees Candidates merges
    int mShownCount = 1;                        // the entries of mShown in use
    ThreatSearch mThreats;                      // forced wins and the replies to a winning point
    LaneThreads mThreads;                       // the threads the lanes run on
};

}  // namespace nanaren
