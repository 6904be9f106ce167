// The search driver: one tree per move, grown by selection, expansion,
// playout and backup, and the report of what it found.

#include "players/exact_player.h"

#include "game/position.h"
#include "search/search_driver.h"
#include "search/tree.h"

namespace nanaren {

namespace {

constexpr float ExpansionVisits = 3.0f;

}  // namespace

ExactPlayer::ExactPlayer(const PlayerSettings& settings)
    : mPlayouts(settings.playouts), mTree(std::make_unique<Tree>()) {}

ExactPlayer::~ExactPlayer() = default;

SearchResult ExactPlayer::Think(const Position& position, int color, Random& random,
                        SearchObserver& observer) {
    const Board& start = position.GetBoard();
    PlayoutPolicy& policy = mPolicy;
    policy.mBoard.CopyPosition(start);
    policy.mMyColor = color;
    policy.mRandom = random;
    Tree& tree = *mTree;
    tree.Reset();
    const std::int32_t root = tree.BeginPath();
    Expand(root, color);

    observer.Started();
    if (!tree.IsLeaf(root)) RunIterations(start, observer);
    random = policy.mRandom;

    const SearchResult result = ResultAtRoot(tree, root);
    tree.Clear();
    observer.Finished(result.estimate);
    return result;
}

void ExactPlayer::RunIterations(const Board& start, SearchObserver& observer) {
    RunWithProgress(mPlayouts, observer, [&] {
        Iterate();
        mPolicy.mBoard.CopyPosition(start);
    });
}

void ExactPlayer::Iterate() {
    Tree& tree = *mTree;
    PlayoutPolicy& policy = mPolicy;
    std::int32_t node = tree.BeginPath();
    policy.mThreat = {0, 0};
    int color = policy.mMyColor;
    for (;;) {
        const std::int32_t child = tree.Select(node);
        if (child == NoNode) {
            // The expansion found no candidate: play out from the node itself.
            tree.PopPath();
            tree.Update(policy.Playout(color));
            return;
        }
        node = child;
        const Vertex move = tree.At(node).move;
        const Board::PutResult ret = policy.PlayDescentMove(move, color);
        NANAREN_ASSERT(ret != Board::Failure);
        if (ret == Board::Win) {
            tree.Update(color == policy.mMyColor ? 1.0f : 0.0f);
            return;
        }
        color = Opposite(color);
        if (!tree.IsLeaf(node)) continue;
        if (NeedsExpansion(node) && tree.HasRoomToExpand(policy.mBoard.mEmptySize)) {
            Expand(node, color);
            continue;
        }
        tree.Update(policy.Playout(color));
        return;
    }
}

bool ExactPlayer::NeedsExpansion(std::int32_t node) const {
    return mTree->At(node).visits >= ExpansionVisits;
}

void ExactPlayer::Expand(std::int32_t node, int color) {
    Tree& tree = *mTree;
    const bool isRoot = node == tree.mRoot;
    Board& board = mPolicy.mBoard;
    const int size = board.mEmptySize;
    std::int32_t last = NoNode;
    for (int i = 0; i < size; ++i) {
        const Vertex v = board.mEmpty[i];
        // Away from the root only points next to a stone are candidates.
        if (!isRoot && !board.HasStoneAround(v)) continue;
        // Trying the move in place changes nothing, as putting it and
        // restoring the position would.
        const Board::PutResult r = board.TryPut(i, color);
        if (r == Board::Failure) continue;
        if (r == Board::Win) {
            KeepOnlyChild(node, v);
            return;
        }
        last = tree.AppendChild(node, last, v);
        Node& child = tree.At(last);
        child.visits = 1.0f;
        child.value = static_cast<float>(1.0 - static_cast<double>(tree.At(node).value));
    }
}

// A winning move makes every other candidate pointless: the children made so
// far go back to the store and the winning move is the only child.
void ExactPlayer::KeepOnlyChild(std::int32_t node, Vertex move) {
    Tree& tree = *mTree;
    tree.FreeChain(tree.At(node).firstChild);  // fresh leaves, released in list order
    Node& child = tree.At(tree.AddChild(node, static_cast<std::int16_t>(move)));
    child.visits = 1.0f;
    child.value = 1.0f;
}

}  // namespace nanaren
