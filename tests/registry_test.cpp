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

TEST(Players, EachKindOfNameGivesItsSettings) {
    EXPECT_EQ(ParsePlayer("level:3"), PlayerChoice(LevelChoice{3}));
    EXPECT_EQ(PlayoutsOf(*ParsePlayer("level:3")), LevelSettings(3).playouts);
    EXPECT_EQ(ParsePlayer("exact:300"), PlayerChoice(ExactSettings{300}));
    EXPECT_EQ(ParsePlayer("blocker"), PlayerChoice(LineBuilderChoice{true}));
    const auto options = ParsePlayer("strong:250:b0=0.25:expand=3:blunder=40");
    ASSERT_TRUE(options);
    const auto& settings = std::get<StrongSettings>(*options);
    EXPECT_EQ(settings.playouts, 250);
    EXPECT_FLOAT_EQ(settings.amafBias, 0.25f);
    EXPECT_FLOAT_EQ(settings.expandAt, 3.0f);
    EXPECT_EQ(settings.blunderPercent, 40);
    EXPECT_EQ(settings.forcedWinMoves, StrongSettings().forcedWinMoves);
}

// The usage text lists every option the names take, with its default.
TEST(Players, TheHelpNamesEveryOption) {
    const std::string help = PlayerNamesHelp();
    for (const char* option : {"b0", "c", "expand", "forced", "blunder", "prior"})
        EXPECT_NE(help.find("  " + std::string(option) + " "), std::string::npos) << option;
    EXPECT_NE(help.find("(0.05)"), std::string::npos);
}

TEST(Players, NamesThatAreNoPlayerAreRefused) {
    for (const char* name :
         {"", "exact:", "exact:5x", "exact:300:c=0.1", "level:0", "level:9",
          "level:", "strong:", "strong:100:", "strong:100:c", "strong:100:z=1", "strong:100:c=-1",
          "strong:100:c=nan", "strong:100:b0=inf", "strong:100:forced=101", "strong:100:blunder=-5",
          "strong:100:forced=2.5", "builder:1", "human"}) {
        EXPECT_FALSE(ParsePlayer(name)) << name;
    }
}

}  // namespace
}  // namespace nanaren
