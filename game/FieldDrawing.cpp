// The base layers of the field image (engine/FieldScene), and the field
// drawn anew at another size. Only layLit is ever redrawn as a whole while
// the size stays; background, grid and walls are drawn once per size.
#include "art/LightIcons.h"
#include "engine/LevelMap.h"
#include "game/Glowmere.h"
#include "raster/Polygon32.h"

void TfrmGlowmere::BuildLayers() {
  BuildFieldLayers(imgField->Layers(), FieldWidth, FieldHeight);
  DrawGridAndBackground(UnlitPicture());
}

const TBitmap32* TfrmGlowmere::UnlitPicture() const {
  return cellPixels == DesignCellPixels ? imlMap->BitmapAt(1) : pictures_.unlit.get();
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
  SetCellPixels(cell);
  UsePicturesAtCellSize();
  DrawIconsAtCellSize();
  imgField->SetFieldSize(FieldWidth + 2, FieldHeight + 2, cell);
  DrawGridAndBackground(UnlitPicture());
  DrawWalls(*wallPolygons);
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
