#include "signature.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "console_game.h"

namespace nanaren {
namespace {

// The signature games as commit e7de4a7 plays them: its console game and its
// computer player are the reviewed reference, and every later change to the
// engine must play the same games byte for byte.
TEST(Signature, TheGamesPlayAsAtCommitE7de4a7) {
    const Signature signature = PlaySignatureGames();
    EXPECT_EQ(signature.hash, 0x798d6b5ee07e63cbu);
    EXPECT_EQ(signature.games, 10);
    EXPECT_EQ(signature.moves, 323);
    // What the games must go through to sign the capture and ko rules.
    EXPECT_EQ(signature.captures, 9);
    EXPECT_EQ(signature.kos, 5);
}

// A game in which expansions that meet a winning move give back the children
// made before it, so that later child lists take slots out of order and the
// search follows them along the list (checked when this was recorded); its
// transcript as commit e7de4a7 prints it, with think.txt 500.
TEST(Signature, AGameWhoseSearchReusesFreedNodesPlaysAsAtCommitE7de4a7) {
    std::istringstream in(
        "2\n1 4\n7 3\n3 5\n3 9\n5 4\n4 9\n5 9\n6 2\n1 6\n4 8\n"
        "2 6\n7 9\n6 8\n8 4\n2 7\n6 7\n1 8\n5 6\n8 1\n6 1\n");
    std::ostringstream out;
    PlayGame(
        in, out, [] { return std::time_t{1733700003}; }, 500);
    EXPECT_EQ(out.str().size(), 13950u);
    EXPECT_EQ(HashOfBytes(out.str()), 0x556e4e3c856d081au);
}

// The strong player's games as they are played once the ko point counts for
// the side waiting and the blocker takes its own win first, the player the
// README's ladder measures: a change of the strong player or its levels
// changes this hash, and must then be a change meant and measured.
TEST(Signature, TheStrongPlayersGamesPlayAsLadderMeasured) {
    const Signature signature = PlayStrongSignatureGames();
    EXPECT_EQ(signature.hash, 0xde5567598bc86247u);
    EXPECT_EQ(signature.games, 5);
    EXPECT_EQ(signature.moves, 122);
}

}  // namespace
}  // namespace nanaren
