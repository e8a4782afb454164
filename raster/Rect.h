// Integer and float rectangles in pixels: left/top inclusive, right/bottom
// exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  return r.Empty() ? TRect{} : r;
}
inline TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

struct TFloatRect {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TFloatRect&, const TFloatRect&) = default;
};
