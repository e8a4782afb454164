// A light's icon layer: creation, centring of icons of either parity and
// size, moving, showing and hiding, and a light placed far off the field.
#include <gtest/gtest.h>

#include <climits>

#include "FakeLightHost.h"

namespace {

const char* const OpenField =
    "......\n"
    "......\n"
    "......\n";

// An opaque icon whose pixels all differ, so that a copy can be checked.
std::unique_ptr<TBitmap32> MakeIcon(int32_t w, int32_t h, uint8_t tag) {
  auto icon = std::make_unique<TBitmap32>();
  icon->Resize(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) icon->WritePixel(x, y, MakeColor32(uint8_t(x), uint8_t(y), tag, 0xFF));
  return icon;
}

bool ShowsIcon(const TLight& light, const TBitmap32& icon) {
  const TBitmap32& shown = light.Layer->LayerBitmap();
  if (shown.Width() != icon.Width() || shown.Height() != icon.Height()) return false;
  for (int32_t y = 0; y < icon.Height(); ++y)
    for (int32_t x = 0; x < icon.Width(); ++x)
      if (shown.ReadPixel(x, y) != icon.ReadPixel(x, y)) return false;
  return true;
}

TEST(LightCreate, NewLightHasTransparentPixelLayerOnTopAndNoPlace) {
  TFakeLightHost host(OpenField);
  const int32_t before = host.layers.Count();
  TLight light;
  ASSERT_EQ(host.layers.Count(), before + 1);
  EXPECT_EQ(host.layers.Items(before), light.Layer);
  const TBitmap32& bitmap = light.Layer->LayerBitmap();
  EXPECT_EQ(bitmap.Width(), 1);
  EXPECT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(bitmap.ReadPixel(0, 0), 0u);
  EXPECT_EQ(bitmap.DrawMode(), dmBlend);
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{0, 0, 1, 1}));
  EXPECT_EQ(light.GridX, -1);
  EXPECT_EQ(light.GridY, -1);
  EXPECT_EQ(light.PixelX, 0);
  EXPECT_EQ(light.PixelY, 0);
  EXPECT_FALSE(light.Active);
  EXPECT_EQ(light.Region, nullptr);
}

TEST(LightCreate, LaterLightsLieAboveEarlierOnes) {
  TFakeLightHost host(OpenField);
  TLight first;
  TLight second;
  EXPECT_LT(host.layers.IndexOf(first.Layer), host.layers.IndexOf(second.Layer));
}

TEST(LightCreate, WithoutHostIsRefused) {
  TLightHost* saved = LightHost;
  LightHost = nullptr;
  EXPECT_THROW(TLight(), std::logic_error);
  LightHost = saved;
}

TEST(LightIcon, LargeThenSmallIconIsRecentredOnGridPoint) {
  TFakeLightHost host(OpenField);
  const auto large = MakeIcon(26, 26, 1);
  const auto small = MakeIcon(20, 20, 2);
  TLight light;
  light.MoveToGridPoint(0, 0);
  EXPECT_EQ(light.PixelX, 10);
  EXPECT_EQ(light.PixelY, 10);

  light.SetIcon(large.get());
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{-3, -3, 23, 23}));
  EXPECT_TRUE(ShowsIcon(light, *large));

  light.SetIcon(small.get());
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{0, 0, 20, 20}));
  EXPECT_TRUE(ShowsIcon(light, *small));

  light.SetIcon(large.get());
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{-3, -3, 23, 23}));
}

TEST(LightIcon, OddSizeHalfIsTruncated) {
  TFakeLightHost host(OpenField);
  const auto icon = MakeIcon(7, 5, 3);
  TLight light;
  light.MoveToPixel(100, 50);
  light.SetIcon(icon.get());
  // 7 div 2 = 3, 5 div 2 = 2.
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{97, 48, 104, 53}));
}

TEST(LightIcon, SameSizeIconReplacesThePicture) {
  TFakeLightHost host(OpenField);
  const auto one = MakeIcon(26, 26, 1);
  const auto other = MakeIcon(26, 26, 9);
  TLight light;
  light.SetIcon(one.get());
  light.SetIcon(other.get());
  EXPECT_TRUE(ShowsIcon(light, *other));
}

TEST(LightIcon, MovingKeepsIconAndShiftsPlacement) {
  TFakeLightHost host(OpenField);
  const auto icon = MakeIcon(26, 26, 4);
  TLight light;
  light.SetIcon(icon.get());
  light.MoveToPixel(57, 31);
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{44, 18, 70, 44}));
  EXPECT_TRUE(ShowsIcon(light, *icon));
  light.MoveToGridPoint(3, 2);
  EXPECT_EQ(light.GridX, 3);
  EXPECT_EQ(light.GridY, 2);
  EXPECT_EQ(light.PixelX, 40);
  EXPECT_EQ(light.PixelY, 30);
  EXPECT_EQ(light.Layer->Placement(), (TFloatRect{27, 17, 53, 43}));
}

TEST(LightIcon, MoveToPixelKeepsGridPoint) {
  TFakeLightHost host(OpenField);
  TLight light;
  light.MoveToGridPoint(2, 1);
  light.MoveToPixel(200, 200);
  EXPECT_EQ(light.GridX, 2);
  EXPECT_EQ(light.GridY, 1);
}

TEST(LightIcon, VisibilityFollowsSetVisible) {
  TFakeLightHost host(OpenField);
  TLight light;
  light.SetVisible(false);
  EXPECT_FALSE(light.Layer->Visible());
  light.SetVisible(true);
  EXPECT_TRUE(light.Layer->Visible());
}

// A loaded solution may put a light anywhere in the int range; its icon
// must stay a finite, correctly sized rectangle far off the field.
TEST(LightIcon, ExtremeGridPointGivesSaneFarPlacement) {
  TFakeLightHost host(OpenField);
  const auto icon = MakeIcon(26, 26, 5);
  TLight light;
  light.SetIcon(icon.get());
  for (const auto& [i, j] : {std::pair{INT_MAX, INT_MIN}, std::pair{INT_MIN, INT_MAX}, std::pair{INT_MAX, INT_MAX}}) {
    light.MoveToGridPoint(i, j);
    EXPECT_EQ(light.PixelX, GridToPixel(i));
    EXPECT_EQ(light.PixelY, GridToPixel(j));
    const TFloatRect& r = light.Layer->Placement();
    EXPECT_EQ(r.Right - r.Left, 26.0f);
    EXPECT_EQ(r.Bottom - r.Top, 26.0f);
    EXPECT_LE(std::fabs(r.Left), float(1 << 24));
    EXPECT_LE(std::fabs(r.Top), float(1 << 24));
    // Far from the field in the direction of the grid point.
    EXPECT_EQ(r.Left > 1000, i > 0);
    EXPECT_EQ(r.Top > 1000, j > 0);
    const TRect b = light.Layer->Bounds();
    EXPECT_EQ(b.Right - b.Left, 26);
    EXPECT_TRUE(ShowsIcon(light, *icon));
  }
}

}  // namespace
