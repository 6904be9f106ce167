#include "signature.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace nanaren
