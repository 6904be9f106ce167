#include <cinttypes>
#include <cstdio>

#include "signature.h"

// Prints the signatures of the fixed sets of games, the exact game's and the
// strong player's: a changed hash means that some game now plays differently.
int main() {
    const nanaren::Signature s = nanaren::PlaySignatureGames();
    std::printf("games %d, moves %d, captures %d, kos %d\n", s.games, s.moves, s.captures, s.kos);
    std::printf("signature %016" PRIx64 "\n", s.hash);
    const nanaren::Signature strong = nanaren::PlayStrongSignatureGames();
    std::printf("strong player: games %d, moves %d\n", strong.games, strong.moves);
    std::printf("strong signature %016" PRIx64 "\n", strong.hash);
    return 0;
}
