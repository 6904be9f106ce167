#include "strength.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace nanaren::match {
namespace {

CsvGame Game(int index, const char* black, const char* white, int winner) {
    CsvGame game;
    game.index = index;
    game.players = {black, white};
    game.winner = winner;
    return game;
}

// Four games of level 2 against level 1, level 2 Black in even games as the
// match tool plays them: it wins three and draws one.
std::vector<CsvGame> LadderGames() {
    return {Game(1, "level:1", "level:2", White), Game(0, "level:2", "level:1", Black),
            Game(2, "level:2", "level:1", Empty), Game(3, "level:1", "level:2", White),
            Game(0, "level:1", "builder", White)};
}

TEST(Strength, TalliesEachPairFromItsFirstPlayersSide) {
    const std::vector<PairTally> pairs = TallyPairs(LadderGames());
    ASSERT_EQ(pairs.size(), 2u);
    const auto ladder = std::find_if(pairs.begin(), pairs.end(),
                                     [](const PairTally& p) { return p.second == "level:1"; });
    ASSERT_NE(ladder, pairs.end());
    EXPECT_EQ(ladder->first, "level:2") << "Black in the pair's game 0";
    EXPECT_EQ(ladder->games, 4);
    EXPECT_DOUBLE_EQ(ladder->points, 3.5);
}

TEST(Strength, StampsTheFiguresWithTheSignature) {
    std::ostringstream json;
    WriteStrengthJson(LadderGames(), 0xde5567598bc86247u, json);
    EXPECT_NE(json.str().find("\"signature\": \"de5567598bc86247\""), std::string::npos);
    EXPECT_NE(
        json.str().find("{\"level\": 1, \"against\": \"builder\", \"games\": 1, \"score\": 0"),
        std::string::npos)
        << json.str();
    EXPECT_NE(
        json.str().find("{\"level\": 2, \"against\": \"level:1\", \"games\": 4, \"score\": 0.875"),
        std::string::npos)
        << json.str();
    std::ostringstream markdown;
    WriteStrengthMarkdown(LadderGames(), 0x1234u, markdown);
    EXPECT_NE(markdown.str().find("`0000000000001234`"), std::string::npos);
    EXPECT_NE(markdown.str().find("| 2 vs 1 | 4 | 87.5% |"), std::string::npos) << markdown.str();
}

}  // namespace
}  // namespace nanaren::match
