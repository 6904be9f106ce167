// Runs the built game as a person would: in a directory of its own with its
// own think.txt, a script on standard input, and every output byte compared.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "dialogue.h"
#include "messages.h"
#include "scoped_state.h"

namespace nanaren {
namespace {

using testing::Dialogue;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class Executable : public ::testing::Test {
  protected:
    // Runs the game on the input; shellPrefix runs in the same shell first.
    Outcome Run(const std::string& input, const std::string& shellPrefix = "") {
        mDirectory.WriteFile("input.txt", input);
        const std::string command = "cd '" + mDirectory.Path() + "' && " + shellPrefix + "'" +
                                    NANAREN_EXECUTABLE + "' < input.txt > out.txt 2> err.txt";
        const int raw = std::system(command.c_str());
        Outcome outcome;
        if (raw != -1 && WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
        outcome.out = ReadFile(mDirectory.Path() + "/out.txt");
        outcome.err = ReadFile(mDirectory.Path() + "/err.txt");
        return outcome;
    }

    testing::ScopedWorkingDirectory mDirectory;
};

TEST_F(Executable, EndsAtTheEndOfInputWithStatusZero) {
    mDirectory.WriteFile("think.txt", "-1");
    Outcome outcome = Run("");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, std::string(messages::ChooseColor) + "\n");

    Dialogue expected(Black);
    Board::PutResult result = expected.Human(5, 5, Board::Failure);
    expected.Computer(result);
    expected.EndOfInput();
    outcome = Run("1\n5 5\n");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, expected.Text());
    EXPECT_EQ(outcome.err, "");
}

TEST_F(Executable, PlaysAGameTheHumanWins) {
    mDirectory.WriteFile("think.txt", "-1");
    Dialogue expected(Black);
    std::string input = "1\n";
    Board::PutResult result = Board::Failure;
    for (int y = 1; y <= 7; ++y) {
        result = expected.Human(8, y, result);
        input += "8 " + std::to_string(y) + "\n";
        if (result == Board::Win) break;
        ASSERT_EQ(result, Board::Success);
        expected.Computer(result);
        ASSERT_EQ(result, Board::Success);
        // A refused move on the computer's stone comes between.
        ASSERT_EQ(expected.Human(1, 1, result), Board::Failure);
        input += "1 1\n";
    }
    ASSERT_EQ(result, Board::Win);
    const Outcome outcome = Run(input);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, expected.Text());
}

TEST_F(Executable, ReportsTheSearchAsItGoes) {
    mDirectory.WriteFile("think.txt", "100");
    const Outcome outcome = Run("2\n");
    EXPECT_EQ(outcome.status, 0);
    std::string start = std::string(messages::ChooseColor) + messages::Thinking + "\n";
    for (int percent = 0; percent <= 100; percent += 5) {
        start += "..." + std::to_string(percent) + "%\n";
    }
    start += "\n" + std::string(messages::WinningRate);
    EXPECT_EQ(outcome.out.substr(0, start.size()), start);
    EXPECT_NE(outcome.out.find("\nAI:"), std::string::npos);
}

#ifndef NANAREN_SANITIZED
TEST_F(Executable, WithoutMemoryForTheTreeItSaysSoAndFails) {
    const Outcome outcome = Run("1\n", "ulimit -v 30000 && ");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, messages::ChooseColor);
    EXPECT_EQ(outcome.err, "nanaren: not enough memory for the search tree\n");
}
#endif

}  // namespace
}  // namespace nanaren
