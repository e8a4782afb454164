// Helpers of the geometry tests: building sets from point lists and the
// measures that tests compare (membership, distance to a boundary).
#pragma once

#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <vector>

#include "geometry/Polygons.h"

inline std::unique_ptr<TPolygon> MakePolygon(std::initializer_list<gpc_vertex> points) {
  auto p = std::make_unique<TPolygon>();
  for (const gpc_vertex& v : points) p->AddPoint(v.x, v.y);
  return p;
}

inline std::unique_ptr<TPolygon> MakeRect(double x0, double y0, double x1, double y1) {
  return MakePolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// Even-odd membership over all contours; flags and orientation take no part,
// which is right for clipper results (holes lie inside their outers).
inline bool Contains(const TPolygon& p, double x, double y) {
  bool inside = false;
  for (const TContour& c : p.Contours()) {
    const size_t n = c.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const gpc_vertex& a = c[i];
      const gpc_vertex& b = c[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
  }
  return inside;
}

inline double SegmentDistance(const gpc_vertex& a, const gpc_vertex& b, double x, double y) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0.0;
  t = std::fmax(0.0, std::fmin(1.0, t));
  return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

inline double BoundaryDistance(const TPolygon& p, double x, double y) {
  double best = std::numeric_limits<double>::infinity();
  for (const TContour& c : p.Contours()) {
    for (size_t i = 0; i < c.size(); ++i) best = std::fmin(best, SegmentDistance(c[i], c[(i + 1) % c.size()], x, y));
  }
  return best;
}

inline double BoundaryDistance(const TContour& c, double x, double y) {
  double best = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < c.size(); ++i) best = std::fmin(best, SegmentDistance(c[i], c[(i + 1) % c.size()], x, y));
  return best;
}

// Even-odd membership of one contour.
inline bool ContourContains(const TContour& c, double x, double y) {
  bool inside = false;
  const size_t n = c.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    if ((c[i].y > y) != (c[j].y > y) && x < (c[j].x - c[i].x) * (y - c[i].y) / (c[j].y - c[i].y) + c[i].x) inside = !inside;
  }
  return inside;
}
