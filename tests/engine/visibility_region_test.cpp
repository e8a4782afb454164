// The lit region of a light against the segment model: for random points,
// membership in the region agrees with "the segment from the light passes
// through no wall cell", away from boundaries; the area against the exact
// model. Also the one-pass shadow subtraction against the shadows cut out
// one by one, and lights far away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/Visibility.h"
#include "visibility_support.h"

namespace {

// 24 x 14: runs of several lengths, a 2 x 2 block (walled grid point (3, 2)),
// a ring around one free cell, two cells touching only at a corner, walls on
// the field's border.
const std::vector<std::string> SmallMap = {
    "........................",
    "..###.........#.........",
    "..###.........#....##...",
    "..............#....##...",
    ".......####.............",
    "........................",
    "............###.........",
    "#...........#.#.........",
    "............###.........",
    "......#.................",
    ".......#................",
    "..................######",
    "#.......................",
    "......................##",
};

std::unique_ptr<TPolygon> OneByOne(int32_t lx, int32_t ly, const TPolygonList& walls) {
  auto region = FieldPolygon();
  for (const auto& wall : walls) {
    TPolygon shadow;
    for (const gpc_vertex& v : BuildShadow(lx, ly, *wall)) shadow.AddPoint(v.x, v.y);
    region->Clip(GPC_DIFF, &shadow);
  }
  return region;
}

std::vector<std::pair<int32_t, int32_t>> InterestingLights(const TTextMap& map, const TPolygonList& walls,
                                                           std::mt19937& rng, int randomCount) {
  std::vector<std::pair<int32_t, int32_t>> lights;
  std::uniform_int_distribution<int32_t> gx(0, map.width), gy(0, map.height);
  for (int i = 0; i < randomCount; ++i) lights.emplace_back(gx(rng), gy(rng));
  std::uniform_int_distribution<size_t> pick(0, walls.size() - 1);
  for (int i = 0; i < 6; ++i) {
    const TPolygon& r = *walls[pick(rng)];
    const auto x0 = static_cast<int32_t>(r.PointX(0)), y = static_cast<int32_t>(r.PointY(0));
    const auto x1 = static_cast<int32_t>(r.PointX(1));
    lights.emplace_back(x0, y);           // on a corner
    lights.emplace_back(x1, y + 1);       // on the opposite corner
    lights.emplace_back(x1 + 2, y);       // on an edge's line, beyond its end
    lights.emplace_back(x0 - 3, y + 1);
    if (x1 - x0 >= 2) lights.emplace_back(x0 + 1, y);  // inside an edge
  }
  // Grid points with wall on all four sides, a handful of them.
  std::vector<std::pair<int32_t, int32_t>> walled;
  for (int32_t y = 1; y < map.height; ++y) {
    for (int32_t x = 1; x < map.width; ++x) {
      if (map.Wall(x, y) && map.Wall(x - 1, y) && map.Wall(x, y - 1) && map.Wall(x - 1, y - 1)) walled.emplace_back(x, y);
    }
  }
  std::shuffle(walled.begin(), walled.end(), rng);
  walled.resize(std::min<size_t>(walled.size(), 8));
  lights.insert(lights.end(), walled.begin(), walled.end());
  for (auto p : {std::pair{-3, 5}, {70, 45}, {-1, -1}, {map.width + 1, 2}, {5, map.height + 3}}) lights.push_back(p);
  return lights;
}

// A grid point of the field with wall on all four sides, the outside of the
// field counting as wall.
bool IsWalledPoint(const TTextMap& map, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x > map.width || y > map.height) return false;
  auto wall = [&](int32_t cx, int32_t cy) {
    return cx < 0 || cy < 0 || cx >= map.width || cy >= map.height || map.Wall(cx, cy);
  };
  return wall(x, y) && wall(x - 1, y) && wall(x, y - 1) && wall(x - 1, y - 1);
}

// Random field points, skipping those within eps of a cell edge, of a ray
// from the light through a wall corner, or of the region's boundary.
void ExpectAgreesWithSegments(const TTextMap& map, const TPolygon& region, int64_t lx, int64_t ly, int points,
                              std::mt19937& rng, unsigned seed, double eps) {
  std::uniform_real_distribution<double> px(0, map.width), py(0, map.height);
  for (int i = 0; i < points; ++i) {
    const double x = px(rng), y = py(rng);
    if (NearGridLine(x, eps) || NearGridLine(y, eps)) continue;
    if (DistanceToBoundary(region, x, y) < eps) continue;
    if (DistanceToCornerRays(map, lx, ly, x, y) < eps) continue;
    ASSERT_EQ(RegionContains(region, x, y), SeenBySegments(map, lx, ly, x, y))
        << "seed " << seed << ", light (" << lx << ", " << ly << "), point (" << x << ", " << y << ")";
  }
}

void CheckMap(const TTextMap& map, unsigned seed, int randomLights, int points) {
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  const std::vector<TModelRect> rects = ModelRectsOf(walls);
  std::mt19937 rng(seed);
  for (const auto& [lx, ly] : InterestingLights(map, walls, rng, randomLights)) {
    const auto region = ComputeLitRegion(lx, ly, walls);
    const auto reference = OneByOne(lx, ly, walls);
    const long double area = region->Area();
    ASSERT_NEAR(static_cast<double>(area), static_cast<double>(reference->Area()), 1e-9)
        << "seed " << seed << ", light (" << lx << ", " << ly << ")";
    ASSERT_NEAR(static_cast<double>(area), static_cast<double>(VisibleFieldArea(map.width, map.height, rects, lx, ly)),
                1e-10)
        << "seed " << seed << ", light (" << lx << ", " << ly << ")";
    if (IsWalledPoint(map, lx, ly)) {
      EXPECT_NEAR(static_cast<double>(area), 0.0, 1e-9) << "light (" << lx << ", " << ly << ")";
    }
    ExpectAgreesWithSegments(map, *region, lx, ly, points, rng, seed, 1e-6);
    if (::testing::Test::HasFatalFailure()) return;
    // The one-by-one reference is the same set, not only the same area.
    std::uniform_real_distribution<double> px(0, map.width), py(0, map.height);
    for (int i = 0; i < points / 4; ++i) {
      const double x = px(rng), y = py(rng);
      if (DistanceToBoundary(*region, x, y) < 1e-7 || DistanceToBoundary(*reference, x, y) < 1e-7) continue;
      ASSERT_EQ(RegionContains(*region, x, y), RegionContains(*reference, x, y))
          << "seed " << seed << ", light (" << lx << ", " << ly << "), point (" << x << ", " << y << ")";
    }
  }
}

}  // namespace

TEST(LitRegion, NoObstaclesLeaveTheWholeField) {
  SetFieldSize(60, 39);
  const auto region = ComputeLitRegion(17, 4, TPolygonList());
  ASSERT_EQ(region->Contours().size(), 1u);
  EXPECT_EQ(region->Area(), 60.0L * 39.0L);
  EXPECT_TRUE(RegionContains(*region, 0.5, 38.5));
  EXPECT_TRUE(RegionContains(*region, 59.5, 0.5));
  SetFieldSize(7, 3);
  EXPECT_EQ(ComputeLitRegion(-100, 50, TPolygonList())->Area(), 21.0L);
}

TEST(LitRegion, TheSmallMapIsDrawnRight) {
  const TTextMap map = ReadTextMap(SmallMap);
  for (const std::string& row : map.rows) ASSERT_EQ(static_cast<int32_t>(row.size()), map.width);
  const TPolygonList walls = WallRectsOf(map);
  ASSERT_EQ(walls.size(), 18u);
  // Ordered by x0, then y: the two border cells of column 0 come first.
  EXPECT_EQ(walls[0]->PointY(0), 7.0L);
  EXPECT_EQ(walls[1]->PointY(0), 12.0L);
}

TEST(LitRegion, WalledGridPointSeesNothing) {
  const TTextMap map = ReadTextMap(SmallMap);
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  EXPECT_NEAR(static_cast<double>(ComputeLitRegion(3, 2, walls)->Area()), 0.0, 1e-9);
}

TEST(LitRegion, LightInTheRingSeesOnlyItsCell) {
  // A light on a corner of the enclosed cell (13, 7) sees that cell and
  // nothing past the ring.
  const TTextMap map = ReadTextMap(SmallMap);
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  const auto region = ComputeLitRegion(13, 7, walls);
  EXPECT_NEAR(static_cast<double>(region->Area()), 1.0, 1e-9);
  EXPECT_TRUE(RegionContains(*region, 13.5, 7.5));
}

TEST(LitRegion, AgreesWithSegmentsOnTheSmallMap) {
  const TTextMap map = ReadTextMap(SmallMap);
  for (unsigned seed : {7u, 8u}) {
    CheckMap(map, seed, 25, 600);
    if (HasFatalFailure()) return;
  }
}

TEST(LitRegion, AgreesWithSegmentsOnTheShippedMap) {
  TTextMap map;
  if (!ReadShippedMap(map)) GTEST_SKIP() << "no data/map.txt yet";
  ASSERT_EQ(map.width, 60);
  ASSERT_EQ(map.height, 39);
  ASSERT_EQ(WallRectsOf(map).size(), 171u);
  CheckMap(map, 11u, 20, 250);
}

TEST(LitRegion, LightsFarOutsideTheFieldStaySound) {
  const TTextMap map = ReadTextMap(SmallMap);
  SetFieldSize(map.width, map.height);
  const TPolygonList walls = WallRectsOf(map);
  constexpr int32_t Max = std::numeric_limits<int32_t>::max();
  constexpr int32_t Min = std::numeric_limits<int32_t>::min();
  const std::vector<std::pair<int32_t, int32_t>> lights = {
      {Max, Min}, {Min, Max}, {Max, Max}, {Min, Min}, {Max, 0}, {Min, 5}, {Max, 11}, {7, Max}, {3, Min}, {0, Max}};
  std::mt19937 rng(5);
  for (const auto& [lx, ly] : lights) {
    std::unique_ptr<TPolygon> region;
    ASSERT_NO_THROW(region = ComputeLitRegion(lx, ly, walls)) << "light (" << lx << ", " << ly << ")";
    const long double area = region->Area();
    EXPECT_TRUE(std::isfinite(static_cast<double>(area)));
    EXPECT_GE(area, 0.0L);
    EXPECT_NEAR(static_cast<double>(area),
                static_cast<double>(VisibleFieldArea(map.width, map.height, ModelRectsOf(walls), lx, ly)), 1e-10)
        << "light (" << lx << ", " << ly << ")";
    ExpectAgreesWithSegments(map, *region, lx, ly, 300, rng, 5, 1e-9);
  }
}
