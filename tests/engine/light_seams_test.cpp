// The lit layer at twice the design size, where region edges are smoothed:
// lights placed one after the other show the lit picture wherever their
// regions together cover a pixel, along an edge that two regions share
// from either side as along an edge of one that crosses another, and the
// same pixels as a repaint of the whole layer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FakeLightHost.h"

namespace {

constexpr int32_t Cell = 20;

// The field pixel that holds the cell point (x, y).
std::pair<int32_t, int32_t> PixelOf(double x, double y) {
  return {int32_t(std::floor((x + 1) * Cell)), int32_t(std::floor((y + 1) * Cell))};
}

double PixelCentre(int32_t p) { return (p + 0.5) / Cell - 1; }

void ExpectLitPicture(const TFakeLightHost& host, int32_t px, int32_t py) {
  EXPECT_EQ(host.Lit().ReadPixel(px, py), TFakeLightHost::PatternPixel(px, py)) << "pixel (" << px << ", " << py << ")";
}

}  // namespace

// The line y = x / 3 grazes a wall cell below it at (6, 2) and one above it
// at (9, 3). Seen along the line from (0, 0) the first casts its shadow
// below the line and the second above it, from (15, 5) the other way round:
// between the two corners the first light sees the floor above the line,
// the second the floor below it, and every pixel on the line is covered in
// part by each.
TEST(LitLayerSeams, AnEdgeTwoRegionsShareFromEitherSideShowsTheLitPicture) {
  TFakeLightHost host(
      "................\n"
      "................\n"
      ".....#...#......\n"
      "................\n"
      "................\n"
      "................\n",
      Cell);
  const TLight& first = host.AddLitLight(0, 0);
  const TLight& second = host.AddLitLight(15, 5);
  int pixels = 0;
  for (double x = 6.2; x <= 8.8; x += 0.01) {
    const double y = x / 3;
    ASSERT_TRUE(RegionContains(*first.Region, x, y - 0.01) && !RegionContains(*first.Region, x, y + 0.01));
    ASSERT_TRUE(RegionContains(*second.Region, x, y + 0.01) && !RegionContains(*second.Region, x, y - 0.01));
    const auto [px, py] = PixelOf(x, y);
    ExpectLitPicture(host, px, py);
    ++pixels;
    if (HasFailure()) return;
  }
  EXPECT_GT(pixels, 200);
}

// The lights of a player's field on the shipped map: every pixel that an
// edge of one region crosses, inside the union of all four and more than a
// pixel away from the union's boundary, shows the lit picture.
TEST(LitLayerSeams, EdgesThatCrossLitFloorShowTheLitPicture) {
  TFakeLightHost host(LoadMapFile(GLOWMERE_DATA_DIR "/map.txt"), Cell);
  std::vector<const TLight*> lights;
  for (auto [i, j] : {std::pair{33, 22}, {43, 22}, {43, 30}, {26, 19}}) lights.push_back(&host.AddLitLight(i, j));
  TPolygon united;
  for (const TLight* light : lights) united.Clip(GPC_UNION, light->Region.get());
  int pixels = 0;
  for (const TLight* light : lights) {
    for (const TContour& c : light->Region->Contours()) {
      for (size_t k = 0; k < c.size(); ++k) {
        const gpc_vertex a = c[k], b = c[(k + 1) % c.size()];
        const double steps = std::ceil(std::hypot(b.x - a.x, b.y - a.y) * Cell * 2);
        for (double s = 0; s <= steps; ++s) {
          const auto [px, py] = PixelOf(a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps);
          const double cx = PixelCentre(px), cy = PixelCentre(py);
          if (!RegionContains(united, cx, cy) || DistanceToBoundary(united, cx, cy) < 1.0 / Cell) continue;
          ExpectLitPicture(host, px, py);
          ++pixels;
          if (HasFailure()) return;
        }
      }
    }
  }
  EXPECT_GT(pixels, 500);
}

TEST(LitLayerSeams, LightsPlacedOneByOneShowWhatARepaintShows) {
  TFakeLightHost host(LoadMapFile(GLOWMERE_DATA_DIR "/map.txt"), Cell);
  for (auto [i, j] : {std::pair{33, 22}, {43, 22}, {43, 30}, {26, 19}, {50, 21}, {12, 30}}) host.AddLitLight(i, j);
  const TBitmap32& lit = host.Lit();
  const std::vector<TColor32> placed(lit.Bits(), lit.Bits() + size_t(lit.Width()) * size_t(lit.Height()));
  TLight::UpdateLitLayer(nullptr, false);
  EXPECT_TRUE(std::equal(placed.begin(), placed.end(), lit.Bits()));
}
