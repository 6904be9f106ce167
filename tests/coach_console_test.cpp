// The coach as the console words and prints it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "coach_words.h"
#include "encoding.h"
#include "game/notation.h"
#include "game/sgf.h"
#include "record_file.h"
#include "review_printer.h"
#include "scoped_state.h"
#include "shift_jis.h"

namespace nanaren {
namespace {

// Every Japanese text the coach words, as Shift-JIS, is what a converter of
// the system's own makes of it.
TEST(CoachWords, TheJapaneseGoesOutAsShiftJis) {
    std::vector<std::string> texts;
    for (int k = 1; k < MoveClassCount; ++k)
        texts.push_back(ClassWords(static_cast<MoveClass>(k), Language::Japanese));
    for (const double chances : {0.0, 0.3, 0.5, 0.7, 1.0})
        texts.push_back(EstimateWords(chances, Language::Japanese));
    for (const auto kind :
         {MoveReason::Kind::Wins, MoveReason::Kind::BlocksSeven, MoveReason::Kind::BreaksLine,
          MoveReason::Kind::StartsForcedWin, MoveReason::Kind::StopsForcedWin}) {
        for (const Whose whose : {Whose::Yours, Whose::Black, Whose::White}) {
            const MoveReason reason{kind, GetVertex(4, 6), {GetVertex(6, 6), GetVertex(6, 7)}};
            texts.push_back(ReasonWords(reason, whose, Language::Japanese));
        }
    }
    texts.push_back("検討 正確さ 手番 着手 勝率 最善 …");
    for (const std::string& text : texts) {
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(Encoded(text, Encoding::ShiftJis), testing::ToShiftJis(text)) << text;
        EXPECT_EQ(Encoded(text, Encoding::Utf8), text);
    }
}

// Every character the console's sources write has its Shift-JIS code in the
// table (tools/shift_jis_table.py makes it from them).
TEST(CoachWords, TheTableCoversEveryTextOfTheConsole) {
    for (const auto& entry : std::filesystem::directory_iterator(NANAREN_SOURCE_DIR "/console")) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file), {}};
        const std::string encoded = Encoded(text, Encoding::ShiftJis);
        EXPECT_EQ(std::count(encoded.begin(), encoded.end(), '?'),
                  std::count(text.begin(), text.end(), '?'))
            << entry.path() << ": run tools/shift_jis_table.py";
    }
}

TEST(CoachWords, ReasonsReadAsAPlayerSaysThem) {
    const MoveReason block{MoveReason::Kind::BlocksSeven, GetVertex(4, 6), {}};
    EXPECT_EQ(ReasonWords(block, Whose::Yours, Language::English), "blocks your seven at 4-6");
    const MoveReason capture{MoveReason::Kind::BreaksLine, GetVertex(5, 5), {}};
    EXPECT_EQ(ReasonWords(capture, Whose::White, Language::English),
              "breaks White's line by capturing 5-5");
    const MoveReason forced{MoveReason::Kind::StartsForcedWin,
                            NoVertex,
                            {GetVertex(6, 6), GetVertex(6, 7), GetVertex(5, 8)}};
    EXPECT_EQ(ReasonWords(forced, Whose::Yours, Language::English),
              "starts a forced win: 6-6, 6-7, 5-8");
    EXPECT_EQ(ReasonWords({}, Whose::Yours, Language::English), "");
}

TEST(GameFile, ReadsSgfThePagesFileOrARecordAlone) {
    std::string error;
    const auto page = ReadGameFile(
        "nanaren record 1\r\nseed: 5\r\nyou: black\r\ncomputer: level:4\r\nmoves: 5-5 4-4 pass\r\n"
        "# Black won\r\n",
        error);
    ASSERT_TRUE(page) << error;
    EXPECT_EQ(*page, (std::vector<Vertex>{GetVertex(5, 5), GetVertex(4, 4), Pass}));
    EXPECT_EQ(ReadGameFile(" 5-5\n4-4 ", error)->size(), 2u);
    EXPECT_FALSE(ReadGameFile("nanaren record 1\nseed: 5\n", error));
    EXPECT_EQ(error, "the record file has no moves line");
    EXPECT_FALSE(ReadGameFile("5-5 5-5", error));
    EXPECT_EQ(error, "move 2 (5-5): White may not play there (occupied)");
    const auto sgf = ReadGameFile("\n(;FF[4]GM[1]SZ[9];B[ee];W[dd];B[])", error);
    ASSERT_TRUE(sgf) << error;
    EXPECT_EQ(*sgf, (std::vector<Vertex>{GetVertex(5, 5), GetVertex(4, 4), Pass}));
    EXPECT_FALSE(ReadGameFile("(;FF[4]GM[1]SZ[19];B[ee])", error));
}

// A line a move, then a line a side; a move's class and the win it let go.
TEST(ReviewPrinter, PrintsEachMoveAndEachSide) {
    testing::ScopedWorkingDirectory directory;
    directory.WriteFile("game.txt", "2-5 1-5 3-5 2-9 4-5 4-9 5-5 6-9 6-5 8-9 7-5 9-8 9-1\n");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_TRUE(
        ReviewGameFile({"game.txt", 2, Language::English, Encoding::Utf8, "game.sgf"}, out, err));
    std::istringstream lines(out.str());
    std::vector<std::string> printed;
    for (std::string line; std::getline(lines, line);)
        printed.push_back(line);
    ASSERT_EQ(printed.size(), 2u + 13u + 2u);
    EXPECT_EQ(printed[0], "Review of 13 moves at level 2 (60 playouts a position)");
    EXPECT_NE(printed[2 + 12].find("9-1"), std::string::npos);
    EXPECT_NE(printed[2 + 12].find("missed a win in one: 8-5"), std::string::npos);
    EXPECT_NE(printed[2 + 11].find("allowed a win in one: 8-5"), std::string::npos);
    EXPECT_EQ(printed[15].rfind("Black: accuracy ", 0), 0u);
    EXPECT_EQ(printed[16].rfind("White: accuracy ", 0), 0u);

    // The SGF holds each move's class, and Black's chances after it.
    std::ifstream sgfFile("game.sgf");
    const std::string sgfText{std::istreambuf_iterator<char>(sgfFile), {}};
    const auto sgf = ReadSgf(sgfText);
    ASSERT_TRUE(std::holds_alternative<SgfRecord>(sgf)) << sgfText;
    const SgfRecord& record = std::get<SgfRecord>(sgf);
    ASSERT_EQ(record.notes.size(), 13u);
    EXPECT_EQ(record.notes[12].comment, "missed a win in one: 8-5");
    EXPECT_EQ(record.notes[11].comment, "allowed a win in one: 8-5");
    ASSERT_TRUE(record.notes[12].blackWinRate);
    EXPECT_LT(*record.notes[12].blackWinRate, 100.0);

    EXPECT_FALSE(
        ReviewGameFile({"missing.txt", 2, Language::English, Encoding::Utf8, ""}, out, err));
    EXPECT_EQ(err.str(), "nanaren: cannot read missing.txt\n");
}

}  // namespace
}  // namespace nanaren
