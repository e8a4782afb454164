// Which grid points see a point, without any lit region: a sweep over the
// wall grid, row of grid points by row, away from the point.
//
// The answer is conservative in one direction, by design. A grid point is
// left out only when the segment from it to the point meets a wall
// rectangle shrunk by `margin` on every side (the runs of wall cells along
// a row, and every two wall cells above one another, so that no seam
// between two wall cells lets a segment through). A segment that meets
// such a shrunk rectangle passes through the inside of a wall even when its
// far end moves by less than `margin`: so a grid point that is left out
// lights nothing within `margin` of the point (up to sets of no area). A
// grid point whose view of the point passes exactly through a corner
// where two wall cells meet diagonally is kept, although only that line is
// seen. Along a grid line the answer is exact: a grid point is kept when
// the row of cells on one side of the line is free all along the view. The solver builds its witness rows from
// this, which keeps every lower bound sound (a row never misses a
// candidate that could light its witness) at a small fraction of the cost
// of testing the point against every candidate's region.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/gpc.h"

class TSightGrid {
 public:
  // walls: width * height cells, row by row, nonzero = wall. margin in
  // cells, above 0 and below 1/4.
  TSightGrid(int32_t width, int32_t height, const std::vector<uint8_t>& walls, double margin);

  // Appends to points the grid points (i, j), 0 <= i <= width and
  // 0 <= j <= height, numbered j * (width + 1) + i, that see p as described
  // above, in no particular order. p lies in the field and not strictly
  // inside a wall rectangle shrunk by the margin.
  void PointsSeeing(gpc_vertex p, std::vector<int32_t>& points) const;

 private:
  struct TBox {
    double left, right, top, bottom;  // cells, in the frame of its half
  };
  // The grid points on one side of p: below it in the field's frame
  // (Flipped = false) or above it, in a frame turned upside down.
  struct THalf {
    // boxes[j]: the shrunk rectangles whose lower side lies between grid
    // rows j - 1 and j, so that they stand between p and grid row j once
    // the sweep reaches it.
    std::vector<std::vector<TBox>> boxes;
  };

  void SweepHalf(const THalf& half, bool flipped, double px, double py, std::vector<int32_t>& points) const;
  void SweepRow(double px, int32_t j, std::vector<int32_t>& points) const;
  bool WallAt(int32_t x, int32_t y) const;

  int32_t width_, height_;
  double margin_;
  std::vector<uint8_t> walls_;
  THalf down_, up_;
};
