// The union of many polygon sets at once, for the lit area that the panel
// recomputes after every change of the lights: a few clipper passes over
// many sets each instead of one pass per set on a growing accumulation.
#pragma once

#include <vector>

#include "geometry/Polygons.h"

// The area of the union of sets, measured as TPolygon::Area measures (net of
// holes, extended precision); null entries and sets without contours add
// nothing.
//
// Each set is read by its hole flags: a contour flagged outer counts once
// inside it, a hole takes one count away. For every set whose contours do
// not cross one another and whose holes lie inside its outers (every result
// of Clip, and every set of one simple contour) that is the set that the
// even-odd reading of Clip gives, so the result equals the area of the
// sets united one by one with Clip(GPC_UNION, ...), up to the rounding of
// intersection points (far below 1e-10 square cells for field-sized sets).
long double UnitedArea(const std::vector<const TPolygon*>& sets);
