#include "signature.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

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

// The strong player's games as the ladder of docs/strength.md measured them:
// levels 1 to 4 as at commit b7ec331, and a player of two lanes with the
// learned priors. A
// change of the strong player or its levels changes this hash, and must then
// be a change meant and measured. The lanes make the same moves on one
// thread as on two.
constexpr std::uint64_t LadderMeasuredStrongSignature = 0xc6b71b73f2c9b01e;

TEST(Signature, TheStrongPlayersGamesPlayAsLadderMeasuredOnOneOrTwoThreads) {
    for (const int threads : {1, 2}) {
        const Signature signature = PlayStrongGames(StrongSignatureGames(), threads);
        EXPECT_EQ(signature.hash, LadderMeasuredStrongSignature) << threads << " threads";
        EXPECT_EQ(signature.games, 5);
        EXPECT_EQ(signature.moves, 116);
    }
}

std::string ReadSourceFile(const std::string& name) {
    std::ifstream file(std::string(NANAREN_SOURCE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The figures that docs/strength.md shows and the page quotes were measured
// with the player pinned above: a change to the strong player fails here too,
// until scripts/ladder.sh has measured the levels again.
TEST(Signature, TheMeasuredStrengthFiguresAreStampedWithTheLadderMeasuredPlayer) {
    char stamp[17];
    std::snprintf(stamp, sizeof stamp, "%016llx",
                  static_cast<unsigned long long>(LadderMeasuredStrongSignature));
    EXPECT_NE(
        ReadSourceFile("web/strength.json").find("\"signature\": \"" + std::string(stamp) + '"'),
        std::string::npos)
        << "web/strength.json measured another player: run scripts/ladder.sh";
    EXPECT_NE(ReadSourceFile("docs/strength.md").find('`' + std::string(stamp) + '`'),
              std::string::npos)
        << "docs/strength.md measured another player: run scripts/ladder.sh";
}

// The strong player with every option as the player of commit b7ec331 had it
// (one lane, the three virtual wins of long lines and captures, no learned
// priors) plays that commit's games: its signature games, each level named
// by its settings then, give the strong signature that commit pinned. So
// "today's level 7" of the goals is strong:40000:forced=6 with these options.
TEST(Signature, TheStrongPlayerWithTheOldOptionsPlaysAsAtCommitB7ec331) {
    constexpr const char* Old =
        ":b0=0.05:c=0.02:expand=2:prior=3:lanes=1:learned=0:amafprior=0:draws=1";
    const std::string names[] = {
        std::string("strong:20:forced=0:blunder=40") + Old,
        std::string("strong:60:forced=0:blunder=15") + Old,
        std::string("strong:250:forced=3") + Old,
        std::string("strong:1000:forced=4") + Old,
        std::string("strong:2000:forced=2") + Old,
    };
    const StrongGame games[] = {
        {names[0].c_str(), names[1].c_str(), 11}, {names[2].c_str(), "exact:300", 12},
        {"blocker", names[3].c_str(), 13},        {names[4].c_str(), "builder", 14},
        {names[1].c_str(), names[2].c_str(), 15},
    };
    const Signature signature = PlayStrongGames(games, 1);
    EXPECT_EQ(signature.hash, 0xde5567598bc86247u);
    EXPECT_EQ(signature.moves, 122);
}

}  // namespace
}  // namespace nanaren
