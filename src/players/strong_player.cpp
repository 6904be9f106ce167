#include "players/strong_player.h"

#include <algorithm>
#include <cmath>

#include "game/position.h"
#include "search/search_driver.h"
#include "search/tree.h"

namespace nanaren {

namespace {

// The working board's record keeps the two moves the playouts read, so that
// the moves of an iteration follow one another in it however long the game.
constexpr int RecordKept = 2;

void KeepRecentRecord(Board& board) {
    const int size = board.mRecordSize;
    if (size <= RecordKept) return;
    for (int i = 0; i < RecordKept; ++i)
        board.mRecord[i] = board.mRecord[size - RecordKept + i];
    board.mRecordSize = RecordKept;
}

}  // namespace

StrongPlayer::StrongPlayer(const PlayerSettings& settings)
    : mSettings(settings), mTree(std::make_unique<Tree>()), mThreats(settings.forcedWinMoves) {}

StrongPlayer::~StrongPlayer() = default;

SearchResult StrongPlayer::Think(const Position& position, int color, Random& random,
                                 SearchObserver& observer) {
    mStart.CopyPosition(position.GetBoard());
    KeepRecentRecord(mStart);
    mPolicy.mBoard.CopyPosition(mStart);
    mPolicy.mMyColor = color;
    mPolicy.mRandom = random.Split();
    Plan plan = MakePlan(color);
    if (!plan.wins && mSettings.blunderPercent > 0 &&
        mPolicy.mRandom.Below(100) < static_cast<std::uint32_t>(mSettings.blunderPercent)) {
        plan.decided = AnyMoveNearStones(color);
    }
    return Search(plan, color, observer);
}

// A legal point next to a stone (any legal point on an empty board), drawn at
// random: the move of a player who did not look.
Vertex StrongPlayer::AnyMoveNearStones(int color) {
    const Board& board = mPolicy.mBoard;
    std::array<Vertex, MaxVertexSize> moves;
    int count = 0;
    for (const bool nearOnly : {true, false}) {
        for (int i = 0; i < board.mEmptySize; ++i) {
            const Vertex v = board.mEmpty[i];
            if (nearOnly && !board.HasStoneAround(v)) continue;
            if (board.TryPut(i, color) != Board::Failure) moves[count++] = v;
        }
        if (count > 0) return moves[mPolicy.mRandom.Below(count)];
    }
    return NoVertex;
}

StrongPlayer::Plan StrongPlayer::MakePlan(int color) {
    const Board& board = mPolicy.mBoard;
    const int opponent = Opposite(color);
    Plan plan;
    const PointSet wins = WinningPoints(board, color);
    if (!wins.IsEmpty()) {
        plan.decided = wins.First();
        plan.wins = true;
        return plan;
    }
    if (!WaitingWinningPoints(board, opponent).IsEmpty()) {
        // Nothing else matters; without a defence every move loses alike.
        plan.moves = mThreats.Defences(board, opponent);
        plan.decided = plan.moves.Single();
        return plan;
    }
    if (mSettings.forcedWinMoves > 0) {
        const Vertex forced = mThreats.FindForcedWin(board, color);
        if (forced != NoVertex) {
            plan.decided = forced;
            plan.wins = true;
            return plan;
        }
        plan.moves = MovesStoppingForcedWin(color);
    }
    return plan;
}

// Where the opponent, were it to move, would win by consecutive threats: the
// moves after which it no longer can. A stopping move blocks a point of its
// lines or captures some of their stones. None when it cannot win so, or
// when nothing stops it.
PointSet StrongPlayer::MovesStoppingForcedWin(int color) {
    const Board& board = mPolicy.mBoard;
    const int opponent = Opposite(color);
    if (mThreats.FindForcedWin(board, opponent) == NoVertex) return {};
    PointSet candidates = ThreatCandidates(board, opponent);
    candidates.AddAll(AtariPoints(board, opponent));
    PointSet stopping;
    Board after;
    candidates.ForEach([&](Vertex v) {
        after.CopyPosition(board);
        if (after.PutAt(v, color) != Board::Success) return;
        if (WinningPoints(after, opponent).IsEmpty() &&
            mThreats.FindForcedWin(after, opponent) == NoVertex) {
            stopping.Add(v);
        }
    });
    return stopping;
}

SearchResult StrongPlayer::Search(const Plan& plan, int color, SearchObserver& observer) {
    Tree& tree = *mTree;
    tree.Reset();
    const std::int32_t root = tree.BeginPath();
    observer.Started();
    if (plan.wins) {
        RunWithProgress(ProgressSteps, observer, [] {});
        const SearchEstimate estimate = {100, NoVertex};
        observer.Finished(estimate);
        return {plan.decided, estimate};
    }
    Expand(root, color, plan.decided != NoVertex ? PointSet::Of(plan.decided) : plan.moves);
    if (!tree.IsLeaf(root)) {
        RunWithProgress(mSettings.playouts, observer, [&] {
            Iterate();
            mPolicy.mBoard.CopyPosition(mStart);
        });
    }
    const SearchResult result = ResultAtRoot(tree, root);
    observer.Finished(result.estimate);
    return result;
}

void StrongPlayer::Iterate() {
    Tree& tree = *mTree;
    PlayoutPolicy& policy = mPolicy;
    std::int32_t node = tree.BeginPath();
    policy.mThreat = {0, 0};
    int color = policy.mMyColor;
    for (;;) {
        if (tree.IsLeaf(node)) {
            if (tree.At(node).visits >= VisitsToExpand() &&
                tree.HasRoomToExpand(policy.mBoard.mEmptySize)) {
                Expand(node, color, {});
            }
            if (tree.IsLeaf(node)) break;
        }
        node = Select(node);
        const Board::PutResult r = policy.PlayDescentMove(tree.At(node).move, color);
        NANAREN_ASSERT(r != Board::Failure);
        if (r == Board::Win) {
            Backup(color == policy.mMyColor ? 1.0f : 0.0f, policy.mBoard.mRecordSize);
            return;
        }
        color = Opposite(color);
    }
    const int recordAfterPath = policy.mBoard.mRecordSize;
    Backup(policy.Playout(color), recordAfterPath);
}

// A leaf grows children once it has this many visits. Once half the store is
// used, each further eighth doubles it, so that a long search keeps room for
// the leaves it visits most instead of running out of nodes half-way.
float StrongPlayer::VisitsToExpand() const {
    const int eighthsUsed = (MaxNode - mTree->FreeCount()) / (MaxNode / 8);
    return mSettings.expandAt * static_cast<float>(1 << std::max(0, eighthsUsed - 3));
}

// The children of a leaf for color, the side to move there. At the root, the
// moves the plan allows, when it names any. Elsewhere color's winning move
// alone; else every legal point next to a stone (every legal point, at the
// root), the moves of lines with five of either side's stones and the
// captures of either side with a few virtual wins.
void StrongPlayer::Expand(std::int32_t node, int color, const PointSet& allowed) {
    Tree& tree = *mTree;
    const Board& board = mPolicy.mBoard;
    std::int32_t last = NoNode;
    const auto add = [&](Vertex v, float value) {
        last = tree.AppendChild(node, last, v);
        Node& child = tree.At(last);
        child.visits = 1.0f;
        child.value = value;
    };
    const bool isRoot = node == tree.mRoot;
    const bool planned = isRoot && !allowed.IsEmpty();
    const int opponent = Opposite(color);
    if (!planned) {
        const PointSet wins = WinningPoints(board, color);
        if (!wins.IsEmpty()) {
            add(wins.First(), 1.0f);
            return;
        }
    }
    PointSet urgent;
    if (mSettings.threatPrior > 0) {
        urgent = ThreatCandidates(board, color);
        urgent.AddAll(ThreatCandidates(board, opponent));
    }
    const float prior = static_cast<float>(mSettings.threatPrior);
    for (int i = 0; i < board.mEmptySize; ++i) {
        const Vertex v = board.mEmpty[i];
        const bool candidate = planned ? allowed.Contains(v) : isRoot || board.HasStoneAround(v);
        if (!candidate || board.TryPut(i, color) != Board::Success) continue;
        add(v, 0.5f);
        if (urgent.Contains(v)) {
            Node& child = tree.At(last);
            child.visits = 1.0f + prior;
            child.value = (0.5f + prior) / (1.0f + prior);
        }
    }
}

// The child with the best blend of its own mean and its all-moves-as-first
// mean, each child weighing the latter by b = a / (n + a + 4 b0^2 n a) for
// its n results and a all-moves-as-first results, plus an exploration term.
std::int32_t StrongPlayer::Select(std::int32_t idx) {
    Tree& tree = *mTree;
    const Node& node = tree.At(idx);
    const double logN = tree.LogOfCount(node.visits);
    const double bias = 4.0 * mSettings.amafBias * mSettings.amafBias;
    const double exploration = mSettings.exploration;
    double best = -1.0;
    std::int32_t chosen = NoNode;
    for (std::int32_t c = node.firstChild; c != NoNode; c = tree.At(c).nextSibling) {
        const Node& child = tree.At(c);
        const double n = child.visits;
        const double a = child.amafVisits;
        const double beta = a / (n + a + bias * n * a);
        const double score =
            (1.0 - beta) * child.value + beta * child.amafValue + exploration * std::sqrt(logN / n);
        if (score > best) {
            best = score;
            chosen = c;
        }
    }
    tree.PushPath(chosen);
    return chosen;
}

// Backs up result, 1.0 when the colour searched for won, along the path;
// every node on it credits those of its children whose moves the same side
// played later in the iteration, on the path or in the playout.
void StrongPlayer::Backup(float result, int recordAfterPath) {
    Tree& tree = *mTree;
    const Board& board = mPolicy.mBoard;
    const int pathLength = tree.mHistoryIndex;
    // The moves after the root, in order; the root's side played the even ones.
    int count = 0;
    for (int i = 1; i < pathLength; ++i)
        mMoves[count++] = tree.At(tree.mHistory[i]).move;
    for (int k = recordAfterPath; k < board.mRecordSize; ++k)
        mMoves[count++] = board.mRecord[k];

    const double x = result;
    for (int i = 0; i < pathLength; ++i) {
        Node& entry = tree.At(tree.mHistory[i]);
        // The root's move was the opponent's; entry i's was made by the side
        // of move i - 1.
        AddResult(entry.visits, entry.value, i % 2 == 1 ? x : 1.0 - x);
    }
    std::array<PointSet, 2> later;  // the moves from k on, by the side of move k
    std::array<std::int32_t, MaxVertexSize> slots;
    for (int k = count - 1; k >= 0; --k) {
        later[k % 2].Add(mMoves[k]);
        if (k >= pathLength) continue;
        // Entry k's children are the moves of the side of move k.
        const double r = k % 2 == 0 ? x : 1.0 - x;
        const int children = tree.ChildSlots(tree.At(tree.mHistory[k]), slots);
        for (int i = 0; i < children; ++i) {
            Node& child = tree.At(slots[i]);
            if (later[k % 2].Contains(child.move)) AddResult(child.amafVisits, child.amafValue, r);
        }
    }
}

}  // namespace nanaren
