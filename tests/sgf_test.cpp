#include "game/sgf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/notation.h"

namespace nanaren {
namespace {

// GTP counts rows from the bottom and skips I; SGF counts both letters from
// the top-left. The corners and one point in the middle, worked out by hand.
TEST(Notation, MapsColumnRowToGtpAndSgfBothWays) {
    struct Point {
        int x, y;
        const char* gtp;
        const char* sgf;
    };
    for (const Point& p :
         {Point{1, 1, "A9", "aa"}, Point{9, 1, "J9", "ia"}, Point{1, 9, "A1", "ai"},
          Point{9, 9, "J1", "ii"}, Point{8, 3, "H7", "hc"}}) {
        const Vertex v = GetVertex(p.x, p.y);
        EXPECT_EQ(GtpVertexText(v), p.gtp);
        EXPECT_EQ(SgfPointText(v), p.sgf);
        EXPECT_EQ(ParseGtpVertex(p.gtp), v);
        EXPECT_EQ(ParseSgfPoint(p.sgf), v);
    }
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            const Vertex v = GetVertex(x, y);
            EXPECT_EQ(ParseGtpVertex(GtpVertexText(v)), v);
            EXPECT_EQ(ParseSgfPoint(SgfPointText(v)), v);
        }
    }
    EXPECT_EQ(ParseGtpVertex("e5"), GetVertex(5, 5));
    EXPECT_EQ(ParseGtpVertex("Pass"), Pass);
    EXPECT_EQ(ParseGtpVertex("RESIGN"), Resign);
    EXPECT_EQ(GtpVertexText(Pass), "pass");
    EXPECT_EQ(SgfPointText(Pass), "");
    EXPECT_EQ(ParseSgfPoint(""), Pass);
    EXPECT_EQ(ParseSgfPoint("tt"), Pass);
    for (const char* bad : {"I5", "K1", "A0", "A10", "E", "", "5-5"})
        EXPECT_EQ(ParseGtpVertex(bad), std::nullopt) << bad;
    for (const char* bad : {"ja", "aj", "EE", "e", "eee"})
        EXPECT_EQ(ParseSgfPoint(bad), std::nullopt) << bad;
}

TEST(Sgf, WritesTheHeaderTheMovesAndTheNotes) {
    SgfRecord record;
    record.header = {"exact:100", "level:2", "2024-05-01", "W+R", "a ] and a \\"};
    record.moves = {GetVertex(5, 5), Pass, GetVertex(1, 9), Resign};
    record.notes.resize(2);
    record.notes[1] = {62.5, "mistake"};
    const std::string text = WriteSgf(record);
    const std::string root = "(;FF[4]GM[1]SZ[9]CA[UTF-8]AP[nanaren]RU[";
    EXPECT_EQ(text.substr(0, root.size()), root);
    const std::string rest = text.substr(text.find("PB["));
    EXPECT_EQ(rest,
              "PB[exact:100]PW[level:2]DT[2024-05-01]RE[W+R]C[a \\] and a \\\\]\n"
              ";B[ee]\n;W[]SBKV[62.50]C[mistake]\n;B[ai]\n)\n");
}

TEST(Sgf, ReadsBackWhatItWritesWithTheResignationInTheResult) {
    Position position;
    for (const char* move : {"5-5", "4-4", "pass", "6-6", "resign"})
        ASSERT_TRUE(position.Play(*ParseMove(move)).Stands()) << move;
    SgfRecord record = SgfRecordOf(position);
    EXPECT_EQ(record.header.result, "W+R") << "Black resigned";
    record.header.black = "someone [strong]";
    record.notes = {{}, {48.25, ""}, {std::nullopt, "a pass\nover two lines"}};
    const auto read = ReadSgf(WriteSgf(record));
    ASSERT_TRUE(std::holds_alternative<SgfRecord>(read)) << std::get<SgfError>(read).Message();
    const SgfRecord& back = std::get<SgfRecord>(read);
    EXPECT_EQ(back.moves, position.Moves());
    EXPECT_EQ(back.header.black, "someone [strong]");
    EXPECT_EQ(back.header.result, "W+R");
    ASSERT_EQ(back.notes.size(), 3u);
    EXPECT_EQ(back.notes[1].blackWinRate, 48.25);
    EXPECT_EQ(back.notes[2].comment, "a pass\nover two lines");
}

TEST(Sgf, FollowsTheMainLineAndReadsEscapesAndOlderForms) {
    const auto read = ReadSgf(
        "\xEF\xBB\xBF (;GaMe[1]SZ[9]C[soft\\\nbreak, \\]]\n"
        ";B[ee](;W[dd];B[tt]C[old pass])(;W[ff]))(;SZ[19])");
    ASSERT_TRUE(std::holds_alternative<SgfRecord>(read)) << std::get<SgfError>(read).Message();
    const SgfRecord& record = std::get<SgfRecord>(read);
    EXPECT_EQ(record.header.comment, "softbreak, ]");
    EXPECT_EQ(record.moves, (std::vector<Vertex>{GetVertex(5, 5), GetVertex(4, 4), Pass}));
    EXPECT_EQ(record.notes.at(2).comment, "old pass");
}

// Each refusal names the line and column of the property at fault.
TEST(Sgf, RefusesOtherGamesAndUnplayableMovesAtTheirPlace) {
    const auto message = [](std::string_view text) {
        const auto read = ReadSgf(text);
        return std::holds_alternative<SgfError>(read) ? std::get<SgfError>(read).Message() : "read";
    };
    EXPECT_EQ(message("(;GM[1]SZ[9]\n;B[ee];W[ee])"),
              "line 2, column 8: W: move 2 (W[ee]): White may not play there (occupied)");
    EXPECT_EQ(message("(;SZ[9];W[ee])"),
              "line 1, column 9: W: move 1 (W[ee]): Black is to move, the colours alternate "
              "from Black");
    EXPECT_EQ(message("(;SZ[9];B[ej])"),
              "line 1, column 9: B: move 1 (B[ej]): not a point of the 9x9 board");
    EXPECT_EQ(message("(;GM[4]SZ[9])"), "line 1, column 3: GM: a game of another kind than GM[1]");
    EXPECT_EQ(message("(;SZ[19])"), "line 1, column 3: SZ: a board of 19, not 9x9");
    EXPECT_EQ(message("(;GM[1];B[aa])"),
              "line 1, column 1: no SZ[9]: without it the board is 19x19");
    EXPECT_EQ(message("(;SZ[9]AB[aa])"),
              "line 1, column 8: AB: stones set up before the game are not played here");
    EXPECT_EQ(message("5-5 4-4"), "line 1, column 1: not an SGF game, which begins with '('");
    EXPECT_EQ(message("(;SZ[9]C[open"), "line 1, column 9: a value whose ']' is missing");
    EXPECT_EQ(message("(;SZ[9]"), "line 1, column 8: the game ends without its ')'");
}

}  // namespace
}  // namespace nanaren
