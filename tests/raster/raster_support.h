// Helpers shared by the polygon tests: a counting filler, text pictures and
// an exact point-in-polygon model of the fill's sampling rule.
#pragma once

#include <string>
#include <vector>

#include "raster/Polygon32.h"

// Adds one to every pixel handed to it (and records coverage), so that
// double coverage and gaps both show.
class TCountingFiller : public TCustomPolygonFiller {
 public:
  TFillLineEvent FillLineEvent() const override {
    return [](TColor32* d, int32_t, int32_t, int32_t n, const uint8_t* w) {
      for (int32_t i = 0; i < n; ++i) d[i] += w ? w[i] : 1;
    };
  }
};

inline std::string Picture(const TBitmap32& b, TColor32 background = 0) {
  std::string s;
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      const TColor32 c = b.ReadPixel(x, y);
      s += c == background ? '.' : c == 1 ? '#' : c == 2 ? '2' : '?';
    }
    s += '\n';
  }
  return s;
}

// Whether the sample point (sx, sy) (16.16) is inside the contours, each
// edge tested on its own: an edge counts when the point's row lies in its
// half-open span (top inclusive) and its crossing, taken top to bottom and
// floored to 1/65536, is at or left of the point.
inline bool ModelInside(const TArrayOfArrayOfFixedPoint& contours, int64_t sx, int64_t sy, bool nonZero) {
  int winding = 0;
  for (const auto& c : contours) {
    if (c.size() < 3) continue;
    for (size_t k = 0; k < c.size(); ++k) {
      TFixedPoint a = c[k], b = c[(k + 1) % c.size()];
      if (a.Y == b.Y) continue;
      const int dir = b.Y > a.Y ? 1 : -1;
      if (dir < 0) std::swap(a, b);
      if (!(a.Y <= sy && sy < b.Y)) continue;
      const __int128 num = __int128(sy - a.Y) * (int64_t(b.X) - a.X);
      const __int128 den = int64_t(b.Y) - a.Y;
      __int128 q = num / den;
      if (num % den != 0 && num < 0) --q;
      if (a.X + q <= sx) winding += dir;
    }
  }
  return nonZero ? winding != 0 : (winding & 1) != 0;
}
