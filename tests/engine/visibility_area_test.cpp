// Lit areas against the exact sweep model (no clipper, exact decisions):
// hand-worked shadows, every grid point of the shipped map, and lights far
// off the field in all eight directions up to the ends of the 32-bit range.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/Visibility.h"
#include "visibility_support.h"

namespace {

constexpr double AreaTolerance = 1e-10;
constexpr int64_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int64_t Max32 = std::numeric_limits<int32_t>::max();

struct TShipped {
  TTextMap map;
  TPolygonList walls;
  std::vector<TModelRect> rects;
};

const TShipped& Shipped() {
  static TShipped shipped = [] {
    TShipped s;
    if (ReadShippedMap(s.map)) {
      s.walls = WallRectsOf(s.map);
      s.rects = ModelRectsOf(s.walls);
    }
    return s;
  }();
  return shipped;
}

void ExpectExactArea(const TShipped& s, int64_t lx, int64_t ly) {
  const long double want = VisibleFieldArea(s.map.width, s.map.height, s.rects, lx, ly);
  const long double got = ComputeLitRegion(static_cast<int32_t>(lx), static_cast<int32_t>(ly), s.walls)->Area();
  EXPECT_NEAR(static_cast<double>(got), static_cast<double>(want), AreaTolerance)
      << "light (" << lx << ", " << ly << ")";
}

}  // namespace

// A 10 x 10 field with the wall (4, 4)-(6, 5). Its shadow from (5, y0) is
// the wedge through (4, 4) and (6, 4) below row 4, of area
// ((10 - y0)^2 - (4 - y0)^2) / (4 - y0) inside the field.
TEST(LitRegionArea, HandWorkedShadowsAgreeWithModelAndRegion) {
  SetFieldSize(10, 10);
  TPolygonList walls;
  walls.push_back(std::make_unique<TPolygon>());
  for (auto [x, y] : {std::pair{4, 4}, {6, 4}, {6, 5}, {4, 5}}) walls[0]->AddPoint(x, y);
  const std::vector<TModelRect> rects = {{4, 4, 6, 5}};
  auto wedge = [](long double y0) { return 100 - ((10 - y0) * (10 - y0) - (4 - y0) * (4 - y0)) / (4 - y0); };
  const struct {
    int32_t x, y;
    long double area;
  } cases[] = {
      {5, 0, wedge(0)},        // 79
      {5, -10, wedge(-10)},    // 100 - 102/7
      {5, INT32_MIN, wedge(-2147483648.0L)},  // 88 - 36/(2^31 + 4)
      {5, 4, 40},              // on the edge: the whole half below is dark
      {4, 4, 64},              // on a corner: the quarter behind is dark
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(VisibleFieldArea(10, 10, rects, c.x, c.y)), static_cast<double>(c.area), 1e-12)
        << "model, light (" << c.x << ", " << c.y << ")";
    EXPECT_NEAR(static_cast<double>(ComputeLitRegion(c.x, c.y, walls)->Area()), static_cast<double>(c.area),
                AreaTolerance)
        << "region, light (" << c.x << ", " << c.y << ")";
  }
}

TEST(LitRegionArea, EveryGridPointOfTheShippedMapIsExact) {
  const TShipped& s = Shipped();
  if (s.walls.empty()) GTEST_SKIP() << "no data/map.txt";
  SetFieldSize(s.map.width, s.map.height);
  for (int32_t y = 0; y <= s.map.height; ++y) {
    for (int32_t x = 0; x <= s.map.width; ++x) {
      ExpectExactArea(s, x, y);
      if (HasFailure()) return;
    }
  }
}

// Distances from the field's centre from 10^3 cells to the ends of the
// 32-bit range, in the eight directions, each also shifted across its
// direction, so that rays graze the field's corners and walls differently
// and run along its rows and columns.
TEST(LitRegionArea, LightsFarOffTheFieldAreExactInEveryDirection) {
  const TShipped& s = Shipped();
  if (s.walls.empty()) GTEST_SKIP() << "no data/map.txt";
  SetFieldSize(s.map.width, s.map.height);
  auto clamp = [](int64_t v) { return std::clamp(v, Min32, Max32); };
  for (int64_t d : {int64_t{1000}, int64_t{99991}, int64_t{1000000}, int64_t{123456789}, int64_t{1000000000}, Max32 + 1}) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (dx == 0 && dy == 0) continue;
        for (int64_t shift : {int64_t{0}, int64_t{-61}, int64_t{17}, int64_t{40}}) {
          const int64_t lx = clamp(30 + dx * d - dy * shift);
          const int64_t ly = clamp(19 + dy * d + dx * shift);
          ExpectExactArea(s, lx, ly);
        }
      }
    }
    if (HasFailure()) return;
  }
  // The corners of the range, and the point that once made a full cover
  // look over-lit.
  for (auto [lx, ly] : {std::pair{Min32, Min32}, {Min32, Max32}, {Max32, Min32}, {Max32, Max32}, {Min32, int64_t{5}},
                        {int64_t{-61}, Max32}}) {
    ExpectExactArea(s, lx, ly);
  }
}
