// The heat map against a slow model that shares nothing with the lit
// regions: a grid point sees a point when the open segment between them
// meets the inside of no wall cell, decided on integers. A lit region is
// measured by area, so a view no wider than a line (between two wall
// corners on either side of it) lights nothing: the model counts a centre
// as seen when one of four points a hair's breadth beside it, across any
// such line, is seen. Maps without two wall cells that touch only at a
// corner, where the lit region's own reading of the touching point decides.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "editor/VisibilityHeat.h"
#include "engine/MapText.h"
#include "engine/MapTextWriter.h"
#include "support/WallPicture.h"

namespace {

struct TFraction {
  int64_t num, den;  // den > 0
};
bool Less(TFraction a, TFraction b) { return a.num * b.den < b.num * a.den; }

// Coordinates in units of 1/Scale cell: whole numbers for the grid points,
// the centres and the points beside them. One unit is far nearer to a
// centre than any line through two grid points that misses it.
constexpr int64_t Scale = 2000;

// Whether the open segment from grid point (i, j) to the point (qx, qy) (in
// units) meets the open square of cell (x, y). The point lies on no line
// of the grid, so the segment's direction has non-zero parts.
bool Meets(int64_t i, int64_t j, int64_t qx, int64_t qy, int64_t x, int64_t y) {
  const int64_t px = Scale * i, py = Scale * j, dx = qx - px, dy = qy - py;
  TFraction low{0, 1}, high{1, 1};
  auto clip = [&](int64_t p, int64_t d, int64_t lo, int64_t hi) {
    TFraction a{lo - p, d}, b{hi - p, d};
    if (d < 0) a = {p - lo, -d}, b = {p - hi, -d}, std::swap(a, b);
    if (Less(low, a)) low = a;
    if (Less(b, high)) high = b;
  };
  clip(px, dx, Scale * x, Scale * (x + 1));
  clip(py, dy, Scale * y, Scale * (y + 1));
  return Less(low, high);
}

bool Sees(const TWallGrid& walls, int32_t i, int32_t j, int64_t qx, int64_t qy) {
  for (int32_t y = 0; y < walls.height; ++y)
    for (int32_t x = 0; x < walls.width; ++x)
      if (walls.IsWallCell(x, y) && Meets(i, j, qx, qy, x, y)) return false;
  return true;
}

int32_t ModelSeeing(const TWallGrid& walls, const TLevel& level, int32_t c, int32_t r) {
  int32_t seeing = 0;
  for (int32_t j = 0; j <= walls.height; ++j)
    for (int32_t i = 0; i <= walls.width; ++i) {
      if (level.IsWalledGridPoint(i, j)) continue;
      const int64_t qx = Scale * c + Scale / 2, qy = Scale * r + Scale / 2;
      bool seen = false;
      for (const auto& [ex, ey] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) seen = seen || Sees(walls, i, j, qx + ex, qy + ey);
      seeing += seen;
    }
  return seeing;
}

bool TouchesOnlyAtACorner(const TWallGrid& w) {
  for (int32_t y = 0; y + 1 < w.height; ++y)
    for (int32_t x = 0; x + 1 < w.width; ++x) {
      const bool a = w.IsWallCell(x, y), b = w.IsWallCell(x + 1, y), c = w.IsWallCell(x, y + 1), d = w.IsWallCell(x + 1, y + 1);
      if ((a && d && !b && !c) || (b && c && !a && !d)) return true;
    }
  return false;
}

TLevel LevelOf(const TWallGrid& walls) { return TLevel(walls); }

TEST(VisibilityHeat, CountsTheGridPointsThatSeeEachCentreAsTheModelDoes) {
  std::mt19937 rng(3502);
  int maps = 0;
  while (maps < 30) {
    std::uniform_int_distribution<int32_t> side(2, 9);
    TWallGrid walls = RandomWalls(rng, side(rng), side(rng), 0.3);
    walls.Set(0, 0, false);
    if (TouchesOnlyAtACorner(walls)) continue;
    ++maps;
    const TLevel level = LevelOf(walls);
    const auto heat = ComputeVisibilityHeat(level, 1 + maps % 3);
    ASSERT_TRUE(heat);
    for (int32_t r = 0; r < walls.height; ++r)
      for (int32_t c = 0; c < walls.width; ++c)
        ASSERT_EQ(heat->At(c, r), walls.IsWallCell(c, r) ? -1 : ModelSeeing(walls, level, c, r))
            << "cell " << c << ", " << r << " of\n" << MapTextOf(walls) << "seed 3502, map " << maps;
  }
}

TEST(VisibilityHeat, AnOpenFieldIsSeenFromEveryPointAndAStopEndsIt) {
  const TLevel open = LevelOf(WallPicture("....\n....\n...."));
  const auto heat = ComputeVisibilityHeat(open);
  ASSERT_TRUE(heat);
  EXPECT_EQ(heat->most, 20);
  for (const int32_t seeing : heat->seeing) EXPECT_EQ(seeing, 20);

  // A pocket behind a corner: only the points of its own nook see into it.
  const auto nook = ComputeVisibilityHeat(LevelOf(WallPicture("..#\n#.#\n#..")));
  EXPECT_EQ(nook->At(0, 0), 7) << "the grid points of the top row and the nook's";

  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(ComputeVisibilityHeat(open, 2, stop.get_token()));
}

}  // namespace
