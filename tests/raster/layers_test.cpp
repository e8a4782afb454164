// The layer stack: order of registration, invalid areas after every kind of
// change, and composition against a per-pixel model of the stack.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/Layers.h"

namespace {

TFloatRect At(int32_t x, int32_t y, int32_t w, int32_t h) {
  return {float(x), float(y), float(x + w), float(y + h)};
}

struct TInvalidLog {
  std::vector<TRect> areas;
  void Attach(TLayerCollection& c) {
    c.SetOnInvalidate([this](const TRect& r) { areas.push_back(r); });
  }
};

}  // namespace

TEST(LayerStack, LayersAppendOnTopAndLeaveOnDestruction) {
  TLayerCollection stack;
  auto* a = new TBitmapLayer(stack);
  auto* b = new TBitmapLayer(stack);
  EXPECT_EQ(stack.Count(), 2);
  EXPECT_EQ(stack.IndexOf(a), 0);
  EXPECT_EQ(stack.IndexOf(b), 1);
  delete a;
  EXPECT_EQ(stack.Count(), 1);
  EXPECT_EQ(stack.Items(0), b);
  EXPECT_EQ(stack.IndexOf(a), -1);
  // b is deleted by the stack (a leak or double free would show under ASan).
}

TEST(LayerInvalidation, BitmapChangeInvalidatesItsControlPixels) {
  TInvalidLog log;  // outlives the layer, which reports its area on leaving
  TLayerCollection stack;
  TBitmapLayer layer(stack);
  layer.LayerBitmap().Resize(10, 10);
  layer.SetPlacement(At(100, 50, 10, 10));
  stack.TakeInvalidRect();
  log.Attach(stack);
  layer.LayerBitmap().PutLine(2, 3, 5, 3, 0xFFFFFFFF, false);
  ASSERT_EQ(log.areas.size(), 1u);
  EXPECT_EQ(log.areas[0], (TRect{102, 53, 105, 54}));
  EXPECT_EQ(stack.TakeInvalidRect(), (TRect{102, 53, 105, 54}));
  EXPECT_TRUE(stack.InvalidRect().Empty());
}

TEST(LayerInvalidation, ScaledLayerMapsChangeThroughPlacement) {
  TLayerCollection stack;
  TBitmapLayer layer(stack);
  layer.LayerBitmap().Resize(4, 4);
  layer.SetPlacement(At(0, 0, 8, 8));
  stack.TakeInvalidRect();
  layer.LayerBitmap().PutLine(1, 1, 1, 1, 1, true);
  EXPECT_EQ(stack.TakeInvalidRect(), (TRect{2, 2, 4, 4}));
}

TEST(LayerInvalidation, PlacementInvalidatesOldAndNewArea) {
  TInvalidLog log;
  TLayerCollection stack;
  TBitmapLayer layer(stack);
  layer.LayerBitmap().Resize(4, 4);
  layer.SetPlacement(At(0, 0, 4, 4));
  stack.TakeInvalidRect();
  log.Attach(stack);
  layer.SetPlacement(At(10, 0, 4, 4));
  ASSERT_EQ(log.areas.size(), 2u);
  EXPECT_EQ(log.areas[0], (TRect{0, 0, 4, 4}));
  EXPECT_EQ(log.areas[1], (TRect{10, 0, 14, 4}));
  EXPECT_EQ(stack.InvalidRect(), (TRect{0, 0, 14, 4}));
  layer.SetPlacement(At(10, 0, 4, 4));  // unchanged: nothing
  EXPECT_EQ(log.areas.size(), 2u);
}

TEST(LayerInvalidation, VisibilityAndDestructionInvalidate) {
  TLayerCollection stack;
  auto* layer = new TBitmapLayer(stack);
  layer->LayerBitmap().Resize(3, 3);
  layer->SetPlacement(At(5, 5, 3, 3));
  stack.TakeInvalidRect();
  layer->SetVisible(false);
  EXPECT_EQ(stack.TakeInvalidRect(), (TRect{5, 5, 8, 8}));
  // A hidden layer's pixels change nothing on screen.
  layer->LayerBitmap().Fill(0xFFFFFFFF);
  EXPECT_TRUE(stack.TakeInvalidRect().Empty());
  layer->SetVisible(true);
  EXPECT_EQ(stack.TakeInvalidRect(), (TRect{5, 5, 8, 8}));
  delete layer;
  EXPECT_EQ(stack.TakeInvalidRect(), (TRect{5, 5, 8, 8}));
}

TEST(LayerComposition, SmallStackMatchesPerPixelModel) {
  const uint32_t seed = 6002;
  std::mt19937 rng(seed);
  const TDrawMode modes[] = {dmOpaque, dmBlend, dmTransparent};
  for (int trial = 0; trial < 30; ++trial) {
    TLayerCollection stack;
    struct TModelLayer {
      TBitmapLayer* layer;
      int32_t x, y;
    };
    std::vector<TModelLayer> model;
    const int count = 1 + int(rng() % 5);
    for (int i = 0; i < count; ++i) {
      auto* layer = new TBitmapLayer(stack);
      const int32_t w = 1 + int32_t(rng() % 12), h = 1 + int32_t(rng() % 12);
      const int32_t x = int32_t(rng() % 20) - 5, y = int32_t(rng() % 20) - 5;
      layer->LayerBitmap().Resize(w, h);
      for (int32_t py = 0; py < h; ++py)
        for (int32_t px = 0; px < w; ++px) {
          // Few distinct colours, so that the transparent key occurs.
          const TColor32 palette[] = {0x00000000, 0xFFFF00FF, 0x80FF8000, 0xFF00FF00, 0x26FFFFFF};
          layer->LayerBitmap().WritePixel(px, py, palette[rng() % 5]);
        }
      layer->LayerBitmap().SetDrawMode(modes[rng() % 3]);
      layer->LayerBitmap().SetOuterColor(0xFFFF00FF);
      layer->SetPlacement(At(x, y, w, h));
      layer->SetVisible(rng() % 4 != 0);
      model.push_back({layer, x, y});
    }
    TBitmap32 target;
    target.Resize(16, 16);
    target.Fill(0xDEADBEEF);  // must be cleared inside the area only
    const TRect area{2, 1, 15, 13};
    stack.Compose(target, area);
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 16; ++x) {
        TColor32 expected = 0xDEADBEEF;
        if (x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom) {
          expected = 0;
          for (const auto& m : model) {
            const TBitmap32& b = m.layer->LayerBitmap();
            if (!m.layer->Visible() || x < m.x || y < m.y || x >= m.x + b.Width() || y >= m.y + b.Height()) continue;
            const TColor32 s = b.ReadPixel(x - m.x, y - m.y);
            if (b.DrawMode() == dmOpaque) expected = s;
            else if (b.DrawMode() == dmBlend) expected = BlendColor32(s, expected);
            else if (s != b.OuterColor()) expected = s;
          }
        }
        ASSERT_EQ(target.ReadPixel(x, y), expected) << "seed " << seed << " trial " << trial << " at " << x << "," << y;
      }
  }
}

TEST(LayerComposition, ScaledLayerSamplesNearestPixel) {
  TLayerCollection stack;
  TBitmapLayer layer(stack);
  layer.LayerBitmap().Resize(2, 1);
  layer.LayerBitmap().WritePixel(0, 0, 0xFF0000FF);
  layer.LayerBitmap().WritePixel(1, 0, 0xFFFF0000);
  layer.SetPlacement(At(1, 0, 4, 2));
  TBitmap32 target;
  target.Resize(6, 2);
  stack.Compose(target, target.BoundsRect());
  const TColor32 row[] = {0, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000, 0xFFFF0000, 0};
  for (int32_t x = 0; x < 6; ++x) {
    EXPECT_EQ(target.ReadPixel(x, 0), row[x]) << x;
    EXPECT_EQ(target.ReadPixel(x, 1), row[x]) << x;
  }
}
