// Fillers hand a span routine to the scanline filler: one call per run of
// pixels on one row, with an optional coverage per pixel.
#pragma once

#include <cstdint>
#include <functional>

#include "raster/Bitmap32.h"

// dst: the run's first destination pixel; (x, y) its position; length
// pixels; coverage: nullptr for full coverage, else one weight (0..255)
// per pixel.
using TFillLineEvent = std::function<void(TColor32* dst, int32_t x, int32_t y, int32_t length, const uint8_t* coverage)>;

class TCustomPolygonFiller {
 public:
  virtual ~TCustomPolygonFiller() = default;
  // The span routine, or an empty function when nothing is to be filled.
  virtual TFillLineEvent FillLineEvent() const = 0;
};

// Tiles PatternBitmap over the plane from (PatternOffsetX, PatternOffsetY)
// and transfers it by the pattern's draw mode.
class TBitmapPolygonFiller : public TCustomPolygonFiller {
 public:
  TFillLineEvent FillLineEvent() const override;

  TBitmap32* PatternBitmap = nullptr;  // not owned
  int32_t PatternOffsetX = 0;
  int32_t PatternOffsetY = 0;
};
