#include "think_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "scoped_state.h"

namespace nanaren {
namespace {

using testing::ScopedWorkingDirectory;

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
