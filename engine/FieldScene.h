// TFieldScene: the field as it is drawn, without a window. Four base layers
// on a layer stack, bottom first: the background (the unlit picture), the
// lit regions (in the lit picture), the grid lines and walls (the walls in
// the lit picture), and the overlay (a region's outline or the dark
// floor); the lit filler and the field transformation at cellPixels a
// cell. It is the part of the light host that draws, so the game window,
// the judge's pictures and the engine's tests all draw the field through
// the same code; what the lights stand on (Lights, WallRects) is left to
// the one who owns them.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Level.h"
#include "engine/LevelMap.h"
#include "engine/LightHost.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "raster/Layers.h"
#include "raster/PolygonFiller.h"
#include "raster/Transformation.h"

class TFieldScene : public TLightHost {
 public:
  // Puts the four base layers on top of stack (which must outlive them, and
  // which owns them) for a field of width x height cells at cellPixels a
  // cell, the walls and the overlay clear. Call once, before any light.
  void BuildFieldLayers(TLayerCollection& stack, int32_t width, int32_t height);
  // The field's pixels per cell and the transformation that goes with it;
  // the layers are drawn anew by the caller.
  void SetCellPixels(int32_t cell);
  // The base layers at the field's size: the walls layer cleared and its
  // grid lines drawn, the overlay cleared, the background the unlit
  // picture at this size (none: left as it is).
  void DrawGridAndBackground(const TBitmap32* unlit);
  // The walls' outlines (cell units) in the lit picture, over the grid.
  void DrawWalls(const TPolygonList& wallOutlines);
  // The floor that the regions leave dark, over the overlay, as the hint
  // shows it: black with an orange edge, and slivers too small to see as
  // a grown yellow outline.
  void PaintDarkFloor(const TLevel& level, const std::vector<const TPolygon*>& regions);
  void ClearOverlay();

  // TLightHost, the drawing part.
  TBitmapLayer& LayLit() override { return *layLit; }
  TBitmapLayer& LayOverlay() override { return *layOverlay; }
  TBitmapPolygonFiller& LitFiller() override { return litFiller; }
  TAffineTransformation& FieldTransform() override { return fieldTransform; }
  int32_t CellPixels() override { return cellPixels; }
  TBitmapLayer* NewFieldLayer(int32_t left, int32_t top, int32_t width, int32_t height) override;

  // Owned by the stack.
  TBitmapLayer* layBackground = nullptr;
  TBitmapLayer* layLit = nullptr;
  TBitmapLayer* layWalls = nullptr;
  TBitmapLayer* layOverlay = nullptr;
  TBitmapPolygonFiller litFiller;         // its pattern: the lit picture at this size, not owned
  TAffineTransformation fieldTransform;  // cells to field pixels
  int32_t cellPixels = DesignCellPixels;

 private:
  TLayerCollection* stack_ = nullptr;  // not owned
  int32_t width_ = 0, height_ = 0;     // cells, without the margin
};
