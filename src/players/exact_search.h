#pragma once

#include <array>
#include <cstdint>

#include "search/count_logarithms.h"
#include "search/driver.h"

namespace nanaren {

// The exact player's tree: a leaf grows on its third visit, the root with
// every legal point and an inner node with the legal points next to a stone
// (a winning move alone, when there is one); children are chosen by the
// blended bound of their own and their all-moves-as-first statistics; a
// result credits, at every level of the path, the siblings whose moves were
// played later on the path.
class ExactSearch {
  public:
    explicit ExactSearch(SearchWorkspace& workspace) : mWorkspace(workspace) {}
    ExactSearch(const ExactSearch&) = delete;
    ExactSearch& operator=(const ExactSearch&) = delete;

    // The driver's steps (see Iterate).
    bool ShouldExpand(std::int32_t leaf) const;
    void Expand(std::int32_t node, int color);
    std::int32_t Select(std::int32_t node);
    void Backup(float result, int /*recordAfterPath*/) { Update(result); }

    // Backs up the result x, seen by the player to move at the path's start,
    // along the path, crediting the siblings of each entry whose moves were
    // played later on the path.
    void Update(float x);

  private:
    void KeepOnlyChild(std::int32_t node, Vertex move);
    void CreditLaterMoves(std::int32_t parent, std::int32_t entry, double r);

    SearchWorkspace& mWorkspace;  // the tree and the working board
    CountLogarithms mLogs;        // of the visit counts

    // A child list indexed by move during an update; an entry counts only
    // when its stamp is the current one.
    struct IndexedChild {
        std::int32_t slot;
        std::uint32_t stamp;
    };
    std::array<IndexedChild, MaxVertexSize> mChildByMove{};
    std::uint32_t mChildStamp = 0;
};

}  // namespace nanaren
