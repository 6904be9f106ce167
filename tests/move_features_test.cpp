#include "players/move_features.h"

#include <gtest/gtest.h>

#include <random>

#include "board_test_util.h"
#include "players/move_prior_table.h"
#include "players/move_priors.h"

namespace nanaren {
namespace {

using testing::At;
using testing::SetUpPosition;

MoveFeatures FeaturesAt(std::initializer_list<std::string_view> rows, Vertex v, int color) {
    Board board;
    SetUpPosition(board, rows);
    return FeaturesOf(board, v, color);
}

// Row 5 holds Black's 2-5, 3-5 and 4-5 and White's 9-5: eight points free of
// White, so Black's row can still win. At 5-5 Black makes a run of four,
// open at both ends, and four stones in the windows 1-7 and 2-8; White
// there would have five free points only, no line. At 1-5, on the edge
// column, the run of four is open at one end only.
TEST(MoveFeatures, LinesTheMoveMakesAndBlocks) {
    const std::initializer_list<std::string_view> rows = {"+", "+", "+", "+", "+ @ @ @ + + + + O"};
    const MoveFeatures middle = FeaturesAt(rows, At(5, 5), Black);
    EXPECT_EQ(middle[OwnLine], LineLevel(4, 2));
    EXPECT_EQ(middle[OwnWindow], 4);
    EXPECT_EQ(middle[OpponentLine], LineLevel(1, 2)) << "the column, empty";
    EXPECT_EQ(middle[OpponentWindow], 1);
    EXPECT_EQ(middle[EdgeDistance], 4);
    const MoveFeatures end = FeaturesAt(rows, At(1, 5), Black);
    EXPECT_EQ(end[OwnLine], LineLevel(4, 1));
    EXPECT_EQ(end[EdgeDistance], 0);
    // White at 8-5 blocks Black's row, which has its four stones in the
    // window 2-8 were Black to play there; White's own row is closed by
    // Black's stones within five points, so only its empty lines count.
    const MoveFeatures block = FeaturesAt(rows, At(8, 5), White);
    EXPECT_EQ(block[OpponentWindow], 4);
    EXPECT_EQ(block[OwnLine], LineLevel(1, 2));
}

// White's 5-5 has its last liberty at 5-6: Black there captures one stone,
// White there escapes to three liberties. White at 2-1 leaves Black's corner
// stone one liberty; at 3-1, beside its own 4-1, White keeps four. Black
// joining its corner stone at 2-1 between White's 3-1 and 1-2 leaves the
// two stones 2-2 alone.
TEST(MoveFeatures, CapturesAtarisEscapesAndSelfAtari) {
    const std::initializer_list<std::string_view> rows = {"@ + + O", "+", "+", "+ + + + @",
                                                          "+ + + @ O @"};
    EXPECT_EQ(FeaturesAt(rows, At(5, 6), Black)[Capture], 1);
    const MoveFeatures escape = FeaturesAt(rows, At(5, 6), White);
    EXPECT_EQ(escape[Escape], 1);
    EXPECT_EQ(escape[Capture], 0);
    EXPECT_EQ(escape[SelfAtari], 0);
    EXPECT_EQ(FeaturesAt(rows, At(2, 1), White)[Atari], 1);
    EXPECT_EQ(FeaturesAt(rows, At(3, 1), White)[SelfAtari], 0);
    const MoveFeatures selfAtari = FeaturesAt({"@ + O", "O"}, At(2, 1), Black);
    EXPECT_EQ(selfAtari[SelfAtari], 2);
    EXPECT_EQ(selfAtari[Capture], 0);
}

// A position and the same stones turned a quarter and mirrored have the same
// features at the matching points: the rules and the features know no
// direction. Without a record there is no last move.
TEST(MoveFeatures, AreTheSameUnderRotationAndReflection) {
    std::mt19937 rng(12);
    Board board;
    for (int placed = 0; placed < 60;) {
        const Vertex v =
            GetVertex(1 + static_cast<int>(rng() % 9), 1 + static_cast<int>(rng() % 9));
        if (board.PutAt(v, placed % 2 == 0 ? Black : White) == Board::Success) ++placed;
    }
    Board turned;
    const auto turn = [](Vertex v) { return GetVertex(GetY(v), BoardSize + 1 - GetX(v)); };
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x)
            turned.SetCell(turn(GetVertex(x, y)), board.Cell(GetVertex(x, y)));
    }
    turned.SyncWithCells();
    turned.ListEmptyPoints();
    Board plain;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x)
            plain.SetCell(GetVertex(x, y), board.Cell(GetVertex(x, y)));
    }
    plain.SyncWithCells();
    plain.ListEmptyPoints();
    int compared = 0;
    for (int i = 0; i < plain.EmptyCount(); ++i) {
        const Vertex v = plain.EmptyPoint(i);
        for (const int color : {Black, White}) {
            if (plain.TryPut(i, color) == Board::Failure) continue;
            MoveFeatures a = FeaturesOf(plain, v, color);
            MoveFeatures b = FeaturesOf(turned, turn(v), color);
            a[Pattern] = CanonicalPattern(a[Pattern]);
            b[Pattern] = CanonicalPattern(b[Pattern]);
            EXPECT_EQ(a, b) << "at " << v;
            EXPECT_EQ(a[LastDistance], 0);
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
}

// The table's weights are what the priors read: a listed pattern, seen in
// any of its eight orientations, weighs its entry, and each other level
// multiplies in its own.
TEST(MovePriors, ReadTheLearnedTable) {
    const LearnedPriorTable& table = LearnedPriors;
    ASSERT_GT(table.patternCount, 0);
    const PatternWeight& listed = table.patterns[table.patternCount - 1];
    EXPECT_EQ(CanonicalPattern(listed.code), listed.code);
    MoveFeatures features{};
    features[OwnLine] = 5;
    features[Capture] = 1;
    float expected = listed.weight;
    for (int g = Pattern + 1; g < FeatureGroupCount; ++g)
        expected *= table.levels[g][features[g]];
    // The pattern mirrored left to right: neighbours 0-2, 3-4 and 5-7 swap.
    const auto mirror = [](unsigned code) {
        constexpr int Image[8] = {2, 1, 0, 4, 3, 7, 6, 5};
        unsigned image = 0;
        for (int i = 0; i < 8; ++i)
            image |= (code >> (2 * i) & 3u) << (2 * Image[i]);
        return static_cast<std::uint16_t>(image);
    };
    for (const std::uint16_t code : {listed.code, mirror(listed.code)}) {
        features[Pattern] = code;
        EXPECT_EQ(MovePriors::Learned().Weight(features), expected);
    }
}

}  // namespace
}  // namespace nanaren
