// The shadow of one obstacle: bearing order, the worked shadows of the
// obstacle (0,0),(3,0),(3,1),(0,1), and the two errors.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/Visibility.h"

namespace {

std::unique_ptr<TPolygon> Obstacle(const std::vector<gpc_vertex>& corners) {
  auto p = std::make_unique<TPolygon>();
  for (const gpc_vertex& v : corners) p->AddPoint(v.x, v.y);
  return p;
}

const std::vector<gpc_vertex> Bar = {{0, 0}, {3, 0}, {3, 1}, {0, 1}};

void ExpectShadow(int32_t lx, int32_t ly, const std::vector<gpc_vertex>& want) {
  const TContour got = BuildShadow(lx, ly, *Obstacle(Bar));
  ASSERT_EQ(got.size(), want.size()) << "light (" << lx << ", " << ly << ")";
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].x, want[i].x) << "light (" << lx << ", " << ly << ") point " << i;
    EXPECT_EQ(got[i].y, want[i].y) << "light (" << lx << ", " << ly << ") point " << i;
  }
}

// The bearing order as its steps read, in plain doubles: the model that the
// exact comparison must match wherever doubles are exact.
int PlainCompareBearing(double ux, double uy, double vx, double vy) {
  if (uy < 0 && vy > 0) return 1;
  if (uy > 0 && vy < 0) return -1;
  const double g = SignOf(ux) * ux * ux / (ux * ux + uy * uy);
  const double h = SignOf(vx) * vx * vx / (vx * vx + vy * vy);
  if (g == h) return 0;
  if (h < g) return uy < 0 ? 1 : -1;
  if (uy > 0) return 1;
  if (uy < 0) return -1;
  return ux < 0 ? -1 : 1;
}

std::string ErrorOf(int32_t lx, int32_t ly, const TPolygon& obstacle) {
  try {
    BuildShadow(lx, ly, obstacle);
  } catch (const EEngineError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(VisibilitySupport, VectorOperations) {
  EXPECT_EQ(CrossProduct(2, 3, 5, 7), 2 * 7 - 3 * 5);
  EXPECT_EQ(DotProduct(2, 3, 5, 7), 2 * 5 + 3 * 7);
  EXPECT_EQ(VectorLength(3, -4), 5);
  EXPECT_EQ(SignOf(-0.5), -1);
  EXPECT_EQ(SignOf(0.0), 0);
  EXPECT_EQ(SignOf(-0.0), 0);
  EXPECT_EQ(SignOf(1e-300), 1);
}

TEST(CompareBearing, DownwardVectorsComeBeforeUpwardOnes) {
  EXPECT_EQ(CompareBearing(5, -1, -5, 1), 1);
  EXPECT_EQ(CompareBearing(-5, 1, 5, -1), -1);
}

TEST(CompareBearing, SameDirectionComparesEqual) {
  EXPECT_EQ(CompareBearing(2, 1, 4, 2), 0);
  EXPECT_EQ(CompareBearing(-3, -6, -1, -2), 0);
  EXPECT_EQ(CompareBearing(0, 5, 0, 1), 0);
  EXPECT_EQ(CompareBearing(-1, 0, -7, 0), 0);
}

TEST(CompareBearing, OrdersClockwiseOnScreenFromPlusX) {
  // Angles pi/4 < 3pi/4 below the axis, 5pi/4 < 7pi/4 above it.
  EXPECT_EQ(CompareBearing(1, 1, -1, 1), -1);
  EXPECT_EQ(CompareBearing(-1, 1, 1, 1), 1);
  EXPECT_EQ(CompareBearing(-1, -1, 1, -1), -1);
  EXPECT_EQ(CompareBearing(1, -1, -1, -1), 1);
  EXPECT_EQ(CompareBearing(1, 0, 0, 1), -1);
  EXPECT_EQ(CompareBearing(0, 1, 1, 0), 1);
}

TEST(CompareBearing, VectorsOnTheXAxisFollowTheSteps) {
  // The steps give -1 both ways between -x and +y, and between -x and +x.
  EXPECT_EQ(CompareBearing(-1, 0, 0, 1), -1);
  EXPECT_EQ(CompareBearing(0, 1, -1, 0), -1);
  EXPECT_EQ(CompareBearing(1, 0, -1, 0), -1);
  EXPECT_EQ(CompareBearing(-1, 0, 1, 0), -1);
  EXPECT_EQ(CompareBearing(1, 0, 1, -1), -1);
  EXPECT_EQ(CompareBearing(-2, 0, -1, -1), -1);
}

TEST(CompareBearing, MatchesThePlainStepsOnFieldSizedIntegers) {
  const unsigned seed = 2024;
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> c(-75, 75), scale(1, 5);
  for (int i = 0; i < 200000; ++i) {
    const double ux = c(rng), uy = c(rng);
    double vx = c(rng), vy = c(rng);
    if (i % 4 == 0) {  // often the same direction or its opposite
      const int s = scale(rng) * (i % 8 == 0 ? -1 : 1);
      vx = ux * s;
      vy = uy * s;
    }
    if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0)) continue;
    ASSERT_EQ(CompareBearing(ux, uy, vx, vy), PlainCompareBearing(ux, uy, vx, vy))
        << "seed " << seed << ": (" << ux << ", " << uy << ") vs (" << vx << ", " << vy << ")";
  }
}

TEST(CompareBearing, StaysExactForLightsFarOutsideTheField) {
  // Two corners one row apart seen from 2^31 cells away: their cosines
  // differ by less than a double can show, yet they are not in line.
  EXPECT_EQ(CompareBearing(-2147483648.0, 5, -2147483648.0, 6), 1);
  EXPECT_EQ(CompareBearing(-2147483648.0, 6, -2147483648.0, 5), -1);
  EXPECT_EQ(CompareBearing(-2147483648.0, 5, -4294967296.0, 10), 0);
  // Upwards, the one nearer the +x axis comes last.
  EXPECT_EQ(CompareBearing(2147483647.0, -3, 2147483647.0, -4), 1);
  EXPECT_EQ(CompareBearing(2147483647.0, -4, 2147483647.0, -3), -1);
}

TEST(WorkedShadows, LightAboveTheBar) {
  ExpectShadow(1, -2, {{3, 0}, {0, 0}, {-999, 1998}, {2001, 1998}});
}

TEST(WorkedShadows, LightOnACornerDarkensTheQuarterBehind) {
  ExpectShadow(0, 0, {{3, 0}, {0, 0}, {0, 1}, {0, 1000}, {3000, 0}});
}

TEST(WorkedShadows, LightOnAnEdgeDarkensTheObstaclesSideOfItsLine) {
  ExpectShadow(1, 0, {{-999, 0}, {-999, 1000}, {2001, 1000}, {2001, 0}});
}

TEST(WorkedShadows, LightOnAnEdgesLineBeyondItsEndKeepsTheNearerCorner) {
  ExpectShadow(5, 0, {{3, 0}, {3, 1}, {-1995, 1000}, {-1995, 0}});
}

TEST(WorkedShadows, LightDiagonallyOffWalksThreeCorners) {
  ExpectShadow(4, -1, {{3, 1}, {3, 0}, {0, 0}, {-3996, 999}, {-996, 1999}});
}

TEST(ShadowErrors, LightStrictlyInsideAConvexObstacleHasTooFewCorners) {
  const auto square = Obstacle({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  EXPECT_EQ(ErrorOf(2, 2, *square), "Error #22: pc = 1");
  const auto triangle = Obstacle({{0, 0}, {10, 1}, {3, 9}});
  EXPECT_EQ(ErrorOf(4, 3, *triangle), "Error #22: pc = 1");
}

TEST(ShadowErrors, DegenerateObstaclesHaveTooFewCorners) {
  EXPECT_EQ(ErrorOf(5, 5, TPolygon()), "Error #22: pc = 1");
  EXPECT_EQ(ErrorOf(5, 5, *Obstacle({{1, 1}})), "Error #22: pc = 1");
}

TEST(ShadowErrors, NonConvexObstacleCanHaveTooManyCorners) {
  // A U open downwards, seen from its left: the outer corners (0,0) and
  // (0,10), and the inner ones (3,3) and (7,10), all in different bearings.
  const auto u = Obstacle({{0, 0}, {10, 0}, {10, 10}, {7, 10}, {7, 3}, {3, 3}, {3, 10}, {0, 10}});
  EXPECT_EQ(ErrorOf(-5, 5, *u), "Error #24: pc = 4");
  // From straight below its mouth only the two outer bottom corners count.
  EXPECT_EQ(ErrorOf(5, 20, *u), "");
}

TEST(ShadowErrors, ErrorsReachTheCallerOfTheRegion) {
  TPolygonList walls;
  walls.push_back(Obstacle(Bar));
  walls.push_back(Obstacle({{10, 10}, {14, 10}, {14, 14}, {10, 14}}));
  SetFieldSize(60, 39);
  try {
    ComputeLitRegion(12, 12, walls);
    FAIL() << "no error";
  } catch (const EEngineError& e) {
    EXPECT_STREQ(e.what(), "Error #22: pc = 1");
  }
}

TEST(ShadowErrors, MoreCornersThanTheTableHoldsAreRefusedNotOverrun) {
  // A comb of 120 teeth seen from far to the side: every tooth shows two
  // silhouette corners.
  std::vector<gpc_vertex> comb;
  for (int i = 0; i < 120; ++i) {
    comb.push_back({2.0 * i, 10});
    comb.push_back({2.0 * i + 1, 0});
  }
  comb.push_back({240, 20});
  comb.push_back({0, 20});
  const std::string error = ErrorOf(-1000000, 5, *Obstacle(comb));
  EXPECT_EQ(error.rfind("Error #24: pc = ", 0), 0u) << error;
}
