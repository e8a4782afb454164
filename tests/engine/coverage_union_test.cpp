// UnitedArea, the one-pass union behind the lit area, against plain
// expectations and against the sets united one by one with Clip.
#include <gtest/gtest.h>

#include <random>

#include "geometry/Union.h"

namespace {

std::unique_ptr<TPolygon> Box(double x0, double y0, double x1, double y1, bool reversed = false) {
  auto p = std::make_unique<TPolygon>();
  if (reversed) {
    p->AddPoint(x0, y0), p->AddPoint(x0, y1), p->AddPoint(x1, y1), p->AddPoint(x1, y0);
  } else {
    p->AddPoint(x0, y0), p->AddPoint(x1, y0), p->AddPoint(x1, y1), p->AddPoint(x0, y1);
  }
  return p;
}

long double SequentialArea(const std::vector<const TPolygon*>& sets) {
  TPolygon united;
  for (const TPolygon* s : sets)
    if (s) united.Clip(GPC_UNION, s);
  return united.Area();
}

TEST(UnitedArea, NothingGivesZero) {
  EXPECT_EQ(UnitedArea({}), 0.0L);
  TPolygon fresh;
  EXPECT_EQ(UnitedArea({&fresh, nullptr}), 0.0L);
  TPolygon flat;
  flat.AddPoint(0, 0), flat.AddPoint(1, 1), flat.AddPoint(2, 2);
  EXPECT_EQ(UnitedArea({&flat}), 0.0L);
}

TEST(UnitedArea, OverlapCountsOnceWhateverTheOrientation) {
  const auto a = Box(0, 0, 2, 2);
  const auto b = Box(1, 1, 3, 3, true);
  EXPECT_EQ(UnitedArea({a.get(), b.get()}), 7.0L);
  EXPECT_EQ(UnitedArea({a.get(), a.get()}), 4.0L);
  const auto c = Box(5, 5, 6, 6);
  EXPECT_EQ(UnitedArea({a.get(), c.get()}), 5.0L);
}

TEST(UnitedArea, HoleOfOneSetIsFilledByAnother) {
  auto ring = Box(0, 0, 10, 10);
  const auto hole = Box(2, 2, 3, 3);
  ring->Clip(GPC_DIFF, hole.get());
  ASSERT_EQ(ring->Area(), 99.0L);
  EXPECT_EQ(UnitedArea({ring.get()}), 99.0L);
  const auto plug = Box(2.5, 2, 3, 3);
  EXPECT_EQ(UnitedArea({ring.get(), plug.get()}), 99.5L);
  // Two rings whose holes do not meet leave no hole at all.
  auto other = Box(0, 0, 10, 10);
  const auto otherHole = Box(6, 6, 7, 7);
  other->Clip(GPC_DIFF, otherHole.get());
  EXPECT_EQ(UnitedArea({ring.get(), other.get()}), 100.0L);
}

TEST(UnitedArea, IslandInsideAHoleCounts) {
  auto set = Box(0, 0, 10, 10);
  const auto hole = Box(2, 2, 8, 8);
  set->Clip(GPC_DIFF, hole.get());
  const auto island = Box(4, 4, 5, 5);
  set->Clip(GPC_UNION, island.get());
  ASSERT_EQ(set->Area(), 65.0L);
  EXPECT_EQ(UnitedArea({set.get()}), 65.0L);
  const auto over = Box(3, 3, 6, 6);
  EXPECT_EQ(UnitedArea({set.get(), over.get()}), SequentialArea({set.get(), over.get()}));
}

// Random boxes and clipped boxes with holes, united both ways.
TEST(UnitedArea, AgreesWithUnionOneByOne) {
  const uint32_t seed = 20090417;
  std::mt19937 rng(seed);
  auto coord = [&] { return double(rng() % 97) / 8.0; };
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<std::unique_ptr<TPolygon>> owned;
    std::vector<const TPolygon*> sets;
    const int n = 1 + int(rng() % 50);  // several levels of passes
    for (int k = 0; k < n; ++k) {
      double x0 = coord(), x1 = coord(), y0 = coord(), y1 = coord();
      if (x0 == x1 || y0 == y1) continue;
      auto p = Box(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), rng() % 2);
      if (rng() % 2) {
        const double cx = coord(), cy = coord();
        const auto cut = Box(cx, cy, cx + 1.5, cy + 0.75);
        p->Clip(GPC_DIFF, cut.get());
      }
      sets.push_back(p.get());
      owned.push_back(std::move(p));
    }
    EXPECT_NEAR(double(UnitedArea(sets)), double(SequentialArea(sets)), 1e-12) << "seed " << seed << " trial " << trial;
  }
}

}  // namespace

// The area of the last call is kept for the same sets: a set changed in
// place, or another list with the same sets' addresses, is measured anew.
TEST(UnitedArea, ASetChangedInPlaceIsMeasuredAnew) {
  auto a = Box(0, 0, 2, 2);
  auto b = Box(5, 5, 6, 6);
  EXPECT_EQ(UnitedArea({a.get(), b.get()}), 5.0L);
  EXPECT_EQ(UnitedArea({a.get(), b.get()}), 5.0L);
  b->Clear();
  for (auto [x, y] : {std::pair{1.0, 1.0}, {3.0, 1.0}, {3.0, 3.0}, {1.0, 3.0}}) b->AddPoint(x, y);
  EXPECT_EQ(UnitedArea({a.get(), b.get()}), 7.0L);
  EXPECT_EQ(UnitedArea({b.get(), a.get()}), 7.0L);
  EXPECT_EQ(UnitedArea({a.get()}), 4.0L);
  EXPECT_EQ(UnitedArea({a.get(), nullptr}), 4.0L);
}
