#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string_view>

namespace nanaren {

// What the fixed set of signature games printed, boiled down: a hash of every
// byte and a few counts that show what the games went through.
struct Signature {
    std::uint64_t hash = 0;  // 64-bit FNV-1a of every transcript byte, game after game
    int games = 0;           // games played
    int moves = 0;           // stones placed, by both sides
    int captures = 0;        // moves of the computer games that captured
    int kos = 0;             // moves of the computer games that left a ko point
};

// The 64-bit FNV-1a hash of the bytes, as the signature takes it.
std::uint64_t HashOfBytes(std::string_view bytes);

// Plays the signature games in a temporary working directory (the scripted
// games read their playout counts from think.txt there) and returns their
// signature.
Signature PlaySignatureGames();

// Two named players and the clock of their game, the first playing Black.
struct StrongGame {
    const char* black;
    const char* white;
    std::time_t clock;
};

// The strong player's games against its levels, the exact player and the
// line-builder.
std::span<const StrongGame> StrongSignatureGames();

// Games each ended by a win or the move limit, the strong players' lanes on
// up to threads threads: a hash of their records and winners, and the same
// counts (captures and kos left at 0).
Signature PlayStrongGames(std::span<const StrongGame> games, int threads);

// The strong signature: PlayStrongGames of StrongSignatureGames on every core.
Signature PlayStrongSignatureGames();

}  // namespace nanaren
