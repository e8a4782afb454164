// A rectangle of cells, half open: columns left <= x < right, rows
// top <= y < bottom. Empty when either side is 0 or less.
#pragma once

#include <algorithm>
#include <cstdint>

struct TCellRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  // The smallest rectangle holding both; an empty one adds nothing.
  TCellRect United(const TCellRect& other) const {
    if (other.Empty()) return *this;
    if (Empty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  bool operator==(const TCellRect&) const = default;
};

// The rectangle with corners at cells a and b, both included, in any order.
inline TCellRect CellsBetween(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1};
}
