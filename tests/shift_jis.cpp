#include "shift_jis.h"

#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace nanaren::testing {

#ifdef _WIN32
std::string ToShiftJis(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(size, L'\0');
    wide.resize(
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), size));
    if (wide.empty() && size > 0) return "<not convertible>";
    const int wideSize = static_cast<int>(wide.size());
    std::string output(wideSize * 2, '\0');
    BOOL lossy = FALSE;
    output.resize(WideCharToMultiByte(932, 0, wide.data(), wideSize, output.data(), wideSize * 2,
                                      nullptr, &lossy));
    return lossy ? "<not convertible>" : output;
}
#else
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

}  // namespace nanaren::testing
