// The wall bits: reading the rectangles, and the bit searches along a line.
#include "engine/WallBits.h"

#include <algorithm>
#include <bit>
#include <cstring>

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

// v as a whole number from 0 to limit, or -1.
int32_t Whole(double v, int32_t limit) {
  if (!(v >= 0 && v <= limit)) return -1;
  const auto i = int32_t(v);
  return double(i) == v ? i : -1;
}

// Bits [x0, x1) of a row of words.
void SetBits(uint64_t* row, int32_t x0, int32_t x1) {
  const int32_t w0 = x0 >> 6, w1 = (x1 - 1) >> 6;
  const uint64_t head = ~uint64_t(0) << (x0 & 63);
  const uint64_t tail = ~uint64_t(0) >> (63 - ((x1 - 1) & 63));
  if (w0 == w1) {
    row[w0] |= head & tail;
    return;
  }
  row[w0] |= head;
  for (int32_t w = w0 + 1; w < w1; ++w) row[w] = ~uint64_t(0);
  row[w1] |= tail;
}

// Transposes a 64 x 64 block of bits in place: bit c of a[r] becomes bit r
// of a[c]. Halves, then quarters, ... of the block exchange their
// off-diagonal parts.
void Transpose64(uint64_t (&a)[64]) {
  uint64_t mask = 0x00000000FFFFFFFFull;
  for (int j = 32; j != 0; j >>= 1, mask ^= mask << j) {
    for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
      const uint64_t t = ((a[k] >> j) ^ a[k | j]) & mask;
      a[k] ^= t << j;
      a[k | j] ^= t;
    }
  }
}

}  // namespace

bool TWallBits::SameWalls(const TPolygonList& walls, int32_t width, int32_t height) const {
  if (width != width_ || height != height_ || walls.size() != sizes_.size()) return false;
  const gpc_vertex* seen = corners_.data();
  for (size_t i = 0; i < walls.size(); ++i) {
    const TPolygon* wall = walls[i].get();
    const int32_t size = !wall ? -2 : wall->Contours().empty() ? -1 : int32_t(wall->Contours()[0].size());
    if (size != sizes_[i]) return false;
    if (size <= 0) continue;
    // Bit for bit: a NaN equals itself, and -0 is not taken for 0.
    if (std::memcmp(wall->Contours()[0].data(), seen, size_t(size) * sizeof(gpc_vertex)) != 0) return false;
    seen += size;
  }
  return true;
}

bool TWallBits::Read(const TPolygonList& walls, int32_t width, int32_t height, int64_t lx, int64_t ly) {
  if (!SameWalls(walls, width, height)) Build(walls, width, height);
  if (!usable_) return false;
  for (const TRect& r : thick_)
    if (r.x0 < lx && lx < r.x1 && r.y0 < ly && ly < r.y1) return false;
  return true;
}

void TWallBits::Build(const TPolygonList& walls, int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  sizes_.clear();
  corners_.clear();
  thick_.clear();
  for (const auto& wall : walls) {
    const TPolygon* p = wall.get();
    sizes_.push_back(!p ? -2 : p->Contours().empty() ? -1 : int32_t(p->Contours()[0].size()));
    if (sizes_.back() > 0) corners_.insert(corners_.end(), p->Contours()[0].begin(), p->Contours()[0].end());
  }
  usable_ = false;
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return;
  // A spare bit beyond the last cell keeps the searches for a clear bit
  // inside the words.
  rowWords_ = width / 64 + 1;
  columnWords_ = height / 64 + 1;
  rows_.assign(size_t(rowWords_) * size_t(height), 0);
  for (const auto& wall : walls) {
    if (!wall) continue;
    if (wall->Contours().empty()) return;
    const TContour& c = wall->Contours()[0];
    if (c.size() != 4) return;
    const bool flatFirst = c[0].y == c[1].y && c[1].x == c[2].x && c[2].y == c[3].y && c[3].x == c[0].x;
    const bool tallFirst = c[0].x == c[1].x && c[1].y == c[2].y && c[2].x == c[3].x && c[3].y == c[0].y;
    if (!flatFirst && !tallFirst) return;
    const int32_t xa = Whole(c[0].x, width), xb = Whole(c[2].x, width);
    const int32_t ya = Whole(c[0].y, height), yb = Whole(c[2].y, height);
    if (xa < 0 || xb < 0 || ya < 0 || yb < 0 || xa == xb || ya == yb) return;
    const TRect r{std::min(xa, xb), std::min(ya, yb), std::max(xa, xb), std::max(ya, yb)};
    if (r.x1 - r.x0 >= 2 && r.y1 - r.y0 >= 2) thick_.push_back(r);
    for (int32_t y = r.y0; y < r.y1; ++y) SetBits(&rows_[size_t(y) * size_t(rowWords_)], r.x0, r.x1);
  }
  Transpose();
  usable_ = true;
}

// The columns are the rows transposed, 64 x 64 cells at a time.
void TWallBits::Transpose() {
  columns_.assign(size_t(columnWords_) * size_t(width_), 0);
  uint64_t block[64];
  for (int32_t wy = 0; wy * 64 < height_; ++wy) {
    for (int32_t wx = 0; wx * 64 < width_; ++wx) {
      uint64_t any = 0;
      for (int32_t i = 0; i < 64; ++i) {
        const int32_t y = wy * 64 + i;
        block[i] = y < height_ ? rows_[size_t(y) * size_t(rowWords_) + size_t(wx)] : 0;
        any |= block[i];
      }
      if (any == 0) continue;
      Transpose64(block);
      for (int32_t j = 0; j < 64 && wx * 64 + j < width_; ++j)
        columns_[size_t(wx * 64 + j) * size_t(columnWords_) + size_t(wy)] = block[j];
    }
  }
}
