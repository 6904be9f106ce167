#include "search/line_info.h"

#include <gtest/gtest.h>

#include "game/board.h"

namespace nanaren {
namespace {

LineInfo RowStretch(int fromX, int toX, int y) {
    LineInfo line;
    line.dir = Right;
    line.edge = {GetVertex(toX, y), GetVertex(fromX, y)};
    return line;
}

TEST(NextVirtual, WithoutEndSpacesTheLengthIsOneAndThereIsNoPoint) {
    LineInfo line = RowStretch(3, 7, 5);
    EXPECT_EQ(line.NextVirtualLengthMax(), 1);
    EXPECT_EQ(line.NextVirtualEdgeSpace(), 0);
    EXPECT_EQ(line.NextVirtualDir(), Right);
}

TEST(NextVirtual, ATieGoesToTheBackwardEnd) {
    LineInfo line = RowStretch(3, 7, 5);
    line.edgeSpace = {GetVertex(8, 5), GetVertex(2, 5)};
    EXPECT_EQ(line.NextVirtualLengthMax(), 6);
    EXPECT_EQ(line.NextVirtualEdgeSpace(), GetVertex(2, 5));
    EXPECT_EQ(line.NextVirtualDir(), Right);
}

TEST(NextVirtual, TheForwardEndWhenItSpansMore) {
    LineInfo line = RowStretch(3, 7, 5);
    line.edgeSpace = {GetVertex(9, 5), GetVertex(2, 5)};
    EXPECT_EQ(line.NextVirtualLengthMax(), 7);
    EXPECT_EQ(line.NextVirtualEdgeSpace(), GetVertex(9, 5));
    EXPECT_EQ(line.NextVirtualDir(), Left);

    line.edgeSpace = {GetVertex(8, 5), 0};
    EXPECT_EQ(line.NextVirtualLengthMax(), 6);
    EXPECT_EQ(line.NextVirtualEdgeSpace(), GetVertex(8, 5));
}

TEST(NextVirtual, ColumnsCountStepsOfEleven) {
    // Forward is up: the stretch runs from (5,7) up to (5,3).
    LineInfo line;
    line.dir = Up;
    line.edge = {GetVertex(5, 3), GetVertex(5, 7)};
    line.edgeSpace = {GetVertex(5, 1), GetVertex(5, 8)};
    EXPECT_EQ(line.NextVirtualLengthMax(), 7);  // (5,1) down to (5,7)
    EXPECT_EQ(line.NextVirtualEdgeSpace(), GetVertex(5, 1));
    EXPECT_EQ(line.NextVirtualDir(), Down);
}

TEST(NextVirtual, TheForwardSpaceNeedsABackwardEdge) {
    LineInfo line;
    line.dir = Right;
    line.edge = {GetVertex(6, 5), 0};
    line.edgeSpace = {GetVertex(9, 5), 0};
    EXPECT_EQ(line.NextVirtualLengthMax(), 1);
    EXPECT_EQ(line.NextVirtualEdgeSpace(), 0);
}

}  // namespace
}  // namespace nanaren
