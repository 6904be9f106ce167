// The match tool as a referee of external engines: slices, merges, openings
// and the faults that lose a game.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "game/notation.h"
#include "game/position.h"
#include "match.h"
#include "match_csv.h"
#include "match_stats.h"
#include "openings.h"
#include "play/opening.h"
#include "players/threats.h"

namespace nanaren::match {
namespace {

MatchPlayer Named(const std::string& name) {
    return *ParseMatchPlayer(name);
}

MatchPlayer Gtp(const std::string& player) {
    return Named(std::string("gtp:") + NANAREN_GTP + " " + player);
}

// The engine over GTP is handed the game's generator before each of its
// moves, so it plays the games the same player plays built in, from the
// empty board or from an opening it is told move by move.
TEST(Referee, TheGtpEngineAsAnExternalPlayerPlaysTheBuiltInOnesGames) {
    MatchSettings builtIn{{Named("exact:20"), Named("level:1")}, 3, 300};
    builtIn.openings.randomPlies = 3;
    MatchSettings external = builtIn;
    external.players = {Gtp("exact:20"), Named("level:1")};
    MatchSettings both = builtIn;
    both.players = {Gtp("exact:20"), Gtp("--level 1")};
    for (int index = 0; index < 3; ++index) {
        const GameRecord expected = PlayOne(builtIn, index);
        for (const MatchSettings* settings : {&external, &both}) {
            const GameRecord game = PlayOne(*settings, index);
            EXPECT_EQ(game.moves, expected.moves) << index;
            EXPECT_EQ(game.winner, expected.winner) << index;
            EXPECT_EQ(game.termination, Termination::Normal);
            EXPECT_EQ(game.openingPlies, 3);
        }
    }
}

// The faulty engine plays Black in game 0 and loses there by its fault.
TEST(Referee, AnEngineThatFailsLosesWithItsTerminationNamed) {
    struct Case {
        const char* mode;
        Termination termination;
        const char* message;
    };
    for (const Case& c : {Case{"illegal", Termination::IllegalMove, "E5 is refused (occupied)"},
                          Case{"hang", Termination::Timeout, "no answer within 0.3 s"},
                          Case{"crash", Termination::Crash, "it ended without an answer"},
                          Case{"malformed", Termination::Malformed, "\"hello\" is not a move"}}) {
        const std::string engine = std::string("gtp:") + NANAREN_FAULTY_ENGINE + " " + c.mode;
        MatchSettings settings{{Named(engine), Named("exact:5")}, 1, 0};
        settings.moveTimeout = 0.3;
        ::testing::internal::CaptureStderr();
        const GameRecord game = PlayOne(settings, 0);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(game.winner, White) << c.mode;
        EXPECT_EQ(game.termination, c.termination) << c.mode;
        EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
        EXPECT_EQ(game.moves.size(), c.termination == Termination::IllegalMove ? 2u : 0u);
        std::ostringstream sgf;
        EXPECT_NE(GameSgf(settings, game, "2024-05-01")
                      .find(c.termination == Termination::Timeout ? "RE[W+T]" : "RE[W+F]"),
                  std::string::npos);
    }
}

// Pairs 0 to 3 played at once, and as two slices whose files are merged,
// print the same report: summary and test alike (the thinking time, which
// no two runs share, is left out).
TEST(Referee, MergedSlicesEqualOneRun) {
    const GamePlayer untimed = [](const MatchSettings& settings, int index) {
        GameRecord game = PlayOne(settings, index);
        game.time = {};
        return game;
    };
    MatchSettings whole{{Named("exact:3"), Named("exact:8")}, 8, 1000};
    whole.openings.randomPlies = 2;
    std::ostringstream files[2];
    for (int slice = 0; slice < 2; ++slice) {
        MatchSettings part = whole;
        part.firstGame = 4 * slice;
        part.games = 4;
        WriteCsv(part,
                 PlayMatch(
                     part, 2, [](int) {}, untimed),
                 files[slice]);
    }
    std::vector<CsvGame> games;
    for (int slice = 1; slice >= 0; --slice) {
        std::istringstream in(files[slice].str());
        std::optional<CsvError> error;
        const std::vector<CsvGame> read = ReadCsv(in, error);
        ASSERT_FALSE(error) << error->reason;
        games.insert(games.end(), read.begin(), read.end());
    }
    const auto merged = MatchesOfGames(games);
    ASSERT_TRUE(std::holds_alternative<std::vector<PlayedMatch>>(merged))
        << std::get<std::string>(merged);
    const SprtSettings sprt{0.0, 50.0, 0.05, 0.05};
    std::ostringstream one;
    std::ostringstream both;
    PrintReport({{whole, PlayMatch(
                             whole, 2, [](int) {}, untimed)}},
                sprt, one);
    PrintReport(std::get<std::vector<PlayedMatch>>(merged), sprt, both);
    EXPECT_EQ(both.str(), one.str());
    EXPECT_NE(one.str().find("4 pairs"), std::string::npos) << one.str();

    games.push_back(games.front());
    EXPECT_TRUE(std::holds_alternative<std::string>(MatchesOfGames(games))) << "a game twice";
}

TEST(Referee, KeepGoingStopsTheStartingOfGames) {
    const MatchSettings settings{{Named("exact:1"), Named("exact:1")}, 6, 0};
    const auto played = PlayMatch(
        settings, 1, [](int) {}, PlayOne, [](const GameRecord& game) { return game.index < 2; });
    EXPECT_EQ(played.size(), 3u) << "games 0, 1 and 2 finished, then no more started";
}

// The two games of a pair start from the same opening, drawn from the
// pair's clock; no side can win at once there.
TEST(Openings, RandomOnesArePairedRepeatableAndOpen) {
    MatchSettings settings{{Named("exact:1"), Named("exact:1")}, 4, 77};
    settings.openings.randomPlies = 12;
    const std::vector<Vertex> first = OpeningOf(settings, 2);
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(OpeningOf(settings, 3), first);
    EXPECT_EQ(RandomOpening(77 + 2, 12), first);
    EXPECT_NE(OpeningOf(settings, 0), first);
    for (std::time_t clock = 0; clock < 20; ++clock) {
        Position position;
        for (const Vertex v : RandomOpening(clock, MaxOpeningPlies))
            ASSERT_EQ(position.Play(v), MoveOutcome::Played());
        EXPECT_TRUE(WinningPoints(position.GetBoard(), position.ToMove()).IsEmpty());
        EXPECT_TRUE(
            WaitingWinningPoints(position.GetBoard(), Opposite(position.ToMove())).IsEmpty());
    }
}

TEST(Openings, FilesHoldRecordsOrSgfGamesAndFaultsAreNamed) {
    const auto records = OpeningsOfText("5-5 4-4\n\n6-6\n", "book.txt");
    ASSERT_TRUE(std::holds_alternative<Openings>(records)) << std::get<std::string>(records);
    const auto& book = std::get<Openings>(records).book;
    ASSERT_EQ(book.size(), 2u);
    EXPECT_EQ(book[1], std::vector<Vertex>{GetVertex(6, 6)});
    MatchSettings settings{{Named("exact:1"), Named("exact:1")}, 6, 0};
    settings.openings = std::get<Openings>(records);
    EXPECT_EQ(OpeningOf(settings, 5), book[0]) << "pair 2 takes the first again";

    const auto sgf = OpeningsOfText("(;SZ[9];B[ee];W[dd](;B[cc]))\n(;SZ[9];B[aa])", "book.sgf");
    ASSERT_TRUE(std::holds_alternative<Openings>(sgf)) << std::get<std::string>(sgf);
    EXPECT_EQ(std::get<Openings>(sgf).book[1], std::vector<Vertex>{GetVertex(1, 1)});
    EXPECT_EQ(std::get<Openings>(sgf).book[0].size(), 3u);

    const auto error = [](std::string_view text) {
        return std::get<std::string>(OpeningsOfText(text, "book"));
    };
    EXPECT_EQ(error("5-5\n5-5 5-5\n"),
              "book, line 2: move 2 (5-5): White may not play there (occupied)");
    EXPECT_EQ(error("5-5 pass\n"), "book, line 1: an opening has no pass and no resignation");
    EXPECT_EQ(error("(;SZ[9];B[ee])(;SZ[19])"),
              "book: line 1, column 17: SZ: a board of 19, not 9x9");
    EXPECT_TRUE(std::holds_alternative<std::string>(ReadOpenings("random:41")));
    EXPECT_EQ(std::get<Openings>(ReadOpenings("random:4")).randomPlies, 4);
}

}  // namespace
}  // namespace nanaren::match
