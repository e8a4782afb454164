// The lit layer: repainting from the lights' cached regions, activation and
// deactivation, destruction, walled grid points, lights far off the field,
// and an engine error in the middle of a repaint.
#include <gtest/gtest.h>

#include <climits>

#include "FakeLightHost.h"

namespace {

// Two rooms joined by a gap in the dividing wall; a pillar in the right one.
const char* const TwoRooms =
    "......#.......\n"
    "......#.......\n"
    "..............\n"
    "......#...##..\n"
    "......#...##..\n"
    "......#.......\n";

bool AllTransparent(const TBitmap32& b) {
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x)
      if (b.ReadPixel(x, y) != 0) return false;
  return true;
}

int32_t CountPainted(const TBitmap32& b) {
  int32_t n = 0;
  for (int32_t y = 0; y < b.Height(); ++y)
    for (int32_t x = 0; x < b.Width(); ++x) n += b.ReadPixel(x, y) != 0;
  return n;
}

// Every pixel whose centre lies clearly inside one of the regions shows the
// pattern; every pixel clearly outside all of them is transparent. Pixels
// within margin (cells) of a boundary may go either way.
void ExpectLitLayerShows(const TFakeLightHost& host, const std::vector<const TPolygon*>& regions, double margin = 0.2) {
  const TBitmap32& lit = host.Lit();
  int32_t checkedIn = 0, checkedOut = 0;
  for (int32_t py = 0; py < lit.Height(); ++py) {
    for (int32_t px = 0; px < lit.Width(); ++px) {
      const double x = PixelCentreToCell(px), y = PixelCentreToCell(py);
      bool inside = false, nearEdge = false;
      for (const TPolygon* r : regions) {
        inside = inside || RegionContains(*r, x, y);
        nearEdge = nearEdge || DistanceToBoundary(*r, x, y) < margin;
      }
      if (nearEdge && !inside) continue;
      if (inside && nearEdge) {
        bool deepInOther = false;
        for (const TPolygon* r : regions)
          deepInOther = deepInOther || (RegionContains(*r, x, y) && DistanceToBoundary(*r, x, y) >= margin);
        if (!deepInOther) continue;
      }
      if (inside) {
        ASSERT_EQ(lit.ReadPixel(px, py), TFakeLightHost::PatternPixel(px, py)) << "pixel " << px << "," << py;
        ++checkedIn;
      } else {
        ASSERT_EQ(lit.ReadPixel(px, py), 0u) << "pixel " << px << "," << py;
        ++checkedOut;
      }
    }
  }
  EXPECT_GT(checkedIn, 0);
  EXPECT_GT(checkedOut, 0);
}

TEST(LitLayer, NoActiveLightLeavesLayerTransparent) {
  TFakeLightHost host(TwoRooms);
  for (int i = 0; i < 3; ++i) {
    auto light = std::make_unique<TLight>();
    light->MoveToGridPoint(2 + 3 * i, 2);
    host.lights.Add(std::move(light));
  }
  host.layLit->LayerBitmap().Fill(0xFF123456);
  TLight::UpdateLitLayer(nullptr, false);
  EXPECT_TRUE(AllTransparent(host.Lit()));
  for (const auto& light : host.lights) EXPECT_EQ(light->Region, nullptr);
}

TEST(LitLayer, PaintsPatternInsideRegionsOnly) {
  TFakeLightHost host(TwoRooms);
  TLight& left = host.AddLitLight(1, 1);
  ASSERT_NE(left.Region, nullptr);
  ExpectLitLayerShows(host, {left.Region.get()});
  TLight& right = host.AddLitLight(13, 6);
  ExpectLitLayerShows(host, {left.Region.get(), right.Region.get()});
}

TEST(LitLayer, LightOutsideTheListIsNeverPainted) {
  TFakeLightHost host(TwoRooms);
  TLight stray;
  stray.MoveToGridPoint(3, 3);
  TLight::UpdateLitLayer(&stray, true);
  EXPECT_TRUE(stray.Active);
  EXPECT_EQ(stray.Region, nullptr);
  EXPECT_TRUE(AllTransparent(host.Lit()));
}

TEST(LitLayer, DeactivatingRemovesPixelsButKeepsRegion) {
  TFakeLightHost host(TwoRooms);
  TLight& a = host.AddLitLight(1, 1);
  TLight& b = host.AddLitLight(12, 1);
  const long double both = LitAreaOf(host.lights);
  const TPolygon* regionOfB = b.Region.get();

  TLight::UpdateLitLayer(&b, false);
  EXPECT_FALSE(b.Active);
  EXPECT_EQ(b.Region.get(), regionOfB);
  ExpectLitLayerShows(host, {a.Region.get()});
  // The panel still counts the region of a light being dragged.
  EXPECT_EQ(LitAreaOf(host.lights), both);
}

TEST(LitLayer, ActivatingRecomputesOnlyThatLightsRegion) {
  TFakeLightHost host(TwoRooms);
  TLight& a = host.AddLitLight(1, 1);
  TLight& b = host.AddLitLight(12, 1);
  const long double areaOfA = a.Region->Area();
  // Stand-in regions show which ones are taken from the cache.
  auto stamp = [](long double side) {
    auto p = std::make_unique<TPolygon>();
    p->AddPoint(0, 0);
    p->AddPoint(side, 0);
    p->AddPoint(side, side);
    p->AddPoint(0, side);
    return p;
  };
  a.Region = stamp(0.5);
  b.Region = stamp(0.25);

  TLight::UpdateLitLayer(&a, true);  // same grid point as before
  EXPECT_EQ(a.Region->Area(), areaOfA);
  EXPECT_EQ(b.Region->Area(), 0.0625L);
}

TEST(LitLayer, RepaintComputesMissingRegionsOfActiveLights) {
  TFakeLightHost host(TwoRooms);
  TLight& a = host.AddLitLight(1, 1);
  a.Region.reset();
  TLight::UpdateLitLayer(nullptr, false);
  ASSERT_NE(a.Region, nullptr);
  ExpectLitLayerShows(host, {a.Region.get()});
}

TEST(LitLayer, DestroyingLightRemovesIconAndAreaAtOnce) {
  TFakeLightHost host(TwoRooms);
  TLight& a = host.AddLitLight(1, 1);
  TLight& b = host.AddLitLight(13, 5);
  const int32_t layersBefore = host.layers.Count();
  const int32_t paintedBoth = CountPainted(host.Lit());

  host.lights.Remove(&b);
  EXPECT_EQ(host.lights.Count(), 1);
  EXPECT_EQ(host.layers.Count(), layersBefore - 1);
  EXPECT_LT(CountPainted(host.Lit()), paintedBoth);
  ExpectLitLayerShows(host, {a.Region.get()});

  host.lights.Delete(0);
  EXPECT_EQ(host.layers.Count(), layersBefore - 2);
  EXPECT_TRUE(AllTransparent(host.Lit()));
}

TEST(LitLayer, DestroyingLightOutsideListRepaintsWithoutIt) {
  TFakeLightHost host(TwoRooms);
  TLight& a = host.AddLitLight(1, 1);
  const int32_t layersBefore = host.layers.Count();
  {
    TLight dragged;
    dragged.MoveToGridPoint(8, 2);
    TLight::UpdateLitLayer(&dragged, true);
    EXPECT_EQ(host.layers.Count(), layersBefore + 1);
  }
  EXPECT_EQ(host.layers.Count(), layersBefore);
  ExpectLitLayerShows(host, {a.Region.get()});
}

TEST(LitLayer, WalledGridPointGetsEmptyRegionAndAddsNothing) {
  // Grid point (2, 2) has wall on all four sides.
  TFakeLightHost host(
      "......\n"
      ".##...\n"
      ".##...\n"
      "......\n");
  TLight& open = host.AddLitLight(4, 1);
  const long double alone = LitAreaOf(host.lights);
  const int32_t painted = CountPainted(host.Lit());
  TLight& walled = host.AddLitLight(2, 2);
  ASSERT_NE(walled.Region, nullptr);
  EXPECT_NEAR(double(walled.Region->Area()), 0.0, 1e-12);
  EXPECT_EQ(LitAreaOf(host.lights), alone);
  EXPECT_EQ(CountPainted(host.Lit()), painted);
  ExpectLitLayerShows(host, {open.Region.get()});
}

TEST(LitLayer, LightFarOffTheFieldSeesOnlyTheField) {
  TFakeLightHost host(TwoRooms);
  for (const auto& [i, j] : {std::pair{INT_MAX, INT_MIN}, std::pair{INT_MIN, INT_MAX}, std::pair{INT_MIN, INT_MIN}}) {
    TLight& far = host.AddLitLight(i, j);
    ASSERT_NE(far.Region, nullptr);
    const long double area = far.Region->Area();
    EXPECT_GE(area, 0.0L);
    EXPECT_LE(area, host.level.FreeCells() + 1e-10L);
    for (const TContour& c : far.Region->Contours())
      for (const gpc_vertex& v : c) {
        EXPECT_GE(v.x, -1e-12);
        EXPECT_LE(v.x, FieldWidth + 1e-12);
        EXPECT_GE(v.y, -1e-12);
        EXPECT_LE(v.y, FieldHeight + 1e-12);
      }
    host.lights.Remove(&far);
  }
}

// A non-convex obstacle shows three silhouette corners from some points; the
// repaint stops at such a light with the engine's error.
TEST(LitLayer, EngineErrorStopsRepaintAtThatLight) {
  TFakeLightHost host(
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n"
      "............\n");
  auto ell = std::make_unique<TPolygon>();
  for (const auto& [x, y] : {std::pair{4, 2}, {7, 2}, {7, 3}, {5, 3}, {5, 5}, {4, 5}}) ell->AddPoint(x, y);
  host.wallRects.push_back(std::move(ell));

  TLight& seen = host.AddLitLight(12, 10);  // two silhouette corners from here
  ASSERT_NE(seen.Region, nullptr);
  auto failing = std::make_unique<TLight>();
  TLight& bad = *failing;
  host.lights.Add(std::move(failing));
  bad.MoveToGridPoint(0, 3);
  try {
    TLight::UpdateLitLayer(&bad, true);
    FAIL() << "no error";
  } catch (const EEngineError& e) {
    EXPECT_STREQ(e.what(), "Error #24: pc = 3");
  }
  EXPECT_TRUE(bad.Active);
  EXPECT_EQ(bad.Region, nullptr);
  ExpectLitLayerShows(host, {seen.Region.get()});

  // The next repaint tries again and fails the same way.
  EXPECT_THROW(TLight::UpdateLitLayer(nullptr, false), EEngineError);
  EXPECT_EQ(bad.Region, nullptr);

  // Destroying another light repaints too; its error cannot leave a
  // destructor, and the list stays consistent.
  host.lights.Remove(&seen);
  EXPECT_EQ(host.lights.Count(), 1);
  EXPECT_TRUE(AllTransparent(host.Lit()));
}

TEST(LitLayer, WithoutHostOnlySwitchesTheLight) {
  TFakeLightHost host(TwoRooms);
  TLight light;
  TLightHost* saved = LightHost;
  LightHost = nullptr;
  TLight::UpdateLitLayer(&light, true);
  EXPECT_TRUE(light.Active);
  TLight::ShowRegionOutline(light);
  LightHost = saved;
}

}  // namespace
