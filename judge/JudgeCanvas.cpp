#include "judge/JudgeCanvas.h"

#include "engine/LevelMap.h"
#include "engine/Visibility.h"

TJudgeCanvas::TJudgeCanvas(const TLevelChoice& choice, const TLevel& level) : level_(level) {
  LoadLevelLists(choice, imlMap_, imlPoints_);
  previousHost_ = LightHost;
  LightHost = this;
  // The engine's field size, which the grid conversions and the lights'
  // regions read, as the window sets it from the map.
  FieldWidth = level.Width();
  FieldHeight = level.Height();
  SetFieldSize(level.Width(), level.Height());
  // The window's steps at its design size, in its order: the base layers,
  // the walls in the lit picture while it blends, then the picture opaque.
  SetCellPixels(DesignCellPixels);
  BuildFieldLayers(stack_, level.Width(), level.Height());
  DrawGridAndBackground(imlMap_.BitmapAt(1));
  TBitmap32& lit = *imlMap_.BitmapAt(2);
  lit.SetDrawMode(dmBlend);
  litFiller.PatternBitmap = &lit;
  DrawWalls(level.WallOutlines());
  SetBitmapAlpha(lit, 255);
  composed_.Resize((level.Width() + 2) * cellPixels, (level.Height() + 2) * cellPixels);
}

TJudgeCanvas::~TJudgeCanvas() {
  // Switched off first, so that no light's going repaints the others.
  for (const auto& light : lights_) light->Active = false;
  lights_.Clear();
  if (LightHost == this) LightHost = previousHost_;
}

const TBitmap32& TJudgeCanvas::Compose(const std::vector<TGridPoint>& points) {
  for (const auto& light : lights_) light->Active = false;
  lights_.Clear();
  AddLitLights(points, imlPoints_.BitmapAt(icPlaced));
  // As the hint shows the field while it is held.
  ClearOverlay();
  PaintDarkFloor(level_, RegionsOf(lights_));
  stack_.Compose(composed_, composed_.BoundsRect());
  return composed_;
}
