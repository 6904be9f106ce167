#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "players/player.h"

namespace nanaren {

// A player as the match tool, the console and the page name it:
//   exact:N (or a bare N)  the exact player with N playouts per move
//   level:K                the strong player's level K
//   strong:N[:name=value]  the strong player with N playouts and options
//   builder, blocker       the scripted line-builder, without and with blocks
struct PlayerChoice {
    enum class Kind { Exact, Level, Strong, Builder, Blocker };
    Kind kind = Kind::Exact;
    int level = 0;            // the level, for Kind::Level
    PlayerSettings settings;  // the budget and options, for Exact and Strong
};

// The choice a name gives, or none for a name that is none of the above.
std::optional<PlayerChoice> ParsePlayer(std::string_view text);

// The choice's name as ParsePlayer reads it.
std::string PlayerName(const PlayerChoice& choice);

std::unique_ptr<Player> MakePlayer(const PlayerChoice& choice);

}  // namespace nanaren
