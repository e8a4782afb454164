// Areas of field-sized results against a pixel-free model, and the one-pass
// subtraction of many shapes against cutting them out one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "PolygonTestSupport.h"
#include "geometry/Polygons.h"

namespace {

constexpr double W = 60, H = 39;

using TShape = TContour;

// The uncovered area of [0, W] x [0, H] under a list of triangles, by
// vertical slabs: between two consecutive x where any edge starts, ends or
// crosses another edge or a field border, the covered length is linear in x,
// so the slab's area is its width times the length at its middle.
long double UncoveredArea(const std::vector<TShape>& triangles) {
  struct TEdge {
    long double ax, ay, bx, by;
  };
  std::vector<TEdge> edges;
  for (const TShape& t : triangles) {
    for (size_t i = 0; i < 3; ++i) edges.push_back({t[i].x, t[i].y, t[(i + 1) % 3].x, t[(i + 1) % 3].y});
  }
  for (long double y : {0.0L, static_cast<long double>(H)}) edges.push_back({-1e6L, y, 1e6L, y});
  std::vector<long double> xs = {0, W};
  for (const TEdge& e : edges) xs.push_back(e.ax);
  for (size_t i = 0; i < edges.size(); ++i) {
    for (size_t j = i + 1; j < edges.size(); ++j) {
      const TEdge &p = edges[i], &q = edges[j];
      const long double rx = p.bx - p.ax, ry = p.by - p.ay, sx = q.bx - q.ax, sy = q.by - q.ay;
      const long double den = rx * sy - ry * sx;
      if (den == 0) continue;
      const long double t = ((q.ax - p.ax) * sy - (q.ay - p.ay) * sx) / den;
      const long double u = ((q.ax - p.ax) * ry - (q.ay - p.ay) * rx) / den;
      if (t >= 0 && t <= 1 && u >= 0 && u <= 1) xs.push_back(p.ax + t * rx);
    }
  }
  std::sort(xs.begin(), xs.end());
  long double area = 0;
  for (size_t i = 0; i + 1 < xs.size(); ++i) {
    const long double x0 = std::max(xs[i], 0.0L), x1 = std::min(xs[i + 1], static_cast<long double>(W));
    if (x1 <= x0) continue;
    const long double xm = (x0 + x1) / 2;
    std::vector<std::pair<long double, long double>> spans;
    for (const TShape& t : triangles) {
      long double lo = 1e300L, hi = -1e300L;
      for (size_t k = 0; k < 3; ++k) {
        const gpc_vertex &a = t[k], &b = t[(k + 1) % 3];
        if ((a.x - xm) * (b.x - xm) > 0 || a.x == b.x) continue;
        const long double y = a.y + (b.y - a.y) * (xm - a.x) / (static_cast<long double>(b.x) - a.x);
        lo = std::min(lo, y);
        hi = std::max(hi, y);
      }
      lo = std::max(lo, 0.0L);
      hi = std::min(hi, static_cast<long double>(H));
      if (lo < hi) spans.emplace_back(lo, hi);
    }
    std::sort(spans.begin(), spans.end());
    long double covered = 0, reach = -1;
    for (const auto& [lo, hi] : spans) {
      if (hi <= reach) continue;
      covered += hi - std::max(lo, reach);
      reach = hi;
    }
    area += (x1 - x0) * (H - covered);
  }
  return area;
}

std::vector<TShape> RandomTriangles(std::mt19937& rng, int count, int lo, int hi) {
  std::uniform_int_distribution<int> c(lo, hi);
  std::vector<TShape> out;
  while (static_cast<int>(out.size()) < count) {
    TShape t;
    for (int k = 0; k < 3; ++k) t.push_back({static_cast<double>(c(rng)), static_cast<double>(c(rng))});
    out.push_back(t);
  }
  return out;
}

std::unique_ptr<TPolygon> OneByOne(const std::vector<TShape>& shapes) {
  auto region = MakeRect(0, 0, W, H);
  for (const TShape& s : shapes) {
    TPolygon p;
    for (const gpc_vertex& v : s) p.AddPoint(v.x, v.y);
    region->Clip(GPC_DIFF, &p);
  }
  return region;
}

std::unique_ptr<TPolygon> InOnePass(const std::vector<TShape>& shapes) {
  auto region = MakeRect(0, 0, W, H);
  region->SubtractUnion(shapes);
  return region;
}

// Membership of both results agrees at random points away from both
// boundaries.
void ExpectSameSet(const TPolygon& a, const TPolygon& b, std::mt19937& rng, unsigned seed) {
  std::uniform_real_distribution<double> px(-1, W + 1), py(-1, H + 1);
  int checked = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = px(rng), y = py(rng);
    if (DistanceToBoundary(a, x, y) < 1e-7 || DistanceToBoundary(b, x, y) < 1e-7) continue;
    ++checked;
    ASSERT_EQ(RegionContains(a, x, y), RegionContains(b, x, y)) << "seed " << seed << " at (" << x << ", " << y << ")";
  }
  EXPECT_GT(checked, 1900);
}

}  // namespace

TEST(GpcExactness, FieldMinusIntegerTrianglesMatchesTheSlabModel) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 rng(seed);
    const auto triangles = RandomTriangles(rng, 30, -20, 80);
    const long double model = UncoveredArea(triangles);
    EXPECT_NEAR(static_cast<double>(OneByOne(triangles)->Area()), static_cast<double>(model), 1e-9) << "seed " << seed;
    EXPECT_NEAR(static_cast<double>(InOnePass(triangles)->Area()), static_cast<double>(model), 1e-9) << "seed " << seed;
  }
}

TEST(GpcExactness, ShadowsReachingFarOutsideStayExact) {
  // Thin wedges from a light at (31, 17) through integer corners, cut off
  // a thousand times as far, as the lit regions are built.
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> cx(0, 60), cy(0, 39);
  std::vector<TShape> shadows;
  const double lx = 31, ly = 17;
  while (shadows.size() < 40) {
    const double ax = cx(rng), ay = cy(rng), bx = cx(rng), by = cy(rng);
    if ((ax - lx) * (by - ly) - (ay - ly) * (bx - lx) == 0) continue;
    shadows.push_back({{ax, ay}, {bx, by}, {(bx - lx) * 1000 + lx, (by - ly) * 1000 + ly}});
  }
  // The model takes triangles; the far tip of each is a triangle too once
  // the second far corner is folded in as a second triangle.
  std::vector<TShape> model;
  for (TShape s : shadows) {
    const double ax = s[0].x, ay = s[0].y;
    model.push_back(s);
    model.push_back({{ax, ay}, s[2], {(ax - lx) * 1000 + lx, (ay - ly) * 1000 + ly}});
  }
  std::vector<TShape> quads;
  for (size_t i = 0; i < shadows.size(); ++i) quads.push_back({shadows[i][0], shadows[i][1], shadows[i][2], model[2 * i + 1][2]});
  const long double want = UncoveredArea(model);
  EXPECT_NEAR(static_cast<double>(OneByOne(quads)->Area()), static_cast<double>(want), 1e-9);
  EXPECT_NEAR(static_cast<double>(InOnePass(quads)->Area()), static_cast<double>(want), 1e-9);
}

TEST(SubtractUnion, OverlappingShapesOfEitherOrientationDoNotCancel) {
  auto region = MakeRect(0, 0, W, H);
  region->SubtractUnion({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{5, 5}, {5, 15}, {15, 15}, {15, 5}}});
  EXPECT_EQ(region->Area(), 2340.0L - 175.0L);
  EXPECT_FALSE(RegionContains(*region, 7, 7));
}

TEST(SubtractUnion, ASelfCrossingShapeIsReadByParity) {
  // A bow tie, and a square drawn twice round (its inside has winding 2,
  // even parity: nothing of it is cut).
  const std::vector<TShape> shapes = {
      {{0, 0}, {10, 10}, {10, 0}, {0, 10}},
      {{20, 0}, {30, 0}, {30, 10}, {20, 10}, {20, 0}, {30, 0}, {30, 10}, {20, 10}},
  };
  const auto one = OneByOne(shapes);
  const auto all = InOnePass(shapes);
  EXPECT_NEAR(static_cast<double>(all->Area()), static_cast<double>(one->Area()), 1e-12);
  EXPECT_EQ(all->Area(), 2340.0L - 50.0L);
  EXPECT_TRUE(RegionContains(*all, 25, 5));
}

TEST(SubtractUnion, DegenerateShapesCutNothing) {
  auto region = MakeRect(0, 0, W, H);
  region->SubtractUnion({{{1, 1}, {5, 5}, {9, 9}}, {{3, 3}, {3, 3}, {3, 3}}, {{2, 2}, {4, 2}}, {}, {{0, 7}, {60, 7}, {30, 7}}});
  EXPECT_EQ(region->Area(), 2340.0L);
}

TEST(SubtractUnion, ShapesOutsideTheSetOrCoveringItAreHandled) {
  auto region = MakeRect(0, 0, W, H);
  region->SubtractUnion({{{100, 100}, {200, 100}, {200, 200}}});
  EXPECT_EQ(region->Area(), 2340.0L);
  region->SubtractUnion({{{-1e9, -1e9}, {1e9, -1e9}, {1e9, 1e9}, {-1e9, 1e9}}});
  EXPECT_EQ(region->Area(), 0.0L);
  EXPECT_TRUE(region->Contours().empty());
  region->SubtractUnion({{{0, 0}, {1, 0}, {1, 1}}});
  EXPECT_EQ(region->Area(), 0.0L);
}

TEST(SubtractUnion, AgreesWithOneByOneOnRandomShapes) {
  // Triangles and quadrilaterals of any orientation, many self-crossing,
  // many with collinear or repeated corners, some with far corners.
  for (unsigned seed = 100; seed < 112; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> c(-10, 70), n(3, 6), farOne(0, 5);
    std::vector<TShape> shapes;
    for (int i = 0; i < 40; ++i) {
      TShape s;
      const int k = n(rng);
      for (int j = 0; j < k; ++j) {
        double x = c(rng) / 2.0, y = c(rng) / 2.0;
        if (farOne(rng) == 0) {
          x = (x - 30) * 1000 + 30;
          y = (y - 20) * 1000 + 20;
        }
        s.push_back({x, y});
      }
      if (farOne(rng) == 1) s.push_back(s[0]);
      shapes.push_back(s);
    }
    const auto one = OneByOne(shapes);
    const auto all = InOnePass(shapes);
    EXPECT_NEAR(static_cast<double>(all->Area()), static_cast<double>(one->Area()), 1e-9) << "seed " << seed;
    ExpectSameSet(*one, *all, rng, seed);
  }
}

TEST(SubtractUnion, EmptySetStaysEmpty) {
  TPolygon region;
  region.SubtractUnion({{{0, 0}, {1, 0}, {1, 1}}});
  EXPECT_TRUE(region.Contours().empty());
}

TEST(SubtractUnion, ShapesInsideOthersChangeNothingWhetherLeftOutOrNot) {
  // Nested convex shapes, two identical ones (one of them must stay), a
  // shape inside one that is itself inside a third, and a shape inside a
  // non-convex one.
  const std::vector<TShape> shapes = {
      {{10, 10}, {12, 10}, {12, 12}, {10, 12}},
      {{5, 5}, {20, 5}, {20, 20}, {5, 20}},
      {{5, 5}, {20, 5}, {20, 20}, {5, 20}},
      {{0, 0}, {30, 0}, {30, 30}, {0, 30}},
      {{40, 0}, {59, 0}, {59, 30}, {50, 30}, {50, 10}, {45, 10}, {45, 30}, {40, 30}},
      {{41, 1}, {44, 1}, {44, 29}},
      {{46, 20}, {49, 20}, {49, 25}},  // in the notch: not covered
  };
  const auto one = OneByOne(shapes);
  const auto all = InOnePass(shapes);
  EXPECT_EQ(one->Area(), 2340.0L - 900.0L - 470.0L - 7.5L);
  EXPECT_EQ(all->Area(), one->Area());
  EXPECT_FALSE(RegionContains(*all, 15, 15));
  EXPECT_FALSE(RegionContains(*all, 11, 11));
  EXPECT_FALSE(RegionContains(*all, 48.5, 23));
  const std::vector<TShape> twins = {shapes[1], shapes[1]};
  EXPECT_EQ(InOnePass(twins)->Area(), 2340.0L - 225.0L);
}
