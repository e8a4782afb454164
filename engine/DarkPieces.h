// How many pieces the dark floor falls into, as a player counts them: a
// piece is a connected part of the dark area's interior, so two dark parts
// that meet at a single point are two pieces, and a ring is one.
//
// The clipper's contours do not say this by themselves: it may return
// pieces that touch at a point as one contour (touching itself there), a
// piece with a hole that touches its border, or one piece as two contours
// along a common edge. The count is therefore made from the contours'
// edges, exactly, in integers.
#pragma once

#include <cstdint>

#include "geometry/Polygons.h"

// dark: a polygon set as the clipper returns it (engine/Verdict.h's dark
// remainder): outer contours and holes that overlap nowhere, though they
// may touch at points and share edges. Contours of fewer than three
// vertices add nothing.
int32_t DarkPieceCount(const TPolygon& dark);
