#include "messages.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "report_printer.h"
#include "shift_jis.h"

namespace nanaren {
namespace {

std::vector<std::string> All(const Texts& texts) {
    return {texts.chooseColor, texts.yourMove,    texts.youWin,       texts.youLose,
            texts.thinking,    texts.winningRate, texts.expectedReply};
}

TEST(Messages, TheShiftJisBytesAreTheUtf8TextsConverted) {
    const std::vector<std::string> shiftJis = All(ShiftJisTexts);
    const std::vector<std::string> utf8 = All(Utf8Texts);
    for (std::size_t i = 0; i < utf8.size(); ++i)
        EXPECT_EQ(shiftJis[i], testing::ToShiftJis(utf8[i])) << utf8[i];
}

// Any console shows them, whatever its code page or the chosen encoding.
TEST(Messages, TheEnglishTextsArePrintableAscii) {
    for (const std::string& text : All(EnglishTexts)) {
        EXPECT_FALSE(text.empty());
        for (const char c : text)
            EXPECT_TRUE(c >= ' ' && c <= '~') << text;
    }
}

// The report after the progress: a blank line, the winning rate, and the
// expected reply where the move was expanded; nothing more for a pass.
TEST(Report, EndsWithTheRateAndTheReplyExpected) {
    const auto finished = [](const std::optional<SearchEstimate>& estimate) {
        std::ostringstream out;
        ReportPrinter(out).Finished(estimate);
        return out.str();
    };
    EXPECT_EQ(
        finished(SearchEstimate{62, GetVertex(4, 6)}),
        "\n" + std::string(messages::WinningRate) + "62%\n" + messages::ExpectedReply + "4, 6)\n");
    EXPECT_EQ(finished(SearchEstimate{100, NoVertex}),
              "\n" + std::string(messages::WinningRate) + "100%\n");
    EXPECT_EQ(finished(std::nullopt), "\n");
}

}  // namespace
}  // namespace nanaren
