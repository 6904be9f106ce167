#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/point_set.h"
#include "players/move_priors.h"
#include "players/player.h"
#include "search/count_logarithms.h"
#include "search/driver.h"

namespace nanaren {

// What the strong player reads: its budget, its plan and its tree's formula.
struct StrongSettings {
    std::int32_t playouts = DefaultPlayoutCount;  // playouts per move; negative: no search
    int forcedWinMoves = 5;     // attacker moves of its search for forced wins; 0: none
    float amafBias = 0.05f;     // b0 of each child's all-moves-as-first weight
    float exploration = 0.02f;  // weight of the descent's exploration term
    float expandAt = 2.0f;      // visits that make a leaf grow children
    int blunderPercent = 0;     // moves played at random near the stones, in percent
    int threatPrior = 3;        // virtual wins for the moves of long lines and captures
    int lanes = 1;              // trees searched apart, each with its share of the playouts
    int learnedPrior = 10;      // visits a child's learned prior is worth in its mean; 0: none
    int learnedAmafPrior = 0;   // the same in its all-moves-as-first mean
    int playoutDraws = 1;       // points a playout's random move picks from by pattern weight

    bool operator==(const StrongSettings&) const = default;
};

// The strong player's tree. Its all-moves-as-first statistics count the
// mover's own later moves, in the tree and in the playout, each child
// weighing them by how many it has; the moves of long lines and captures
// start with a few virtual wins, and with learned priors each child starts
// with virtual results worth its learned weight against its average
// sibling; a leaf grows later as the store fills.
class StrongSearch {
  public:
    StrongSearch(const StrongSettings& settings, SearchWorkspace& workspace)
        : mSettings(settings), mWorkspace(workspace), mPriors(MovePriors::Learned()) {}
    StrongSearch(const StrongSearch&) = delete;
    StrongSearch& operator=(const StrongSearch&) = delete;

    // The moves the root may grow, all its legal moves when empty.
    void SetRootMoves(const PointSet& moves) { mRootMoves = moves; }
    // The share of the root's first visits and virtual wins that went to
    // its move v.
    double RootPrior(Vertex v) const;

    // The driver's steps (see Iterate).
    bool ShouldExpand(std::int32_t leaf) const;
    void Expand(std::int32_t node, int color);
    std::int32_t Select(std::int32_t node);
    void Backup(float result, int recordAfterPath);

  private:
    float VisitsToExpand() const;
    void AddLearnedPriors(std::span<const std::int32_t> children, std::span<const float> weights,
                          float total);

    const StrongSettings& mSettings;  // the player's
    SearchWorkspace& mWorkspace;      // the tree and the working board
    const MovePriors& mPriors;        // the learned weights of moves
    CountLogarithms mLogs;            // of the visit counts
    PointSet mRootMoves;              // what the plan allows at the root
    PointSet mRootUrgent;             // the root's children given virtual wins
    float mRootWeight = 0.0f;         // the first visits of all the root's children
    float mRootLearned = 0.0f;        // the learned weights of all the root's children
    std::array<float, MaxVertexSize> mRootWeights{};  // by move: a root child's learned weight
    // The moves of an iteration after the root: the path's, then the playout's.
    std::array<Vertex, MaxDepth + MaxRecordSize> mMoves;
};

}  // namespace nanaren
