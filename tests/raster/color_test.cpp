// Colour building and the two blending rules, against hand-worked values
// and a direct per-channel model.
#include <gtest/gtest.h>

#include <random>

#include "raster/Color32.h"

namespace {

// Per-channel model written straight from the rule, with no shortcuts.
TColor32 ModelBlend(TColor32 s, TColor32 d, uint32_t a) {
  TColor32 r = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
    r |= ((sc * a + dc * (256 - a) + 128) / 256) << shift;
  }
  return r;
}

}  // namespace

TEST(Color32, SystemColorSwapsRedAndBlueAndMakesOpaque) {
  EXPECT_EQ(SystemColorToColor32(0x00FFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(SystemColorToColor32(0), 0xFF000000u);
  EXPECT_EQ(SystemColorToColor32(0x00332211), 0xFF112233u);
}

TEST(Color32, NegativeColourLooksUpTheSystemColour) {
  // Index 15, the button face.
  EXPECT_EQ(SystemColorToColor32(int32_t(0x8000000F)), 0xFFF0F0F0u);
  // An index beyond the table still gives an opaque colour.
  EXPECT_EQ(AlphaOf(SystemColorToColor32(int32_t(0x800000FF))), 0xFF);
}

TEST(Color32, GridWhiteOverBlackBlendsAlphaLikeColour) {
  EXPECT_EQ(BlendColor32(0x26FFFFFF, 0xFF000000), 0xDF262626u);
}

TEST(Color32, TransparentSourceKeepsAndOpaqueSourceReplaces) {
  EXPECT_EQ(BlendColor32(0x00FFFFFF, 0x12345678), 0x12345678u);
  EXPECT_EQ(BlendColor32(0xFF102030, 0x12345678), 0xFF102030u);
}

TEST(Color32, BlendMatchesChannelModel) {
  std::mt19937 rng(20090202);
  for (int i = 0; i < 20000; ++i) {
    const TColor32 s = rng(), d = rng();
    const uint32_t a = s >> 24;
    const TColor32 expected = a == 0 ? d : a == 255 ? s : ModelBlend(s, d, a);
    ASSERT_EQ(BlendColor32(s, d), expected) << std::hex << s << " over " << d;
  }
}

TEST(Color32, WeightedBlendScalesWeightByAlpha) {
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const TColor32 c = rng(), d = rng();
    const uint8_t w = uint8_t(rng());
    const uint32_t e = ((uint32_t(c >> 24) + 1) * w) / 256;
    const TColor32 s = (TColor32(w) << 24) | (c & 0xFFFFFF);
    const TColor32 expected = e == 0 ? d : ModelBlend(s, d, e);
    ASSERT_EQ(BlendColor32Weighted(c, w, d), expected);
  }
}

TEST(Color32, WeightedBlendWithZeroWeightOrAlmostNoAlphaKeeps) {
  EXPECT_EQ(BlendColor32Weighted(0xFF000000, 0, 0x11223344), 0x11223344u);
  // Alpha 0 and full weight: e = 255 / 256 = 0.
  EXPECT_EQ(BlendColor32Weighted(0x00000000, 255, 0x11223344), 0x11223344u);
  // Opaque black at full weight over white leaves the rounding residue.
  EXPECT_EQ(BlendColor32Weighted(0xFF000000, 255, 0xFFFFFFFF), 0xFF010101u);
}
