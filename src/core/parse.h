#pragma once

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace nanaren {

// The whole of text as a decimal integer of type T (an optional minus sign,
// then digits), or none for anything else, including a value beyond T.
template <typename T>
std::optional<T> ParseInteger(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) return std::nullopt;
    return value;
}

// The whole of text as a decimal fraction such as 0.25 (not every library
// reads floats with from_chars yet), or none.
inline std::optional<float> ParseFraction(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const float value = std::strtof(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

}  // namespace nanaren
