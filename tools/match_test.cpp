#include "match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>

#include "match_csv.h"
#include "match_stats.h"
#include "play/self_play.h"
#include "players/exact_player.h"

namespace nanaren::match {
namespace {

// Wilson's interval for 8 of 10 at 95% is 0.4902 to 0.9433; for none of 10 it
// is 0 to z^2 / (n + z^2) = 0.2775.
TEST(MatchStats, WilsonIntervalMatchesTheTextbookValues) {
    const Interval eight = WilsonInterval(0.8, 10);
    EXPECT_NEAR(eight.low, 0.4902, 1e-4);
    EXPECT_NEAR(eight.high, 0.9433, 1e-4);
    const Interval none = WilsonInterval(0.0, 10);
    EXPECT_NEAR(none.low, 0.0, 1e-12);
    EXPECT_NEAR(none.high, 0.2775, 1e-4);
    const Interval all = WilsonInterval(1.0, 10);
    EXPECT_NEAR(all.low, 0.7225, 1e-4);
    EXPECT_NEAR(all.high, 1.0, 1e-12);
}

// A game of that many moves, the last passes of them passes.
GameRecord Played(int index, int winner, int moves, int passes) {
    std::vector<Vertex> played(moves, 12);
    std::fill(played.end() - passes, played.end(), Pass);
    return {index, {index, index % 2}, winner, played};
}

// Side 0 is Black in games 0 and 2: it wins game 0 as Black and game 1 as
// White, loses game 2, and game 3 is drawn.
TEST(MatchStats, ScoresSidesByColourAndCountsADrawAsHalf) {
    const MatchSummary s = Summarize({Played(0, Black, 10, 0), Played(1, White, 20, 1),
                                      Played(2, White, 30, 0), Played(3, Empty, 300, 2)});
    EXPECT_EQ(s.sides[0].wins, 2);
    EXPECT_EQ(s.sides[0].losses, 1);
    EXPECT_EQ(s.sides[0].draws, 1);
    EXPECT_EQ(s.sides[1].wins, 1);
    EXPECT_EQ(s.sides[1].losses, 2);
    EXPECT_DOUBLE_EQ(s.sides[0].score, 2.5 / 4);
    EXPECT_DOUBLE_EQ(s.sides[1].score, 1.5 / 4);
    EXPECT_DOUBLE_EQ(s.sides[0].interval.low, WilsonInterval(2.5 / 4, 4).low);
    EXPECT_EQ(s.blackWins, 1);
    EXPECT_EQ(s.whiteWins, 2);
    EXPECT_EQ(s.draws, 1);
    EXPECT_DOUBLE_EQ(s.averageLength, 90.0);
    EXPECT_EQ(s.passes, 3);
    EXPECT_EQ(s.gamesWithPass, 2);
}

// The players a match is given by name.
std::array<MatchPlayer, 2> Players(const char* first, const char* second) {
    return {*ParseMatchPlayer(first), *ParseMatchPlayer(second)};
}

// The summary's text for games whose winners are given by side, game i with
// side 0 as Black when i is even.
std::string Printed(const std::vector<int>& winningSides) {
    std::vector<GameRecord> games;
    for (int i = 0; i < static_cast<int>(winningSides.size()); ++i) {
        const bool blackWon = winningSides[i] == i % 2;
        games.push_back(Played(i, blackWon ? Black : White, 9, 0));
    }
    const MatchSettings settings{Players("2", "5"), static_cast<int>(games.size()), 0};
    std::ostringstream out;
    PrintSummary(settings, Summarize(games), out);
    return out.str();
}

// Three of four is +190.8 (400 log10 3); ten of ten has no finite estimate,
// and its lower bound is Wilson's 0.7225 on the Elo scale, +166.2.
TEST(MatchStats, PrintsTheFirstSidesEloWithoutNaNWhenItWonEverything) {
    const std::string three = Printed({0, 0, 0, 1});
    EXPECT_NE(three.find("Elo of exact:2 over exact:5: +190.8, 95% interval "), std::string::npos)
        << three;
    const std::string all = Printed(std::vector<int>(10, 0));
    EXPECT_NE(all.find("Elo of exact:2 over exact:5: +inf (exact:2 scored every point), 95% "
                       "interval +166.2 to +inf"),
              std::string::npos)
        << all;
    const std::string none = Printed(std::vector<int>(10, 1));
    EXPECT_NE(none.find(": -inf (exact:5 scored every point), 95% interval -inf to -166.2"),
              std::string::npos)
        << none;
    EXPECT_EQ(all.find("nan"), std::string::npos);
}

TEST(Match, CsvNamesEachGamesPlayersByColourAndReadsBack) {
    const MatchSettings settings{Players("300", "gtp:engine --name \"a,b\""), 2, 50};
    GameRecord first{0, {50, 0}, White, {GetVertex(5, 3), Pass, GetVertex(9, 1)}};
    first.time = {ThinkingTime{1.5, 1.0, 2}, ThinkingTime{0.25, 0.25, 1}};
    first.openingPlies = 1;
    GameRecord second{1, {51, 1}, Black, {GetVertex(1, 9)}};
    second.termination = Termination::Timeout;
    std::ostringstream csv;
    WriteCsv(settings, {first, second}, csv);
    EXPECT_EQ(csv.str(),
              "game,clock,black,white,winner,termination,moves,passes,opening,black_seconds,"
              "black_longest,white_seconds,white_longest,move_list\n"
              "0,50,exact:300,\"gtp:engine --name \"\"a,b\"\"\",white,normal,3,1,1,1.5,1,0.25,0.25,"
              "5-3 pass 9-1\n"
              "1,51,\"gtp:engine --name \"\"a,b\"\"\",exact:300,black,timeout,1,0,0,0,0,0,0,1-9\n");

    std::istringstream in(csv.str());
    std::optional<CsvError> error;
    const std::vector<CsvGame> games = ReadCsv(in, error);
    ASSERT_FALSE(error) << error->reason;
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].players,
              (std::array<std::string, 2>{"exact:300", "gtp:engine --name \"a,b\""}));
    EXPECT_EQ(games[0].winner, White);
    EXPECT_EQ(games[0].moves, first.moves);
    EXPECT_EQ(games[0].time[0].seconds, 1.5);
    EXPECT_EQ(games[0].time[0].moves, 2);
    EXPECT_EQ(games[0].openingPlies, 1);
    EXPECT_EQ(games[1].clock, 51);
    EXPECT_EQ(games[1].termination, Termination::Timeout);

    std::istringstream broken(csv.str() + "2,52,a,b,black,normal,1,0,0,0,0,0,0,5-x\n");
    ReadCsv(broken, error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 4);
}

// Files written before the termination and opening columns still read.
TEST(Match, CsvReadsTheEarlierForm) {
    std::istringstream in(
        "game,clock,black,white,winner,moves,passes,black_seconds,black_longest,white_seconds,"
        "white_longest,move_list\n"
        "0,50,exact:300,level:2,white,3,1,1.5,1,0.25,0.25,5-3 pass 9-1\n");
    std::optional<CsvError> error;
    const std::vector<CsvGame> games = ReadCsv(in, error);
    ASSERT_FALSE(error) << error->reason;
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].termination, Termination::Normal);
    EXPECT_EQ(games[0].openingPlies, 0);
    EXPECT_EQ(games[0].moves.size(), 3u);
    EXPECT_EQ(games[0].time[1].longest, 0.25);
}

TEST(Match, GamesDoNotDependOnTheNumberOfWorkersAndAlternateColours) {
    const MatchSettings settings{Players("2", "5"), 4, 100};
    const auto alone = PlayMatch(settings, 1, [](int) {});
    const auto shared = PlayMatch(settings, 3, [](int) {});
    ASSERT_EQ(alone.size(), 4u);
    ASSERT_EQ(shared.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const GameRecord direct = PlayOne(settings, i);
        EXPECT_EQ(alone[i].setup.clock, 100 + i);
        EXPECT_EQ(alone[i].setup.blackSide, i % 2);
        EXPECT_EQ(alone[i].moves, direct.moves) << "game " << i;
        EXPECT_EQ(shared[i].moves, direct.moves) << "game " << i;
        EXPECT_EQ(shared[i].winner, direct.winner);
    }
    EXPECT_NE(alone[0].moves, alone[2].moves) << "different clocks give different games";
    // Side 1's five playouts play Black in the odd games.
    SelfPlay odd({std::make_unique<ExactPlayer>(ExactSettings{5}),
                  std::make_unique<ExactPlayer>(ExactSettings{2})},
                 101);
    SearchObserver quiet;
    while (!odd.IsOver())
        odd.PlayMove(quiet);
    EXPECT_EQ(alone[1].moves, odd.Moves());
}

TEST(MatchStats, ThinkingTimeAddsUpOverTheGamesBySide) {
    GameRecord first = Played(0, Black, 10, 0);
    first.time = {ThinkingTime{2.0, 0.5, 5}, ThinkingTime{1.0, 0.25, 5}};
    GameRecord second = Played(1, White, 20, 0);
    second.time = {ThinkingTime{4.0, 1.5, 10}, ThinkingTime{0.5, 0.125, 10}};
    const MatchSummary s = Summarize({first, second});
    EXPECT_DOUBLE_EQ(s.sides[0].time.seconds, 6.0);
    EXPECT_DOUBLE_EQ(s.sides[0].time.longest, 1.5);
    EXPECT_EQ(s.sides[0].time.moves, 15);
    EXPECT_DOUBLE_EQ(s.sides[1].time.longest, 0.25);
}

TEST(MatchStats, WithoutGamesEveryScoreIsOpen) {
    const MatchSummary s = Summarize({});
    EXPECT_EQ(s.sides[0].interval.low, 0.0);
    EXPECT_EQ(s.sides[0].interval.high, 1.0);
    EXPECT_EQ(s.averageLength, 0.0);
}

TEST(Match, AGameWhoseProcessFailsIsNamedAndLeftOut) {
    const MatchSettings settings{Players("-1", "-1"), 3, 20};
    ::testing::internal::CaptureStderr();
    const auto games = PlayMatch(
        settings, 2, [](int) {},
        [](const MatchSettings& s, int i) {
            if (i == 1) std::abort();
            return PlayOne(s, i);
        });
    const std::string errors = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].index, 0);
    EXPECT_EQ(games[1].index, 2);
    EXPECT_NE(errors.find("game 1 (clock 21) ended by signal 6"), std::string::npos) << errors;
}

TEST(RoundRobin, ListsTwoOrMoreDifferentPlayers) {
    const auto three = ParsePlayerList("30,level:2,builder");
    ASSERT_TRUE(three.has_value());
    EXPECT_EQ(NameOf((*three)[1]), "level:2");
    EXPECT_EQ(ParsePlayerList("30,exact:30"), std::nullopt) << "the same player twice";
    EXPECT_EQ(ParsePlayerList("30"), std::nullopt);
    EXPECT_EQ(ParsePlayerList("30,,100"), std::nullopt);
    EXPECT_EQ(ParsePlayerList("30,100,"), std::nullopt);
}

// Each game's record carries its players' playout counts, so a record filed
// under the wrong pair shows; more jobs than a pair has games mix the pairs.
TEST(RoundRobin, PlaysEveryPairAndFilesEachGameUnderItsOwn) {
    const auto players = ParsePlayerList("1,2,3");
    const std::vector<MatchSettings> matches = RoundRobin(*players, 3, 40);
    ::testing::internal::CaptureStderr();
    const auto played = PlayMatches(
        matches, 4, [](int) {},
        [](const MatchSettings& s, int i) {
            const int first = *PlayoutsOf(std::get<PlayerChoice>(s.players[0]));
            const int second = *PlayoutsOf(std::get<PlayerChoice>(s.players[1]));
            if (first == 1 && second == 3 && i == 1) std::abort();
            return GameRecord{i, SetupOf(s, i), Black, {first, second}};
        });
    const std::string errors = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(played.size(), 3u);
    const std::vector<std::vector<Vertex>> pairs = {{1, 2}, {1, 3}, {2, 3}};
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(played[m].games.size(), m == 1 ? 2u : 3u);
        for (const GameRecord& game : played[m].games) {
            EXPECT_EQ(game.moves, pairs[m]);
            EXPECT_EQ(game.setup.clock, 40 + game.index);
        }
    }
    EXPECT_EQ(played[1].games[1].index, 2);
    EXPECT_NE(errors.find("exact:1 against exact:3, game 1 (clock 41) ended by signal 6"),
              std::string::npos)
        << errors;
}

// A match whose game i the colour winners[i] won, Empty for a draw.
PlayedMatch Won(const MatchSettings& settings, const std::vector<int>& winners) {
    PlayedMatch match{settings, {}};
    for (int i = 0; i < static_cast<int>(winners.size()); ++i)
        match.games.push_back(Played(i, winners[i], 9, 0));
    return match;
}

// exact:9 scores 3 of 4 against each other player; exact:5 scores 2.5 of 4
// against exact:2 (a draw, a win as Black and one as White, a loss): the
// ratings list exact:9, exact:5, exact:2.
TEST(RoundRobin, ScoresEachPairForItsFirstPlayerAndSortsByRating) {
    const auto players = ParsePlayerList("2,5,9");
    const std::vector<MatchSettings> matches = RoundRobin(*players, 4, 0);
    // Side 0 is Black in the even games.
    const std::vector<PlayedMatch> played = {Won(matches[0], {Empty, Black, White, White}),
                                             Won(matches[1], {Black, Black, White, Black}),
                                             Won(matches[2], {White, Black, Black, Black})};
    const std::vector<PairResult> results = PairResults(*players, played);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].first, 0);
    EXPECT_EQ(results[0].second, 1);
    EXPECT_EQ(results[0].games, 4);
    EXPECT_DOUBLE_EQ(results[0].points, 1.5);
    EXPECT_DOUBLE_EQ(results[1].points, 1.0);
    EXPECT_EQ(results[2].first, 1);
    EXPECT_EQ(results[2].second, 2);
    EXPECT_DOUBLE_EQ(results[2].points, 1.0);

    std::ostringstream out;
    PrintRoundRobin(*players, played, out);
    const std::string text = out.str();
    const std::string ratings = text.substr(text.find("rank"));
    EXPECT_LT(ratings.find("exact:9"), ratings.find("exact:5")) << text;
    EXPECT_LT(ratings.find("exact:5"), ratings.find("exact:2")) << text;
    const std::size_t anchor = ratings.find("exact:2");
    EXPECT_NE(ratings.substr(anchor, ratings.find('\n', anchor) - anchor).find("+0.0  anchor"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("virtual"), std::string::npos) << text;
}

}  // namespace
}  // namespace nanaren::match
