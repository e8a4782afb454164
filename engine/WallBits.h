// The wall rectangles that a lit region is cut by, as the bits of the cells
// they cover: one bit per cell, kept both by rows and by columns, so that
// the sweep of a light's sight finds the next wall cell along a row or a
// column a machine word at a time. Read from the rectangles themselves
// (the level's WallRects, or any list a caller hands ComputeLitRegion),
// not from the map's cells (engine/WallGrid.h), since the rectangles are
// what the region is defined against.
//
// The bits are kept from one lit region to the next while the walls stay the
// same: every call compares the walls' corners with those it was built
// from (a fraction of the cost of building them again), so no change of a
// wall list can leave stale bits behind. Each thread keeps its own.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/Polygons.h"

// One row or column of cells: bit i is cell i, i from 0 to Size() - 1.
class TBitLine {
 public:
  TBitLine(const uint64_t* words, int32_t size) : words_(words), size_(size) {}
  int32_t Size() const { return size_; }
  bool Test(int32_t i) const { return (words_[i >> 6] >> (i & 63)) & 1; }
  // The first set (or clear) bit at i or after, up to last; last + 1 when
  // there is none. 0 <= i, last < Size().
  int32_t NextSet(int32_t i, int32_t last) const { return Next(i, last, 0); }
  int32_t NextClear(int32_t i, int32_t last) const { return Next(i, last, ~uint64_t(0)); }
  // The last set (or clear) bit at i or before, down to first; first - 1
  // when there is none.
  int32_t PrevSet(int32_t i, int32_t first) const { return Prev(i, first, 0); }
  int32_t PrevClear(int32_t i, int32_t first) const { return Prev(i, first, ~uint64_t(0)); }

 private:
  int32_t Next(int32_t i, int32_t last, uint64_t flip) const;
  int32_t Prev(int32_t i, int32_t first, uint64_t flip) const;

  const uint64_t* words_;
  int32_t size_;
};

class TWallBits {
 public:
  // The largest field side the bits take; larger fields are left to the
  // shadow subtraction.
  static constexpr int32_t MaxSide = 4096;

  // Reads walls (null entries skipped) for a field of width x height cells.
  // False, with the bits unusable, when the field is empty or larger than
  // MaxSide, or when a wall's first contour is not four corners in order of
  // an axis-parallel rectangle with integer corners and positive sides
  // inside the field, or when (lx, ly) lies strictly inside a wall: the
  // sweep is not the rule for such walls, the shadows are.
  bool Read(const TPolygonList& walls, int32_t width, int32_t height, int64_t lx, int64_t ly);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  TBitLine Row(int32_t y) const { return {&rows_[size_t(y) * size_t(rowWords_)], width_}; }
  TBitLine Column(int32_t x) const { return {&columns_[size_t(x) * size_t(columnWords_)], height_}; }
  bool Wall(int32_t x, int32_t y) const { return Row(y).Test(x); }

 private:
  struct TRect {
    int32_t x0, y0, x1, y1;
  };
  // Whether walls are those the bits were last built from, for this field.
  bool SameWalls(const TPolygonList& walls, int32_t width, int32_t height) const;
  void Build(const TPolygonList& walls, int32_t width, int32_t height);
  void Transpose();

  bool usable_ = false;
  std::vector<int32_t> sizes_;         // per wall: its first contour's length, -1 none
  std::vector<gpc_vertex> corners_;    // those contours, one after another
  std::vector<TRect> thick_;           // walls with grid points inside them
  int32_t width_ = 0, height_ = 0;
  int32_t rowWords_ = 0, columnWords_ = 0;
  std::vector<uint64_t> rows_;     // height_ rows of rowWords_ words
  std::vector<uint64_t> columns_;  // width_ columns of columnWords_ words
};
