#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "level_texts.h"
#include "players/levels.h"

namespace nanaren {
namespace {

// The message for arguments that must be refused.
std::string Refusal(const std::vector<std::string>& arguments) {
    const auto request = ParseCommandLine(arguments);
    const std::string* message = std::get_if<std::string>(&request);
    return message ? *message : "<accepted>";
}

TEST(CommandLine, WithoutArgumentsTheExactGameIsPlayed) {
    const auto line = std::get<CommandLine>(ParseCommandLine({}));
    EXPECT_EQ(line.action, CommandLine::Action::Play);
    EXPECT_FALSE(line.options.player.has_value());
    EXPECT_EQ(line.options.language, Language::Japanese);
    EXPECT_EQ(line.options.encoding, Encoding::ShiftJis);
}

TEST(CommandLine, TheOptionsCombineAndTheLastOfEachCounts) {
    const auto line = std::get<CommandLine>(ParseCommandLine(
        {"--lang=en", "--level", "7", "--encoding", "UTF-8", "--level=2", "--lang", "en"}));
    EXPECT_EQ(line.action, CommandLine::Action::Play);
    ASSERT_TRUE(line.options.player.has_value());
    EXPECT_EQ(PlayerName(*line.options.player), "level:2");
    EXPECT_EQ(line.options.language, Language::English);
    EXPECT_EQ(line.options.encoding, Encoding::Utf8);
}

TEST(CommandLine, AWrongValueIsNamedWithWhatTheOptionTakes) {
    EXPECT_EQ(Refusal({"--lang", "fr"}), "--lang takes ja or en, not 'fr'");
    EXPECT_EQ(Refusal({"--encoding=latin1"}), "--encoding takes shift_jis or utf-8, not 'latin1'");
    EXPECT_EQ(Refusal({"--lang", "en", "--encoding"}), "--encoding takes shift_jis or utf-8");
    // An option where the value should be is taken as the value.
    EXPECT_EQ(Refusal({"--level", "--lang", "en"}),
              "--level takes a level from 1 to " + std::to_string(LevelCount) + ", not '--lang'");
    EXPECT_EQ(Refusal({"--level", "3", "4"}), "unexpected argument '4'");
    EXPECT_EQ(Refusal({"--levels=3"}), "unexpected argument '--levels=3'");
}

TEST(CommandLine, TheHelpListsEveryLevel) {
    const std::string help = HelpText();
    for (int k = 1; k <= LevelCount; ++k) {
        const std::string entry =
            "  " + std::to_string(k) + "  " + LevelTextOf(k, Language::English).name;
        EXPECT_NE(help.find(entry), std::string::npos) << entry;
    }
}

}  // namespace
}  // namespace nanaren
