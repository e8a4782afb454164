// A light host without a window, for the engine's tests and benchmarks: the
// field's scene (engine/FieldScene: the four base layers, 620 x 410 for the
// shipped map at the design size, the lit filler and the field
// transformation) on a layer stack of its own, with an opaque pattern for
// the lit picture, the light list and the level of a text-picture map
// with its wall rectangles; it installs itself as LightHost while it
// lives. The field may be drawn at another number of pixels a cell, as on
// a screen of another pixel ratio.
//
// The pattern's pixel at (x, y) is PatternPixel(x, y), so a test can tell a
// filled pixel from any other value.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "engine/FieldScene.h"
#include "engine/Level.h"
#include "engine/Light.h"
#include "engine/LightHost.h"
#include "engine/LevelMap.h"
#include "engine/MapText.h"
#include "engine/Visibility.h"
#include "raster/Layers.h"
#include "raster/PolygonFiller.h"
#include "raster/Transformation.h"
#include "support/RegionModel.h"

class TFakeLightHost : public TFieldScene {
 public:
  // picture: a text-picture map as LoadMapText reads it.
  explicit TFakeLightHost(const std::string& picture, int32_t cell = DesignCellPixels)
      : TFakeLightHost(LoadMapText(picture), cell) {}
  explicit TFakeLightHost(std::unique_ptr<TBitmap32> levelMap, int32_t cell = DesignCellPixels)
      : map(std::move(levelMap)), level(*map) {
    previousHost_ = LightHost;
    previousWidth_ = FieldWidth;
    previousHeight_ = FieldHeight;
    previousVisWidth_ = VisWidth;
    previousVisHeight_ = VisHeight;
    LightHost = this;

    map->SetOuterColor(FreePixel);
    FieldWidth = map->Width();
    FieldHeight = map->Height();
    SetFieldSize(FieldWidth, FieldHeight);
    int32_t wallCount = 0;
    wallRects = BuildWallRects(*map, wallCount);
    map->SetOuterColor(WallPixel);

    SetCellPixels(cell);
    BuildFieldLayers(layers, FieldWidth, FieldHeight);
    const int32_t w = (FieldWidth + 2) * cell;
    const int32_t h = (FieldHeight + 2) * cell;
    pattern.Resize(w, h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) pattern.WritePixel(x, y, PatternPixel(x, y));
    pattern.SetDrawMode(dmBlend);
    litFiller.PatternBitmap = &pattern;
  }

  ~TFakeLightHost() override {
    // The lights repaint through this host while they go, so they go first.
    lights.Clear();
    LightHost = previousHost_;
    FieldWidth = previousWidth_;
    FieldHeight = previousHeight_;
    SetFieldSize(previousVisWidth_, previousVisHeight_);
  }

  static constexpr TColor32 PatternPixel(int32_t x, int32_t y) {
    return MakeColor32(uint8_t(x), uint8_t(y), uint8_t(0x80 + (x >> 8) + 4 * (y >> 8)), 0xFF);
  }

  TLightList& Lights() override { return lights; }
  const TPolygonList& WallRects() override { return wallRects; }

  // A light of the list, placed on (i, j) and lit.
  TLight& AddLitLight(int32_t i, int32_t j) {
    auto light = std::make_unique<TLight>();
    TLight& added = *light;
    lights.Add(std::move(light));
    added.MoveToGridPoint(i, j);
    TLight::UpdateLitLayer(&added, true);
    return added;
  }

  const TBitmap32& Lit() const { return layLit->LayerBitmap(); }
  const TBitmap32& Overlay() const { return layOverlay->LayerBitmap(); }

  // Declared first, destroyed last: the layers, the lights' icon layers
  // included, must not outlive their collection.
  TLayerCollection layers;
  std::unique_ptr<TBitmap32> map;
  const TLevel level;  // of map, the outside free as the window reads it
  TBitmap32 pattern;
  // BuildWallRects of the map; a test may add obstacles of its own.
  TPolygonList wallRects;
  TLightList lights;

 private:
  TLightHost* previousHost_;
  int32_t previousWidth_, previousHeight_, previousVisWidth_, previousVisHeight_;
};

// The centre of field pixel (px, py) in cell units.
inline double PixelCentreToCell(int32_t p) { return (p + 0.5 - 10.0) / 10.0; }
