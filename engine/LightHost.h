// What a light needs of the main window: the window implements this, so
// the engine reaches the shared objects without knowing the window.
#pragma once

#include <cstdint>

#include "geometry/Polygons.h"
#include "raster/Layers.h"
#include "raster/PolygonFiller.h"
#include "raster/Transformation.h"

class TLightList;

class TLightHost {
 public:
  virtual ~TLightHost() = default;
  virtual TLightList& Lights() = 0;               // the lights on the field
  virtual const TPolygonList& WallRects() = 0;    // obstacles, cell units
  virtual TBitmapLayer& LayLit() = 0;             // the lit regions
  virtual TBitmapLayer& LayOverlay() = 0;         // outlines, dark remainder
  virtual TBitmapPolygonFiller& LitFiller() = 0;  // pattern: the lit picture
  virtual TAffineTransformation& FieldTransform() = 0;  // cells to pixels
  // The field's pixels per cell, the scale of FieldTransform: where a grid
  // point's icon is centred (GridToPixel).
  virtual int32_t CellPixels() = 0;
  // A new layer on top of the field image, its bitmap width x height with
  // the blend draw mode, placed at (left, top). Owned by the caller.
  virtual TBitmapLayer* NewFieldLayer(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
};

// The program's one main window, as the lights see it; set by the window
// while it lives (and by tests).
extern TLightHost* LightHost;
