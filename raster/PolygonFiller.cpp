// The pattern filler's span routines. The pattern tiles the plane from its
// offset; a run is cut where it wraps at the pattern's right edge, and each
// piece is one memcpy (opaque) or one tight blend loop.
#include "raster/PolygonFiller.h"

#include <cstring>

namespace {

// Non-negative remainder, for pattern rows and columns left of or above
// the offset.
int32_t Wrap(int64_t v, int32_t size) {
  const int64_t r = v % size;
  return int32_t(r < 0 ? r + size : r);
}

}  // namespace

TFillLineEvent TBitmapPolygonFiller::FillLineEvent() const {
  const TBitmap32* pattern = PatternBitmap;
  if (!pattern || pattern->Empty()) return {};
  const TDrawMode mode = pattern->DrawMode();
  if (mode == dmCustom || (mode == dmBlend && pattern->MasterAlpha() == 0)) return {};
  const int32_t offsetX = PatternOffsetX, offsetY = PatternOffsetY;

  return [pattern, mode, offsetX, offsetY](TColor32* dst, int32_t x, int32_t y, int32_t length,
                                           const uint8_t* coverage) {
    const int32_t pw = pattern->Width();
    const TColor32* row = pattern->ScanLine(Wrap(int64_t(y) - offsetY, pattern->Height()));
    const TColor32 key = pattern->OuterColor();
    int32_t column = Wrap(int64_t(x) - offsetX, pw);
    while (length > 0) {
      const int32_t n = std::min(length, pw - column);
      const TColor32* s = row + column;
      if (coverage) {
        for (int32_t i = 0; i < n; ++i) {
          if (mode == dmTransparent && s[i] == key) continue;
          // Inside, an opaque pattern pixel is copied as it is.
          dst[i] = coverage[i] == 255 && (s[i] >> 24) == 255 ? s[i] : BlendColor32Weighted(s[i], coverage[i], dst[i]);
        }
        coverage += n;
      } else if (mode == dmOpaque) {
        std::memcpy(dst, s, size_t(n) * sizeof(TColor32));
      } else if (mode == dmBlend) {
        for (int32_t i = 0; i < n; ++i) {
          const TColor32 c = s[i];
          // The lit picture is opaque throughout; its pixels just copy.
          dst[i] = (c >> 24) == 255 ? c : BlendColor32(c, dst[i]);
        }
      } else {
        for (int32_t i = 0; i < n; ++i)
          if (s[i] != key) dst[i] = s[i];
      }
      dst += n;
      length -= n;
      column = 0;
    }
  };
}
