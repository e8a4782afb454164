// TPolygon32's geometry: contour building, normals, outlines and offsets,
// with the fixed-point results worked out by hand.
#include <gtest/gtest.h>

#include "raster/Polygon32.h"

namespace {

constexpr TFixed F(double v) { return TFixed(v * 65536); }

TPolygon32 Square() {  // (0,0) (1,0) (1,1) (0,1), clockwise on screen
  TPolygon32 p;
  p.AppendPoint({0, 0});
  p.AppendPoint({F(1), 0});
  p.AppendPoint({F(1), F(1)});
  p.AppendPoint({0, F(1)});
  return p;
}

}  // namespace

TEST(Polygon32Contours, NewPolygonHasOneEmptyContourAndDefaults) {
  TPolygon32 p;
  ASSERT_EQ(p.Points.size(), 1u);
  EXPECT_TRUE(p.Points[0].empty());
  EXPECT_TRUE(p.ClosedContours);
  EXPECT_EQ(p.FillRule, pfAlternate);
  EXPECT_FALSE(p.Smooth);
  EXPECT_EQ(p.SmoothLevel, 2);
  p.StartContour();
  p.AppendPoint({1, 2});
  ASSERT_EQ(p.Points.size(), 2u);
  EXPECT_EQ(p.Points[1][0], (TFixedPoint{1, 2}));
}

TEST(Polygon32Normals, ClosedSquarePointsOutwardOnScreen) {
  const TPolygon32 p = Square();
  const auto& n = p.Normals()[0];
  ASSERT_EQ(n.size(), 4u);
  // Edge (0,0)->(1,0): (dy, -dx) = (0, -1), away from the square.
  EXPECT_EQ(n[0], (TFixedPoint{0, -FixedOne}));
  EXPECT_EQ(n[1], (TFixedPoint{FixedOne, 0}));
  EXPECT_EQ(n[2], (TFixedPoint{0, FixedOne}));
  EXPECT_EQ(n[3], (TFixedPoint{-FixedOne, 0}));
}

TEST(Polygon32Normals, OpenContourRepeatsAndDegenerateEdgesGiveZero) {
  TPolygon32 p;
  p.ClosedContours = false;
  p.AppendPoint({0, 0});
  p.AppendPoint({F(3), F(4)});
  p.AppendPoint({F(3), F(4)});  // zero-length edge
  p.StartContour();
  p.AppendPoint({5, 5});
  const auto& n = p.Normals();
  EXPECT_EQ(n[0][0], (TFixedPoint{F(0.8) + 1, F(-0.6) - 1}));  // rounded, not truncated
  EXPECT_EQ(n[0][1], (TFixedPoint{0, 0}));
  EXPECT_EQ(n[0][2], (TFixedPoint{0, 0}));  // repeats the previous point's
  EXPECT_EQ(n[1][0], (TFixedPoint{0, 0}));
}

TEST(Polygon32Normals, DirectEditOfPointsRebuildsThem) {
  TPolygon32 p = Square();
  EXPECT_EQ(p.Normals()[0][0], (TFixedPoint{0, -FixedOne}));
  p.Points[0][1] = {0, -F(1)};  // edge 0 now runs upwards
  EXPECT_EQ(p.Normals()[0][0], (TFixedPoint{-FixedOne, 0}));
}

TEST(Polygon32Outline, ClosedContourGivesForwardAndReversedCopies) {
  TPolygon32 p = Square();
  p.StartContour();
  p.AppendPoint({7, 7});  // too short, left out
  p.Smooth = true;
  p.SmoothLevel = 0;
  const auto o = p.MakeOutline();
  ASSERT_EQ(o->Points.size(), 2u);
  EXPECT_EQ(o->Points[0], p.Points[0]);
  EXPECT_EQ(o->Points[1], TArrayOfFixedPoint(p.Points[0].rbegin(), p.Points[0].rend()));
  EXPECT_TRUE(o->Smooth);
  EXPECT_EQ(o->SmoothLevel, 0);
}

TEST(Polygon32Outline, OpenContourRunsThereAndBack) {
  TPolygon32 p;
  p.ClosedContours = false;
  p.AppendPoint({1, 1});
  p.AppendPoint({2, 2});
  p.AppendPoint({3, 3});
  const auto o = p.MakeOutline();
  ASSERT_EQ(o->Points.size(), 1u);
  EXPECT_EQ(o->Points[0], (TArrayOfFixedPoint{{1, 1}, {2, 2}, {3, 3}, {3, 3}, {2, 2}, {1, 1}}));
  EXPECT_FALSE(o->ClosedContours);
}

TEST(Polygon32Offset, ZeroDeltaCopiesEveryContour) {
  TPolygon32 p = Square();
  const auto o = p.OffsetContours(0, 0.5f);
  EXPECT_EQ(o->Points, p.Points);  // the empty contour too
}

TEST(Polygon32Offset, RightAngleWithSharpnessOneGetsOneMitrePoint) {
  const TPolygon32 p = Square();
  const auto o = p.OffsetContours(3277, 1.0f);
  ASSERT_EQ(o->Points.size(), 1u);
  // P = (-3277, 0) from the left edge, N = (0, -3277): R = 3277 > T = 33,
  // so one point Delta*sqrt(2) out along the diagonal.
  EXPECT_EQ(o->Points[0], (TArrayOfFixedPoint{{-3277, -3277}, {F(1) + 3277, -3277}, {F(1) + 3277, F(1) + 3277},
                                               {-3277, F(1) + 3277}}));
}

TEST(Polygon32Offset, SharpnessOneBehavesAsPointNinetyNine) {
  TPolygon32 p;
  // A contour that almost reverses, where the bevel rule matters.
  p.AppendPoint({0, 0});
  p.AppendPoint({F(10), F(0.01)});
  p.AppendPoint({0, F(0.02)});
  const auto a = p.OffsetContours(3277, 1.0f);
  const auto b = p.OffsetContours(3277, 0.99f);
  const auto c = p.OffsetContours(3277, 7.0f);
  EXPECT_EQ(a->Points, b->Points);
  EXPECT_EQ(a->Points, c->Points);
  // Only the tip (10, 0.01), where the contour reverses (R <= T), is
  // bevelled: 1 + 2 + 1 points.
  EXPECT_EQ(a->Points[0].size(), 4u);
}

TEST(Polygon32Offset, NegativeDeltaWithSharpnessZeroBevelsRightAngles) {
  const TPolygon32 p = Square();
  const auto o = p.OffsetContours(-6554, 0.0f);
  ASSERT_EQ(o->Points.size(), 1u);
  // T = -6554 = R at every corner: two points each, P then N.
  EXPECT_EQ(o->Points[0], (TArrayOfFixedPoint{{6554, 0},
                                               {0, 6554},
                                               {F(1), 6554},
                                               {F(1) - 6554, 0},
                                               {F(1) - 6554, F(1)},
                                               {F(1), F(1) - 6554},
                                               {0, F(1) - 6554},
                                               {6554, F(1)}}));
}

TEST(Polygon32Offset, OpenContourEndsUseTheirOwnEdges) {
  TPolygon32 p;
  p.ClosedContours = false;
  p.AppendPoint({0, 0});
  p.AppendPoint({F(1), 0});
  p.AppendPoint({F(1), F(1)});
  const auto o = p.OffsetContours(FixedOne, 1.0f);
  // First point along N of edge 0 (0, -1), last along the repeated normal
  // of edge 1 (1, 0); the corner is a mitre.
  EXPECT_EQ(o->Points[0], (TArrayOfFixedPoint{{0, -F(1)}, {F(2), -F(1)}, {F(2), F(1)}}));
}

TEST(Polygon32Offset, HugeDeltaAndCoordinatesSaturate) {
  TPolygon32 p;
  p.AppendPoint({INT32_MAX - 5, INT32_MAX - 5});
  p.AppendPoint({INT32_MIN, INT32_MAX});
  p.AppendPoint({INT32_MIN, INT32_MIN});
  const auto o = p.OffsetContours(INT32_MAX, 0.5f);
  const auto q = p.OffsetContours(INT32_MIN, 0.0f);
  EXPECT_FALSE(o->Points.empty());
  EXPECT_FALSE(q->Points.empty());
}
