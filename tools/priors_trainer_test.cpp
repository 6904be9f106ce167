#include "priors_trainer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "game/notation.h"

namespace nanaren::priors {
namespace {

// Two moves alike but for their distance to the edge, 0 and 1.
MoveFeatures EdgeMove(int distance) {
    MoveFeatures move{};
    move[EdgeDistance] = static_cast<std::uint16_t>(distance);
    return move;
}

// Three positions of these two moves; the first is chosen twice, the other once.
std::vector<Example> TwoToOne() {
    std::vector<Example> examples;
    for (const int chosen : {0, 0, 1})
        examples.push_back({{EdgeMove(0), EdgeMove(1)}, chosen, 0});
    return examples;
}

// From weights 1 every position's moves weigh 2 in all, so a level's sum is
// 3 * 1/2 over its three moves: without a prior the first update gives 2 wins
// / 1.5 = 4/3 and 1 / 1.5 = 2/3, where the likelihood is highest (2/3 for the
// move chosen twice in three), and further sweeps keep them. With one
// virtual win and loss against weight 1, each adds 2 / (1 + 1) to the sum:
// 3 / 2.5 = 1.2 and 2 / 2.5 = 0.8.
TEST(PriorsTrainer, FitsTheWeightsWorkedOutByHand) {
    FitOptions options;
    options.sweeps = 1;
    options.priorGames = 0.0;
    const Weights once = Fit(TwoToOne(), options);
    EXPECT_NEAR(once.levels[EdgeDistance].at(0), 4.0 / 3.0, 1e-12);
    EXPECT_NEAR(once.levels[EdgeDistance].at(1), 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(once.Of(EdgeMove(0)) / (once.Of(EdgeMove(0)) + once.Of(EdgeMove(1))), 2.0 / 3.0,
                1e-12);
    options.sweeps = 20;
    const Weights settled = Fit(TwoToOne(), options);
    EXPECT_NEAR(settled.levels[EdgeDistance].at(0), 4.0 / 3.0, 1e-12);
    // The levels every move shares stay at 1.
    EXPECT_NEAR(settled.levels[OwnLine].at(0), 1.0, 1e-12);

    options.sweeps = 1;
    options.priorGames = 1.0;
    const Weights withPrior = Fit(TwoToOne(), options);
    EXPECT_NEAR(withPrior.levels[EdgeDistance].at(0), 1.2, 1e-12);
    EXPECT_NEAR(withPrior.levels[EdgeDistance].at(1), 0.8, 1e-12);

    // The first move ranks first where it was chosen, and both are in the top five.
    const PredictionRates rates = Predict(withPrior, TwoToOne());
    EXPECT_EQ(rates.examples, 3);
    EXPECT_NEAR(rates.first, 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(rates.topFive, 1.0, 1e-12);
}

// A game's moves by the named player become examples among every legal move.
TEST(PriorsTrainer, TakesTheNamedPlayersMovesAmongAllLegalMoves) {
    match::CsvGame game;
    game.players = {"level:7", "builder"};
    for (const char* move : {"5-5", "4-4", "5-4", "pass", "6-6"})
        game.moves.push_back(*ParseMove(move));
    const std::vector<Example> examples = ExamplesOf({game}, {"level:7"});
    // Black's three moves; White's moves and its pass are not learned.
    ASSERT_EQ(examples.size(), 3u);
    EXPECT_EQ(examples[0].moves.size(), 81u);
    EXPECT_EQ(examples[1].moves.size(), 79u);
    EXPECT_EQ(examples[2].moves.size(), 78u);
    // 5-4 is next to Black's 5-5, so the move has an own stone beside it
    // and a run of two.
    const MoveFeatures& chosen = examples[1].moves[examples[1].chosen];
    EXPECT_EQ(chosen[OwnLine], LineLevel(2, 2));
    EXPECT_EQ(chosen[LastDistance], DistanceLevel(1, 0));
}

// The table is C++ that names every weight, and a pattern by its code.
TEST(PriorsTrainer, WritesTheWeightsAsATable) {
    Weights weights;
    weights.levels[Pattern][5] = 2.5;
    weights.rarePattern = 0.25;
    weights.levels[Capture][1] = 8.0;
    std::ostringstream out;
    WriteTable(weights, "made by hand", out);
    const std::string table = out.str();
    EXPECT_NE(table.find("// made by hand\n"), std::string::npos);
    EXPECT_NE(table.find("{5, 2.5f}"), std::string::npos);
    EXPECT_NE(table.find("0.25f,"), std::string::npos);
    EXPECT_NE(table.find("{1.0f, 8.0f, 1.0f"), std::string::npos);
}

}  // namespace
}  // namespace nanaren::priors
