// The drawing form of a polygon set (Polygon32), declared with TPolygon32;
// this header is where the geometry side points for it.
#pragma once

#include "raster/Polygon32.h"

#include <memory>
#include <vector>

// One drawing polygon for the union of sets: every contour of every set,
// outers wound one way and holes the other, filled by the non-zero rule.
// Within a set of nested contours that do not cross (every result of Clip)
// the winding is 1 inside and 0 outside, so over all sets a point is
// filled exactly when some set holds it: one smooth fill of this polygon
// covers each pixel by its share of the union, where filling the sets one
// by one would blend their partial edge pixels over each other.
std::unique_ptr<TPolygon32> UnionDrawingForm(const std::vector<const TPolygon*>& sets);
