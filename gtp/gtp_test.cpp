#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"
#include "engine.h"
#include "game/notation.h"
#include "play/game.h"
#include "session.h"

namespace nanaren::gtp {
namespace {

constexpr std::time_t Clock = 1733700000;

std::unique_ptr<Engine> MakeEngine(const char* player = "exact:60") {
    return std::make_unique<Engine>(*ParsePlayer(player), [] { return Clock; });
}

// The framed answer to one line.
std::string Ask(Engine& engine, const std::string& line) {
    return engine.Execute(*ParseCommand(line)).text;
}

TEST(GtpCommand, ReadsTheIdTheNameAndTheArgumentsOfACleanedLine) {
    const auto command = ParseCommand("12\tplay  b\x01 E5 # a comment\r");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->id, "12");
    EXPECT_EQ(command->name, "play");
    EXPECT_EQ(command->arguments, (std::vector<std::string>{"b", "E5"}));
    EXPECT_FALSE(ParseCommand("  # only a comment"));
    EXPECT_FALSE(ParseCommand("\x02\x7f \r"));
    EXPECT_EQ(ParseCommand("7")->name, "");
    EXPECT_EQ(ParseCommand("7a name")->name, "7a") << "an id is digits only";
    EXPECT_EQ(Framed(*ParseCommand("3 name"), true, "nanaren"), "=3 nanaren\n\n");
    EXPECT_EQ(Framed(*ParseCommand("boardsize 19"), false, "unacceptable size"),
              "? unacceptable size\n\n");
}

TEST(GtpEngine, AnswersTheCoreCommandsAndRefusesWhatItCannotDo) {
    auto engine = MakeEngine();
    EXPECT_EQ(Ask(*engine, "1 protocol_version"), "=1 2\n\n");
    EXPECT_EQ(Ask(*engine, "known_command gogui-rules_legal_moves"), "= true\n\n");
    EXPECT_EQ(Ask(*engine, "known_command reg_genmove"), "= false\n\n");
    EXPECT_EQ(Ask(*engine, "boardsize 9"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "boardsize 19"), "? unacceptable size\n\n");
    EXPECT_EQ(Ask(*engine, "komi 6.5"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "5 fly_away"), "?5 unknown command\n\n");
    EXPECT_EQ(Ask(*engine, "5"), "?5 no command\n\n");
    EXPECT_EQ(Ask(*engine, "play b I5"), "? invalid color or coordinate\n\n");
    EXPECT_EQ(Ask(*engine, "play x E5"), "? invalid color or coordinate\n\n");
    EXPECT_EQ(Ask(*engine, "undo"), "? cannot undo\n\n");
    EXPECT_EQ(Ask(*engine, "final_score"), "? the game is not over\n\n");
    const std::string list = Ask(*engine, "list_commands");
    for (const std::string& name : Engine::CommandNames())
        EXPECT_NE(("\n" + list.substr(2)).find("\n" + name + "\n"), std::string::npos) << name;
}

// Black plays twice: the second is refused (the point is taken) and changes
// nothing; out of turn elsewhere, White passes first, and undo takes both.
TEST(GtpEngine, APlayOutOfTurnPassesForTheSideToMoveAndUndoTakesBothBack) {
    auto engine = MakeEngine();
    EXPECT_EQ(Ask(*engine, "play b E5"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "play B e5"), "? illegal move\n\n");
    EXPECT_EQ(engine->GetPosition().Record(), "5-5");
    EXPECT_EQ(Ask(*engine, "play black D6"), "=\n\n");
    EXPECT_EQ(engine->GetPosition().Record(), "5-5 pass 4-4");
    EXPECT_EQ(Ask(*engine, "gogui-rules_side_to_move"), "= white\n\n");
    EXPECT_EQ(Ask(*engine, "undo"), "=\n\n");
    EXPECT_EQ(engine->GetPosition().Record(), "5-5");
    EXPECT_EQ(Ask(*engine, "play w pass"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "undo"), "=\n\n");
    EXPECT_EQ(engine->GetPosition().Record(), "5-5") << "a pass asked for is a move of its own";
}

// A game against the computer seeds its generator with the clock as the
// engine does, so the first search of both finds the same move; undo puts
// the generator back, so genmove finds it again.
TEST(GtpEngine, GenmovePlaysAsTheGameAgainstTheComputerAndUndoRepeatsIt) {
    Game game(White, Clock, MakePlayer(*ParsePlayer("exact:60")));
    SearchObserver quiet;
    const Vertex expected = game.PlayComputer(quiet).move;
    auto engine = MakeEngine();
    const std::string first = Ask(*engine, "genmove b");
    EXPECT_EQ(first, "= " + GtpVertexText(expected) + "\n\n");
    EXPECT_EQ(Ask(*engine, "undo"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "genmove b"), first);
    const std::string reply = Ask(*engine, "genmove b");
    EXPECT_EQ(engine->GetPosition().Moves().size(), 3u) << "White passed before Black's move";
    EXPECT_EQ(engine->GetPosition().Moves()[1], Pass);
    EXPECT_EQ(reply.substr(0, 2), "= ");
}

// Black's row of seven across the middle against White's moves on the top
// edge: the winner is told, and the game takes no more moves.
TEST(GtpEngine, AfterAWinTheResultIsToldAndNoMoveIsTaken) {
    auto engine = MakeEngine();
    const std::string columns = "ABCDEFG";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        ASSERT_EQ(Ask(*engine, std::string("play b ") + columns[i] + "5"), "=\n\n");
        if (i + 1 < columns.size()) {
            ASSERT_EQ(Ask(*engine, std::string("play w ") + columns[i] + "9"), "=\n\n");
        }
    }
    EXPECT_EQ(Ask(*engine, "final_score"), "= B+\n\n");
    EXPECT_EQ(Ask(*engine, "gogui-rules_final_result"), "= Black wins with a line of seven\n\n");
    EXPECT_EQ(Ask(*engine, "gogui-rules_legal_moves"), "=\n\n");
    EXPECT_EQ(Ask(*engine, "play w J1"), "? illegal move: the game is over\n\n");
    EXPECT_EQ(Ask(*engine, "genmove w"), "? the game is over\n\n");
    const std::string board = Ask(*engine, "gogui-rules_board");
    EXPECT_EQ(board.substr(0, 20), "= O O O O O O . . .\n");
    EXPECT_NE(board.find("\nX X X X X X X . .\n"), std::string::npos) << board;
    EXPECT_NE(Ask(*engine, "showboard").find("\n 5 X X X X X X X . . 5\n"), std::string::npos);
}

// White's stone on E5 surrounded by four Black stones is captured, and White
// may not fill the point again: it would capture nothing.
TEST(GtpEngine, TellsLegalMovesAndCaptures) {
    auto engine = MakeEngine();
    for (const char* line : {"play b E6", "play w E5", "play b D5", "play w A1", "play b F5",
                             "play w A2", "play b E4"})
        ASSERT_EQ(Ask(*engine, line), "=\n\n") << line;
    EXPECT_EQ(Ask(*engine, "gogui-rules_captured_count"), "= 1 0\n\n");
    const std::string legal = Ask(*engine, "gogui-rules_legal_moves");
    EXPECT_EQ(legal.find("E6 "), std::string::npos);
    EXPECT_EQ(legal.find("E5 "), std::string::npos);
    EXPECT_NE(legal.find(" E3 "), std::string::npos);
    EXPECT_NE(legal.find(" pass\n"), std::string::npos);
    EXPECT_EQ(Ask(*engine, "play w E5"), "? illegal move\n\n");
    EXPECT_EQ(Ask(*engine, "play w E3"), "=\n\n");
    EXPECT_NE(Ask(*engine, "gogui-rules_legal_moves").find(" E5 "), std::string::npos)
        << "Black may fill it";
}

TEST(GtpEngine, PrintsAndLoadsTheGameAsSgf) {
    auto engine = MakeEngine();
    ASSERT_EQ(Ask(*engine, "play b E5"), "=\n\n");
    ASSERT_NE(Ask(*engine, "genmove w"), "");
    ASSERT_EQ(Ask(*engine, "play b pass"), "=\n\n");
    const std::string sgf = Ask(*engine, "printsgf");
    EXPECT_NE(sgf.find("PW[nanaren exact:60]"), std::string::npos) << sgf;
    EXPECT_EQ(sgf.find("PB["), std::string::npos) << "Black's moves were played, not generated";
    const std::string path = ::testing::TempDir() + "nanaren_gtp_test.sgf";
    EXPECT_EQ(Ask(*engine, "printsgf " + path), "=\n\n");
    const std::string record = engine->GetPosition().Record();
    auto other = MakeEngine();
    EXPECT_EQ(Ask(*other, "loadsgf " + path), "=\n\n");
    EXPECT_EQ(other->GetPosition().Record(), record);
    EXPECT_EQ(Ask(*other, "loadsgf " + path + " 2"), "=\n\n");
    EXPECT_EQ(other->GetPosition().Record(), "5-5") << "the position before move 2";
    std::remove(path.c_str());
    EXPECT_EQ(Ask(*other, "loadsgf " + path).substr(0, 18), "? cannot load file");
}

TEST(GtpAnalysis, ReadsItsArguments) {
    const auto request = [](const std::vector<std::string>& arguments) {
        return ParseAnalysis("lz-analyze", arguments);
    };
    const auto both = std::get<AnalysisRequest>(request({"W", "50", "maxmoves", "3"}));
    EXPECT_EQ(both.color, White);
    EXPECT_EQ(both.intervalCentiseconds, 50);
    EXPECT_EQ(both.maxMoves, 3);
    EXPECT_FALSE(both.fractions);
    const auto keyed = std::get<AnalysisRequest>(request({"interval", "10", "ownership", "true"}));
    EXPECT_EQ(keyed.color, Empty);
    EXPECT_EQ(keyed.intervalCentiseconds, 10);
    EXPECT_TRUE(std::get<AnalysisRequest>(ParseAnalysis("kata-analyze", {})).fractions);
    EXPECT_TRUE(std::holds_alternative<std::string>(request({"interval"})));
    EXPECT_TRUE(std::holds_alternative<std::string>(request({"maxmoves", "-1"})));
}

// The fields of one info group, by name; pv keeps its first move.
std::map<std::string, std::string> Fields(const std::string& group) {
    std::istringstream words(group);
    std::map<std::string, std::string> fields;
    for (std::string key, value; words >> key >> value;) {
        fields[key] = value;
        if (key == "pv") break;
    }
    return fields;
}

// The analysis's search draws from a copy of the game's generator, so its
// most visited move is the move genmove then plays.
TEST(GtpAnalysis, TheFinalLineRanksTheMoveGenmovePlays) {
    auto engine = MakeEngine("exact:200");
    ASSERT_EQ(Ask(*engine, "play b E5"), "=\n\n");
    const Answer answer = engine->Execute(*ParseCommand("4 lz-analyze 0 maxmoves 5"));
    EXPECT_EQ(answer.text, "=4\n");
    ASSERT_TRUE(answer.analysis);
    std::vector<std::string> lines;
    const std::atomic<bool> stop{false};
    engine->Analyze(*answer.analysis, stop,
                    [&](const std::string& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 1u) << "no interval: the final line only";
    const std::string& line = lines[0];
    std::vector<std::string> groups;
    for (std::size_t at = line.find("info "); at != std::string::npos;) {
        const std::size_t next = line.find(" info ", at + 1);
        groups.push_back(line.substr(at + 5, next == std::string::npos ? next : next - at - 5));
        at = next == std::string::npos ? next : next + 1;
    }
    ASSERT_EQ(groups.size(), 5u) << line;
    int visits = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        auto fields = Fields(groups[i]);
        EXPECT_EQ(fields["order"], std::to_string(i));
        EXPECT_EQ(fields["pv"], fields["move"]);
        const int rate = std::stoi(fields["winrate"]);
        EXPECT_TRUE(rate >= 0 && rate <= 10000 && std::stoi(fields["lcb"]) <= rate) << groups[i];
        visits += std::stoi(fields["visits"]);
    }
    EXPECT_LE(visits, 201);
    EXPECT_EQ(Ask(*engine, "genmove w"), "= " + Fields(groups[0])["move"] + "\n\n");
}

// A session in which every line is read at once: the analysis is stopped by
// the next line, and each answer ends with an empty line.
TEST(GtpSession, AnswersMalformedInputAndEndsAnAnalysisAtTheNextCommand) {
    auto engine = MakeEngine();
    std::istringstream in("1 name\n" + std::string(MaxLineLength + 10, 'x') +
                          "\n\xff\xfe binary\n2 kata-analyze 1\n3 play b E5\n\n4 quit\n5 name\n");
    std::ostringstream out;
    RunSession(*engine, in, out);
    const std::string text = out.str();
    EXPECT_EQ(text.substr(0, 12), "=1 nanaren\n\n");
    EXPECT_NE(text.find("\n\n? the line is longer than 65536 bytes\n\n? unknown command\n\n=2\n"),
              std::string::npos)
        << text;
    const std::size_t play = text.find("=3\n\n=4\n\n");
    ASSERT_NE(play, std::string::npos) << text;
    EXPECT_EQ(text.substr(play - 2, 2), "\n\n") << "the analysis's answer ends before";
    EXPECT_EQ(text.find("=5"), std::string::npos) << "nothing is read after quit";
    EXPECT_EQ(engine->GetPosition().Record(), "5-5");
}

}  // namespace
}  // namespace nanaren::gtp
