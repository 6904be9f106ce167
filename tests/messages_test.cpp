#include "messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace nanaren
