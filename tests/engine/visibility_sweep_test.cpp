// The swept lit region against the shadows subtracted one pass (the region
// as the rules build it, SubtractedShadowsRegion): the same set, compared
// by area, by the area of the symmetric difference and by the membership
// of random points, at every grid point of the shipped map and of small
// random levels, at sampled points of larger ones, and for lights far off
// the field up to the ends of the 32-bit range. Then the walls that the
// sweep leaves to the shadows, and a wall list that changes between calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/Visibility.h"
#include "tools/random_level/RandomLevel.h"
#include "visibility_support.h"

namespace {

constexpr int64_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int64_t Max32 = std::numeric_limits<int32_t>::max();

std::unique_ptr<TPolygon> CopyOf(const TPolygon& p) {
  auto copy = std::make_unique<TPolygon>();
  copy->Clear();
  for (size_t i = 0; i < p.Contours().size(); ++i) copy->AddContour(p.Contours()[i], p.Holes()[i]);
  return copy;
}

// Swept and subtracted regions of one light are the same set: equal areas,
// no area between them, and every sampled point not within 1e-7 of either
// boundary in both or in neither.
void ExpectSameRegion(const TTextMap& map, const TPolygonList& walls, int64_t lx, int64_t ly, std::mt19937& rng,
                      const std::string& where) {
  const auto swept = ComputeLitRegion(int32_t(lx), int32_t(ly), walls);
  const auto subtracted = SubtractedShadowsRegion(int32_t(lx), int32_t(ly), walls);
  ASSERT_NEAR(double(swept->Area()), double(subtracted->Area()), 1e-10) << where << ", light (" << lx << ", " << ly << ")";
  auto apart = CopyOf(*swept);
  apart->Clip(GPC_XOR, subtracted.get());
  ASSERT_LT(double(apart->Area()), 1e-10) << where << ", light (" << lx << ", " << ly << ")";
  std::uniform_real_distribution<double> px(0, map.width), py(0, map.height);
  for (int i = 0; i < 12; ++i) {
    const double x = px(rng), y = py(rng);
    if (DistanceToBoundary(*swept, x, y) < 1e-7 || DistanceToBoundary(*subtracted, x, y) < 1e-7) continue;
    ASSERT_EQ(RegionContains(*swept, x, y), RegionContains(*subtracted, x, y))
        << where << ", light (" << lx << ", " << ly << "), point (" << x << ", " << y << ")";
  }
}

// Every grid point of the field and a band of two around it.
void ExpectSameAtEveryGridPoint(const TTextMap& map, const std::string& where) {
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  std::mt19937 rng(27);
  for (int64_t y = -2; y <= map.height + 2; ++y) {
    for (int64_t x = -2; x <= map.width + 2; ++x) {
      ExpectSameRegion(map, walls, x, y, rng, where);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TTextMap RandomLevel(int32_t width, int32_t height, uint64_t seed) {
  return TextMapOf(RandomLevelText(width, height, seed));
}

}  // namespace

TEST(SweptRegion, EqualsTheSubtractedShadowsOnTheShippedMap) {
  TTextMap map;
  if (!ReadShippedMap(map)) GTEST_SKIP() << "no data/map.txt";
  ExpectSameAtEveryGridPoint(map, "shipped map");
}

TEST(SweptRegion, EqualsTheSubtractedShadowsOnRandomLevels) {
  // Small levels at every grid point; rooms, corridors, walls on the border,
  // cells that touch only at a corner.
  for (uint64_t seed : {1u, 2u, 3u}) {
    ExpectSameAtEveryGridPoint(RandomLevel(31, 19, seed), "31x19 seed " + std::to_string(seed));
    if (HasFatalFailure()) return;
  }
  ExpectSameAtEveryGridPoint(RandomLevel(7, 70, 4), "7x70 seed 4");
  if (HasFatalFailure()) return;
  // Larger ones at random grid points: longer sight lines, more walls.
  for (const auto& [w, h] : {std::pair{100, 65}, {200, 130}}) {
    const TTextMap map = RandomLevel(w, h, 1);
    SetFieldSize(map.width, map.height);
    const TPolygonList walls = WallRectsOf(map);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int32_t> gx(0, map.width), gy(0, map.height);
    const std::string where = std::to_string(w) + "x" + std::to_string(h) + " seed 1";
    for (int i = 0; i < 150; ++i) {
      ExpectSameRegion(map, walls, gx(rng), gy(rng), rng, where);
      if (HasFatalFailure()) return;
    }
  }
}

// From 10^3 cells to the ends of the 32-bit range in the eight directions,
// each also shifted across its direction, and the corners of the range.
TEST(SweptRegion, EqualsTheSubtractedShadowsForLightsFarOff) {
  TTextMap map;
  if (!ReadShippedMap(map)) GTEST_SKIP() << "no data/map.txt";
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  std::mt19937 rng(9);
  auto clamp = [](int64_t v) { return std::clamp(v, Min32, Max32); };
  for (int64_t d : {int64_t{1000}, int64_t{99991}, int64_t{123456789}, Max32 + 1}) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (dx == 0 && dy == 0) continue;
        for (int64_t shift : {int64_t{0}, int64_t{-61}, int64_t{17}}) {
          ExpectSameRegion(map, walls, clamp(30 + dx * d - dy * shift), clamp(19 + dy * d + dx * shift), rng, "far");
          if (HasFatalFailure()) return;
        }
      }
    }
  }
  for (auto [lx, ly] : {std::pair{Min32, Min32}, {Min32, Max32}, {Max32, Min32}, {Max32, Max32}, {Min32, int64_t{5}}}) {
    ExpectSameRegion(map, walls, lx, ly, rng, "range corner");
  }
}

// Rectangles of every size up to 3 x 3 seen from around them: the
// silhouette of a rectangle fails only for a light strictly inside it, so
// the sweep, which raises no error, leaves out no error of the rules.
TEST(SweptRegion, GridRectanglesFailOnlyAroundALightInsideThem) {
  for (int w = 1; w <= 3; ++w) {
    for (int h = 1; h <= 3; ++h) {
      TPolygon rect;
      for (auto [x, y] : {std::pair{0, 0}, {w, 0}, {w, h}, {0, h}}) rect.AddPoint(x, y);
      for (int32_t ly = -3; ly <= h + 3; ++ly) {
        for (int32_t lx = -3; lx <= w + 3; ++lx) {
          bool failed = false;
          try {
            BuildShadow(lx, ly, rect);
          } catch (const EEngineError&) {
            failed = true;
          }
          EXPECT_EQ(failed, 0 < lx && lx < w && 0 < ly && ly < h) << w << "x" << h << ", light (" << lx << ", " << ly << ")";
        }
      }
    }
  }
}

// Walls that are not grid rectangles inside the field are all the
// shadows': the result is the subtraction's, contour for contour.
TEST(SweptRegion, OtherWallsKeepTheShadowSubtraction) {
  SetFieldSize(20, 12);
  auto wall = [](std::vector<gpc_vertex> corners) {
    auto p = std::make_unique<TPolygon>();
    for (const gpc_vertex& v : corners) p->AddPoint(v.x, v.y);
    return p;
  };
  const std::vector<std::vector<gpc_vertex>> odd = {
      {{3, 3}, {6, 3}, {6, 4}, {3, 5}},                // not a rectangle
      {{3, 3}, {6.5, 3}, {6.5, 4}, {3, 4}},            // a corner off the grid
      {{18, 3}, {22, 3}, {22, 4}, {18, 4}},            // reaching out of the field
      {{3, 3}, {6, 3}, {6, 4}, {4, 4}, {3, 4}},        // five corners
      {{3, 3}, {3, 3}, {3, 4}, {3, 4}},                // no area
  };
  for (const auto& corners : odd) {
    TPolygonList walls;
    walls.push_back(wall({{10, 6}, {12, 6}, {12, 7}, {10, 7}}));
    walls.push_back(wall(corners));
    for (auto [lx, ly] : {std::pair{1, 1}, {15, 9}, {-4, 20}}) {
      const auto got = ComputeLitRegion(lx, ly, walls);
      const auto want = SubtractedShadowsRegion(lx, ly, walls);
      ASSERT_EQ(got->Contours().size(), want->Contours().size());
      for (size_t c = 0; c < got->Contours().size(); ++c) {
        ASSERT_EQ(got->Contours()[c].size(), want->Contours()[c].size());
        for (size_t i = 0; i < got->Contours()[c].size(); ++i) {
          EXPECT_EQ(got->Contours()[c][i].x, want->Contours()[c][i].x);
          EXPECT_EQ(got->Contours()[c][i].y, want->Contours()[c][i].y);
        }
      }
    }
  }
}

// The sweep keeps its wall bits between calls; a change of the walls, in
// place or in a new list, is seen at once.
TEST(SweptRegion, ChangedWallsAreSeenAtOnce) {
  const TTextMap before = ReadTextMap({"........", "..##....", "........", "........"});
  const TTextMap after = ReadTextMap({"........", "........", "....##..", "........"});
  SetFieldSize(8, 4);
  auto area = [](const TTextMap& m, int32_t x, int32_t y) {
    return double(VisibleFieldArea(m.width, m.height, ModelRectsOf(WallRectsOf(m)), x, y));
  };
  TPolygonList walls = WallRectsOf(before);
  EXPECT_NEAR(double(ComputeLitRegion(0, 0, walls)->Area()), area(before, 0, 0), 1e-12);
  // The same rectangle object moved in place.
  walls[0]->Clear();
  for (auto [x, y] : {std::pair{4, 2}, {6, 2}, {6, 3}, {4, 3}}) walls[0]->AddPoint(x, y);
  EXPECT_NEAR(double(ComputeLitRegion(0, 0, walls)->Area()), area(after, 0, 0), 1e-12);
  // A null entry, and another field size for the same walls.
  walls.push_back(nullptr);
  EXPECT_NEAR(double(ComputeLitRegion(0, 0, walls)->Area()), area(after, 0, 0), 1e-12);
  SetFieldSize(8, 3);
  EXPECT_NEAR(double(ComputeLitRegion(0, 0, walls)->Area()),
              double(VisibleFieldArea(8, 3, ModelRectsOf(WallRectsOf(after)), 0, 0)), 1e-12);
}

// Overlapping rectangles and a light on the rim of a thick one: the sweep
// reads the walls as the union of their cells.
TEST(SweptRegion, OverlappingAndThickWallsAreTheUnionOfTheirCells) {
  SetFieldSize(16, 10);
  TPolygonList walls;
  for (const auto& [x0, y0, x1, y1] : {std::tuple{2, 2, 6, 5}, {4, 4, 9, 6}, {11, 1, 12, 9}}) {
    auto p = std::make_unique<TPolygon>();
    for (auto [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}) p->AddPoint(x, y);
    walls.push_back(std::move(p));
  }
  const TTextMap map = ReadTextMap({
      "................",
      "...........#....",
      "..####.....#....",
      "..####.....#....",
      "..#######..#....",
      "....#####..#....",
      "...........#....",
      "...........#....",
      "...........#....",
      "................",
  });
  std::mt19937 rng(3);
  for (auto [lx, ly] : {std::pair{0, 0}, {4, 2}, {2, 3}, {6, 4}, {9, 5}, {10, 8}, {13, 0}, {-5, 4}}) {
    ExpectSameRegion(map, walls, lx, ly, rng, "overlapping walls");
    EXPECT_NEAR(double(ComputeLitRegion(lx, ly, walls)->Area()),
                double(VisibleFieldArea(16, 10, ModelRectsOf(WallRectsOf(map)), lx, ly)), 1e-12)
        << "light (" << lx << ", " << ly << ")";
  }
}
