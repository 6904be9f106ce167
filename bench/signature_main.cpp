#include <cinttypes>
#include <cstdio>

#include "signature.h"

// Prints the signature of the fixed set of games: a changed hash means that
// some game now plays differently.
int main() {
    const nanaren::Signature s = nanaren::PlaySignatureGames();
    std::printf("games %d, moves %d, captures %d, kos %d\n", s.games, s.moves, s.captures, s.kos);
    std::printf("signature %016" PRIx64 "\n", s.hash);
    return 0;
}
