// Wall rectangles: one per maximal horizontal run, found at its leftmost
// cell in column-major order, the map left as it was; checked on the
// described cases and against a row-by-row run model on random maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "levelmap_support.h"

namespace {

using TRun = std::tuple<int32_t, int32_t, int32_t>;  // x0, y, x1

std::vector<TRun> RunsOf(const TPolygonList& rects) {
  std::vector<TRun> runs;
  for (const auto& r : rects) {
    const TGridPoints p = PointsOf(*r);
    EXPECT_EQ(p.size(), 4u);
    if (p.size() != 4) continue;
    // (x0, y), (x1, y), (x1, y + 1), (x0, y + 1)
    EXPECT_EQ(p[1].second, p[0].second);
    EXPECT_EQ(p[2], std::make_pair(p[1].first, p[0].second + 1));
    EXPECT_EQ(p[3], std::make_pair(p[0].first, p[0].second + 1));
    runs.emplace_back(p[0].first, p[0].second, p[1].first);
  }
  return runs;
}

std::vector<TColor32> PixelsOf(const TBitmap32& map) {
  std::vector<TColor32> pixels;
  for (int32_t y = 0; y < map.Height(); ++y)
    for (int32_t x = 0; x < map.Width(); ++x) pixels.push_back(map.ReadPixel(x, y));
  return pixels;
}

TEST(WallRects, MapWithoutWallsGivesNoRectangles) {
  auto map = FreeOutsideMap("....\n....\n....\n");
  int32_t wallCount = -1;
  EXPECT_TRUE(BuildWallRects(*map, wallCount).empty());
  EXPECT_EQ(wallCount, 0);
}

TEST(WallRects, EmptyMapGivesNoRectangles) {
  TBitmap32 map;
  int32_t wallCount = -1;
  EXPECT_TRUE(BuildWallRects(map, wallCount).empty());
  EXPECT_EQ(wallCount, 0);
}

TEST(WallRects, SingleCellIsOneUnitRectangle) {
  auto map = FreeOutsideMap(
      "....\n"
      "..#.\n"
      "....\n");
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map, wallCount);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(PointsOf(*rects[0]), (TGridPoints{{2, 1}, {3, 1}, {3, 2}, {2, 2}}));
  EXPECT_EQ(wallCount, 1);
}

TEST(WallRects, FullRowIsOneRectangleOfFieldWidth) {
  auto map = FreeOutsideMap(
      "......\n"
      "######\n"
      "......\n");
  // Beyond the last column reads as wall here: the run must still stop at
  // the field's edge.
  map->SetOuterColor(WallPixel);
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map, wallCount);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(PointsOf(*rects[0]), (TGridPoints{{0, 1}, {6, 1}, {6, 2}, {0, 2}}));
  EXPECT_EQ(wallCount, 6);
}

TEST(WallRects, OrderedByLeftEdgeThenRow) {
  auto map = FreeOutsideMap(
      "..###.\n"
      "#.....\n"
      "..#.##\n"
      "####..\n");
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map, wallCount);
  EXPECT_EQ(RunsOf(rects), (std::vector<TRun>{{0, 1, 1}, {0, 3, 4}, {2, 0, 5}, {2, 2, 3}, {4, 2, 6}}));
  EXPECT_EQ(wallCount, 11);
}

TEST(WallRects, MapPixelsAreUnchanged) {
  auto map = FreeOutsideMap(
      "##.###\n"
      ".####.\n"
      "######\n");
  // Other non-wall values must survive too: only wall pixels are marked.
  map->WritePixel(2, 0, 0x00000000);
  map->WritePixel(0, 1, 0xFE000000);
  map->WritePixel(5, 1, 0xFF000001);
  const std::vector<TColor32> before = PixelsOf(*map);
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map, wallCount);
  EXPECT_EQ(PixelsOf(*map), before);
  EXPECT_EQ(RunsOf(rects), (std::vector<TRun>{{0, 0, 2}, {0, 2, 6}, {1, 1, 5}, {3, 0, 6}}));
  EXPECT_EQ(wallCount, 15);
}

TEST(WallRects, MarkerPixelBecomesWallAndBreaksRun) {
  // The marker is not a wall while runs are found, so it ends the run; the
  // restore pass then turns it into a wall, which the count includes.
  auto map = FreeOutsideMap("###\n");
  map->WritePixel(1, 0, RunMarkPixel);
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map, wallCount);
  EXPECT_EQ(RunsOf(rects), (std::vector<TRun>{{0, 0, 1}, {2, 0, 3}}));
  EXPECT_EQ(map->ReadPixel(1, 0), WallPixel);
  EXPECT_EQ(wallCount, 3);
}

TEST(WallRects, MatchRowRunModelOnRandomMaps) {
  const uint32_t seed = 20090417;
  std::mt19937 rng(seed);
  for (int trial = 0; trial < 200; ++trial) {
    const int32_t w = 1 + int32_t(rng() % 23), h = 1 + int32_t(rng() % 17);
    const std::string picture = RandomPicture(rng, w, h, (rng() % 100) / 100.0);
    SCOPED_TRACE("seed " + std::to_string(seed) + " trial " + std::to_string(trial) + "\n" + picture);
    const std::vector<std::string> rows = PictureRows(picture);
    std::vector<TRun> model;
    int32_t cells = 0;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        if (!PictureWall(rows, x, y)) continue;
        ++cells;
        if (PictureWall(rows, x - 1, y)) continue;
        int32_t x1 = x;
        while (PictureWall(rows, x1, y)) ++x1;
        model.emplace_back(x, y, x1);
      }
    }
    std::sort(model.begin(), model.end());

    auto map = FreeOutsideMap(picture);
    const std::vector<TColor32> before = PixelsOf(*map);
    int32_t wallCount = -1;
    const TPolygonList rects = BuildWallRects(*map, wallCount);
    EXPECT_EQ(RunsOf(rects), model);
    EXPECT_EQ(wallCount, cells);
    EXPECT_EQ(PixelsOf(*map), before);
  }
}

}  // namespace
