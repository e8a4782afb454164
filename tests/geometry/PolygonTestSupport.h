// Helpers of the geometry tests: building sets from point lists; the
// measures that tests compare come from the shared region model.
#pragma once

#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <vector>

#include "geometry/Polygons.h"
#include "support/RegionModel.h"

inline std::unique_ptr<TPolygon> MakePolygon(std::initializer_list<gpc_vertex> points) {
  auto p = std::make_unique<TPolygon>();
  for (const gpc_vertex& v : points) p->AddPoint(v.x, v.y);
  return p;
}

inline std::unique_ptr<TPolygon> MakeRect(double x0, double y0, double x1, double y1) {
  return MakePolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}
