#include "game/line_masks.h"

#include <gtest/gtest.h>

#include "core/point_set.h"

namespace nanaren {
namespace {

// Every point's place on each of its four lines leads back to the point, and
// the next place along a line is the neighbour its step names.
TEST(BoardGeometry, PlacesAndVerticesAreInverseAndStepsFollowTheLines) {
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        for (int a = 0; a < AxisCount; ++a) {
            const LinePlace at = PlaceOf(v, static_cast<Axis>(a));
            ASSERT_EQ(VertexAt(static_cast<Axis>(a), at.line, at.place), v) << v << " " << a;
        }
    }
    const Vertex v = GetVertex(4, 6);
    for (const int d : {Up, Down, Left, Right, UpLeft, UpRight, DownLeft, DownRight}) {
        const LineStep step = StepOf(d);
        const LinePlace at = PlaceOf(v, step.axis);
        EXPECT_EQ(VertexAt(step.axis, at.line, at.place + step.sign), v + d) << d;
    }
}

TEST(LineMasks, AStoneIsOnItsFourLinesUntilItIsRemoved) {
    LineMasks masks;
    const Vertex v = GetVertex(3, 8);
    masks.Add(v, White);
    for (int a = 0; a < AxisCount; ++a) {
        const auto axis = static_cast<Axis>(a);
        EXPECT_EQ(masks.StonesThrough(White, v, axis), 1u << PlaceOf(v, axis).place);
        EXPECT_EQ(masks.StonesThrough(Black, v, axis), 0u);
    }
    // The lines beyond either end of an axis stay empty.
    EXPECT_EQ(masks.Stones(White, Column, -1), 0u);
    EXPECT_EQ(masks.Stones(White, Diagonal, MaxLinesPerAxis), 0u);
    masks.Remove(v, White);
    EXPECT_EQ(masks, LineMasks{});
}

TEST(LineMasks, PlaceArithmetic) {
    const std::uint32_t stones = 1u << 3 | 1u << 4 | 1u << 6 | 1u << 7 | 1u << 8;
    EXPECT_EQ(FirstClearPlace(stones, 3, 1), 5);
    EXPECT_EQ(FirstClearPlace(stones, 8, -1), 5);
    EXPECT_EQ(FirstClearPlace(stones, 4, -1), 2);
    EXPECT_EQ(FirstClearPlace(stones, 10, -1), 10) << "a clear start is its own answer";
    EXPECT_EQ(FirstClearPlace(stones, 0, 1), 0);
    EXPECT_EQ(PlacesBetween(2, 6), 1u << 3 | 1u << 4 | 1u << 5);
    EXPECT_EQ(PlacesBetween(6, 2), PlacesBetween(2, 6));
    EXPECT_EQ(PlacesBetween(4, 5), 0u);
    EXPECT_EQ(SpanOfPlaces(stones), 6);
    EXPECT_EQ(SpanOfPlaces(0), 0);
    EXPECT_EQ(SpanOfPlaces(1u << 9), 1);
    EXPECT_EQ(FarthestPlace(stones, 1), 8);
    EXPECT_EQ(FarthestPlace(stones, -1), 3);
    EXPECT_EQ(FarthestPlace(0, 1), -1);
    EXPECT_EQ(CountPlaces(stones), 5);
    EXPECT_EQ(CountPlaces(0x7FF), 11);
}

// Vertices 63 and 64 lie in different words of the set.
TEST(PointSet, SingleAndOnlyAcrossBothWords) {
    PointSet set;
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_EQ(set.Single(), -1);
    for (const Vertex v : {12, 63, 64, 120}) {
        PointSet one;
        one.Add(v);
        EXPECT_EQ(one.Single(), v);
        EXPECT_TRUE(one.IsOnly(v));
        EXPECT_FALSE(one.IsOnly(v == 64 ? 63 : 64));
    }
    set.AddIf(63, true);
    set.AddIf(64, false);
    EXPECT_EQ(set.Single(), 63);
    PointSet other;
    other.Add(64);
    set.AddAll(other);
    EXPECT_EQ(set.Single(), -1) << "two points";
    EXPECT_FALSE(set.IsOnly(63));
    set.Remove(63);
    EXPECT_TRUE(set.IsOnly(64));
    set.Remove(64);
    EXPECT_TRUE(set.IsEmpty());
}

}  // namespace
}  // namespace nanaren
