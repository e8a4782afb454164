// Slow, obviously right measures of a polygon set, shared by every test
// that checks the clipper's results or what is drawn from them: membership
// and distance to the boundary. Contours are read as the clipper reads a
// set: even-odd parity over all of them, hole flags and orientation taking
// no part (holes lie inside their outers).
#pragma once

#include <cmath>
#include <limits>

#include "geometry/Polygons.h"

inline bool ContourContains(const TContour& c, double x, double y) {
  bool inside = false;
  const size_t n = c.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const gpc_vertex& a = c[i];
    const gpc_vertex& b = c[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

inline bool RegionContains(const TPolygon& region, double x, double y) {
  bool inside = false;
  for (const TContour& c : region.Contours()) inside = inside != ContourContains(c, x, y);
  return inside;
}

inline double SegmentDistance(const gpc_vertex& a, const gpc_vertex& b, double x, double y) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::fmax(0.0, std::fmin(1.0, ((x - a.x) * dx + (y - a.y) * dy) / len2)) : 0.0;
  return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

inline double DistanceToBoundary(const TContour& c, double x, double y) {
  double best = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < c.size(); ++i) best = std::fmin(best, SegmentDistance(c[i], c[(i + 1) % c.size()], x, y));
  return best;
}

inline double DistanceToBoundary(const TPolygon& region, double x, double y) {
  double best = std::numeric_limits<double>::infinity();
  for (const TContour& c : region.Contours()) best = std::fmin(best, DistanceToBoundary(c, x, y));
  return best;
}
