// An exact model of what a light sees, for checking the clipper-built lit
// regions by area: an angular sweep around the light over the corners of
// the field and of the obstacles, with every decision taken in integer
// arithmetic and only the final points and areas in quad precision.
//
// It shares no code with the engine: no shadows, no clipper, no doubles in
// any decision. For a light anywhere in the signed 32-bit range the area
// it returns is the exact one up to about 1e-20 square cells.
#pragma once

#include <cstdint>
#include <vector>

// An obstacle: the open rectangle (x0, x1) x (y0, y1), integer corners.
struct TModelRect {
  int64_t x0, y0, x1, y1;
};

// Area of the points of the field [0, width] x [0, height] that the point
// (lx, ly) sees: the open segment to them meets the interior of no
// obstacle. Obstacles must lie inside the field and have disjoint
// interiors; a light may stand anywhere, on corners and edges included.
long double VisibleFieldArea(int64_t width, int64_t height, const std::vector<TModelRect>& obstacles, int64_t lx,
                             int64_t ly);
