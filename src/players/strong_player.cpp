#include "players/strong_player.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "game/position.h"
#include "players/move_priors.h"
#include "search/driver.h"

namespace nanaren {

namespace {

// The working board's record keeps the two moves the playouts read, so that
// the moves of an iteration follow one another in it however long the game.
constexpr int RecordKept = 2;

}  // namespace

StrongPlayer::StrongPlayer(const StrongSettings& settings, int threads)
    : mSettings(settings),
      mThreats(settings.forcedWinMoves),
      mThreads(std::min(ThreadsFor(threads), settings.lanes)) {
    NANAREN_ASSERT(settings.lanes >= 1 && settings.lanes <= MaxLanes);
    for (int k = 0; k < settings.lanes; ++k) {
        mLanes.push_back(std::make_unique<Lane>(mSettings));
        if (settings.playoutDraws > 1) {
            mLanes.back()->workspace.Policy().WeighRandomMoves(
                &MovePriors::Learned().PatternWeights(), settings.playoutDraws);
        }
    }
    mShown[0] = &First().GetTree();
}

SearchResult StrongPlayer::Think(const Position& position, int color, Random& random,
                                 SearchObserver& observer) {
    mShownCount = 1;
    First().Begin(position.GetBoard(), color, random.Split(), RecordKept);
    Plan plan = MakePlan(color);
    Random& own = First().Policy().GetRandom();
    if (!plan.wins && mSettings.blunderPercent > 0 &&
        own.Below(100) < static_cast<std::uint32_t>(mSettings.blunderPercent)) {
        plan.decided = AnyMoveNearStones(color);
    }
    if (plan.wins) return ReportDecidedWin(plan.decided, observer);
    const PointSet rootMoves = plan.decided != NoVertex ? PointSet::Of(plan.decided) : plan.moves;
    return SearchLanes(position.GetBoard(), color, rootMoves, observer);
}

// Lane k searches its share of the playouts, the remainder going one each to
// the first lanes; a negative budget (no search) is every lane's.
std::int64_t StrongPlayer::PlayoutsOfLane(int lane) const {
    const std::int64_t playouts = mSettings.playouts;
    if (playouts < 0) return playouts;
    const int lanes = static_cast<int>(mLanes.size());
    return playouts / lanes + (lane < playouts % lanes ? 1 : 0);
}

namespace {

// What a lane's iterations report to. The lanes of the calling thread pass
// their progress on, as a share of all of that thread's lanes, and ask the
// player's observer whether to stop; once it says so, every lane stops.
class LaneObserver : public SearchObserver {
  public:
    LaneObserver(SearchObserver* outer, int done, int of, std::atomic<bool>& stop)
        : mOuter(outer), mDone(done), mOf(of), mStop(stop) {}

    void Progress(std::int64_t percent) override {
        if (mOuter != nullptr) mOuter->Progress((mDone * 100 + percent) / mOf);
    }
    bool ShouldStop() override {
        if (mStop.load(std::memory_order_relaxed)) return true;
        if (mOuter == nullptr || !mOuter->ShouldStop()) return false;
        mStop.store(true, std::memory_order_relaxed);
        return true;
    }

  private:
    SearchObserver* mOuter;    // the player's observer, or none on a worker
    int mDone;                 // the calling thread's lanes before this one
    int mOf;                   // all of the calling thread's lanes
    std::atomic<bool>& mStop;  // set once the player's observer asked to stop
};

}  // namespace

// Every lane after the first starts from a generator drawn from the first
// lane's, in lane order; each grows its root and runs its playouts, and the
// roots are merged. While the lanes run, Candidates shows those the calling
// thread has started, which no other thread writes.
SearchResult StrongPlayer::SearchLanes(const Board& position, int color, const PointSet& rootMoves,
                                       SearchObserver& observer) {
    const int lanes = static_cast<int>(mLanes.size());
    Random& first = First().Policy().GetRandom();
    for (int k = 1; k < lanes; ++k)
        mLanes[k]->workspace.Begin(position, color, first.Split(), RecordKept);
    for (const auto& lane : mLanes)
        lane->search.SetRootMoves(rootMoves);
    const int threads = mThreads.Count();
    const int callerLanes = (lanes + threads - 1) / threads;
    std::atomic<bool> stop{false};
    mShownCount = 0;
    observer.Started();
    auto searchLane = [&](int k) {
        Lane& lane = *mLanes[k];
        Tree& tree = lane.workspace.GetTree();
        lane.search.Expand(tree.Root(), color);
        const bool caller = k % threads == 0;
        if (caller) mShown[mShownCount++] = &tree;
        if (tree.IsLeaf(tree.Root())) return;
        LaneObserver laneObserver(caller ? &observer : nullptr, k / threads, callerLanes, stop);
        RunWithProgress(PlayoutsOfLane(k), laneObserver, [&] {
            Iterate(lane.workspace, lane.search);
            lane.workspace.RestoreStart();
        });
    };
    mThreads.Run(lanes, searchLane);
    for (int k = 0; k < lanes; ++k)
        mShown[k] = &mLanes[k]->workspace.GetTree();
    mShownCount = lanes;
    const SearchResult result = ResultAtRoots(std::span(mShown.data(), lanes));
    observer.Finished(result.estimate);
    return result;
}

// A win found without a tree: reported as a search that is sure of it.
SearchResult StrongPlayer::ReportDecidedWin(Vertex move, SearchObserver& observer) {
    observer.Started();
    RunWithProgress(ProgressSteps, observer, [] {});
    const SearchEstimate estimate = {100, NoVertex};
    observer.Finished(estimate);
    return {move, estimate};
}

// A legal point next to a stone (any legal point on an empty board), drawn at
// random: the move of a player who did not look.
Vertex StrongPlayer::AnyMoveNearStones(int color) {
    const Board& board = First().WorkingBoard();
    std::array<Vertex, MaxVertexSize> moves;
    int count = 0;
    for (const bool nearOnly : {true, false}) {
        for (int i = 0; i < board.EmptyCount(); ++i) {
            const Vertex v = board.EmptyPoint(i);
            if (nearOnly && !board.HasStoneAround(v)) continue;
            if (board.TryPut(i, color) != Board::Failure) moves[count++] = v;
        }
        if (count > 0) return moves[First().Policy().GetRandom().Below(count)];
    }
    return NoVertex;
}

StrongPlayer::Plan StrongPlayer::MakePlan(int color) {
    const Board& board = First().WorkingBoard();
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
        plan.moves = mThreats.StoppingMoves(board, opponent);
    }
    return plan;
}

std::vector<Candidate> StrongPlayer::Candidates(int lineLength) const {
    if (mShownCount == 0) return {};
    return CandidatesAtRoots(std::span(mShown.data(), mShownCount), lineLength,
                             [&](Vertex v) { return mLanes.front()->search.RootPrior(v); });
}

}  // namespace nanaren
