#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "messages.h"
#include "scoped_state.h"

namespace nanaren {
namespace {

// Starts the launcher with the arguments in a pseudo-terminal under the
// locale, with an empty directory as the whole PATH (no luit, nor any other
// command), and reads what the terminal shows until the text appears; then
// types the end of input, which ends the game, and reads the rest.
std::string ShowOnTerminal(const char* locale, std::vector<const char*> arguments,
                           const std::string& text) {
    const testing::ScopedWorkingDirectory emptyPath;
    arguments.insert(arguments.begin(), NANAREN_LAUNCHER);
    arguments.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        setenv("LC_ALL", locale, 1);
        setenv("PATH", emptyPath.Path().c_str(), 1);
        execv(NANAREN_LAUNCHER, const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    if (child < 0) return "<no pseudo-terminal>";
    std::string shown;
    bool typedEnd = false;
    // The poll's limit only keeps a broken launcher from hanging the tests.
    pollfd ready{terminal, POLLIN, 0};
    while (poll(&ready, 1, 30000) > 0) {
        char buffer[4096];
        const ssize_t size = read(terminal, buffer, sizeof buffer);
        if (size <= 0) break;  // the launcher has ended
        shown.append(buffer, size);
        if (!typedEnd && shown.find(text) != std::string::npos) {
            typedEnd = write(terminal, "\x04", 1) == 1;
        }
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(terminal);
    return shown;
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

}  // namespace
}  // namespace nanaren
