#include "players/registry.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "core/parse.h"
#include "players/levels.h"
#include "players/line_builder.h"
#include "players/strong_player.h"

namespace nanaren {

namespace {

// An option of the strong player, by the name a choice gives it: a fraction,
// or a whole number from its least value to its most.
struct StrongOption {
    const char* name;
    const char* meaning;
    float StrongSettings::*real;
    int StrongSettings::*whole;
    int least = 0;  // of a whole number
    int most = 100;
};

constexpr std::array<StrongOption, 10> StrongOptions = {{
    {"b0", "the all-moves-as-first bias", &StrongSettings::amafBias, nullptr},
    {"c", "the exploration weight", &StrongSettings::exploration, nullptr},
    {"expand", "the visits that make a leaf grow", &StrongSettings::expandAt, nullptr},
    {"forced", "the moves of its forced-win search, 0 for none", nullptr,
     &StrongSettings::forcedWinMoves},
    {"blunder", "the percent of moves played at random", nullptr, &StrongSettings::blunderPercent},
    {"prior", "the virtual wins of long lines and captures", nullptr, &StrongSettings::threatPrior},
    {"lanes", "the trees searched apart and merged, 1 to 64", nullptr, &StrongSettings::lanes, 1,
     MaxLanes},
    {"learned", "the visits a learned prior is worth, 0 for none", nullptr,
     &StrongSettings::learnedPrior, 0, 10000},
    {"amafprior", "the same in the all-moves-as-first mean", nullptr,
     &StrongSettings::learnedAmafPrior, 0, 10000},
    {"draws", "the points a playout's random move weighs by pattern", nullptr,
     &StrongSettings::playoutDraws, 1, 16},
}};

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
bool ParseOption(std::string_view text, StrongSettings& settings) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = text.substr(0, equals);
    const std::string_view value = text.substr(equals + 1);
    for (const StrongOption& option : StrongOptions) {
        if (name != option.name) continue;
        if (option.real != nullptr) {
            const auto number = ParseFraction(value);
            if (!number || !std::isfinite(*number) || *number < 0.0f) return false;
            settings.*option.real = *number;
        } else {
            const auto number = ParseInteger<int>(value);
            if (!number || *number < option.least || *number > option.most) return false;
            settings.*option.whole = *number;
        }
        return true;
    }
    return false;
}

std::optional<PlayerChoice> ParseStrong(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, ':');
    const auto playouts = ParseInteger<std::int32_t>(parts[0]);
    if (!playouts) return std::nullopt;
    StrongSettings settings;
    settings.playouts = *playouts;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!ParseOption(parts[i], settings)) return std::nullopt;
    }
    return settings;
}

std::string StrongName(const StrongSettings& settings) {
    std::ostringstream name;
    name << "strong:" << settings.playouts;
    const StrongSettings defaults;
    for (const StrongOption& option : StrongOptions) {
        if (option.real != nullptr && settings.*option.real != defaults.*option.real) {
            name << ':' << option.name << '=' << FractionText(settings.*option.real);
        }
        if (option.whole != nullptr && settings.*option.whole != defaults.*option.whole) {
            name << ':' << option.name << '=' << settings.*option.whole;
        }
    }
    return name.str();
}

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <typename... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

std::optional<PlayerChoice> ParsePlayer(std::string_view text) {
    if (text == "builder" || text == "blocker") return LineBuilderChoice{text == "blocker"};
    // A bare number is the exact player's playouts.
    const std::size_t colon = text.find(':');
    const std::string_view kind = colon == std::string_view::npos ? "exact" : text.substr(0, colon);
    const std::string_view rest = colon == std::string_view::npos ? text : text.substr(colon + 1);
    if (kind == "level") {
        const auto level = ParseInteger<int>(rest);
        if (!level || *level < 1 || *level > LevelCount) return std::nullopt;
        return LevelChoice{*level};
    }
    if (kind == "exact") {
        const auto playouts = ParseInteger<std::int32_t>(rest);
        if (!playouts) return std::nullopt;
        return ExactSettings{*playouts};
    }
    if (kind == "strong") return ParseStrong(rest);
    return std::nullopt;
}

std::string PlayerName(const PlayerChoice& choice) {
    return std::visit(
        Overloaded{
            [](const ExactSettings& exact) { return "exact:" + std::to_string(exact.playouts); },
            [](const LevelChoice& level) { return "level:" + std::to_string(level.level); },
            [](const StrongSettings& strong) { return StrongName(strong); },
            [](const LineBuilderChoice& builder) {
                return std::string(builder.blocks ? "blocker" : "builder");
            },
        },
        choice);
}

std::unique_ptr<Player> MakePlayer(const PlayerChoice& choice, int threads) {
    return std::visit(Overloaded{
                          [](const ExactSettings& exact) -> std::unique_ptr<Player> {
                              return std::make_unique<ExactPlayer>(exact);
                          },
                          [&](const LevelChoice& level) -> std::unique_ptr<Player> {
                              return std::make_unique<StrongPlayer>(LevelSettings(level.level),
                                                                    threads);
                          },
                          [&](const StrongSettings& strong) -> std::unique_ptr<Player> {
                              return std::make_unique<StrongPlayer>(strong, threads);
                          },
                          [](const LineBuilderChoice& builder) -> std::unique_ptr<Player> {
                              return std::make_unique<LineBuilder>(builder.blocks);
                          },
                      },
                      choice);
}

std::optional<std::int32_t> PlayoutsOf(const PlayerChoice& choice) {
    return std::visit(
        Overloaded{
            [](const ExactSettings& exact) -> std::optional<std::int32_t> {
                return exact.playouts;
            },
            [](const LevelChoice& level) -> std::optional<std::int32_t> {
                return LevelSettings(level.level).playouts;
            },
            [](const StrongSettings& strong) -> std::optional<std::int32_t> {
                return strong.playouts;
            },
            [](const LineBuilderChoice&) -> std::optional<std::int32_t> { return std::nullopt; },
        },
        choice);
}

std::string PlayerNamesHelp() {
    const StrongSettings defaults;
    std::ostringstream text;
    text << "  exact:N (or N)     the exact player, N playouts per move\n"
         << "  level:K            the strong player's level K, 1 to " << LevelCount << '\n'
         << "  strong:N[:name=value...]\n"
         << "                     the strong player, N playouts per move, with options:\n";
    for (const StrongOption& option : StrongOptions) {
        std::ostringstream value;
        if (option.real != nullptr) {
            value << FractionText(defaults.*option.real);
        } else {
            value << defaults.*option.whole;
        }
        text << "                       " << std::left << std::setw(8) << option.name
             << option.meaning << " (" << value.str() << ")\n";
    }
    text << "  builder, blocker   a player that only builds a line, without and with blocks\n";
    return text.str();
}

}  // namespace nanaren
