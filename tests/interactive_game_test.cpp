#include "interactive_game.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "messages.h"
#include "scoped_state.h"
#include "terminal.h"

namespace nanaren {
namespace {

using Kind = Request::Kind;

TEST(Request, AMoveIsTheColumnThenTheRowInAnyOfThreeForms) {
    for (const char* typed : {"5 3", "5-3", " 5,3 ", "5  -  3\r"}) {
        const Request request = ParseRequest(typed);
        EXPECT_EQ(request.kind, Kind::Move) << typed;
        EXPECT_EQ(request.move, GetVertex(5, 3)) << typed;
    }
    // Numbers beyond the playing points are moves the game refuses: the wall
    // as a point, anything further as none.
    EXPECT_EQ(ParseRequest("10 10").move, GetVertex(10, 10));
    EXPECT_EQ(ParseRequest("0 5").move, GetVertex(0, 5));
    EXPECT_EQ(ParseRequest("11 1").move, NoVertex);
    EXPECT_EQ(ParseRequest("99999999999 1").move, NoVertex);
}

TEST(Request, CommandsAreALetterOrAWordAndAnythingElseIsNoMove) {
    const std::pair<const char*, Kind> commands[] = {
        {"u", Kind::TakeBack}, {"undo", Kind::TakeBack}, {"h", Kind::Hint},
        {" hint", Kind::Hint}, {"p", Kind::Pass},        {"pass", Kind::Pass},
        {"r", Kind::Resign},   {"resign", Kind::Resign}, {"q", Kind::Quit},
        {"quit", Kind::Quit},  {"?", Kind::Help},        {"help", Kind::Help},
        {"", Kind::Nothing},   {"  \r", Kind::Nothing},
    };
    for (const auto& [typed, kind] : commands)
        EXPECT_EQ(ParseRequest(typed).kind, kind) << typed;
    for (const char* typed : {"5", "53", "e5", "5 3 1", "-1 -1", "5-", "uu"})
        EXPECT_EQ(ParseRequest(typed).kind, Kind::NotAMove) << typed;
}

TEST(TerminalAbilities, ADumbTerminalGetsNoSequenceAndNoColorOnlyLosesTheColour) {
    const auto abilities = [](const char* term, const char* noColor, bool withoutTerm) {
        const TerminalAbilities a = AbilitiesOf(term, noColor, withoutTerm);
        return std::pair(a.cursor, a.colour);
    };
    EXPECT_EQ(abilities("xterm-256color", nullptr, false), std::pair(true, true));
    EXPECT_EQ(abilities("xterm", "1", false), std::pair(true, false));
    EXPECT_EQ(abilities("xterm", "", false), std::pair(true, true));  // set but empty: ignored
    EXPECT_EQ(abilities("dumb", nullptr, true), std::pair(false, false));
    EXPECT_EQ(abilities(nullptr, nullptr, false), std::pair(false, false));
    // A Windows console that takes sequences names no TERM.
    EXPECT_EQ(abilities(nullptr, nullptr, true), std::pair(true, true));
    EXPECT_EQ(abilities("", "yes", true), std::pair(true, false));
}

TEST(Interactive, OnADumbShiftJisTerminalItAsksInTheGamesOwnBytesWithoutSequences) {
    const testing::ScopedWorkingDirectory directory;
    directory.WriteFile("think.txt", "-1");
    std::istringstream in("1\n5 5\nu\nq\n");
    std::ostringstream out;
    const InteractiveSetting setting{in, out, {}, [] { return std::time_t(0); }, directory.Path()};
    PlayInteractive(setting, ConsoleOptions{});
    const std::string shown = out.str();
    EXPECT_NE(shown.find(messages::ChooseColor), std::string::npos);
    EXPECT_NE(shown.find(messages::YourMove), std::string::npos);
    EXPECT_NE(shown.find(messages::Thinking), std::string::npos);
    EXPECT_EQ(shown.find(Utf8Texts.yourMove), std::string::npos);
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace nanaren
