// The shipped level map must have every figure the game is built around:
// size, wall and free cells, rectangles, corners and outlines, no
// diagonal-only contact, one connected floor, and the grid points that
// take no light once the outside counts as wall.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "levelmap_support.h"

namespace {

class ShippedMap : public ::testing::Test {
 protected:
  void SetUp() override {
    map_ = LoadMapFile(GLOWMERE_DATA_DIR "/map.txt");
    map_->SetOuterColor(FreePixel);
  }
  bool Wall(int32_t x, int32_t y) const { return map_->ReadPixel(x, y) == WallPixel; }

  // 4-connected regions of the cells whose wall state is wall.
  int32_t RegionCount(bool wall) const {
    const int32_t w = map_->Width(), h = map_->Height();
    std::vector<bool> seen(size_t(w * h), false);
    int32_t regions = 0;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        if (Wall(x, y) != wall || seen[size_t(y * w + x)]) continue;
        ++regions;
        std::vector<std::pair<int32_t, int32_t>> stack{{x, y}};
        seen[size_t(y * w + x)] = true;
        while (!stack.empty()) {
          const auto [cx, cy] = stack.back();
          stack.pop_back();
          for (const auto& [nx, ny] : {std::pair{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}}) {
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || Wall(nx, ny) != wall || seen[size_t(ny * w + nx)]) continue;
            seen[size_t(ny * w + nx)] = true;
            stack.push_back({nx, ny});
          }
        }
      }
    return regions;
  }

  std::unique_ptr<TBitmap32> map_;
};

TEST_F(ShippedMap, IsSixtyByThirtyNineCells) {
  EXPECT_EQ(map_->Width(), 60);
  EXPECT_EQ(map_->Height(), 39);
}

TEST_F(ShippedMap, HasItsWallCountAndRectangles) {
  int32_t wallCount = 0;
  const TPolygonList rects = BuildWallRects(*map_, wallCount);
  EXPECT_EQ(wallCount, 868);
  EXPECT_EQ(60 * 39 - wallCount, 1472);
  EXPECT_EQ(rects.size(), 171u);
}

TEST_F(ShippedMap, HasItsCornersAndOutlines) {
  EXPECT_EQ(DetectWallCorners(*map_).size(), 184u);
  const TPolygonList outlines = TraceWallOutlines(*map_);
  EXPECT_EQ(outlines.size(), 24u);
  std::map<int32_t, int32_t> bySize;
  for (const auto& o : outlines) ++bySize[o->PointCount()];
  EXPECT_EQ(bySize, (std::map<int32_t, int32_t>{{4, 11}, {6, 3}, {8, 3}, {10, 3}, {12, 2}, {16, 1}, {28, 1}}));
}

TEST_F(ShippedMap, NoWallsTouchOnlyAtACorner) {
  for (int32_t y = 0; y + 1 < 39; ++y)
    for (int32_t x = 0; x + 1 < 60; ++x) {
      const bool a = Wall(x, y), b = Wall(x + 1, y), c = Wall(x, y + 1), d = Wall(x + 1, y + 1);
      EXPECT_FALSE(a == d && b == c && a != b) << "diagonal contact at grid point " << x + 1 << "," << y + 1;
    }
}

TEST_F(ShippedMap, FloorIsOneAreaAndEveryWallRegionOneOutline) {
  EXPECT_EQ(RegionCount(false), 1);
  // With one floor area no wall region can enclose any, so each region
  // has exactly one boundary.
  EXPECT_EQ(RegionCount(true), 24);
}

TEST_F(ShippedMap, GridPointsWalledAllRoundWithTheOutsideAsWall) {
  map_->SetOuterColor(WallPixel);
  int32_t walled = 0;
  for (int32_t j = 0; j <= 39; ++j)
    for (int32_t i = 0; i <= 60; ++i)
      if (Wall(i - 1, j - 1) && Wall(i - 1, j) && Wall(i, j - 1) && Wall(i, j)) ++walled;
  EXPECT_EQ(walled, 592);
  EXPECT_EQ(61 * 40 - walled, 1848);
}

}  // namespace
