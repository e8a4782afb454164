// The wall grid: reading the rectangles, and the bit searches along a line.
#include "engine/WallGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>

int32_t TBitLine::Next(int32_t i, int32_t last, uint64_t flip) const {
  if (i > last) return last + 1;
  int32_t w = i >> 6;
  uint64_t word = (words_[w] ^ flip) & (~uint64_t(0) << (i & 63));
  const int32_t lastWord = last >> 6;
  while (word == 0) {
    if (++w > lastWord) return last + 1;
    word = words_[w] ^ flip;
  }
  return std::min(last + 1, (w << 6) + std::countr_zero(word));
}

int32_t TBitLine::Prev(int32_t i, int32_t first, uint64_t flip) const {
  if (i < first) return first - 1;
  int32_t w = i >> 6;
  uint64_t word = (words_[w] ^ flip) & (~uint64_t(0) >> (63 - (i & 63)));
  const int32_t firstWord = first >> 6;
  while (word == 0) {
    if (--w < firstWord) return first - 1;
    word = words_[w] ^ flip;
  }
  return std::max(first - 1, (w << 6) + 63 - std::countl_zero(word));
}

namespace {

bool WholeIn(double v, int32_t limit) { return v >= 0 && v <= limit && v == std::floor(v); }

}  // namespace

bool TWallGrid::Read(const TPolygonList& walls, int32_t width, int32_t height, int64_t lx, int64_t ly) {
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return false;
  width_ = width;
  height_ = height;
  // A spare bit beyond the last cell keeps the searches for a clear bit
  // inside the words.
  rowWords_ = width / 64 + 1;
  columnWords_ = height / 64 + 1;
  rows_.assign(size_t(rowWords_) * size_t(height), 0);
  columns_.assign(size_t(columnWords_) * size_t(width), 0);
  for (const auto& wall : walls) {
    if (!wall) continue;
    if (wall->Contours().empty()) return false;
    const TContour& c = wall->Contours()[0];
    if (c.size() != 4) return false;
    const bool flatFirst = c[0].y == c[1].y && c[1].x == c[2].x && c[2].y == c[3].y && c[3].x == c[0].x;
    const bool tallFirst = c[0].x == c[1].x && c[1].y == c[2].y && c[2].x == c[3].x && c[3].y == c[0].y;
    if (!flatFirst && !tallFirst) return false;
    for (const gpc_vertex& v : c)
      if (!WholeIn(v.x, width) || !WholeIn(v.y, height)) return false;
    const auto x0 = int32_t(std::min(c[0].x, c[2].x)), x1 = int32_t(std::max(c[0].x, c[2].x));
    const auto y0 = int32_t(std::min(c[0].y, c[2].y)), y1 = int32_t(std::max(c[0].y, c[2].y));
    if (x0 == x1 || y0 == y1) return false;
    if (x0 < lx && lx < x1 && y0 < ly && ly < y1) return false;
    for (int32_t y = y0; y < y1; ++y) {
      uint64_t* row = &rows_[size_t(y) * size_t(rowWords_)];
      for (int32_t x = x0; x < x1; ++x) row[x >> 6] |= uint64_t(1) << (x & 63);
    }
    for (int32_t x = x0; x < x1; ++x) {
      uint64_t* column = &columns_[size_t(x) * size_t(columnWords_)];
      for (int32_t y = y0; y < y1; ++y) column[y >> 6] |= uint64_t(1) << (y & 63);
    }
  }
  return true;
}
