#include "think_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <optional>

#include "players/player.h"

namespace nanaren {

namespace {

// Reads a decimal integer the way "%d" does: blanks skipped, an optional sign,
// then digits. A value beyond the 32-bit range is clamped to it.
std::optional<std::int32_t> ReadDecimal(std::FILE* file) {
    int ch = std::fgetc(file);
    while (ch != EOF && std::isspace(ch))
        ch = std::fgetc(file);
    const bool negative = ch == '-';
    if (ch == '-' || ch == '+') ch = std::fgetc(file);
    if (ch == EOF || !std::isdigit(ch)) return std::nullopt;

    constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; ch != EOF && std::isdigit(ch); ch = std::fgetc(file)) {
        if (magnitude < Limit) magnitude = magnitude * 10 + (ch - '0');
    }
    if (negative) return static_cast<std::int32_t>(-std::min(magnitude, Limit));
    return static_cast<std::int32_t>(std::min(magnitude, Limit - 1));
}

}  // namespace

std::int32_t ReadPlayoutCount() {
    std::FILE* file = std::fopen("think.txt", "r");
    if (file == nullptr) return DefaultPlayoutCount;
    const std::optional<std::int32_t> count = ReadDecimal(file);
    std::fclose(file);
    return count.value_or(DefaultPlayoutCount);
}

}  // namespace nanaren
