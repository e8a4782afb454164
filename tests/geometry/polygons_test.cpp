// TPolygon: building, the cached drawing form, Clip through GPC, area.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "PolygonTestSupport.h"
#include "geometry/Polygons.h"

namespace {

class TTestForm : public TPolygonDrawingForm {};

TPolygon* WithForm(TPolygon& p) {
  p.SetDrawingForm(std::make_unique<TTestForm>());
  return &p;
}

constexpr double W = 60, H = 39;

}  // namespace

TEST(PolygonBuilding, NewSetHasOneEmptyOuterContourAndNoArea) {
  TPolygon p;
  ASSERT_EQ(p.Contours().size(), 1u);
  EXPECT_TRUE(p.Contours()[0].empty());
  EXPECT_EQ(p.Holes(), std::vector<int32_t>{0});
  EXPECT_EQ(p.PointCount(), 0);
  EXPECT_EQ(p.Area(), 0.0L);
  EXPECT_EQ(p.DrawingForm(), nullptr);
}

TEST(PolygonBuilding, AddPointAppendsToTheFirstContourOnly) {
  TPolygon p;
  p.AddContour({{5, 5}, {6, 5}, {6, 6}}, 1);
  p.AddPoint(1.5L, 2.25L);
  p.AddPoint(3, 4);
  ASSERT_EQ(p.PointCount(), 2);
  EXPECT_EQ(p.PointX(0), 1.5L);
  EXPECT_EQ(p.PointY(0), 2.25L);
  EXPECT_EQ(p.PointX(1), 3.0L);
  EXPECT_EQ(p.Contours()[1].size(), 3u);
}

TEST(PolygonBuilding, ReadersOutsideTheFirstContourGiveZero) {
  TPolygon p;
  p.AddPoint(7, 8);
  EXPECT_EQ(p.PointX(1), 0.0L);
  EXPECT_EQ(p.PointY(-1), 0.0L);
  p.Clear();
  EXPECT_EQ(p.PointCount(), 0);
  EXPECT_EQ(p.PointX(0), 0.0L);
}

TEST(PolygonBuilding, ClearLeavesNoContourAndAddPointStartsAFirstOneAgain) {
  auto p = MakeRect(0, 0, 2, 2);
  p->Clear();
  EXPECT_TRUE(p->Contours().empty());
  EXPECT_TRUE(p->Holes().empty());
  EXPECT_EQ(p->Area(), 0.0L);
  p->AddPoint(1, 1);
  EXPECT_EQ(p->PointCount(), 1);
  EXPECT_EQ(p->Holes(), std::vector<int32_t>{0});
}

TEST(PolygonDrawingForm, EveryChangeOfTheContoursDropsIt) {
  TPolygon p;
  p.AddPoint(0, 0);
  WithForm(p)->AddPoint(1, 0);
  EXPECT_EQ(p.DrawingForm(), nullptr);
  WithForm(p)->AddContour({{0, 0}, {1, 1}, {0, 1}});
  EXPECT_EQ(p.DrawingForm(), nullptr);
  auto other = MakeRect(0, 0, 1, 1);
  WithForm(p)->Clip(GPC_UNION, other.get());
  EXPECT_EQ(p.DrawingForm(), nullptr);
  WithForm(p)->SubtractUnion({});
  EXPECT_EQ(p.DrawingForm(), nullptr);
  WithForm(p)->Clear();
  EXPECT_EQ(p.DrawingForm(), nullptr);
}

TEST(PolygonDrawingForm, ClipWithNoOtherChangesNothingNotEvenTheForm) {
  auto p = MakeRect(0, 0, 3, 3);
  p->AddContour({{1, 1}, {2, 1}, {2, 2}}, 7);
  const auto contours = p->Contours();
  const auto holes = p->Holes();
  WithForm(*p);
  const TPolygonDrawingForm* form = p->DrawingForm();
  for (uint8_t op : {GPC_DIFF, GPC_INT, GPC_XOR, GPC_UNION}) p->Clip(op, nullptr);
  EXPECT_EQ(p->DrawingForm(), form);
  EXPECT_EQ(p->Holes(), holes);
  ASSERT_EQ(p->Contours().size(), contours.size());
  for (size_t i = 0; i < contours.size(); ++i) {
    ASSERT_EQ(p->Contours()[i].size(), contours[i].size());
    for (size_t j = 0; j < contours[i].size(); ++j) {
      EXPECT_EQ(p->Contours()[i][j].x, contours[i][j].x);
      EXPECT_EQ(p->Contours()[i][j].y, contours[i][j].y);
    }
  }
}

TEST(PolygonArea, FieldRectangleHasAreaWidthTimesHeightInEitherOrder) {
  EXPECT_EQ(MakePolygon({{0, 0}, {0, H}, {W, H}, {W, 0}})->Area(), W * H);
  EXPECT_EQ(MakePolygon({{W, 0}, {W, H}, {0, H}, {0, 0}})->Area(), W * H);
}

TEST(PolygonArea, ContoursOfFewerThanThreeVerticesHaveNone) {
  TPolygon p;
  EXPECT_EQ(p.ContourArea(0), 0.0L);
  p.AddPoint(1, 1);
  EXPECT_EQ(p.ContourArea(0), 0.0L);
  p.AddPoint(5, 3);
  EXPECT_EQ(p.ContourArea(0), 0.0L);
  EXPECT_EQ(p.ContourArea(3), 0.0L);
}

TEST(PolygonArea, SignComesFromTheHoleFlagAloneNotFromOrientation) {
  TPolygon p;
  p.Clear();
  p.AddContour({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0);
  p.AddContour({{2, 2}, {3, 2}, {3, 3}, {2, 3}}, 1);  // same orientation as the outer
  EXPECT_EQ(p.ContourArea(1), 1.0L);
  EXPECT_EQ(p.Area(), 99.0L);
  p.AddContour({{20, 20}, {20, 21}, {21, 21}, {21, 20}}, 0);  // other orientation, still outer
  EXPECT_EQ(p.Area(), 100.0L);
}

TEST(PolygonArea, NetAreaIsAbsolute) {
  TPolygon p;
  p.Clear();
  p.AddContour({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1);
  EXPECT_EQ(p.Area(), 1.0L);
}

TEST(PolygonClip, SquareMinusUnitSquareHasAnOuterAndAHole) {
  auto p = MakeRect(0, 0, 10, 10);
  auto hole = MakeRect(2, 2, 3, 3);
  p->Clip(GPC_DIFF, hole.get());
  ASSERT_EQ(p->Contours().size(), 2u);
  std::vector<int32_t> flags = p->Holes();
  std::sort(flags.begin(), flags.end());
  EXPECT_EQ(flags[0], 0);
  EXPECT_NE(flags[1], 0);
  for (size_t i = 0; i < 2; ++i) EXPECT_EQ(p->ContourArea(static_cast<int32_t>(i)), p->Holes()[i] ? 1.0L : 100.0L);
  EXPECT_EQ(p->Area(), 99.0L);
  EXPECT_FALSE(RegionContains(*p, 2.5, 2.5));
  EXPECT_TRUE(RegionContains(*p, 1.5, 2.5));
}

TEST(PolygonClip, NewSetUnitedWithAnotherHasItsArea) {
  TPolygon p;
  auto x = MakePolygon({{1, 1}, {7, 2}, {4, 9}});
  p.Clip(GPC_UNION, x.get());
  EXPECT_NEAR(static_cast<double>(p.Area()), static_cast<double>(x->Area()), 1e-12);
  EXPECT_EQ(x->Area(), 22.5L);
}

TEST(PolygonClip, SquaresSharingAnEdgeUniteToAreaTwo) {
  auto p = MakeRect(0, 0, 1, 1);
  auto q = MakeRect(1, 0, 2, 1);
  p->Clip(GPC_UNION, q.get());
  EXPECT_EQ(p->Area(), 2.0L);
  EXPECT_TRUE(RegionContains(*p, 1.0, 0.5));
}

TEST(PolygonClip, DisjointSquaresUniteToTwoOuterContours) {
  auto p = MakeRect(0, 0, 1, 1);
  auto q = MakeRect(3, 3, 4, 4);
  p->Clip(GPC_UNION, q.get());
  EXPECT_EQ(p->Area(), 2.0L);
  ASSERT_EQ(p->Contours().size(), 2u);
  EXPECT_EQ(p->Holes(), (std::vector<int32_t>{0, 0}));
}

TEST(PolygonClip, IntersectionAndExclusiveOrPassThrough) {
  auto a = MakeRect(0, 0, 4, 4);
  auto b = MakeRect(2, 2, 6, 6);
  a->Clip(GPC_INT, b.get());
  EXPECT_EQ(a->Area(), 4.0L);
  auto c = MakeRect(0, 0, 4, 4);
  c->Clip(GPC_XOR, b.get());
  EXPECT_EQ(c->Area(), 24.0L);
  EXPECT_FALSE(RegionContains(*c, 3, 3));
  EXPECT_TRUE(RegionContains(*c, 5, 5));
}

TEST(PolygonClip, UnknownOperationIsRefusedAndChangesNothing) {
  auto p = MakeRect(0, 0, 2, 2);
  auto q = MakeRect(1, 1, 3, 3);
  EXPECT_THROW(p->Clip(9, q.get()), std::invalid_argument);
  EXPECT_EQ(p->Area(), 4.0L);
  EXPECT_EQ(p->PointCount(), 4);
}

TEST(PolygonClip, EmptyResultLeavesNoContours) {
  auto p = MakeRect(0, 0, 1, 1);
  auto q = MakeRect(-1, -1, 2, 2);
  p->Clip(GPC_DIFF, q.get());
  EXPECT_TRUE(p->Contours().empty());
  EXPECT_EQ(p->Area(), 0.0L);
}

TEST(PolygonClip, IslandInsideAHoleIsAnOuterContour) {
  auto p = MakeRect(0, 0, 10, 10);
  auto hole = MakeRect(2, 2, 8, 8);
  auto island = MakeRect(4, 4, 5, 5);
  p->Clip(GPC_DIFF, hole.get());
  p->Clip(GPC_UNION, island.get());
  ASSERT_EQ(p->Contours().size(), 3u);
  int outers = 0;
  for (size_t i = 0; i < 3; ++i) outers += p->Holes()[i] == 0;
  EXPECT_EQ(outers, 2);
  EXPECT_EQ(p->Area(), 65.0L);
  EXPECT_TRUE(RegionContains(*p, 4.5, 4.5));
  EXPECT_FALSE(RegionContains(*p, 3, 3));
}

TEST(PolygonClip, ASetClippedWithItselfReadsBothOperandsFirst) {
  auto p = MakeRect(0, 0, 3, 2);
  p->Clip(GPC_UNION, p.get());
  EXPECT_EQ(p->Area(), 6.0L);
  p->Clip(GPC_DIFF, p.get());
  EXPECT_EQ(p->Area(), 0.0L);
}
