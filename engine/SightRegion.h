// The lit region built directly from what the light sees (SightSpans): one
// contour for every stretch of directions without a break, running out
// along the lines that stop the rays and back along the lines where they
// enter (or through the light). Vertices only where the boundary turns,
// each computed once from exact integers and rounded once to a double.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/Visibility.h"
#include "geometry/Polygons.h"

// The region of ComputeLitRegion for walls that are grid rectangles inside
// the field (TWallBits::Read); nullptr, with nothing computed, for any
// other walls, which only the shadow subtraction handles as the rules say.
std::unique_ptr<TPolygon> SweptLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls,
                                         TSightField field = VisField());
