#include "console_game.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "board_test_util.h"
#include "dialogue.h"
#include "messages.h"
#include "players/levels.h"
#include "scoped_state.h"
#include "shift_jis.h"

namespace nanaren {
namespace {

using testing::At;
using testing::Dialogue;

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The built game, with the path made absolute while the working directory is
// still the build's: under wine a path from the root names a drive as well.
const std::string Executable =
    std::filesystem::absolute(NANAREN_EXECUTABLE).make_preferred().string();

#ifdef _WIN32
// Windows programs end their text lines with CRLF; the game must end every one
// so. Gives the text with LF line ends.
std::string FromPlatformLineEnds(const std::string& text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ADD_FAILURE() << "a line ends without CR";
        if (text.compare(i, 2, "\r\n") == 0) ++i;
        lines += text[i];
    }
    return lines;
}
constexpr char Quote = '"';
#else
std::string FromPlatformLineEnds(const std::string& text) {
    return text;
}
constexpr char Quote = '\'';
#endif

// Runs the built game as a person would, in an empty directory of its own
// whose think.txt holds the given playout count; with -1 the computer plays
// without searching, so its moves do not depend on the clock.
class Game : public ::testing::Test {
  protected:
    explicit Game(const char* playouts = "-1") { mDirectory.WriteFile("think.txt", playouts); }

    // The game's standard output for the input, in the test's working
    // directory; shellPrefix runs first in the same shell.
    std::string Run(const std::string& input, const std::string& shellPrefix = "",
                    const std::string& arguments = "") {
        mDirectory.WriteFile("input.txt", input);
        const std::string command = shellPrefix + Quote + Executable + Quote + " " + arguments +
                                    " < input.txt > out.txt 2> err.txt";
        mStatus = ExitStatus(std::system(command.c_str()));
        mErrors = FromPlatformLineEnds(ReadFile("err.txt"));
        return FromPlatformLineEnds(ReadFile("out.txt"));
    }

    static int ExitStatus(int status) {
#ifdef _WIN32
        return status;
#else
        return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    // A game that ran to its end as it should.
    void ExpectCleanExit() const {
        EXPECT_EQ(mStatus, 0);
        EXPECT_EQ(mErrors, "");
    }

    testing::ScopedWorkingDirectory mDirectory;
    int mStatus = -1;
    std::string mErrors;
};

// ------------------------------------------------------------- the display

TEST(Display, ShowsColumnsAboveCellsAndRowsOnTheLeft) {
    Board board;
    board.PutAt(At(5, 3), Black);
    board.PutAt(At(1, 9), White);
    std::ostringstream out;
    PrintBoard(board, out);
    EXPECT_EQ(out.str(),
              "    [ 1 2 3 4 5 6 7 8 9]\n"
              "[ 1]  + + + + + + + + +\n"
              "[ 2]  + + + + + + + + +\n"
              "[ 3]  + + + + @ + + + +\n"
              "[ 4]  + + + + + + + + +\n"
              "[ 5]  + + + + + + + + +\n"
              "[ 6]  + + + + + + + + +\n"
              "[ 7]  + + + + + + + + +\n"
              "[ 8]  + + + + + + + + +\n"
              "[ 9]  O + + + + + + + +\n");
}

// ------------------------------------------------------ choosing the colour

TEST_F(Game, TheEndOfInputAtTheColourPromptEndsTheGame) {
    EXPECT_EQ(Run(""), std::string(messages::ChooseColor) + "\n");
    ExpectCleanExit();
}

TEST_F(Game, OneMakesTheHumanBlackAndShowsTheEmptyBoardFirst) {
    Dialogue expected(Black);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n"), expected.Text());
    ExpectCleanExit();
}

TEST_F(Game, AnyOtherNumberLetsTheComputerOpenAsBlack) {
    for (const char* answer : {"2\n", "0\n", "7\n", "-1\n"}) {
        Dialogue expected(White);
        Board::PutResult result = Board::Failure;
        EXPECT_EQ(expected.Computer(result), At(1, 1));
        expected.EndOfInput();
        EXPECT_EQ(Run(answer), expected.Text()) << answer;
    }
}

TEST_F(Game, AnAnswerThatIsNoNumberAsksAgain) {
    Dialogue expected(Black);
    expected.EndOfInput();
    EXPECT_EQ(Run("black\n1\n"), messages::ChooseColor + expected.Text());
}

// ------------------------------------------------------------ human moves

TEST_F(Game, TheColumnComesFirst) {
    Dialogue expected(Black);
    ASSERT_EQ(expected.Human(5, 3, Board::Failure), Board::Success);
    EXPECT_EQ(expected.Position().Cell(At(5, 3)), Black);
    Board::PutResult result = Board::Failure;
    expected.Computer(result);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n5 3\n"), expected.Text());
}

TEST_F(Game, ARefusedMoveShowsTheBoardAgainWithoutAMessage) {
    Dialogue expected(Black);
    Board::PutResult result = expected.Human(5, 3, Board::Failure);
    const Vertex reply = expected.Computer(result);
    // The computer's own point, then the human's.
    ASSERT_EQ(expected.Human(GetX(reply), GetY(reply), result), Board::Failure);
    ASSERT_EQ(expected.Human(5, 3, Board::Failure), Board::Failure);
    expected.EndOfInput();
    const std::string input =
        "1\n5 3\n" + std::to_string(GetX(reply)) + " " + std::to_string(GetY(reply)) + "\n5 3\n";
    EXPECT_EQ(Run(input), expected.Text());
}

TEST_F(Game, NumbersOffTheGridAreRefusedLikeIllegalMoves) {
    Dialogue expected(Black);
    for (const auto& [x, y] : {std::pair{0, 5}, {5, 10}, {11, 3}, {3, -7}, {-5, 3}, {100000, 1}}) {
        ASSERT_EQ(expected.Human(x, y, Board::Failure), Board::Failure);
    }
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n0 5\n5 10\n11 3\n3 -7\n-5 3\n100000 1\n"), expected.Text());
}

TEST_F(Game, InputThatIsNoNumberSkipsTheLineAndAsksAgain) {
    Dialogue expected(Black);
    expected.HumanRefused();  // "five three"
    expected.HumanRefused();  // "5 x 4 4": the 4 4 after it is skipped too
    expected.HumanRefused();  // a number beyond the int range
    Board::PutResult result = expected.Human(2, 2, Board::Failure);
    expected.Computer(result);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\nfive three\n5 x 4 4\n99999999999 1\n2 2\n"), expected.Text());
}

// ------------------------------------------------------------------ passes

TEST_F(Game, APassAfterAComputerMoveLetsTheComputerMoveAgain) {
    Dialogue expected(Black);
    Board::PutResult result = expected.Human(5, 5, Board::Failure);
    expected.Computer(result);
    ASSERT_EQ(expected.Human(-1, 4, result), Board::Success);
    expected.Computer(result);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n5 5\n-1 4\n"), expected.Text());
}

TEST_F(Game, APassAfterARefusedMoveOnlyRepeatsThePrompt) {
    Dialogue expected(Black);
    Board::PutResult result = expected.Human(5, 5, Board::Failure);
    expected.Computer(result);
    result = expected.Human(5, 5, result);
    ASSERT_EQ(result, Board::Failure);
    ASSERT_EQ(expected.Human(3, -1, result), Board::Failure);
    ASSERT_EQ(expected.Human(-1, -1, result), Board::Failure);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n5 5\n5 5\n3 -1\n-1 -1\n"), expected.Text());
}

TEST_F(Game, APassAtTheFirstPromptOnlyRepeatsIt) {
    Dialogue expected(Black);
    ASSERT_EQ(expected.Human(-1, -1, Board::Failure), Board::Failure);
    Board::PutResult result = expected.Human(4, 4, Board::Failure);
    expected.Computer(result);
    expected.EndOfInput();
    EXPECT_EQ(Run("1\n-1 -1\n4 4\n"), expected.Text());
}

// ----------------------------------------------------------- whole games

TEST_F(Game, TheHumanWinsWithSevenInARow) {
    Dialogue expected(Black);
    std::string input = "1\n";
    Board::PutResult result = Board::Failure;
    for (int x = 2; x <= 8; ++x) {
        result = expected.Human(x, 5, result);
        input += std::to_string(x) + " 5\n";
        if (result == Board::Win) break;
        ASSERT_EQ(result, Board::Success) << "the computer took a point of the row";
        expected.Computer(result);
        ASSERT_EQ(result, Board::Success);
    }
    ASSERT_EQ(result, Board::Win);
    // Nothing after the winning move is read.
    EXPECT_EQ(Run(input + "9 9\n"), expected.Text());
    ExpectCleanExit();
    const std::string& text = expected.Text();
    EXPECT_EQ(text.substr(text.size() - sizeof(messages::YouWin)),
              messages::YouWin + std::string("\n"));
}

TEST_F(Game, TheComputerWinsAgainstAHumanWhoOnlyPasses) {
    Dialogue expected(White);
    std::string input = "2\n";
    Board::PutResult result = Board::Failure;
    for (int move = 0; move < 81; ++move) {
        expected.Computer(result);
        if (result == Board::Win) break;
        ASSERT_EQ(expected.Human(-1, -1, result), Board::Success);
        input += "-1 -1\n";
    }
    ASSERT_EQ(result, Board::Win);
    EXPECT_EQ(Run(input), expected.Text());
    ExpectCleanExit();
}

TEST_F(Game, ReportsTheSearchAsItGoes) {
    mDirectory.WriteFile("think.txt", "100");
    std::string start = std::string(messages::ChooseColor) + messages::Thinking + "\n";
    for (int percent = 0; percent <= 100; percent += 5) {
        start.append("...").append(std::to_string(percent)).append("%\n");
    }
    start.append("\n").append(messages::WinningRate);
    const std::string out = Run("2\n");
    EXPECT_EQ(out.substr(0, start.size()), start);
    EXPECT_NE(out.find("\nAI:"), std::string::npos);
    ExpectCleanExit();
}

#ifndef NANAREN_SANITIZED
TEST_F(Game, WithoutMemoryForTheTreeItSaysSoAndFails) {
#ifdef _WIN32
    GTEST_SKIP() << "no memory limit for one process that wine enforces";
#endif
    EXPECT_EQ(Run("1\n", "ulimit -v 30000 && "), messages::ChooseColor);
    EXPECT_EQ(mStatus, 1);
    EXPECT_EQ(mErrors, "nanaren: not enough memory for the search tree\n");
}
#endif

// ------------------------------------------------------------- arguments

TEST_F(Game, HelpAndVersionPrintAndEndWithoutAGame) {
    EXPECT_EQ(Run("1\n", "", "--help").rfind("Usage: nanaren", 0), 0u);
    EXPECT_EQ(mStatus, 0);
    const std::string version = Run("1\n", "", "--version");
    EXPECT_TRUE(std::regex_match(version, std::regex("nanaren [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version;
    EXPECT_EQ(mStatus, 0);
}

TEST_F(Game, AnyOtherArgumentIsRefusedWithoutAGame) {
    EXPECT_EQ(Run("1\n", "", "--hepl"), "");
    EXPECT_EQ(mStatus, 2);
    // The message names the argument that is wrong.
    Run("1\n", "", "foo bar");
    EXPECT_EQ(mErrors.rfind("nanaren: unexpected argument 'foo'", 0), 0u) << mErrors;
    Run("1\n", "", "--version bar");
    EXPECT_EQ(mErrors.rfind("nanaren: unexpected argument 'bar'", 0), 0u) << mErrors;
    EXPECT_EQ(mStatus, 2);
}

// ------------------------------------------ languages, encodings and levels

TEST_F(Game, WithUtf8TheJapaneseIsWrittenAsUtf8) {
    EXPECT_EQ(Run("", "", "--encoding utf-8"), Utf8Texts.chooseColor + std::string("\n"));
    ExpectCleanExit();
}

TEST_F(Game, TheEnglishDialogueHasTheSameBoardsAndLines) {
    Dialogue expected(Black, EnglishTexts);
    Board::PutResult result = expected.Human(5, 3, Board::Failure);
    expected.Computer(result);
    expected.EndOfInput();
    const std::string out = Run("1\n5 3\n", "", "--lang en --encoding utf-8");
    EXPECT_EQ(out, expected.Text());
    ExpectCleanExit();
}

// think.txt says -1, which would play without a search: the progress lines
// show that the level's own player searched.
TEST_F(Game, ALevelPlaysTheSameDialogueWithItsOwnSearch) {
    const std::string out = Run("1\n5 5\n", "", "--level 1 --lang en");
    ExpectCleanExit();
    Dialogue start(Black, EnglishTexts);
    start.Human(5, 5, Board::Failure);
    ASSERT_EQ(out.compare(0, start.Text().size(), start.Text()), 0) << out;
    const std::string report = out.substr(start.Text().size());
    std::smatch move;
    ASSERT_TRUE(std::regex_match(report, move,
                                 std::regex("\\[Thinking\\]\n(\\.\\.\\.[0-9]+%\n)+\n"
                                            "Computer's estimated winning rate:[0-9]+%\n"
                                            "(Expected reply:\\([1-9], [1-9]\\)\n)?"
                                            "AI:([1-9]), ([1-9])\n"
                                            "([\\s\\S]*)Your move:\n")))
        << report;
    Board board;
    board.CopyPosition(start.Position());
    ASSERT_EQ(board.PutAt(At(std::stoi(move[3]), std::stoi(move[4])), White), Board::Success);
    EXPECT_EQ(move[5], testing::RenderBoard(board));
}

TEST_F(Game, ABadLevelIsRefusedWithoutAGame) {
    const std::string takes =
        "nanaren: --level takes a level from 1 to " + std::to_string(LevelCount);
    for (const std::string& level :
         {std::string("0"), std::to_string(LevelCount + 1), std::string("x"), std::string()}) {
        EXPECT_EQ(Run("1\n", "", "--level " + level), "") << level;
        EXPECT_EQ(mStatus, 2) << level;
        EXPECT_EQ(mErrors.rfind(takes, 0), 0u) << mErrors;
    }
}

// -------------------------------------------------------- reproducibility

// Games in this process on string streams, with the clock value supplied.
class SeededGame : public ::testing::Test {
  protected:
    SeededGame() { mDirectory.WriteFile("think.txt", "60"); }

    std::string Run(const std::string& input, std::time_t clock) {
        std::istringstream in(input);
        std::ostringstream out;
        PlayGame(in, out, [&] {
            ++mClockCalls;
            return clock;
        });
        return out.str();
    }

    static std::string RunWith(const ConsoleOptions& options, const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out;
        PlayGame(
            in, out, [] { return std::time_t{1234567}; }, options);
        return out.str();
    }

    testing::ScopedWorkingDirectory mDirectory;
    int mClockCalls = 0;
};

TEST_F(SeededGame, TheClockIsReadOnceTheColourIsChosen) {
    EXPECT_EQ(Run("", 0), std::string(messages::ChooseColor) + "\n");
    EXPECT_EQ(mClockCalls, 0);
    Run("x\n1\n", 0);
    EXPECT_EQ(mClockCalls, 1);
}

TEST_F(SeededGame, TheSameClockPlaysTheSameGame) {
    const std::string input = "2\n5 5\n4 6\n-1 -1\n";
    const std::string first = Run(input, 1234567);
    EXPECT_EQ(Run(input, 1234567), first);
    EXPECT_NE(first.find("...100%"), std::string::npos) << "the computer searched";
}

TEST_F(SeededGame, OnlyTheClockSecondsLowBitsSeedTheSearch) {
    const std::string input = "1\n5 5\n";
    const std::string first = Run(input, 0x10005);
    EXPECT_EQ(Run(input, 0x70005), first);
}

// A searched game, the person's win and the computer's, each the same game
// in UTF-8 as in Shift-JIS.
TEST_F(SeededGame, InUtf8EachGameIsTheDefaultGameDecoded) {
    std::string passes = "2\n";
    for (int move = 0; move < 81; ++move)
        passes += "-1 -1\n";
    const struct {
        const char* thinkTxt;
        std::string input;
    } games[] = {
        {"60", "2\n5 5\n4 6\n"},
        {"-1", "1\n2 5\n3 5\n4 5\n5 5\n6 5\n7 5\n8 5\n"},
        {"-1", passes},
    };
    ConsoleOptions utf8;
    utf8.encoding = Encoding::Utf8;
    std::string all;
    for (const auto& game : games) {
        mDirectory.WriteFile("think.txt", game.thinkTxt);
        const std::string shiftJis = RunWith({}, game.input);
        EXPECT_EQ(testing::ToShiftJis(RunWith(utf8, game.input)), shiftJis) << game.input;
        all += shiftJis;
    }
    for (const char* text :
         {messages::ChooseColor, messages::YourMove, messages::Thinking, messages::WinningRate,
          messages::ExpectedReply, messages::YouWin, messages::YouLose}) {
        EXPECT_NE(all.find(text), std::string::npos) << "the games print every text";
    }
}

// think.txt asks for 60 playouts; the count given to the game, -1, plays
// without searching, as the model does.
TEST_F(SeededGame, APlayoutCountGivenToTheGameOverridesThinkTxt) {
    std::istringstream in("2\n5 5\n");
    std::ostringstream out;
    const auto clock = [] { return std::time_t{0}; };
    PlayGame(in, out, clock, -1);
    Dialogue expected(White);
    Board::PutResult result = Board::Failure;
    expected.Computer(result);
    result = expected.Human(5, 5, result);
    expected.Computer(result);
    expected.EndOfInput();
    EXPECT_EQ(out.str(), expected.Text());
}

}  // namespace
}  // namespace nanaren
