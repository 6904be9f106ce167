// Checks of strength that play whole games: too long for the unit suite,
// they carry the ctest label "slow" and run once, in the native build.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "play/self_play.h"
#include "players/levels.h"
#include "players/registry.h"

namespace nanaren {
namespace {

// The strong player from level 3 up never loses to the line-builder, with or
// without its blocks, as either colour. A handful of seeds; the matches of
// docs/strength.md play many more.
TEST(LineBuilder, NeverWinsFromLevelThreeUp) {
    for (int level = 3; level <= LevelCount; ++level) {
        for (const char* builder : {"builder", "blocker"}) {
            for (int game = 0; game < 2; ++game) {
                const bool strongIsBlack = game % 2 == 0;
                std::array<std::unique_ptr<Player>, 2> players;
                players[strongIsBlack ? 0 : 1] =
                    MakePlayer(*ParsePlayer("level:" + std::to_string(level)));
                players[strongIsBlack ? 1 : 0] = MakePlayer(*ParsePlayer(builder));
                SelfPlay play(std::move(players), 1733700000 + level * 10 + game);
                SearchObserver quiet;
                while (!play.IsOver())
                    play.PlayMove(quiet);
                EXPECT_EQ(play.Winner(), strongIsBlack ? Black : White)
                    << "level " << level << " against the " << builder << ", game " << game << ": "
                    << play.GetPosition().Record();
            }
        }
    }
}

}  // namespace
}  // namespace nanaren
