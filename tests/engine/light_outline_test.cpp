// The region outline on the overlay: an orange band along the region's
// boundary, nothing away from it, and nothing at all for a light that has
// no region yet.
#include <gtest/gtest.h>

#include "FakeLightHost.h"

namespace {

const char* const Room =
    "..........\n"
    "...##.....\n"
    "...##...#.\n"
    "........#.\n"
    "..........\n";

// Opaque orange 0xFFAE00, or a part of it where the band covers a pixel
// only partly: no blue, green in proportion to red.
bool IsOrange(TColor32 c) {
  return BlueOf(c) == 0 && RedOf(c) > 0 && std::abs(int(GreenOf(c)) - int(RedOf(c)) * 0xAE / 0xFF) <= 2;
}

// The band is 0.1 cell wide and its antialiased edge spills at most a pixel
// further, so it stays within 0.2 cell of the boundary; only at a sharp
// corner its mitre reaches out further, at most 14 half-widths (sharper
// corners are bevelled), so pixels near corners are not judged.
bool FarFromOutline(const TPolygon& region, int32_t px, int32_t py) {
  const double x = PixelCentreToCell(px), y = PixelCentreToCell(py);
  if (DistanceToBoundary(region, x, y) <= 0.2) return false;
  for (const TContour& c : region.Contours())
    for (const gpc_vertex& v : c)
      if (std::hypot(v.x - x, v.y - y) <= 14 * 0.05 + 0.1) return false;
  return true;
}

TEST(RegionOutline, OrangeBandFollowsTheBoundaryOnly) {
  TFakeLightHost host(Room);
  TLight& light = host.AddLitLight(1, 4);
  host.layOverlay->LayerBitmap().Fill(0xFF0000FF);
  TLight::ShowRegionOutline(light);
  const TBitmap32& overlay = host.Overlay();
  const TPolygon& region = *light.Region;

  int32_t orange = 0;
  for (int32_t py = 0; py < overlay.Height(); ++py) {
    for (int32_t px = 0; px < overlay.Width(); ++px) {
      const TColor32 c = overlay.ReadPixel(px, py);
      const double d = DistanceToBoundary(region, PixelCentreToCell(px), PixelCentreToCell(py));
      if (c != 0) {
        EXPECT_TRUE(IsOrange(c)) << std::hex << c << " at " << std::dec << px << "," << py;
        ++orange;
      }
      if (FarFromOutline(region, px, py)) {
        EXPECT_EQ(c, 0u) << "far pixel " << px << "," << py << " at " << d;
      }
    }
  }
  EXPECT_GT(orange, 0);

  // Every boundary edge is marked: along each edge, some pixel within one
  // pixel of it carries the band.
  for (const TContour& c : region.Contours()) {
    for (size_t k = 0; k < c.size(); ++k) {
      const gpc_vertex& a = c[k];
      const gpc_vertex& b = c[(k + 1) % c.size()];
      const double len = std::hypot(b.x - a.x, b.y - a.y);
      for (double t = 0.1; t < len - 0.1; t += 0.5) {
        const double x = a.x + (b.x - a.x) * t / len, y = a.y + (b.y - a.y) * t / len;
        const int32_t px = int32_t(std::floor(x * 10 + 10)), py = int32_t(std::floor(y * 10 + 10));
        bool found = false;
        for (int32_t dy = -1; dy <= 1 && !found; ++dy)
          for (int32_t dx = -1; dx <= 1 && !found; ++dx) found = overlay.ReadPixel(px + dx, py + dy) != 0;
        EXPECT_TRUE(found) << "edge point " << x << "," << y;
      }
    }
  }
}

TEST(RegionOutline, ReplacesThePreviousOutline) {
  TFakeLightHost host(Room);
  TLight& first = host.AddLitLight(1, 4);
  TLight& second = host.AddLitLight(10, 0);
  TLight::ShowRegionOutline(first);
  TLight::ShowRegionOutline(second);
  const TBitmap32& overlay = host.Overlay();
  for (int32_t py = 0; py < overlay.Height(); ++py)
    for (int32_t px = 0; px < overlay.Width(); ++px)
      if (FarFromOutline(*second.Region, px, py)) {
        ASSERT_EQ(overlay.ReadPixel(px, py), 0u) << px << "," << py;
      }
}

TEST(RegionOutline, LightWithoutRegionLeavesOverlayAlone) {
  TFakeLightHost host(Room);
  TLight light;
  light.MoveToGridPoint(1, 1);
  host.layOverlay->LayerBitmap().Fill(0xFF0000FF);
  TLight::ShowRegionOutline(light);
  EXPECT_EQ(host.Overlay().ReadPixel(100, 40), 0xFF0000FFu);
}

}  // namespace
