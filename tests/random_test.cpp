#include <gtest/gtest.h>

#include <climits>

#include "scoped_state.h"
#include "uct.h"

namespace nanaren {
namespace {

using testing::ScopedRandomState;
using testing::ScopedWorkingDirectory;
using testing::StateAfter;

std::uint32_t StateAfterSeeding(std::uint32_t state, std::time_t t) {
    ScopedRandomState scoped(state);
    SeedRandom(t);
    return Random;
}

TEST(Random, TheProgramStartsFromTheFixedState) {
    EXPECT_EQ(RandomStartState, 0x92D68CA2u);
}

TEST(Random, FirstDrawsFromTheStartState) {
    ScopedRandomState scoped(RandomStartState);
    EXPECT_EQ(NextRandom(), 723471715u);
    EXPECT_EQ(NextRandom(), 2497366906u);
    EXPECT_EQ(Random, 2497366906u) << "the state is the last number drawn";
}

TEST(Random, SeedingDrawsOneThousandAndOnePlusTheLowSixteenBits) {
    const std::uint32_t start = RandomStartState;
    EXPECT_EQ(StateAfterSeeding(start, 0), StateAfter(start, 1001));
    EXPECT_NE(StateAfterSeeding(start, 0), StateAfter(start, 1000));
    EXPECT_EQ(StateAfterSeeding(start, 65535), StateAfter(start, 66536));
    EXPECT_NE(StateAfterSeeding(start, 65535), StateAfter(start, 66535));
    EXPECT_EQ(StateAfterSeeding(start, 65536), StateAfterSeeding(start, 0));
    EXPECT_EQ(StateAfterSeeding(start, 1765200000), StateAfterSeeding(start, 1765200000 % 65536));
}

TEST(Random, SeedingAdvancesFromWhereverTheStateStands) {
    const std::uint32_t elsewhere = StateAfter(RandomStartState, 5);
    EXPECT_EQ(StateAfterSeeding(elsewhere, 7), StateAfter(RandomStartState, 5 + 1008));
}

class PlayoutCountFile : public ::testing::Test {
  protected:
    ScopedWorkingDirectory mDirectory;
};

TEST_F(PlayoutCountFile, MissingFileGivesTheDefault) {
    EXPECT_EQ(ReadPlayoutCount(), 20000);
}

TEST_F(PlayoutCountFile, FileWithoutANumberGivesTheDefault) {
    for (const char* contents : {"", "abc 12", "-", "+", " \n\t", "- 5"}) {
        mDirectory.WriteFile("think.txt", contents);
        EXPECT_EQ(ReadPlayoutCount(), 20000) << '"' << contents << '"';
    }
}

TEST_F(PlayoutCountFile, TheFirstIntegerIsReadAsDecimal) {
    const std::pair<const char*, int> cases[] = {
        {"   500\n", 500}, {"-3", -3},    {"7 8", 7},      {"+12", 12},
        {"0", 0},          {"42abc", 42}, {"\n\n 9\n", 9}, {"0x10", 0},
    };
    for (const auto& [contents, expected] : cases) {
        mDirectory.WriteFile("think.txt", contents);
        EXPECT_EQ(ReadPlayoutCount(), expected) << '"' << contents << '"';
    }
}

TEST_F(PlayoutCountFile, NumbersBeyondThirtyTwoBitsAreClamped) {
    mDirectory.WriteFile("think.txt", "99999999999999999999");
    EXPECT_EQ(ReadPlayoutCount(), INT_MAX);
    mDirectory.WriteFile("think.txt", "-99999999999999999999");
    EXPECT_EQ(ReadPlayoutCount(), INT_MIN);
    mDirectory.WriteFile("think.txt", "2147483647");
    EXPECT_EQ(ReadPlayoutCount(), INT_MAX);
    mDirectory.WriteFile("think.txt", "-2147483648");
    EXPECT_EQ(ReadPlayoutCount(), INT_MIN);
}

}  // namespace
}  // namespace nanaren
