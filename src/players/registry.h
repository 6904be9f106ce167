#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "players/exact_player.h"
#include "players/player.h"
#include "players/strong_search.h"
#include "search/lane_threads.h"

namespace nanaren {

// The strong player at one of its levels.
struct LevelChoice {
    int level;  // 1 to LevelCount
    bool operator==(const LevelChoice&) const = default;
};

// The scripted line-builder, which may block.
struct LineBuilderChoice {
    bool blocks;  // stops a win in one first
    bool operator==(const LineBuilderChoice&) const = default;
};

// A player as the match tool, the console and the page name it (see
// PlayerNamesHelp): the exact player, a level, the strong player with its
// own settings, or a line-builder.
using PlayerChoice = std::variant<ExactSettings, LevelChoice, StrongSettings, LineBuilderChoice>;

// The choice a name gives, or none for a name that is no player.
std::optional<PlayerChoice> ParsePlayer(std::string_view text);

// The choice's name as ParsePlayer reads it.
std::string PlayerName(const PlayerChoice& choice);

// The player a choice names; a strong player's lanes run on up to threads
// threads (AllCores: one per core), which changes none of its moves.
std::unique_ptr<Player> MakePlayer(const PlayerChoice& choice, int threads = AllCores);

// The playouts a choice searches per move; none for the line-builders.
std::optional<std::int32_t> PlayoutsOf(const PlayerChoice& choice);

// The forms of a player's name and the strong player's options, as lines of
// a usage text, each indented by two blanks.
std::string PlayerNamesHelp();

}  // namespace nanaren
