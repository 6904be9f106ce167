#include "messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace nanaren {
namespace {

#ifdef _WIN32
// The text converted from UTF-8 by the system's code page 932 converter.
std::string ToShiftJis(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(size, L'\0');
    wide.resize(
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size));
    const int wideSize = static_cast<int>(wide.size());
    std::string output(wideSize * 2, '\0');
    BOOL lossy = FALSE;
    output.resize(WideCharToMultiByte(932, 0, wide.data(), wideSize, output.data(), wideSize * 2,
                                      nullptr, &lossy));
    return lossy ? "<not convertible>" : output;
}
#else
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
#endif

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
