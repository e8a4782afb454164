// The field's drawing steps, at any size through the field transformation
// (cellPixels a cell, a margin of one cell): at the design size, 10, that
// is exactly the field as it always was.
#include "engine/FieldScene.h"

#include <algorithm>
#include <cassert>
#include <memory>

#include "engine/Verdict.h"
#include "raster/Polygon32.h"

namespace {
constexpr TColor32 Transparent = 0x00000000;
constexpr TColor32 Orange = 0xFFFFAE00;
constexpr TColor32 Black = 0xFF000000;
constexpr TColor32 Yellow = 0xFFFFFF00;
// Grid lines: white, faint.
constexpr TColor32 GridColor = 0x26FFFFFF;
}  // namespace

TBitmapLayer* TFieldScene::NewFieldLayer(int32_t left, int32_t top, int32_t width, int32_t height) {
  assert(stack_ && "BuildFieldLayers comes first");
  auto* layer = new TBitmapLayer(*stack_);
  layer->LayerBitmap().Resize(width, height);
  layer->SetPlacement(TFloatRect{float(left), float(top), float(left) + float(width), float(top) + float(height)});
  layer->LayerBitmap().SetDrawMode(dmBlend);
  return layer;
}

void TFieldScene::BuildFieldLayers(TLayerCollection& stack, int32_t width, int32_t height) {
  stack_ = &stack;
  width_ = width;
  height_ = height;
  const int32_t w = (width + 2) * cellPixels;
  const int32_t h = (height + 2) * cellPixels;
  layBackground = NewFieldLayer(0, 0, w, h);
  layLit = NewFieldLayer(0, 0, w, h);
  layWalls = NewFieldLayer(0, 0, w, h);
  layOverlay = NewFieldLayer(0, 0, w, h);
  layWalls->LayerBitmap().Fill(Transparent);
  layOverlay->LayerBitmap().Fill(Transparent);
}

void TFieldScene::SetCellPixels(int32_t cell) {
  cellPixels = cell;
  SetFieldTransform(fieldTransform, cell);
}

void TFieldScene::DrawGridAndBackground(const TBitmap32* unlit) {
  const int32_t c = cellPixels;
  const int32_t w = (width_ + 2) * c;
  const int32_t h = (height_ + 2) * c;
  for (TBitmapLayer* layer : {layBackground, layLit, layWalls, layOverlay}) {
    layer->LayerBitmap().Resize(w, h);
    layer->SetPlacement(TFloatRect{0, 0, float(w), float(h)});
  }
  layWalls->LayerBitmap().Fill(Transparent);
  layOverlay->LayerBitmap().Fill(Transparent);
  // Grid lines one pixel wide at the design size, as wide as the scale
  // rounds to when drawn larger, over the grid point's own pixel.
  TBitmap32& walls = layWalls->LayerBitmap();
  const int32_t thickness = std::max(1, (c + 4) / DesignCellPixels);
  for (int32_t k = 0; k < thickness; ++k) {
    const int32_t d = k - (thickness - 1) / 2;
    for (int32_t i = 1; i <= width_ + 1; ++i) walls.PutLine(c * i + d, c, c * i + d, c * (height_ + 1), GridColor, false);
    for (int32_t j = 1; j <= height_ + 1; ++j) walls.PutLine(c, c * j + d, c * (width_ + 1), c * j + d, GridColor, false);
  }
  layBackground->LayerBitmap().DrawBitmap(0, 0, unlit);
}

void TFieldScene::DrawWalls(const TPolygonList& wallOutlines) {
  for (const auto& wall : wallOutlines) Polygon32(*wall).RenderPattern(layWalls->LayerBitmap(), litFiller, &fieldTransform);
}

void TFieldScene::PaintDarkFloor(const TLevel& level, const std::vector<const TPolygon*>& regions) {
  const std::unique_ptr<TPolygon> dark = DarkRemainderOf(level.Floor(), regions);
  TPolygon32& shape = Polygon32(*dark);
  shape.SmoothLevel = 0;
  shape.Smooth = true;
  TBitmap32& overlay = layOverlay->LayerBitmap();
  if (dark->Area() > 0.5L) {
    shape.Render(overlay, Orange, Black, &fieldTransform);
  } else {
    // Slivers too small to see are marked by a grown outline.
    const auto outline = shape.MakeOutline();
    const auto band = outline->OffsetContours(-6554, 0.0f);
    band->Render(overlay, Orange, Yellow, &fieldTransform);
  }
}

void TFieldScene::ClearOverlay() { layOverlay->LayerBitmap().Fill(Transparent); }
