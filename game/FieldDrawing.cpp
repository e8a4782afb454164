// The base layers of the field image. Only layLit is ever redrawn as a
// whole; background, grid and walls are drawn once.
#include "engine/LevelMap.h"
#include "game/Glowmere.h"

TBitmapLayer* TfrmGlowmere::NewFieldLayer(int32_t left, int32_t top, int32_t width, int32_t height) {
  auto* layer = new TBitmapLayer(imgField->Layers());
  layer->LayerBitmap().Resize(width, height);
  layer->SetPlacement(TFloatRect{float(left), float(top), float(left) + float(width), float(top) + float(height)});
  layer->LayerBitmap().SetDrawMode(dmBlend);
  return layer;
}

void TfrmGlowmere::BuildLayers() {
  const int32_t w = (FieldWidth + 2) * 10;
  const int32_t h = (FieldHeight + 2) * 10;
  layBackground = NewFieldLayer(0, 0, w, h);
  layLit = NewFieldLayer(0, 0, w, h);
  layWalls = NewFieldLayer(0, 0, w, h);
  layOverlay = NewFieldLayer(0, 0, w, h);
  layWalls->LayerBitmap().Fill(MakeColor32(0, 0, 0, 0));
  layOverlay->LayerBitmap().Fill(MakeColor32(0, 0, 0, 0));
  constexpr TColor32 gridColor = 0x26FFFFFF;
  TBitmap32& walls = layWalls->LayerBitmap();
  for (int32_t i = 1; i <= FieldWidth + 1; ++i) walls.PutLine(10 * i, 10, 10 * i, 10 * (FieldHeight + 1), gridColor, false);
  for (int32_t j = 1; j <= FieldHeight + 1; ++j) walls.PutLine(10, 10 * j, 10 * (FieldWidth + 1), 10 * j, gridColor, false);
  layBackground->LayerBitmap().DrawBitmap(0, 0, imlMap->BitmapAt(1));
}
