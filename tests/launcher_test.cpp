#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "dialogue.h"
#include "messages.h"
#include "record_file.h"
#include "scoped_state.h"

namespace nanaren {
namespace {

// A program run in a pseudo-terminal under a locale, with an empty directory
// as the whole PATH (no luit, nor any other command), TERM naming a terminal
// that takes colours and NO_COLOR unset unless the test sets them, in the
// working directory the test had when it started it.
class Terminal {
  public:
    Terminal(const char* locale, std::vector<const char*> arguments,
             const std::vector<std::pair<const char*, const char*>>& environment = {},
             const char* program = NANAREN_LAUNCHER)
        : mWorkingDirectory(std::filesystem::current_path()) {
        char emptyPath[] = "/tmp/nanaren-path-XXXXXX";
        if (mkdtemp(emptyPath) == nullptr) return;
        mEmptyPath = emptyPath;
        arguments.insert(arguments.begin(), program);
        arguments.push_back(nullptr);
        mChild = forkpty(&mTerminal, nullptr, nullptr, nullptr);
        if (mChild != 0) return;
        setenv("LC_ALL", locale, 1);
        setenv("PATH", mEmptyPath.c_str(), 1);
        setenv("TERM", "xterm", 1);
        unsetenv("NO_COLOR");
        for (const auto& [name, value] : environment)
            setenv(name, value, 1);
        if (chdir(mWorkingDirectory.c_str()) != 0) _exit(126);
        execv(program, const_cast<char* const*>(arguments.data()));
        _exit(127);
    }

    ~Terminal() {
        if (mChild > 0) {
            kill(mChild, SIGKILL);
            waitpid(mChild, nullptr, 0);
        }
        if (mTerminal >= 0) close(mTerminal);
        if (!mEmptyPath.empty()) rmdir(mEmptyPath.c_str());
    }

    // Reads until the text appears after what the last wait found; false
    // when the program ends first. The poll's limit only keeps a broken
    // program from hanging the tests.
    bool WaitFor(const std::string& text) {
        for (;;) {
            const std::size_t found = mShown.find(text, mSeen);
            if (found != std::string::npos) {
                mSeen = found + text.size();
                return true;
            }
            if (!ReadMore()) return false;
        }
    }

    // Types a line as a person does.
    void Type(const std::string& line) {
        const std::string typed = line + "\n";
        ASSERT_EQ(write(mTerminal, typed.data(), typed.size()), ssize_t(typed.size()));
    }

    // Types the end of input, and reads what the program shows until it ends.
    const std::string& TypeEnd() {
        if (write(mTerminal, "\x04", 1) == 1) {
            while (ReadMore()) {
            }
        }
        return mShown;
    }

    // Everything shown so far.
    const std::string& Shown() const { return mShown; }

  private:
    bool ReadMore() {
        if (mChild < 0) return false;
        pollfd ready{mTerminal, POLLIN, 0};
        if (poll(&ready, 1, 30000) <= 0) return false;
        char buffer[4096];
        const ssize_t size = read(mTerminal, buffer, sizeof buffer);
        if (size <= 0) return false;  // the program has ended
        mShown.append(buffer, size);
        return true;
    }

    std::string mWorkingDirectory;  // the program's
    std::string mEmptyPath;         // an empty directory, the whole PATH
    int mTerminal = -1;             // the pseudo-terminal's controlling side
    pid_t mChild = -1;              // the program
    std::string mShown;             // what the program has shown
    std::size_t mSeen = 0;          // where the last wait found its text ended
};

// What the launcher shows on a terminal until the text appears, and after
// the end of input is typed there.
std::string ShowOnTerminal(const char* locale, std::vector<const char*> arguments,
                           const std::string& text) {
    Terminal terminal(locale, std::move(arguments));
    terminal.WaitFor(text);
    return terminal.TypeEnd();
}

TEST(Launcher, OnAUtf8TerminalTheJapaneseIsUtf8WithNoOtherCommand) {
    const std::string shown = ShowOnTerminal("C.UTF-8", {}, Utf8Texts.chooseColor);
    EXPECT_NE(shown.find(Utf8Texts.chooseColor), std::string::npos) << shown;
    EXPECT_EQ(shown.find(messages::ChooseColor), std::string::npos);
}

TEST(Launcher, OnAShiftJisTerminalTheJapaneseIsTheGamesBytes) {
    const std::string shown = ShowOnTerminal("ja_JP.SJIS", {}, messages::ChooseColor);
    EXPECT_NE(shown.find(messages::ChooseColor), std::string::npos) << shown;
}

TEST(Launcher, WithRawAnywhereTheTerminalGetsTheShiftJisBytes) {
    const std::string shown =
        ShowOnTerminal("C.UTF-8", {"--lang", "ja", "--raw"}, messages::ChooseColor);
    EXPECT_NE(shown.find(messages::ChooseColor), std::string::npos) << shown;
}

TEST(Launcher, OnATerminalThatShowsNeitherItSaysWhyTheTextIsShiftJis) {
    const std::string shown = ShowOnTerminal("ja_JP.eucJP", {}, messages::ChooseColor);
    EXPECT_NE(shown.find("neither UTF-8 nor Shift-JIS"), std::string::npos) << shown;
    EXPECT_NE(shown.find(messages::ChooseColor), std::string::npos) << shown;
}

TEST(Launcher, PassesTheOtherOptionsOn) {
    const std::string shown = ShowOnTerminal("C.UTF-8", {"--lang", "en"}, EnglishTexts.chooseColor);
    EXPECT_NE(shown.find(EnglishTexts.chooseColor), std::string::npos) << shown;
}

TEST(Launcher, PassesTheGamesBytesToAPipeUnchanged) {
    testing::ScopedWorkingDirectory directory;
    const std::string command =
        std::string("LC_ALL=C.UTF-8 '") + NANAREN_LAUNCHER + "' < /dev/null | cat > out.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream out("out.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(out), {}),
              messages::ChooseColor + std::string("\n"));
}

// ------------------------------------------------ the interactive game

// A colour sequence anywhere in the text.
bool HasColour(const std::string& text) {
    return std::regex_search(text, std::regex("\x1b\\[[0-9;]*m"));
}

// The last screen shown: the text after the last return of the cursor to the
// top, without the sequences that colour and erase.
std::string LastScreen(const std::string& shown) {
    const std::size_t top = shown.rfind("\x1b[H");
    const std::string screen = top == std::string::npos ? shown : shown.substr(top);
    return std::regex_replace(screen, std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
}

// The board row y of a screen, from its label on.
std::string BoardRow(const std::string& screen, int y) {
    const std::string label = "\n " + std::to_string(y) + " ";
    const std::size_t start = screen.find(label);
    if (start == std::string::npos) return "";
    return screen.substr(start + 1, screen.find('\r', start + 1) - start - 1);
}

// Games against the exact player without a search (think.txt -1), which
// takes the first legal point and so never depends on the clock, in a
// directory of their own.
class InteractiveOnTerminal : public ::testing::Test {
  protected:
    InteractiveOnTerminal() { mDirectory.WriteFile("think.txt", "-1\n"); }
    testing::ScopedWorkingDirectory mDirectory;
};

TEST_F(InteractiveOnTerminal, ARefusedMoveIsExplainedInOneLine) {
    Terminal terminal("C.UTF-8", {"--lang", "en"});
    ASSERT_TRUE(terminal.WaitFor(EnglishTexts.chooseColor));
    terminal.Type("1");
    ASSERT_TRUE(terminal.WaitFor(EnglishTexts.yourMove));
    terminal.Type("5 5");
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {"5-5", "'5-5' is taken: a stone is there"},
        {"10 10", "'10 10' is off the board: columns and rows go from 1 to 9"},
        {"e5", "'e5' is not a move"},
        {"5", "'5' is not a move"},
    };
    for (const auto& [typed, reason] : refusals) {
        ASSERT_TRUE(terminal.WaitFor(EnglishTexts.yourMove)) << terminal.Shown();
        terminal.Type(typed);
        EXPECT_TRUE(terminal.WaitFor(reason)) << typed;
    }
    EXPECT_TRUE(HasColour(terminal.Shown()));
}

TEST_F(InteractiveOnTerminal, ATakeBackLeavesTheBoardAsItWasInTheGamesOwnWords) {
    Terminal terminal("C.UTF-8", {});
    ASSERT_TRUE(terminal.WaitFor(Utf8Texts.chooseColor));
    terminal.Type("1");
    ASSERT_TRUE(terminal.WaitFor(Utf8Texts.yourMove));
    terminal.Type("5 5");
    ASSERT_TRUE(terminal.WaitFor(Utf8Texts.yourMove));
    EXPECT_EQ(BoardRow(LastScreen(terminal.Shown()), 5), " 5  + + + + @ + + + +");
    terminal.Type("u");
    ASSERT_TRUE(terminal.WaitFor(Utf8Texts.yourMove));
    const std::string screen = LastScreen(terminal.Shown());
    EXPECT_NE(screen.find("待った"), std::string::npos) << screen;
    for (int y = 1; y <= BoardSize; ++y)
        EXPECT_EQ(BoardRow(screen, y), " " + std::to_string(y) + "  + + + + + + + + +");
}

TEST_F(InteractiveOnTerminal, AWinMarksTheSevenAndSavesTheRecordWithoutColourUnderNoColor) {
    Terminal terminal("C.UTF-8", {"--lang", "en"}, {{"NO_COLOR", "1"}});
    ASSERT_TRUE(terminal.WaitFor(EnglishTexts.chooseColor));
    terminal.Type("1");
    for (int y = 2; y <= 8; ++y) {
        ASSERT_TRUE(terminal.WaitFor(EnglishTexts.yourMove)) << terminal.Shown();
        terminal.Type("5 " + std::to_string(y));
    }
    ASSERT_TRUE(terminal.WaitFor("Play again?")) << terminal.Shown();
    const std::string screen = LastScreen(terminal.Shown());
    // Column 5 of rows 2 to 8 is the line, and nothing else is marked.
    int marked = 0;
    for (int y = 1; y <= BoardSize; ++y) {
        const std::string row = BoardRow(screen, y);
        ASSERT_GE(row.size(), 13u) << screen;
        EXPECT_EQ(row[12] == '*', y >= 2 && y <= 8) << row;
        marked += std::count(row.begin(), row.end(), '*');
    }
    EXPECT_EQ(marked, 7);
    // Seven stones of Black's and the six replies between them.
    EXPECT_NE(screen.find("You win in 13 moves"), std::string::npos) << screen;
    EXPECT_FALSE(HasColour(terminal.Shown()));

    const std::string saved = "Record saved: ";
    const std::size_t at = screen.find(saved);
    ASSERT_NE(at, std::string::npos) << screen;
    const std::size_t start = at + saved.size();
    const std::string path = screen.substr(start, screen.find_first_of("\x1b\r", start) - start);
    std::ifstream file(path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(file), {});
    EXPECT_NE(text.find("you: black\ncomputer: exact:-1\n"), std::string::npos) << text;
    std::string error;
    const auto moves = ReadGameFile(text, error);
    ASSERT_TRUE(moves) << error;
    ASSERT_EQ(moves->size(), 13u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((*moves)[2 * i], GetVertex(5, 2 + i));
    terminal.Type("n");
}

TEST_F(InteractiveOnTerminal, ClassicOnATerminalAndAPipedInputGetTheGamesOwnDialogue) {
    testing::Dialogue expected(White, EnglishTexts);
    Board::PutResult result;
    expected.Computer(result);
    expected.EndOfInput();
    const auto lines = [](std::string text) {
        return std::regex_replace(text, std::regex("\r\n"), "\n");
    };

    Terminal classic("C.UTF-8", {"--classic", "--lang", "en"});
    ASSERT_TRUE(classic.WaitFor(EnglishTexts.chooseColor));
    classic.Type("2");
    ASSERT_TRUE(classic.WaitFor(EnglishTexts.yourMove));
    const std::string typed = "2\r\n";  // the terminal's echo
    EXPECT_EQ(lines(classic.TypeEnd()),
              lines(EnglishTexts.chooseColor + typed +
                    expected.Text().substr(std::strlen(EnglishTexts.chooseColor))));

    const std::string command = std::string("echo 2 | '") + NANAREN_LAUNCHER + "' --lang en";
    Terminal piped("C.UTF-8", {"-c", command.c_str()}, {}, "/bin/sh");
    EXPECT_EQ(lines(piped.TypeEnd()), expected.Text());
}

TEST(Launcher, ItsHelpNamesItAndWhatItPicksOnThisTerminal) {
    Terminal terminal("C.UTF-8", {"--help"});
    const std::string help = terminal.TypeEnd();
    EXPECT_EQ(help.rfind("Usage: nanaren-play", 0), 0u) << help;
    EXPECT_NE(help.find("Here it starts the interactive game,\r\nwith its Japanese as UTF-8"),
              std::string::npos)
        << help;
    EXPECT_NE(help.find("  --level K"), std::string::npos) << help;
    EXPECT_EQ(help.find("Usage: nanaren "), std::string::npos) << help;
}

}  // namespace
}  // namespace nanaren
