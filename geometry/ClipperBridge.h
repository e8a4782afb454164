// Between the GPC records (double vertices) and the Clipper library (64-bit
// integer vertices): the per-call integer frame and the conversions. Used
// only inside geometry/.
//
// The frame is a power of two, 2^exponent, chosen from the largest finite
// magnitude among all operands of one call so that that magnitude lands
// just under 2^60. Powers of two keep integers and halves exact; 2^60 stays
// a quarter below the largest coordinate that Clipper's 128-bit arithmetic
// accepts (about 4.6e18), which leaves room for its own rounding.
#pragma once

#include <polyclipping/clipper.hpp>

#include <cstdint>

#include "geometry/gpc.h"

constexpr int ClipperFrameBits = 60;

// True when the list has a vertex array and every coordinate is finite.
// Contours with a NaN or an infinity are left out of every operation: they
// have no sound integer image.
bool IsUsableContour(const gpc_vertex_list& contour);

class TClipperFrame {
 public:
  // Widens the measured magnitude by the contours of polygon that will take
  // part (usable ones only).
  void Measure(const gpc_polygon* polygon);
  void Measure(const gpc_vertex_list& contour);
  // Fixes the exponent from what was measured; call once, before converting.
  void Fix();

  ClipperLib::cInt ToInt(double v) const;
  double ToDouble(ClipperLib::cInt v) const;

  // Appends the integer image of every usable contour of polygon.
  void AppendPaths(const gpc_polygon* polygon, ClipperLib::Paths& paths) const;
  void ToPath(const gpc_vertex_list& contour, ClipperLib::Path& path) const;

  // Writes paths into result (overwritten, not freed), one contour per path;
  // hole flag 1 for paths of negative orientation (Clipper orients holes
  // against their outers), 0 otherwise.
  void ToResult(const ClipperLib::Paths& paths, gpc_polygon* result) const;

 private:
  double maxMagnitude_ = 0.0;
  int exponent_ = 0;
};
