#include "core/random.h"

#include <gtest/gtest.h>

#include <set>

#include "scoped_state.h"

namespace nanaren {
namespace {

using testing::StateAfter;

std::uint32_t StateAfterSeeding(std::uint32_t state, std::time_t t) {
    Random random;
    random.Restore(state);
    random.Seed(t);
    return random.State();
}

TEST(Random, EveryGeneratorStartsFromTheFixedState) {
    EXPECT_EQ(Random::StartState, 0x92D68CA2u);
    EXPECT_EQ(Random().State(), Random::StartState);
}

TEST(Random, FirstDrawsFromTheStartState) {
    Random random;
    EXPECT_EQ(random.Next(), 723471715u);
    EXPECT_EQ(random.Next(), 2497366906u);
    EXPECT_EQ(random.State(), 2497366906u) << "the state is the last number drawn";
}

TEST(Random, SeedingDrawsOneThousandAndOnePlusTheLowSixteenBits) {
    const std::uint32_t start = Random::StartState;
    EXPECT_EQ(StateAfterSeeding(start, 0), StateAfter(start, 1001));
    EXPECT_NE(StateAfterSeeding(start, 0), StateAfter(start, 1000));
    EXPECT_EQ(StateAfterSeeding(start, 65535), StateAfter(start, 66536));
    EXPECT_NE(StateAfterSeeding(start, 65535), StateAfter(start, 66535));
    EXPECT_EQ(StateAfterSeeding(start, 65536), StateAfterSeeding(start, 0));
    EXPECT_EQ(StateAfterSeeding(start, 1765200000), StateAfterSeeding(start, 1765200000 % 65536));
}

TEST(Random, SeedingAdvancesFromWhereverTheStateStands) {
    const std::uint32_t elsewhere = StateAfter(Random::StartState, 5);
    EXPECT_EQ(StateAfterSeeding(elsewhere, 7), StateAfter(Random::StartState, 5 + 1008));
}

TEST(Random, TwoGeneratorsDrawIndependently) {
    Random first;
    Random second;
    first.Next();
    EXPECT_EQ(second.Next(), 723471715u) << "the first generator's draw moved only itself";
    EXPECT_EQ(first, second);
}

// A search's generator comes from one draw, so that a replay can follow the
// game's generator without searching, and searches seeded by consecutive
// draws must not run along one sequence (as the generator's own states do).
TEST(Random, ASplitTakesOneDrawAndLeavesTheSequence) {
    Random game;
    Random first = game.Split();
    EXPECT_EQ(game.State(), StateAfter(Random::StartState, 1));
    Random second = game.Split();
    std::set<std::uint32_t> drawn;
    for (Random* random : {&first, &second, &game}) {
        for (int i = 0; i < 4; ++i)
            drawn.insert(random->Next());
    }
    EXPECT_EQ(drawn.size(), 12u);
}

}  // namespace
}  // namespace nanaren
