#include "players/strong_player.h"

#include <algorithm>
#include <cmath>

#include "game/position.h"
#include "search/driver.h"

namespace nanaren {

namespace {

// The working board's record keeps the two moves the playouts read, so that
// the moves of an iteration follow one another in it however long the game.
constexpr int RecordKept = 2;

}  // namespace

StrongPlayer::StrongPlayer(const StrongSettings& settings)
    : mSettings(settings), mSearch(mSettings, mWorkspace), mThreats(settings.forcedWinMoves) {}

SearchResult StrongPlayer::Think(const Position& position, int color, Random& random,
                                 SearchObserver& observer) {
    mWorkspace.Begin(position.GetBoard(), color, random.Split(), RecordKept);
    Plan plan = MakePlan(color);
    Random& own = mWorkspace.Policy().GetRandom();
    if (!plan.wins && mSettings.blunderPercent > 0 &&
        own.Below(100) < static_cast<std::uint32_t>(mSettings.blunderPercent)) {
        plan.decided = AnyMoveNearStones(color);
    }
    if (plan.wins) return ReportDecidedWin(plan.decided, observer);
    mSearch.SetRootMoves(plan.decided != NoVertex ? PointSet::Of(plan.decided) : plan.moves);
    return RunSearch(mWorkspace, mSearch, mSettings.playouts, observer);
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
    const Board& board = mWorkspace.WorkingBoard();
    std::array<Vertex, MaxVertexSize> moves;
    int count = 0;
    for (const bool nearOnly : {true, false}) {
        for (int i = 0; i < board.EmptyCount(); ++i) {
            const Vertex v = board.EmptyPoint(i);
            if (nearOnly && !board.HasStoneAround(v)) continue;
            if (board.TryPut(i, color) != Board::Failure) moves[count++] = v;
        }
        if (count > 0) return moves[mWorkspace.Policy().GetRandom().Below(count)];
    }
    return NoVertex;
}

StrongPlayer::Plan StrongPlayer::MakePlan(int color) {
    const Board& board = mWorkspace.WorkingBoard();
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
    return CandidatesAtRoot(mWorkspace.GetTree(), lineLength,
                            [&](Vertex v) { return mSearch.RootPrior(v); });
}

}  // namespace nanaren
