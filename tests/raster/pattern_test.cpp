// The pattern filler: where pattern pixels land, how they are transferred,
// and that a filler without a pattern fills nothing.
#include <gtest/gtest.h>

#include "raster_support.h"

namespace {

TPolygon32 Rect(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  TPolygon32 p;
  p.AppendPoint({x0 * FixedOne, y0 * FixedOne});
  p.AppendPoint({x1 * FixedOne, y0 * FixedOne});
  p.AppendPoint({x1 * FixedOne, y1 * FixedOne});
  p.AppendPoint({x0 * FixedOne, y1 * FixedOne});
  return p;
}

// A pattern whose every pixel names its own position.
void Numbered(TBitmap32& b, int32_t w, int32_t h) {
  b.Resize(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.WritePixel(x, y, 0xFF000000 | TColor32(y << 8) | TColor32(x));
}

}  // namespace

TEST(PatternFiller, PatternAsLargeAsDestinationLandsInPlace) {
  TBitmap32 pattern, dst;
  Numbered(pattern, 30, 20);
  pattern.SetDrawMode(dmBlend);
  dst.Resize(30, 20);
  TBitmapPolygonFiller filler;
  filler.PatternBitmap = &pattern;
  Rect(2, 3, 25, 17).RenderPattern(dst, filler, nullptr);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 30; ++x) {
      const bool inside = x >= 2 && x < 25 && y >= 3 && y < 17;
      ASSERT_EQ(dst.ReadPixel(x, y), inside ? pattern.ReadPixel(x, y) : 0u) << x << "," << y;
    }
}

TEST(PatternFiller, SmallPatternTilesFromItsOffset) {
  TBitmap32 pattern, dst;
  Numbered(pattern, 3, 2);
  dst.Resize(10, 7);
  TBitmapPolygonFiller filler;
  filler.PatternBitmap = &pattern;
  filler.PatternOffsetX = 5;
  filler.PatternOffsetY = -3;
  Rect(0, 0, 10, 7).RenderPattern(dst, filler, nullptr);
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const int32_t px = ((x - 5) % 3 + 3) % 3, py = ((y + 3) % 2 + 2) % 2;
      ASSERT_EQ(dst.ReadPixel(x, y), pattern.ReadPixel(px, py)) << x << "," << y;
    }
}

TEST(PatternFiller, DrawModeDecidesCopyOrBlend) {
  TBitmap32 pattern, dst;
  pattern.Resize(1, 1);
  pattern.Fill(0x26FFFFFF);
  dst.Resize(2, 1);
  dst.Fill(0xFF000000);
  TBitmapPolygonFiller filler;
  filler.PatternBitmap = &pattern;
  Rect(0, 0, 1, 1).RenderPattern(dst, filler, nullptr);
  EXPECT_EQ(dst.ReadPixel(0, 0), 0x26FFFFFFu);  // opaque mode copies
  pattern.SetDrawMode(dmBlend);
  Rect(1, 0, 2, 1).RenderPattern(dst, filler, nullptr);
  EXPECT_EQ(dst.ReadPixel(1, 0), 0xDF262626u);
}

TEST(PatternFiller, CoverageWeighsThePatternPixel) {
  TBitmap32 pattern, dst;
  pattern.Resize(4, 4);
  pattern.Fill(0xFFFFFFFF);
  dst.Resize(4, 1);
  dst.Fill(0xFF000000);
  TBitmapPolygonFiller filler;
  filler.PatternBitmap = &pattern;
  TPolygon32 p;
  p.AppendPoint({0, 0});
  p.AppendPoint({FixedOne * 5 / 2, 0});
  p.AppendPoint({FixedOne * 5 / 2, FixedOne});
  p.AppendPoint({0, FixedOne});
  p.Smooth = true;
  p.SmoothLevel = 0;
  p.RenderPattern(dst, filler, nullptr);
  EXPECT_EQ(dst.ReadPixel(1, 0), 0xFFFFFFFFu) << "covered whole, the opaque pattern pixel as it is";
  EXPECT_EQ(dst.ReadPixel(2, 0), BlendColor32Weighted(0xFFFFFFFF, 128, 0xFF000000));
  EXPECT_EQ(dst.ReadPixel(3, 0), 0xFF000000u);
}

TEST(PatternFiller, NoPatternFillsNothingAndSendsNothing) {
  TBitmapPolygonFiller filler;
  EXPECT_FALSE(filler.FillLineEvent());
  TBitmap32 empty;
  filler.PatternBitmap = &empty;
  EXPECT_FALSE(filler.FillLineEvent());
  TBitmap32 dst;
  dst.Resize(3, 3);
  int changes = 0;
  dst.SetOnChange([&](const TRect&) { ++changes; });
  Rect(0, 0, 3, 3).RenderPattern(dst, filler, nullptr);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(dst.ReadPixel(1, 1), 0u);
}
