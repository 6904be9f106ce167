#include "encoding.h"

#include <algorithm>

#include "shift_jis_table.h"

namespace nanaren {

namespace {

// The code point that starts at text[at], and its length in bytes; a byte
// that starts no valid sequence stands for itself.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80         ? 1
                       : lead >> 5 == 0x6  ? 2
                       : lead >> 4 == 0xE  ? 3
                       : lead >> 3 == 0x1E ? 4
                                           : 1;
    if (at + length > text.size()) {
        ++at;
        return lead;
    }
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        point = point << 6 | (byte(at + i) & 0x3F);
    at += length;
    return point;
}

}  // namespace

std::string Encoded(std::string_view utf8, Encoding encoding) {
    if (encoding == Encoding::Utf8) return std::string(utf8);
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t point = NextCodePoint(utf8, at);
        if (point < 0x80) {
            text += static_cast<char>(point);
            continue;
        }
        const auto found = std::lower_bound(
            ShiftJisCodes.begin(), ShiftJisCodes.end(), point,
            [](const ShiftJisCode& entry, char32_t p) { return entry.codePoint < p; });
        if (found == ShiftJisCodes.end() || found->codePoint != point) {
            text += '?';
        } else if (found->code > 0xFF) {
            text += static_cast<char>(found->code >> 8);
            text += static_cast<char>(found->code & 0xFF);
        } else {
            text += static_cast<char>(found->code);
        }
    }
    return text;
}

}  // namespace nanaren
