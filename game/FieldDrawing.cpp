// The base layers of the field image, and the field drawn anew at another
// size. Only layLit is ever redrawn as a whole while the size stays;
// background, grid and walls are drawn once per size.
//
// Every size is drawn by the same code through the field transformation
// (cellPixels a cell, a margin of one cell): at the design size, 10, that
// is exactly the field as it always was.
#include "art/LightIcons.h"
#include "engine/LevelMap.h"
#include "game/Glowmere.h"
#include "raster/Polygon32.h"

TBitmapLayer* TfrmGlowmere::NewFieldLayer(int32_t left, int32_t top, int32_t width, int32_t height) {
  auto* layer = new TBitmapLayer(imgField->Layers());
  layer->LayerBitmap().Resize(width, height);
  layer->SetPlacement(TFloatRect{float(left), float(top), float(left) + float(width), float(top) + float(height)});
  layer->LayerBitmap().SetDrawMode(dmBlend);
  return layer;
}

void TfrmGlowmere::BuildLayers() {
  const int32_t w = (FieldWidth + 2) * cellPixels;
  const int32_t h = (FieldHeight + 2) * cellPixels;
  layBackground = NewFieldLayer(0, 0, w, h);
  layLit = NewFieldLayer(0, 0, w, h);
  layWalls = NewFieldLayer(0, 0, w, h);
  layOverlay = NewFieldLayer(0, 0, w, h);
  DrawGridAndBackground();
}

void TfrmGlowmere::DrawGridAndBackground() {
  const int32_t c = cellPixels;
  const int32_t w = (FieldWidth + 2) * c;
  const int32_t h = (FieldHeight + 2) * c;
  for (TBitmapLayer* layer : {layBackground, layLit, layWalls, layOverlay}) {
    layer->LayerBitmap().Resize(w, h);
    layer->SetPlacement(TFloatRect{0, 0, float(w), float(h)});
  }
  layWalls->LayerBitmap().Fill(MakeColor32(0, 0, 0, 0));
  layOverlay->LayerBitmap().Fill(MakeColor32(0, 0, 0, 0));
  // Grid lines one pixel wide at the design size, as wide as the scale
  // rounds to when drawn larger, over the grid point's own pixel.
  constexpr TColor32 gridColor = 0x26FFFFFF;
  TBitmap32& walls = layWalls->LayerBitmap();
  const int32_t thickness = std::max(1, (c + 4) / DesignCellPixels);
  for (int32_t k = 0; k < thickness; ++k) {
    const int32_t d = k - (thickness - 1) / 2;
    for (int32_t i = 1; i <= FieldWidth + 1; ++i) walls.PutLine(c * i + d, c, c * i + d, c * (FieldHeight + 1), gridColor, false);
    for (int32_t j = 1; j <= FieldHeight + 1; ++j) walls.PutLine(c, c * j + d, c * (FieldWidth + 1), c * j + d, gridColor, false);
  }
  layBackground->LayerBitmap().DrawBitmap(0, 0, cellPixels == DesignCellPixels ? imlMap->BitmapAt(1) : pictures_.unlit.get());
}

void TfrmGlowmere::DrawWalls() {
  for (const auto& wall : *wallPolygons) Polygon32(*wall).RenderPattern(layWalls->LayerBitmap(), litFiller, &fieldTransform);
}

void TfrmGlowmere::UsePicturesAtCellSize() {
  if (cellPixels == DesignCellPixels) {
    pictures_ = {};
    litFiller.PatternBitmap = imlMap->BitmapAt(2);
    return;
  }
  if (!fieldArt_) {
    fieldArt_ = std::make_unique<TFieldArt>(level->Walls(), *imlMap->BitmapAt(1), *imlMap->BitmapAt(2));
    // The exact pictures replace the scaled ones while the size is the same.
    fieldArt_->OnExactPictures = [this](int32_t cell) {
      if (cell == cellPixels) ScaleField(cell);
    };
  }
  pictures_ = fieldArt_->PicturesAt(cellPixels);
  pictures_.lit->SetDrawMode(dmBlend);
  litFiller.PatternBitmap = pictures_.lit.get();
}

void TfrmGlowmere::DrawIconsAtCellSize() {
  const double scale = double(cellPixels) / DesignCellPixels;
  const std::vector<LightIcon> drawn = cellPixels == DesignCellPixels ? std::vector<LightIcon>{} : DrawLightIcons(scale);
  for (int32_t k = 0; k < imlPoints2.Count(); ++k) {
    TBitmap32& shown = imlPointsShown.Count() > k ? *imlPointsShown.BitmapAt(k) : imlPointsShown.Add();
    if (drawn.empty()) {
      const TBitmap32& design = *imlPoints2.BitmapAt(k);
      shown.Resize(design.Width(), design.Height());
      std::copy(design.Bits(), design.Bits() + size_t(design.Width()) * size_t(design.Height()), shown.Bits());
    } else {
      CopyLevelImage(drawn[size_t(k)].image, shown);
    }
    shown.SetDrawMode(dmTransparent);
    shown.SetOuterColor(IconOuterColor);
  }
}

void TfrmGlowmere::ScaleField(int32_t cell) {
  const int32_t before = cellPixels;
  cellPixels = cell;
  SetFieldTransform(fieldTransform, cell);
  UsePicturesAtCellSize();
  DrawIconsAtCellSize();
  imgField->SetFieldSize(FieldWidth + 2, FieldHeight + 2, cell);
  DrawGridAndBackground();
  DrawWalls();
  // Every icon where its light stands at this size; a light in hand where
  // the pointer is, until the pointer moves.
  cursorLight->MoveToGridPoint(cursorLight->GridX, cursorLight->GridY);
  cursorLight->RefreshIcon();
  for (const auto& light : lights) {
    if (light.get() == dragLight) continue;
    light->MoveToGridPoint(light->GridX, light->GridY);
    light->RefreshIcon();
  }
  if (dragLight) {
    dragLight->MoveToPixel(int32_t(int64_t(dragLight->PixelX) * cell / before),
                           int32_t(int64_t(dragLight->PixelY) * cell / before));
    dragLight->RefreshIcon();
  }
  TLight::UpdateLitLayer(nullptr, false);
  if (hoverLight && !dragLight) TLight::ShowRegionOutline(*hoverLight);
  KeepDarkFloorShown();
}
