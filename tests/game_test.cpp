#include "game.h"

#include <gtest/gtest.h>

#include "scoped_state.h"

namespace nanaren {
namespace {

using testing::ScopedRandomState;
using testing::ScopedWorkingDirectory;

// Records what a search reports, for comparing two searches.
struct RecordedReport : SearchObserver {
    void Progress(std::int64_t percent) override { progress.push_back(percent); }
    void Finished(const std::optional<SearchEstimate>& e) override { estimate = e; }
    std::vector<std::int64_t> progress;
    std::optional<SearchEstimate> estimate;
};

TEST(GameInterface, EachGameInOneProcessPlaysAsTheConsolesOnlyGame) {
    const ScopedWorkingDirectory directory;
    const ScopedRandomState restore(RandomStartState);
    RecordedReport first;
    Vertex firstMove = -1;
    {
        Game game(White, 1733700000, 300);
        firstMove = game.PlayComputer(first);
    }
    Random = 987654321;  // whatever an earlier game left
    Game again(White, 1733700000, 300);
    RecordedReport second;
    EXPECT_EQ(again.PlayComputer(second), firstMove);
    EXPECT_EQ(again.LastMove(), firstMove);
    ASSERT_TRUE(second.estimate && first.estimate);
    EXPECT_EQ(second.estimate->winningRate, first.estimate->winningRate);
    EXPECT_EQ(second.estimate->expectedReply, first.estimate->expectedReply);
    EXPECT_EQ(second.progress, first.progress);
    EXPECT_EQ(second.progress.size(), 21u);
}

TEST(GameInterface, TheTurnPassesOnlyAfterAMoveThatStands) {
    const ScopedWorkingDirectory directory;
    Game game(Black, 0, -1);
    EXPECT_EQ(game.LastMove(), -1);
    EXPECT_EQ(game.PlayHuman(-1, -1), Board::Failure) << "a pass before any move";
    EXPECT_EQ(game.PlayHuman(-5, 3), Board::Failure) << "off the grid, though -5 + 33 is a point";
    EXPECT_EQ(game.CurrentState(), Game::State::HumanToMove);
    EXPECT_EQ(game.PlayHuman(5, 5), Board::Success);
    EXPECT_EQ(game.CurrentState(), Game::State::ComputerToMove);
    RecordedReport report;
    const Vertex reply = game.PlayComputer(report);
    EXPECT_EQ(game.LastMove(), reply);
    EXPECT_EQ(game.PlayHuman(GetX(reply), -1), Board::Success) << "a pass after its move";
    EXPECT_EQ(game.CurrentState(), Game::State::ComputerToMove);
}

}  // namespace
}  // namespace nanaren
