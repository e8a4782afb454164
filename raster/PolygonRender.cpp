// TPolygon32's drawing: the colour and pattern fills through the scanline
// filler, and the one-pixel stroke, plain or antialiased. Every point is
// mapped first; everything is clipped to the bitmap, and a drawing sends
// one change notification for the rectangle it touched.
#include <cmath>

#include "raster/LineWalk.h"
#include "raster/Polygon32.h"
#include "raster/ScanlineFill.h"

namespace {

TArrayOfArrayOfFixedPoint MapContours(const TArrayOfArrayOfFixedPoint& points, const TTransformation* t) {
  if (!t) return points;
  TArrayOfArrayOfFixedPoint mapped(points.size());
  for (size_t c = 0; c < points.size(); ++c) {
    mapped[c].reserve(points[c].size());
    for (const TFixedPoint& p : points[c]) mapped[c].push_back(t->MapPoint(p));
  }
  return mapped;
}

int32_t SamplesPerAxis(const TPolygon32& polygon) {
  if (!polygon.Smooth) return 1;
  return 32 >> std::clamp(polygon.SmoothLevel, 0, 4);
}

void Touch(TRect& touched, const TRect& r) { touched = UnionRect(touched, r); }

// Blends color at (x, y) with weight w (0..1), inside only.
void Plot(TBitmap32& b, int32_t x, int32_t y, TColor32 color, double w, TRect& touched) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return;
  const int32_t weight = int32_t(std::lround(w * 255));
  if (weight <= 0) return;
  TColor32& d = b.ScanLine(y)[x];
  d = BlendColor32Weighted(color, uint8_t(std::min(weight, 255)), d);
  Touch(touched, {x, y, x + 1, y + 1});
}

// Antialiased segment (Wu): along the major axis one step per pixel, the
// intensity split between the two pixels whose centres straddle the line.
// The end pixel is left to the next segment unless includeLast.
void SmoothSegment(TBitmap32& b, TFixedPoint a, TFixedPoint e, TColor32 color, bool includeLast, TRect& touched) {
  // Pixel-centre coordinates: pixel i's centre is at i.
  const double ax = a.X / 65536.0 - 0.5, ay = a.Y / 65536.0 - 0.5;
  const double ex = e.X / 65536.0 - 0.5, ey = e.Y / 65536.0 - 0.5;
  const double dx = ex - ax, dy = ey - ay;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const double m0 = xMajor ? ax : ay, m1 = xMajor ? ex : ey;
  const double n0 = xMajor ? ay : ax;
  const double dm = m1 - m0, dn = xMajor ? dy : dx;
  if (dm == 0) {
    if (includeLast) Plot(b, int32_t(std::lround(ax)), int32_t(std::lround(ay)), color, 1.0, touched);
    return;
  }
  const double slope = dn / dm;
  const int64_t dir = dm > 0 ? 1 : -1;
  int64_t i0 = std::llround(m0), i1 = std::llround(m1);
  if (!includeLast) i1 -= dir;
  // Only the steps inside the bitmap's major extent (coordinates are at
  // most 2^15 pixels away, so this is cheap and exact enough).
  const int64_t majorSize = xMajor ? b.Width() : b.Height();
  int64_t lo = std::min(i0, i1), hi = std::max(i0, i1);
  if ((dir > 0 && i1 < i0) || (dir < 0 && i1 > i0)) return;
  lo = std::max<int64_t>(lo, 0);
  hi = std::min<int64_t>(hi, majorSize - 1);
  for (int64_t i = lo; i <= hi; ++i) {
    const double n = n0 + (double(i) - m0) * slope;
    const double f = std::floor(n);
    const double frac = n - f;
    if (f < -2.0 || f > double(INT32_MAX) - 2) continue;  // wholly outside
    const int32_t ni = int32_t(f);
    const int32_t mi = int32_t(i);
    if (xMajor) {
      Plot(b, mi, ni, color, 1 - frac, touched);
      Plot(b, mi, ni + 1, color, frac, touched);
    } else {
      Plot(b, ni, mi, color, 1 - frac, touched);
      Plot(b, ni + 1, mi, color, frac, touched);
    }
  }
}

// The pixel that holds a mapped point (arithmetic shift floors).
int32_t PixelOf(TFixed v) { return v >> 16; }

void Stroke(TBitmap32& b, const TArrayOfArrayOfFixedPoint& contours, bool closed, bool smooth, TColor32 color,
            TRect& touched) {
  for (const TArrayOfFixedPoint& c : contours) {
    const size_t n = c.size();
    if (n == 0) continue;
    if (n == 1) {
      // A one-point contour is a dot.
      if (smooth) SmoothSegment(b, c[0], c[0], color, true, touched);
      else Plot(b, PixelOf(c[0].X), PixelOf(c[0].Y), color, 1.0, touched);
      continue;
    }
    // Each segment leaves its end to the next one, so that no vertex is
    // blended twice; an open contour draws its very last point.
    const size_t segments = closed ? n : n - 1;
    for (size_t k = 0; k < segments; ++k) {
      const TFixedPoint& a = c[k];
      const TFixedPoint& e = c[k + 1 == n ? 0 : k + 1];
      const bool last = !closed && k + 1 == segments;
      if (smooth) {
        SmoothSegment(b, a, e, color, last, touched);
      } else {
        const TRect r = WalkLine(PixelOf(a.X), PixelOf(a.Y), PixelOf(e.X), PixelOf(e.Y), last, b.Width(), b.Height(),
                                 [&](int32_t x, int32_t y) {
                                   TColor32& d = b.ScanLine(y)[x];
                                   d = BlendColor32(color, d);
                                 });
        Touch(touched, r);
      }
    }
  }
}

}  // namespace

void TPolygon32::Render(TBitmap32& bitmap, TColor32 outlineColor, TColor32 fillColor,
                        const TTransformation* transformation) const {
  if (bitmap.Empty()) return;
  if (AlphaOf(fillColor) == 0 && AlphaOf(outlineColor) == 0) return;
  const TArrayOfArrayOfFixedPoint mapped = MapContours(Points, transformation);
  TRect touched;
  if (AlphaOf(fillColor) != 0) {
    const int32_t samples = SamplesPerAxis(*this);
    TFillLineEvent span;
    if (samples == 1) {
      span = [fillColor](TColor32* d, int32_t, int32_t, int32_t n, const uint8_t*) {
        if (AlphaOf(fillColor) == 255) std::fill_n(d, n, fillColor);
        else for (int32_t i = 0; i < n; ++i) d[i] = BlendColor32(fillColor, d[i]);
      };
    } else {
      span = [fillColor](TColor32* d, int32_t, int32_t, int32_t n, const uint8_t* w) {
        for (int32_t i = 0; i < n; ++i) d[i] = BlendColor32Weighted(fillColor, w[i], d[i]);
      };
    }
    Touch(touched, FillContours(bitmap, mapped, FillRule == pfWinding, samples, span));
  }
  if (AlphaOf(outlineColor) != 0) Stroke(bitmap, mapped, ClosedContours, Smooth, outlineColor, touched);
  bitmap.Changed(touched);
}

void TPolygon32::RenderPattern(TBitmap32& bitmap, const TCustomPolygonFiller& filler,
                               const TTransformation* transformation) const {
  if (bitmap.Empty()) return;
  const TFillLineEvent span = filler.FillLineEvent();
  if (!span) return;
  const TArrayOfArrayOfFixedPoint mapped = MapContours(Points, transformation);
  bitmap.Changed(FillContours(bitmap, mapped, FillRule == pfWinding, SamplesPerAxis(*this), span));
}
