#include "players/registry.h"

#include <gtest/gtest.h>

#include "players/levels.h"

namespace nanaren {
namespace {

std::string NameRead(const std::string& text) {
    const auto choice = ParsePlayer(text);
    return choice ? PlayerName(*choice) : "(none)";
}

TEST(Players, EveryNameReadsBackAsItself) {
    for (const char* name :
         {"exact:300", "exact:-1", "level:1", "level:7", "builder", "blocker", "strong:1000",
          "strong:500:b0=0.1:forced=0", "strong:20:c=0.5:prior=6"}) {
        EXPECT_EQ(NameRead(name), name);
    }
    EXPECT_EQ(NameRead("300"), "exact:300");
    // 0.123456789 as a float is 0.1234567910...; its spacing there is 2^-27,
    // so seven digits (0.1234568) name another float and eight do not.
    EXPECT_EQ(NameRead("strong:9:c=0.123456789"), "strong:9:c=0.12345679");
    EXPECT_EQ(NameRead("strong:500:forced=5"), "strong:500") << "a default is not named";
}

TEST(Players, ALevelIsItsSettings) {
    const auto level = ParsePlayer("level:3");
    ASSERT_TRUE(level);
    EXPECT_EQ(level->settings.playouts, LevelOf(3).settings.playouts);
    EXPECT_EQ(level->settings.forcedWinMoves, LevelOf(3).settings.forcedWinMoves);
    const auto options = ParsePlayer("strong:250:b0=0.25:expand=3:blunder=40");
    ASSERT_TRUE(options);
    EXPECT_EQ(options->settings.playouts, 250);
    EXPECT_FLOAT_EQ(options->settings.amafBias, 0.25f);
    EXPECT_FLOAT_EQ(options->settings.expandAt, 3.0f);
    EXPECT_EQ(options->settings.blunderPercent, 40);
}

TEST(Players, NamesThatAreNoPlayerAreRefused) {
    for (const char* name :
         {"", "exact:", "exact:5x", "exact:300:c=0.1", "level:0", "level:8",
          "level:", "strong:", "strong:100:", "strong:100:c", "strong:100:z=1", "strong:100:c=-1",
          "strong:100:c=nan", "strong:100:b0=inf", "strong:100:forced=101", "strong:100:blunder=-5",
          "strong:100:forced=2.5", "builder:1", "human"}) {
        EXPECT_FALSE(ParsePlayer(name)) << name;
    }
}

}  // namespace
}  // namespace nanaren
