#include "players/registry.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "players/exact_player.h"
#include "players/levels.h"
#include "players/line_builder.h"
#include "players/strong_player.h"

namespace nanaren {

namespace {

// The strong player's options by the names a choice gives them.
struct Option {
    const char* name;
    float PlayerSettings::*real;
    int PlayerSettings::*whole;
};

constexpr std::array<Option, 6> Options = {{
    {"b0", &PlayerSettings::amafBias, nullptr},
    {"c", &PlayerSettings::exploration, nullptr},
    {"expand", &PlayerSettings::expandAt, nullptr},
    {"forced", nullptr, &PlayerSettings::forcedWinMoves},
    {"blunder", nullptr, &PlayerSettings::blunderPercent},
    {"prior", nullptr, &PlayerSettings::threatPrior},
}};

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || text.empty()) return std::nullopt;
    return value;
}

// A decimal fraction such as 0.25 (not every library reads floats with
// from_chars yet).
std::optional<float> ParseFraction(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const float value = std::strtof(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

// The fewest digits that ParseFraction reads back as the same value.
std::string FractionText(float value) {
    std::string text;
    for (int digits = 6; digits <= 9; ++digits) {
        std::ostringstream out;
        out << std::setprecision(digits) << value;
        text = out.str();
        if (ParseFraction(text) == value) break;
    }
    return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = text.find(separator, at);
        parts.push_back(text.substr(at, next - at));
        if (next == std::string_view::npos) return parts;
        at = next + 1;
    }
}

// "name=value", setting the named option.
bool ParseOption(std::string_view text, PlayerSettings& settings) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = text.substr(0, equals);
    const std::string_view value = text.substr(equals + 1);
    for (const Option& option : Options) {
        if (name != option.name) continue;
        if (option.real != nullptr) {
            const auto number = ParseFraction(value);
            if (!number || !std::isfinite(*number) || *number < 0.0f) return false;
            settings.*option.real = *number;
        } else {
            const auto number = ParseNumber<int>(value);
            if (!number || *number < 0 || *number > 100) return false;
            settings.*option.whole = *number;
        }
        return true;
    }
    return false;
}

}  // namespace

std::optional<PlayerChoice> ParsePlayer(std::string_view text) {
    PlayerChoice choice;
    if (text == "builder" || text == "blocker") {
        choice.kind = text == "builder" ? PlayerChoice::Kind::Builder : PlayerChoice::Kind::Blocker;
        return choice;
    }
    const std::size_t colon = text.find(':');
    const std::string_view kind = colon == std::string_view::npos ? "exact" : text.substr(0, colon);
    const std::string_view rest = colon == std::string_view::npos ? text : text.substr(colon + 1);
    if (kind == "level") {
        const auto level = ParseNumber<int>(rest);
        if (!level || *level < 1 || *level > LevelCount) return std::nullopt;
        choice.kind = PlayerChoice::Kind::Level;
        choice.level = *level;
        choice.settings = LevelOf(*level).settings;
        return choice;
    }
    if (kind != "exact" && kind != "strong") return std::nullopt;
    const std::vector<std::string_view> parts = Split(rest, ':');
    const auto playouts = ParseNumber<std::int32_t>(parts[0]);
    if (!playouts) return std::nullopt;
    choice.kind = kind == "exact" ? PlayerChoice::Kind::Exact : PlayerChoice::Kind::Strong;
    choice.settings.playouts = *playouts;
    if (kind == "exact" && parts.size() > 1) return std::nullopt;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!ParseOption(parts[i], choice.settings)) return std::nullopt;
    }
    return choice;
}

std::string PlayerName(const PlayerChoice& choice) {
    std::ostringstream name;
    switch (choice.kind) {
        case PlayerChoice::Kind::Builder:
            return "builder";
        case PlayerChoice::Kind::Blocker:
            return "blocker";
        case PlayerChoice::Kind::Level:
            name << "level:" << choice.level;
            return name.str();
        case PlayerChoice::Kind::Exact:
            name << "exact:" << choice.settings.playouts;
            return name.str();
        case PlayerChoice::Kind::Strong:
            break;
    }
    name << "strong:" << choice.settings.playouts;
    const PlayerSettings defaults;
    for (const Option& option : Options) {
        if (option.real != nullptr && choice.settings.*option.real != defaults.*option.real) {
            name << ':' << option.name << '=' << FractionText(choice.settings.*option.real);
        }
        if (option.whole != nullptr && choice.settings.*option.whole != defaults.*option.whole) {
            name << ':' << option.name << '=' << choice.settings.*option.whole;
        }
    }
    return name.str();
}

std::unique_ptr<Player> MakePlayer(const PlayerChoice& choice) {
    switch (choice.kind) {
        case PlayerChoice::Kind::Exact:
            return std::make_unique<ExactPlayer>(choice.settings);
        case PlayerChoice::Kind::Builder:
            return std::make_unique<LineBuilder>(false);
        case PlayerChoice::Kind::Blocker:
            return std::make_unique<LineBuilder>(true);
        default:
            return std::make_unique<StrongPlayer>(choice.settings);
    }
}

}  // namespace nanaren
