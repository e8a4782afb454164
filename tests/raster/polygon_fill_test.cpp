// Polygon fills: the pixel-centre rule against an exact point model,
// shared edges, whole-field cover, smooth coverage, pattern placement, and
// the stroke and notification of Render.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "raster_support.h"

namespace {

TFixedPoint Px(double x, double y) { return {ToFixed(x), ToFixed(y)}; }

TPolygon32 Rect(double x0, double y0, double x1, double y1) {
  TPolygon32 p;
  p.AppendPoint(Px(x0, y0));
  p.AppendPoint(Px(x1, y0));
  p.AppendPoint(Px(x1, y1));
  p.AppendPoint(Px(x0, y1));
  return p;
}

TAffineTransformation FieldTransform() {
  TAffineTransformation t;
  t.ScaleBy(10, 10);
  t.TranslateBy(10, 10);
  return t;
}

}  // namespace

TEST(PolygonFill, RectangleCoversPixelsWhoseCentresAreInside) {
  TBitmap32 b;
  b.Resize(8, 6);
  Rect(1, 1, 5, 4).RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(Picture(b),
            "........\n"
            ".####...\n"
            ".####...\n"
            ".####...\n"
            "........\n"
            "........\n");
}

TEST(PolygonFill, RandomPolygonsMatchPointModelAtPixelCentres) {
  const uint32_t seed = 31337;
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int32_t> coord(-5 * FixedOne, 45 * FixedOne);
  for (int trial = 0; trial < 300; ++trial) {
    TPolygon32 p;
    const int contours = 1 + int(rng() % 3);
    for (int c = 0; c < contours; ++c) {
      if (c > 0) p.StartContour();
      const int n = 1 + int(rng() % 9);  // some too short to count
      for (int i = 0; i < n; ++i) {
        // Now and then snap to whole and half pixels, where the
        // tie-breaking rules decide.
        TFixedPoint q{coord(rng), coord(rng)};
        if (rng() % 3 == 0) q = {q.X & ~0x7FFF, q.Y & ~0x7FFF};
        p.AppendPoint(q);
      }
    }
    p.FillRule = rng() % 2 ? pfWinding : pfAlternate;
    TBitmap32 b;
    b.Resize(40, 30);
    p.RenderPattern(b, TCountingFiller(), nullptr);
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        const bool inside = ModelInside(p.Points, int64_t(x) * FixedOne + FixedOne / 2,
                                        int64_t(y) * FixedOne + FixedOne / 2, p.FillRule == pfWinding);
        ASSERT_EQ(b.ReadPixel(x, y), inside ? 1u : 0u)
            << "seed " << seed << " trial " << trial << " pixel " << x << "," << y;
      }
  }
}

TEST(PolygonFill, AdjacentPolygonsLeaveNoGapAndNoOverlap) {
  // A jittered grid of quadrilaterals tiling [10, 610] x [10, 400]: every
  // pixel inside is handed out exactly once.
  const uint32_t seed = 2718;
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> jitter(-4.3, 4.3);
  const int nx = 12, ny = 9;
  std::vector<std::vector<TFixedPoint>> grid(nx + 1, std::vector<TFixedPoint>(ny + 1));
  for (int i = 0; i <= nx; ++i)
    for (int j = 0; j <= ny; ++j) {
      const double x = 10 + 600.0 * i / nx + (i > 0 && i < nx ? jitter(rng) : 0);
      const double y = 10 + 390.0 * j / ny + (j > 0 && j < ny ? jitter(rng) : 0);
      grid[i][j] = Px(x, y);
    }
  TBitmap32 b;
  b.Resize(620, 410);
  for (int i = 0; i < nx; ++i)
    for (int j = 0; j < ny; ++j) {
      TPolygon32 q;
      // Alternate the winding direction: neighbours' shared edges then run
      // the same way or opposite ways.
      const TFixedPoint c[4] = {grid[i][j], grid[i + 1][j], grid[i + 1][j + 1], grid[i][j + 1]};
      for (int k = 0; k < 4; ++k) q.AppendPoint(c[(i + j) % 2 ? 3 - k : k]);
      q.RenderPattern(b, TCountingFiller(), nullptr);
    }
  for (int32_t y = 0; y < 410; ++y)
    for (int32_t x = 0; x < 620; ++x) {
      const bool inside = x >= 10 && x < 610 && y >= 10 && y < 400;
      ASSERT_EQ(b.ReadPixel(x, y), inside ? 1u : 0u) << "seed " << seed << " pixel " << x << "," << y;
    }
}

TEST(PolygonFill, WholeFieldThroughFieldTransformCoversEveryFieldPixel) {
  const TAffineTransformation t = FieldTransform();
  TBitmap32 b;
  b.Resize(620, 410);
  Rect(0, 0, 60, 39).RenderPattern(b, TCountingFiller(), &t);
  int64_t count = 0;
  for (int32_t y = 0; y < 410; ++y)
    for (int32_t x = 0; x < 620; ++x) count += b.ReadPixel(x, y);
  EXPECT_EQ(count, 600 * 390);
  EXPECT_EQ(b.ReadPixel(10, 10), 1u);
  EXPECT_EQ(b.ReadPixel(609, 399), 1u);
  EXPECT_EQ(b.ReadPixel(610, 399), 0u);
}

TEST(PolygonFill, HugeCoordinatesAreClippedWithoutOverflow) {
  TPolygon32 p;
  p.AppendPoint({INT32_MIN, INT32_MIN});
  p.AppendPoint({INT32_MAX, INT32_MIN + 7});
  p.AppendPoint({INT32_MAX - 3, INT32_MAX});
  p.AppendPoint({INT32_MIN + 1, INT32_MAX});
  TBitmap32 b;
  b.Resize(5, 4);
  p.RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(Picture(b), "#####\n#####\n#####\n#####\n");
  // Through a transformation that saturates every point.
  TAffineTransformation t;
  t.ScaleBy(1e9f, 1e9f);
  TBitmap32 c;
  c.Resize(5, 4);
  Rect(-1, -1, 1, 1).RenderPattern(c, TCountingFiller(), &t);
  EXPECT_EQ(Picture(c), "#####\n#####\n#####\n#####\n");
}

TEST(PolygonFill, SelfOverlapFollowsTheFillRule) {
  TPolygon32 p = Rect(0, 0, 6, 3);
  const TPolygon32 inner = Rect(2, 0, 4, 3);
  p.StartContour();
  for (const TFixedPoint& q : inner.Points[0]) p.AppendPoint(q);
  TBitmap32 b;
  b.Resize(6, 3);
  p.RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(Picture(b), "##..##\n##..##\n##..##\n");
  p.FillRule = pfWinding;
  b.Fill(0);
  p.RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(Picture(b), "######\n######\n######\n");
}

TEST(PolygonSmooth, HalfCoveredPixelWeighsAbout128) {
  TPolygon32 p = Rect(1, 1, 3.5, 2);
  p.Smooth = true;
  p.SmoothLevel = 0;
  TBitmap32 b;
  b.Resize(5, 3);
  p.RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(b.ReadPixel(0, 1), 0u);
  EXPECT_EQ(b.ReadPixel(1, 1), 255u);
  EXPECT_EQ(b.ReadPixel(2, 1), 255u);
  EXPECT_EQ(b.ReadPixel(3, 1), 128u);
  EXPECT_EQ(b.ReadPixel(4, 1), 0u);
  EXPECT_EQ(b.ReadPixel(1, 0), 0u);
}

TEST(PolygonSmooth, CoverageIsTheShareOfInsideSamplePoints) {
  const uint32_t seed = 99;
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int32_t> coord(-2 * FixedOne, 14 * FixedOne);
  for (int level = 0; level <= 4; ++level) {
    const int32_t s = 32 >> level;
    for (int trial = 0; trial < 20; ++trial) {
      TPolygon32 p;
      const int n = 3 + int(rng() % 6);
      for (int i = 0; i < n; ++i) p.AppendPoint({coord(rng), coord(rng)});
      p.Smooth = true;
      p.SmoothLevel = level;
      TBitmap32 b;
      b.Resize(12, 12);
      p.RenderPattern(b, TCountingFiller(), nullptr);
      const int64_t step = FixedOne / s;
      for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 12; ++x) {
          int32_t inside = 0;
          for (int32_t j = 0; j < s; ++j)
            for (int32_t i = 0; i < s; ++i)
              inside += ModelInside(p.Points, x * int64_t(FixedOne) + i * step + step / 2,
                                    y * int64_t(FixedOne) + j * step + step / 2, false);
          const uint32_t expected = uint32_t((inside * 255 + s * s / 2) / (s * s));
          ASSERT_EQ(b.ReadPixel(x, y), expected)
              << "seed " << seed << " level " << level << " trial " << trial << " pixel " << x << "," << y;
        }
    }
  }
}

TEST(PolygonRender, OpaqueFillWithoutOutlineFillsOnly) {
  TBitmap32 b;
  b.Resize(6, 5);
  b.Fill(0xFFFFFFFF);
  Rect(1, 1, 4, 3).Render(b, 0x00FFAE00, 0xFF000000, nullptr);
  EXPECT_EQ(Picture(b, 0xFFFFFFFF) , "......\n.???..\n.???..\n......\n......\n");
  EXPECT_EQ(b.ReadPixel(1, 1), 0xFF000000u);
}

TEST(PolygonRender, OutlineWithoutFillStrokesOnly) {
  TBitmap32 b;
  b.Resize(6, 5);
  Rect(1, 1, 4, 3).Render(b, 0xFF000001, 0x00FFFFFF, nullptr);
  // The stroke runs through the corner pixels (1,1) (4,1) (4,3) (1,3).
  EXPECT_EQ(b.ReadPixel(1, 1), 0xFF000001u);
  EXPECT_EQ(Picture(b, 0), "......\n.????.\n.?..?.\n.????.\n......\n");
}

TEST(PolygonRender, TranslucentFillBlendsOnce) {
  TBitmap32 b;
  b.Resize(4, 4);
  b.Fill(0xFF000000);
  Rect(0, 0, 4, 4).Render(b, 0, 0x26FFFFFF, nullptr);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) ASSERT_EQ(b.ReadPixel(x, y), 0xDF262626u);
}

TEST(PolygonRender, SmoothStrokeIsThinAndBlendsPartially) {
  TPolygon32 p = Rect(2.5, 2.5, 12.5, 8.5);  // edges through pixel centres
  p.Smooth = true;
  p.SmoothLevel = 0;
  TBitmap32 b;
  b.Resize(15, 11);
  b.Fill(0xFF000000);
  p.Render(b, 0xFFFFAE00, 0, nullptr);
  EXPECT_EQ(b.ReadPixel(7, 2), BlendColor32Weighted(0xFFFFAE00, 255, 0xFF000000));
  EXPECT_EQ(b.ReadPixel(7, 3), 0xFF000000u);
  EXPECT_EQ(b.ReadPixel(7, 5), 0xFF000000u);
  // Off-centre line: two neighbours share the intensity.
  TPolygon32 q;
  q.ClosedContours = false;
  q.Smooth = true;
  q.AppendPoint(Px(0, 5.75));
  q.AppendPoint(Px(15, 5.75));
  b.Fill(0xFF000000);
  q.Render(b, 0xFFFFFFFF, 0, nullptr);
  EXPECT_EQ(b.ReadPixel(7, 5), BlendColor32Weighted(0xFFFFFFFF, 191, 0xFF000000));
  EXPECT_EQ(b.ReadPixel(7, 6), BlendColor32Weighted(0xFFFFFFFF, 64, 0xFF000000));
}

TEST(PolygonRender, OneNotificationForTheTouchedRectangle) {
  TBitmap32 b;
  b.Resize(20, 20);
  std::vector<TRect> changes;
  b.SetOnChange([&](const TRect& r) { changes.push_back(r); });
  Rect(3, 4, 9, 10).Render(b, 0xFFFFFFFF, 0xFF000000, nullptr);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (TRect{3, 4, 10, 11}));  // the stroke reaches (9, 10)
  changes.clear();
  Rect(3, 4, 9, 10).RenderPattern(b, TCountingFiller(), nullptr);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (TRect{3, 4, 9, 10}));
  changes.clear();
  Rect(30, 4, 39, 10).Render(b, 0xFFFFFFFF, 0xFF000000, nullptr);  // outside
  EXPECT_TRUE(changes.empty());
}

TEST(PolygonRender, ShortContoursAndEmptyBitmapsDrawNothing) {
  TPolygon32 p;
  p.AppendPoint(Px(1, 1));
  p.AppendPoint(Px(5, 5));
  TBitmap32 b;
  b.Resize(6, 6);
  p.RenderPattern(b, TCountingFiller(), nullptr);
  EXPECT_EQ(Picture(b), std::string(6, '.').append("\n").append(std::string(6, '.')).append("\n") +
                            "......\n......\n......\n......\n");
  TBitmap32 empty;
  Rect(0, 0, 5, 5).Render(empty, 0xFFFFFFFF, 0xFFFFFFFF, nullptr);
}
