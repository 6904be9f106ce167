#include "messages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace nanaren {
namespace {

// The text converted from UTF-8 by the C library's own converter.
std::string ToShiftJis(const std::string& utf8) {
    const iconv_t converter = iconv_open("SHIFT_JIS", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
    std::string input = utf8;
    std::vector<char> output(input.size() * 2 + 1);
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1)) return "<not convertible>";
    return std::string(output.data(), out);
}

TEST(Messages, AreTheShiftJisBytesOfTheirTexts) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {
        {messages::ChooseColor, "手番を選択して下さい[黒:1 白:2]:"},
        {messages::YourMove, "あなたの手番です:"},
        {messages::YouWin, "あなたの勝ちです"},
        {messages::YouLose, "あなたの負けです"},
        {messages::Thinking, "[思考中]"},
        {messages::WinningRate, "コンピュータの勝率推定:"},
        {messages::ExpectedReply, "プレイヤーの着手推定:("},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bytes, ToShiftJis(c.text)) << c.text;
}

}  // namespace
}  // namespace nanaren
