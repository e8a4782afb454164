// The drawing form of a polygon set (Polygon32), declared with TPolygon32;
// this header is where the geometry side points for it.
#pragma once

#include "raster/Polygon32.h"
