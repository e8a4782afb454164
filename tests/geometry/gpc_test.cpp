// The GPC calls over Clipper: operands read by parity, result hole flags,
// the integer frame (exact halves, huge coordinates, non-finite input).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "PolygonTestSupport.h"
#include "geometry/Polygons.h"
#include "geometry/gpc.h"

namespace {

// An owning gpc_polygon for the tests.
struct TGpc {
  gpc_polygon p{0, nullptr, nullptr};
  TGpc() = default;
  TGpc(const TGpc&) = delete;
  TGpc& operator=(const TGpc&) = delete;
  ~TGpc() { gpc_free_polygon(&p); }
  void Add(std::vector<gpc_vertex> v, int hole = 0) {
    gpc_vertex_list list{static_cast<int32_t>(v.size()), v.data()};
    gpc_add_contour(&p, &list, hole);
  }
};

long double NetArea(const gpc_polygon& g) {
  TPolygon p;
  p.Clear();
  for (int32_t i = 0; i < g.num_contours; ++i) {
    p.AddContour(TContour(g.contour[i].vertex, g.contour[i].vertex + g.contour[i].num_vertices), g.hole[i]);
  }
  return p.Area();
}

std::vector<gpc_vertex> Square(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

}  // namespace

TEST(GpcRecords, AddContourCopiesTheVerticesAndTheFlag) {
  TGpc g;
  std::vector<gpc_vertex> v = Square(0, 0, 1, 1);
  gpc_vertex_list list{4, v.data()};
  gpc_add_contour(&g.p, &list, 1);
  gpc_add_contour(&g.p, &list, 0);
  v[0].x = 99;
  ASSERT_EQ(g.p.num_contours, 2);
  EXPECT_EQ(g.p.contour[0].vertex[0].x, 0.0);
  EXPECT_NE(g.p.contour[0].vertex, v.data());
  EXPECT_EQ(g.p.hole[0], 1);
  EXPECT_EQ(g.p.hole[1], 0);
}

TEST(GpcRecords, FreeReleasesEverythingAndZeroesTheCount) {
  TGpc g;
  g.Add(Square(0, 0, 1, 1));
  g.Add({});
  ASSERT_EQ(g.p.num_contours, 2);
  EXPECT_EQ(g.p.contour[1].num_vertices, 0);
  gpc_free_polygon(&g.p);
  EXPECT_EQ(g.p.num_contours, 0);
  EXPECT_EQ(g.p.contour, nullptr);
  EXPECT_EQ(g.p.hole, nullptr);
}

TEST(GpcParity, RingOfTwoSameOrientationContoursKeepsItsMiddleOut) {
  // The 3 x 3 ring of walls around one free cell, both contours traced the
  // same way round and neither flagged as a hole.
  TGpc ring, none, result;
  ring.Add(Square(0, 0, 3, 3));
  ring.Add(Square(1, 1, 2, 2));
  gpc_polygon_clip(GPC_UNION, &ring.p, &none.p, &result.p);
  EXPECT_EQ(NetArea(result.p), 8.0L);
  TPolygon r;
  r.Clear();
  for (int32_t i = 0; i < result.p.num_contours; ++i) {
    r.AddContour(TContour(result.p.contour[i].vertex, result.p.contour[i].vertex + result.p.contour[i].num_vertices));
  }
  EXPECT_FALSE(RegionContains(r, 1.5, 1.5));
  EXPECT_TRUE(RegionContains(r, 0.5, 1.5));
}

TEST(GpcParity, InputHoleFlagsTakeNoPart) {
  // A lone contour flagged as a hole still bounds area.
  TGpc a, b, result;
  a.Add(Square(0, 0, 4, 4), 1);
  b.Add(Square(1, 1, 2, 2), 1);
  gpc_polygon_clip(GPC_DIFF, &a.p, &b.p, &result.p);
  EXPECT_EQ(NetArea(result.p), 15.0L);
}

TEST(GpcParity, OverlapInsideOneOperandCancels) {
  TGpc a, none, result;
  a.Add(Square(0, 0, 2, 2));
  a.Add(Square(1, 1, 3, 3));
  gpc_polygon_clip(GPC_UNION, &a.p, &none.p, &result.p);
  EXPECT_EQ(NetArea(result.p), 6.0L);
}

TEST(GpcResult, HoleFlagsAreZeroForOutersAndOneForHoles) {
  TGpc a, b, result;
  a.Add(Square(0, 0, 10, 10));
  b.Add(Square(2, 2, 3, 3));
  b.Add(Square(5, 5, 7, 7));
  gpc_polygon_clip(GPC_DIFF, &a.p, &b.p, &result.p);
  ASSERT_EQ(result.p.num_contours, 3);
  int holes = 0;
  for (int32_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(result.p.hole[i] == 0 || result.p.hole[i] == 1);
    holes += result.p.hole[i];
  }
  EXPECT_EQ(holes, 2);
  EXPECT_EQ(NetArea(result.p), 95.0L);
}

TEST(GpcFrame, IntegersAndHalvesComeBackExactly) {
  TGpc a, none, result;
  const std::vector<gpc_vertex> v = {{0.5, -3}, {59.5, 0.5}, {60, 38.5}, {-7.5, 39}};
  a.Add(v);
  gpc_polygon_clip(GPC_UNION, &a.p, &none.p, &result.p);
  ASSERT_EQ(result.p.num_contours, 1);
  std::vector<std::pair<double, double>> got, want;
  for (int32_t i = 0; i < result.p.contour[0].num_vertices; ++i) {
    got.emplace_back(result.p.contour[0].vertex[i].x, result.p.contour[0].vertex[i].y);
  }
  for (const gpc_vertex& p : v) want.emplace_back(p.x, p.y);
  std::sort(got.begin(), got.end());
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);
}

TEST(GpcFrame, HugeFarVerticesNeitherOverflowNorLoseTheField) {
  // A shadow-like triangle whose far corners lie 1e12 away: inside the
  // field it covers {x >= 30, y >= 20, y - 20 <= x - 30}, of area 389.5.
  for (double far : {1e12, 1e13}) {
    auto field = MakeRect(0, 0, 60, 39);
    auto shadow = MakePolygon({{30, 20}, {30 + far, 20}, {30 + far, 20 + far}});
    field->Clip(GPC_DIFF, shadow.get());
    EXPECT_NEAR(static_cast<double>(field->Area()), 2340 - 389.5, 1e-4) << far;
    EXPECT_TRUE(RegionContains(*field, 29.5, 30));
    EXPECT_FALSE(RegionContains(*field, 50, 21));
    EXPECT_TRUE(RegionContains(*field, 31, 30));
  }
}

TEST(GpcFrame, SmallFeatureBesideAHugeOneSurvives) {
  auto p = MakeRect(0, 0, 0.5, 0.5);
  auto far = MakeRect(1e13, 1e13, 1e13 + 1, 1e13 + 1);
  p->Clip(GPC_UNION, far.get());
  EXPECT_EQ(p->Area(), 1.25L);
}

TEST(GpcFrame, EnormousCoordinatesStayDefined) {
  auto p = MakeRect(-1e300, -1e300, 1e300, 1e300);
  auto q = MakeRect(0, 0, 1e300, 1e300);
  p->Clip(GPC_DIFF, q.get());
  EXPECT_NEAR(static_cast<double>(p->Area() / 1e600L), 3.0, 1e-9);
  auto tiny = MakeRect(0, 0, 4.9e-324, 4.9e-324);
  auto none = std::make_unique<TPolygon>();
  tiny->Clip(GPC_UNION, none.get());
  EXPECT_GE(tiny->Area(), 0.0L);
}

TEST(GpcFrame, ContoursWithNonFiniteCoordinatesTakeNoPart) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  auto field = MakeRect(0, 0, 60, 39);
  auto bad = MakePolygon({{0, 0}, {nan, 5}, {10, 10}});
  bad->AddContour({{1, 1}, {inf, 1}, {2, 2}});
  bad->AddContour({{1, 1}, {2, 1}, {2, 2}, {1, 2}});
  field->Clip(GPC_DIFF, bad.get());
  EXPECT_EQ(field->Area(), 2339.0L);
  auto broken = MakePolygon({{-inf, 0}, {1, 1}, {0, 1}});
  broken->Clip(GPC_UNION, field.get());
  EXPECT_EQ(broken->Area(), 2339.0L);
}

TEST(GpcResult, OperandsWithoutAreaGiveAnEmptyResult) {
  for (gpc_op op : {GPC_DIFF, GPC_INT, GPC_XOR, GPC_UNION}) {
    TGpc a, b, result;
    a.Add({});
    b.Add({{1, 1}, {2, 2}});
    gpc_polygon_clip(op, &a.p, &b.p, &result.p);
    EXPECT_EQ(result.p.num_contours, 0);
  }
  TPolygon empty, other;
  empty.Clip(GPC_UNION, &other);
  EXPECT_TRUE(empty.Contours().empty());
}
