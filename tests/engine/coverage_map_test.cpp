// Coverage on the shipped map: sets of lights that light the whole floor
// must measure exactly the free area, or the game never sees a solution as
// complete (it asks for 99.9999999999 % of 1472 cells, a margin of 1.5e-9).
// Also: the one-pass union against the union one by one on random sets of
// the map's real regions, and a greedy covering whose size is printed for
// the puzzle's designer.
#include <gtest/gtest.h>

#include <cstdio>
#include <queue>
#include <random>

#include "FakeLightHost.h"
#include "geometry/Union.h"

namespace {

constexpr long double Tolerance = 1e-10L;

class ShippedMapCoverage : public ::testing::Test {
 protected:
  // The map and the regions of all of its lightable grid points are built
  // once for the whole suite.
  static void SetUpTestSuite() {
    host_ = new TFakeLightHost(LoadMapFile(GLOWMERE_DATA_DIR "/map.txt"));
    const TBitmap32& map = *host_->map;
    for (int32_t j = 0; j <= FieldHeight; ++j) {
      for (int32_t i = 0; i <= FieldWidth; ++i) {
        const bool walled = map.ReadPixel(i - 1, j - 1) == WallPixel && map.ReadPixel(i - 1, j) == WallPixel &&
                            map.ReadPixel(i, j - 1) == WallPixel && map.ReadPixel(i, j) == WallPixel;
        if (walled) continue;
        points_.push_back({i, j});
        regions_.push_back(ComputeLitRegion(i, j, host_->wallRects));
      }
    }
  }
  static void TearDownTestSuite() {
    regions_.clear();
    points_.clear();
    delete host_;
    host_ = nullptr;
  }

  static const TPolygon* RegionAt(int32_t i, int32_t j) {
    for (size_t k = 0; k < points_.size(); ++k)
      if (points_[k].first == i && points_[k].second == j) return regions_[k].get();
    return nullptr;
  }

  static long double SequentialArea(const std::vector<const TPolygon*>& sets) {
    TPolygon united;
    for (const TPolygon* s : sets) united.Clip(GPC_UNION, s);
    return united.Area();
  }

  static TFakeLightHost* host_;
  static std::vector<std::pair<int32_t, int32_t>> points_;
  static std::vector<std::unique_ptr<TPolygon>> regions_;
};

TFakeLightHost* ShippedMapCoverage::host_ = nullptr;
std::vector<std::pair<int32_t, int32_t>> ShippedMapCoverage::points_;
std::vector<std::unique_ptr<TPolygon>> ShippedMapCoverage::regions_;

TEST_F(ShippedMapCoverage, MapHasTheFiguresTheCoverageRelatesTo) {
  EXPECT_EQ(host_->level.FreeCells(), 1472);
  EXPECT_EQ(points_.size(), 1848u);
}

TEST_F(ShippedMapCoverage, NoRegionReachesIntoAWall) {
  long double total = 0;
  for (const auto& r : regions_) {
    EXPECT_LE(r->Area(), 1472.0L + Tolerance);
    total += r->Area();
  }
  EXPECT_GT(total, 0.0L);
}

// Each free cell is seen whole from its own top-left corner.
TEST_F(ShippedMapCoverage, LightAtEveryFreeCellCornerLightsExactlyTheFloor) {
  const TBitmap32& map = *host_->map;
  std::vector<const TPolygon*> sets;
  for (int32_t r = 0; r < FieldHeight; ++r)
    for (int32_t c = 0; c < FieldWidth; ++c)
      if (map.ReadPixel(c, r) != WallPixel) sets.push_back(RegionAt(c, r));
  ASSERT_EQ(sets.size(), 1472u);
  for (const TPolygon* s : sets) ASSERT_NE(s, nullptr);

  const long double fast = UnitedArea(sets);
  const long double oneByOne = SequentialArea(sets);
  std::printf("every corner: union %.15Lg (one by one %.15Lg), off by %.3Lg / %.3Lg\n", fast, oneByOne,
              fast - 1472.0L, oneByOne - 1472.0L);
  EXPECT_NEAR(double(fast), 1472.0, double(Tolerance));
  EXPECT_NEAR(double(oneByOne), 1472.0, double(Tolerance));
}

// Greedy covering: repeatedly take the point whose region adds most to the
// lit area. Gains only shrink as the union grows, so a stale gain is an
// upper bound and only the best candidates need recomputing (lazy greedy;
// same choices as the plain one).
TEST_F(ShippedMapCoverage, GreedyCoveringLightsExactlyTheFloor) {
  TPolygon united;
  long double area = 0;
  std::priority_queue<std::pair<long double, size_t>> bounds;
  for (size_t k = 0; k < regions_.size(); ++k) bounds.push({regions_[k]->Area(), k});
  std::vector<size_t> chosen;
  while (1472.0L - area > 1e-9L && !bounds.empty()) {
    const auto [bound, k] = bounds.top();
    bounds.pop();
    const long double gain = UnitedArea({&united, regions_[k].get()}) - area;
    if (!bounds.empty() && gain < bounds.top().first) {
      bounds.push({gain, k});
      continue;
    }
    if (gain <= 1e-12L) break;  // nothing left to gain: coverage is stuck
    united.Clip(GPC_UNION, regions_[k].get());
    area = united.Area();
    chosen.push_back(k);
  }

  std::string list;
  for (size_t k : chosen) list += " (" + std::to_string(points_[k].first) + "," + std::to_string(points_[k].second) + ")";
  std::printf("greedy covering of the shipped map: %zu lights:%s\n", chosen.size(), list.c_str());

  std::vector<const TPolygon*> sets;
  for (size_t k : chosen) sets.push_back(regions_[k].get());
  EXPECT_NEAR(double(area), 1472.0, double(Tolerance));
  EXPECT_NEAR(double(UnitedArea(sets)), 1472.0, double(Tolerance));
  EXPECT_NEAR(double(SequentialArea(sets)), 1472.0, double(Tolerance));

  // The same through real lights, in the order the player would set them.
  TLightList lights;
  for (size_t k : chosen) {
    auto light = std::make_unique<TLight>();
    light->MoveToGridPoint(points_[k].first, points_[k].second);
    light->Region = ComputeLitRegion(light->GridX, light->GridY, host_->wallRects);
    lights.Add(std::move(light));
  }
  const long double lit = LitAreaOf(lights);
  EXPECT_NEAR(double(lit), 1472.0, double(Tolerance));
  // The panel's rule for a complete and not over-complete solution.
  EXPECT_GE(lit * 100 / 1472, 99.9999999999L);
  EXPECT_LT(lit * 100 / 1472, 100.0000000001L);
}

TEST_F(ShippedMapCoverage, OnePassUnionAgreesWithUnionOneByOne) {
  const uint32_t seed = 1472;
  std::mt19937 rng(seed);
  long double worst = 0;
  for (int trial = 0; trial < 60; ++trial) {
    std::vector<const TPolygon*> sets;
    const size_t n = 1 + rng() % 40;
    for (size_t k = 0; k < n; ++k) sets.push_back(regions_[rng() % regions_.size()].get());
    const long double d = std::fabs(UnitedArea(sets) - SequentialArea(sets));
    worst = std::max(worst, d);
    EXPECT_LE(d, Tolerance) << "seed " << seed << " trial " << trial;
  }
  std::printf("one-pass against one-by-one union: worst difference %.3Lg\n", worst);
}

TEST_F(ShippedMapCoverage, LitAreaCountsRegionsOfInactiveLightsAndSkipsMissingOnes) {
  TLightList lights;
  auto a = std::make_unique<TLight>();
  a->MoveToGridPoint(points_[0].first, points_[0].second);
  a->Region = ComputeLitRegion(a->GridX, a->GridY, host_->wallRects);
  const long double alone = a->Region->Area();
  lights.Add(std::move(a));
  lights.Add(std::make_unique<TLight>());  // never placed, no region
  EXPECT_NEAR(double(LitAreaOf(lights)), double(alone), 1e-12);
  EXPECT_EQ(LitAreaOf(TLightList()), 0.0L);
}

}  // namespace
