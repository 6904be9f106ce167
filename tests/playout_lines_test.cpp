#include <gtest/gtest.h>

#include <random>

#include "policy_fixture.h"

namespace nanaren {
namespace {

using testing::At;
using testing::IsConsistent;
using testing::Lines;
using testing::SamePosition;
using testing::ScatterStones;
using testing::SetUpPosition;
using testing::Threats;
using testing::WorkingBoard;

class LineScan : public testing::PolicyTest {
  protected:
    const LineInfo& Line(int c) { return Lines(mPolicy)[ColorIndex(c)]; }
};

TEST_F(LineScan, AColumnOfSevenScannedFromItsMiddle) {
    SetUpPosition(mBoard, {"+", "+ + + + @", "+ + + + @", "+ + + + @", "+ + + + @", "+ + + + @",
                           "+ + + + @", "+ + + + @"});
    EXPECT_TRUE(mPolicy.FindLineThreat(At(5, 5), Black));
    const LineInfo& line = Line(Black);
    EXPECT_EQ(line.len, 7);
    EXPECT_EQ(line.space, 0);
    EXPECT_EQ(line.stone, 7);
    EXPECT_EQ(line.dir, Up);
    EXPECT_EQ(line.edge[0], At(5, 2));
    EXPECT_EQ(line.edge[1], At(5, 8));
    EXPECT_EQ(line.edgeSpace[0], At(5, 1));
    EXPECT_EQ(line.edgeSpace[1], At(5, 9));
}

TEST_F(LineScan, AnOpenSixIsAThreatWithOneMoreSpace) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O + +"});
    EXPECT_TRUE(mPolicy.Scan(At(4, 5), Right, White, true));
    EXPECT_EQ(Line(White).len, 6);
    EXPECT_EQ(Line(White).space, 1);
    EXPECT_EQ(Line(White).edgeSpace[0], At(8, 5));
    EXPECT_EQ(Line(White).edgeSpace[1], At(1, 5));

    mBoard.SetCell(At(8, 5), Black);
    mBoard.SyncWithCells();
    EXPECT_FALSE(mPolicy.Scan(At(4, 5), Right, White, true));
    EXPECT_EQ(Line(White).space, 0);
}

TEST_F(LineScan, EightIsAThreatForWhiteOnly) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "O O O O O O O O +"});
    EXPECT_TRUE(mPolicy.FindLineThreat(At(4, 5), White));
    EXPECT_EQ(Line(White).len, 8);
    SetUpPosition(mBoard, {"+", "+", "+", "+", "@ @ @ @ @ @ @ @ +"});
    EXPECT_FALSE(mPolicy.FindLineThreat(At(4, 5), Black));
    EXPECT_EQ(Line(Black).len, 8);
}

TEST_F(LineScan, SevenAlongTheFirstLineIsNoThreat) {
    SetUpPosition(mBoard, {"+ @ @ @ @ @ @ @ +"});
    EXPECT_FALSE(mPolicy.FindLineThreat(At(5, 1), Black));
    EXPECT_EQ(Line(Black).len, 7);
}

TEST_F(LineScan, AGapWithAnOwnStoneBesideItIsBridged) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ @ @ @ + @ @ @ +"});
    EXPECT_FALSE(mPolicy.Scan(At(2, 5), Up, Black, true)) << "nothing in the column";
    EXPECT_TRUE(mPolicy.FindLineThreat(At(2, 5), Black));
    const LineInfo& line = Line(Black);
    EXPECT_EQ(line.dir, Right);
    EXPECT_EQ(line.len, 7);
    EXPECT_EQ(line.space, 1);
    EXPECT_EQ(line.stone, 6);
}

TEST_F(LineScan, AGapWithAnEnemyStoneBesideItStopsTheWalk) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ @ @ @ + @ @ @ +", "+ + + + O"});
    EXPECT_FALSE(mPolicy.FindLineThreat(At(2, 5), Black));
    EXPECT_EQ(Line(Black).len, 3);
    EXPECT_EQ(Line(Black).edgeSpace[0], At(5, 5));
}

TEST_F(LineScan, APinchedEnemyStoneIsBridged) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ @ @ @ O @ @ @ +", "+ + + + @"});
    EXPECT_TRUE(mPolicy.FindLineThreat(At(2, 5), Black));
    EXPECT_EQ(Line(Black).len, 7);
    EXPECT_EQ(Line(Black).space, 1);
    EXPECT_EQ(Line(Black).edgeSpace[0], At(9, 5));
}

TEST_F(LineScan, AnEmptyPointBetweenTwoThreesIsNotCounted) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O + O O O +"});
    EXPECT_TRUE(mPolicy.FindLineThreat(At(5, 5), White));
    EXPECT_EQ(Line(White).len, 6);
    EXPECT_EQ(Line(White).space, 2);
    EXPECT_EQ(Line(White).stone, 6);
}

TEST_F(LineScan, TheRowRecordIsLeftWhenTheColumnIsNoThreat) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ + + + @", "+ + + + @"});
    EXPECT_FALSE(mPolicy.FindLineThreat(At(5, 5), Black));
    EXPECT_EQ(Line(Black).dir, Right);
    EXPECT_EQ(Line(Black).len, 1);
}

TEST_F(LineScan, TheScanOfOneColourLeavesTheOtherRecordAlone) {
    SetUpPosition(mBoard, {"+", "+", "+", "+", "+ O O O O O O O +"});
    ASSERT_TRUE(mPolicy.FindLineThreat(At(4, 5), White));
    EXPECT_FALSE(mPolicy.FindLineThreat(At(4, 5), Black));
    EXPECT_EQ(Line(White).len, 7);
}

// ------------------------------------------------------ scans on random boards

bool SameLine(const LineInfo& a, const LineInfo& b) {
    return a.edge == b.edge && a.edgeSpace == b.edgeSpace && a.len == b.len && a.space == b.space &&
           a.dir == b.dir && a.stone == b.stone;
}

// The line scan as a literal walk along the cells, as the player first made it.
bool WalkedScanLine(const Board& b, LineInfo& line, Vertex p, int dir, int side, int c) {
    const int o = Opposite(c);
    const auto bridgeable = [&](Vertex x) {
        const int beside = b.Cell(x + side);
        const int across = b.Cell(x - side);
        if (b.Cell(x) == o) return beside == c && across == c;
        return (beside == c || across == c) && beside != o && across != o;
    };
    const bool own = b.Cell(p) == c;
    line = {{own ? p : 0, own ? p : 0}, {0, 0}, own ? 1 : 0, own ? 0 : 1, dir, own ? 1 : 0};
    for (int end = 0; end < 2; ++end) {
        const int step = end == 0 ? dir : -dir;
        int pending = 0;
        for (Vertex x = p + step;; x += step) {
            const int cell = b.Cell(x);
            if (cell == c) {
                ++line.stone;
                line.len += pending + 1;
                line.space += pending;
                pending = 0;
                line.edge[end] = x;
                line.edgeSpace[end] = 0;
                continue;
            }
            if (cell == Empty || cell == Mark) line.edgeSpace[end] = x;
            if (!bridgeable(x)) break;
            ++pending;
        }
    }
    const auto open = [&](Vertex v) { return b.Cell(v) == Empty || b.Cell(v) == Mark; };
    if (line.len <= 5 || line.edge[1] == 0 || line.edge[0] == 0) return false;
    if (b.IsEdge(line.edge[0]) && b.IsEdge(line.edge[0] - dir)) return false;
    if (line.len >= 8) return c == White;
    if (line.len == 7) return true;
    if (!open(line.edge[0] + dir) || !open(line.edge[1] - dir)) return false;
    ++line.space;
    return true;
}

TEST_F(LineScan, ScansAgreeWithTheWalkAlongTheCells) {
    std::mt19937 rng(11);
    int threats = 0;
    for (int trial = 0; trial < 400; ++trial) {
        ScatterStones(mBoard, rng);
        for (Vertex p = At(1, 1); p <= At(9, 9); ++p) {
            if (mBoard.Cell(p) == Wall) continue;
            for (const int c : {Black, White}) {
                for (const auto& [dir, side] : {std::pair{Up, Right}, {Right, Up}}) {
                    LineInfo walked;
                    const bool expected = WalkedScanLine(mBoard, walked, p, dir, side, c);
                    ASSERT_EQ(mPolicy.Scan(p, dir, c, true), expected) << p;
                    ASSERT_TRUE(SameLine(Line(c), walked)) << "trial " << trial << " at " << p;
                    threats += expected;
                }
            }
        }
    }
    EXPECT_GT(threats, 1000);
}

// ------------------------------------------------------------ region search

// The region search walked literally: every simple path, marks cleared on the
// way out. Exponential, so only for small regions.
bool ReferenceFindThreatInRegion(PlayoutPolicy& policy, Vertex p, int c) {
    if (policy.FindLineThreat(p, c)) {
        Threats(policy)[ColorIndex(c)] = 1;
        return true;
    }
    WorkingBoard(policy).SetCell(p, Mark);
    for (const int d : {Up, Right, Left, Down}) {
        const Vertex n = p + d;
        if (WorkingBoard(policy).Cell(n) == Empty && ReferenceFindThreatInRegion(policy, n, c)) {
            WorkingBoard(policy).SetCell(p, Empty);
            return true;
        }
    }
    WorkingBoard(policy).SetCell(p, Empty);
    return false;
}

int RegionSize(const Board& board, Vertex p) {
    std::array<bool, MaxVertexSize> seen{};
    std::vector<Vertex> stack = {p};
    seen[p] = true;
    int size = 0;
    while (!stack.empty()) {
        const Vertex v = stack.back();
        stack.pop_back();
        ++size;
        for (const int d : {Up, Right, Left, Down}) {
            if (board.Cell(v + d) == Empty && !seen[v + d]) {
                seen[v + d] = true;
                stack.push_back(v + d);
            }
        }
    }
    return size;
}

TEST_F(LineScan, RegionSearchLeavesNoMark) {
    SetUpPosition(mBoard, {"+", "+", "+", "+ + + + @", "+ @ @ @ + @ @ @ +", "+ + + + @"});
    Board before;
    before.CopyPosition(mBoard);
    EXPECT_TRUE(mPolicy.FindThreatInRegion(At(5, 5), Black));
    EXPECT_EQ(Threats(mPolicy)[ColorIndex(Black)], 1);
    EXPECT_TRUE(SamePosition(mBoard, before));
    EXPECT_FALSE(mPolicy.FindThreatInRegion(At(5, 5), White));
    EXPECT_EQ(Threats(mPolicy)[ColorIndex(White)], 0);
    EXPECT_TRUE(SamePosition(mBoard, before));
    EXPECT_TRUE(IsConsistent(mBoard));
}

TEST_F(LineScan, RegionSearchAgreesWithTheLiteralWalk) {
    std::mt19937 rng(2024);
    int threats = 0;
    int misses = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        // Long runs of one colour with scattered holes and enemy stones.
        const int c = trial % 2 ? White : Black;
        Board& board = mBoard;
        board.ClearPosition();
        const int emptyShare = 20 + static_cast<int>(rng() % 25);
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                const int roll = static_cast<int>(rng() % 100);
                const int cell = roll < emptyShare ? Empty : roll < 80 ? c : Opposite(c);
                board.SetCell(At(x, y), static_cast<std::uint8_t>(cell));
            }
        }
        const Vertex p = At(1 + static_cast<int>(rng() % 9), 1 + static_cast<int>(rng() % 9));
        board.SetCell(p, Empty);
        board.SyncWithCells();
        if (RegionSize(board, p) > 16) continue;

        Board before;
        before.CopyPosition(board);
        const LineInfo stale = {{7, 8}, {9, 10}, 11, 12, 13, 14};
        Lines(mPolicy) = {stale, stale};
        Threats(mPolicy) = {0, 0};
        const bool fast = mPolicy.FindThreatInRegion(p, c);
        const auto fastThreat = Threats(mPolicy);
        const auto fastLine = Lines(mPolicy);
        ASSERT_TRUE(SamePosition(board, before));

        Lines(mPolicy) = {stale, stale};
        Threats(mPolicy) = {0, 0};
        const bool literal = ReferenceFindThreatInRegion(mPolicy, p, c);
        ASSERT_EQ(fast, literal) << "trial " << trial;
        ASSERT_EQ(fastThreat, Threats(mPolicy)) << "trial " << trial;
        ASSERT_TRUE(SameLine(fastLine[0], Lines(mPolicy)[0])) << "trial " << trial;
        ASSERT_TRUE(SameLine(fastLine[1], Lines(mPolicy)[1])) << "trial " << trial;
        (literal ? threats : misses) += 1;
    }
    EXPECT_GT(threats, 100);
    EXPECT_GT(misses, 100);
}

}  // namespace
}  // namespace nanaren
