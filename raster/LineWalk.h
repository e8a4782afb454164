// The pixels of a one-pixel line between two integer points, clipped to a
// width x height grid, for PutLine and the plain polygon stroke.
//
// Steps i = 0..n run along the major axis (n = the larger of |dx|, |dy|);
// the minor coordinate at step i is the start's plus i*d/n rounded half up,
// so axis-parallel lines are the plain runs from the first point towards
// the second. Clipping solves for the range of steps inside the grid
// (directly on the major axis, by bisection on the monotone minor axis), so
// a line from far outside costs only the part that is drawn, and no
// coordinate in the 32-bit range can overflow (slopes multiply in 128 bits).
#pragma once

#include <algorithm>
#include <cstdint>

#include "raster/Rect.h"

// Calls plot(x, y) for every pixel in order; returns the touched rectangle
// (empty when nothing was inside).
template <class TPlot>
TRect WalkLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool includeLast, int32_t width, int32_t height,
               TPlot&& plot) {
  if (width <= 0 || height <= 0) return {};
  const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;
  int64_t last = includeLast ? n : n - 1;
  if (last < 0) return {};

  const int64_t major0 = xMajor ? x1 : y1;
  const int64_t minor0 = xMajor ? y1 : x1;
  const int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int64_t minorDelta = xMajor ? dy : dx;
  const int64_t majorSize = xMajor ? width : height;
  const int64_t minorSize = xMajor ? height : width;

  auto minorAt = [&](int64_t i) -> int64_t {
    if (n == 0) return minor0;
    // floor((2*i*d + n) / (2n)), exact.
    const __int128 num = __int128(2) * i * minorDelta + n;
    const __int128 den = __int128(2) * n;
    __int128 q = num / den;
    if (num % den != 0 && num < 0) --q;
    return minor0 + int64_t(q);
  };

  int64_t first = 0;
  if (majorStep > 0) {
    first = std::max<int64_t>(first, -major0);
    last = std::min<int64_t>(last, majorSize - 1 - major0);
  } else {
    first = std::max<int64_t>(first, major0 - (majorSize - 1));
    last = std::min<int64_t>(last, major0);
  }
  if (first > last) return {};

  const bool rising = minorDelta >= 0;
  auto pastLowEdge = [&](int64_t i) { return rising ? minorAt(i) >= 0 : minorAt(i) < minorSize; };
  auto beforeHighEdge = [&](int64_t i) { return rising ? minorAt(i) < minorSize : minorAt(i) >= 0; };
  if (!pastLowEdge(last) || !beforeHighEdge(first)) return {};
  {
    int64_t lo = first, hi = last;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (pastLowEdge(mid)) hi = mid; else lo = mid + 1;
    }
    first = lo;
  }
  {
    int64_t lo = first, hi = last;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo + 1) / 2;
      if (beforeHighEdge(mid)) lo = mid; else hi = mid - 1;
    }
    last = lo;
  }
  if (first > last) return {};

  TRect touched{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int64_t i = first; i <= last; ++i) {
    const int64_t major = major0 + majorStep * i;
    const int64_t minor = minorAt(i);
    const int32_t px = int32_t(xMajor ? major : minor);
    const int32_t py = int32_t(xMajor ? minor : major);
    plot(px, py);
    touched.Left = std::min(touched.Left, px);
    touched.Top = std::min(touched.Top, py);
    touched.Right = std::max(touched.Right, px + 1);
    touched.Bottom = std::max(touched.Bottom, py + 1);
  }
  return touched;
}
