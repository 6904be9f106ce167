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

#include "messages.h"
#include "scoped_state.h"

namespace nanaren {
namespace {

constexpr char ChooseColorUtf8[] = "手番を選択して下さい[黒:1 白:2]:";

// Starts the launcher in a pseudo-terminal under a UTF-8 locale and reads what
// the terminal shows until the text appears; then types the end of input,
// which ends the game, and reads the rest.
std::string ShowOnTerminal(const char* option, const std::string& text) {
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        setenv("LC_ALL", "C.UTF-8", 1);
        execl(NANAREN_LAUNCHER, NANAREN_LAUNCHER, option, static_cast<char*>(nullptr));
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

TEST(Launcher, OnAUtf8TerminalShowsTheJapaneseAsUtf8) {
    const char* luit = std::getenv("NANAREN_LUIT");
    if (luit == nullptr || *luit == '\0') GTEST_SKIP() << "NANAREN_LUIT names no luit";
    const std::string shown = ShowOnTerminal(nullptr, ChooseColorUtf8);
    EXPECT_NE(shown.find(ChooseColorUtf8), std::string::npos) << shown;
    EXPECT_EQ(shown.find(messages::ChooseColor), std::string::npos);
}

TEST(Launcher, WithRawTheTerminalGetsTheShiftJisBytes) {
    const std::string shown = ShowOnTerminal("--raw", messages::ChooseColor);
    EXPECT_NE(shown.find(messages::ChooseColor), std::string::npos) << shown;
    EXPECT_EQ(shown.find("nanaren-play"), std::string::npos) << "no hint on raw output";
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
