// The integer frame between GPC records and Clipper paths (see
// ClipperBridge.h for the choice of the scale).
#include "geometry/ClipperBridge.h"

#include <cmath>
#include <cstdlib>
#include <new>

bool IsUsableContour(const gpc_vertex_list& contour) {
  if (contour.num_vertices <= 0 || contour.vertex == nullptr) return false;
  for (int32_t i = 0; i < contour.num_vertices; ++i) {
    if (!std::isfinite(contour.vertex[i].x) || !std::isfinite(contour.vertex[i].y)) return false;
  }
  return true;
}

void TClipperFrame::Measure(const gpc_vertex_list& contour) {
  if (!IsUsableContour(contour)) return;
  for (int32_t i = 0; i < contour.num_vertices; ++i) {
    maxMagnitude_ = std::fmax(maxMagnitude_, std::fabs(contour.vertex[i].x));
    maxMagnitude_ = std::fmax(maxMagnitude_, std::fabs(contour.vertex[i].y));
  }
}

void TClipperFrame::Measure(const gpc_polygon* polygon) {
  if (polygon == nullptr || polygon->contour == nullptr) return;
  for (int32_t c = 0; c < polygon->num_contours; ++c) Measure(polygon->contour[c]);
}

void TClipperFrame::Fix() {
  if (maxMagnitude_ == 0.0) {
    exponent_ = 0;
    return;
  }
  // maxMagnitude_ < 2^e, so maxMagnitude_ * 2^(60 - e) < 2^60. ldexp is
  // used for every scaling, so even a huge exponent for a denormal
  // magnitude never forms an infinite scale factor.
  int e = 0;
  std::frexp(maxMagnitude_, &e);
  exponent_ = ClipperFrameBits - e;
}

ClipperLib::cInt TClipperFrame::ToInt(double v) const {
  return static_cast<ClipperLib::cInt>(std::llround(std::ldexp(v, exponent_)));
}

double TClipperFrame::ToDouble(ClipperLib::cInt v) const {
  return std::ldexp(static_cast<double>(v), -exponent_);
}

void TClipperFrame::ToPath(const gpc_vertex_list& contour, ClipperLib::Path& path) const {
  path.clear();
  if (!IsUsableContour(contour)) return;
  path.reserve(static_cast<size_t>(contour.num_vertices));
  for (int32_t i = 0; i < contour.num_vertices; ++i) {
    path.emplace_back(ToInt(contour.vertex[i].x), ToInt(contour.vertex[i].y));
  }
}

void TClipperFrame::AppendPaths(const gpc_polygon* polygon, ClipperLib::Paths& paths) const {
  if (polygon == nullptr || polygon->contour == nullptr) return;
  for (int32_t c = 0; c < polygon->num_contours; ++c) {
    if (!IsUsableContour(polygon->contour[c])) continue;
    paths.emplace_back();
    ToPath(polygon->contour[c], paths.back());
  }
}

void TClipperFrame::ToResult(const ClipperLib::Paths& paths, gpc_polygon* result) const {
  result->num_contours = 0;
  result->hole = nullptr;
  result->contour = nullptr;
  if (paths.empty()) return;
  // A result with more than 2^31 - 1 contours or vertices cannot be
  // described by the records; the clipper cannot produce one in memory
  // anyway, so it is treated as exhaustion.
  if (paths.size() > static_cast<size_t>(INT32_MAX)) throw std::bad_alloc();
  const size_t count = paths.size();
  auto* holes = static_cast<int32_t*>(std::malloc(count * sizeof(int32_t)));
  auto* lists = static_cast<gpc_vertex_list*>(std::calloc(count, sizeof(gpc_vertex_list)));
  if (holes == nullptr || lists == nullptr) {
    std::free(holes);
    std::free(lists);
    throw std::bad_alloc();
  }
  for (size_t c = 0; c < count; ++c) {
    const ClipperLib::Path& path = paths[c];
    auto* vertices = path.size() > static_cast<size_t>(INT32_MAX)
                         ? nullptr
                         : static_cast<gpc_vertex*>(std::malloc(path.size() * sizeof(gpc_vertex)));
    if (vertices == nullptr && !path.empty()) {
      for (size_t k = 0; k < c; ++k) std::free(lists[k].vertex);
      std::free(holes);
      std::free(lists);
      throw std::bad_alloc();
    }
    for (size_t i = 0; i < path.size(); ++i) {
      vertices[i].x = ToDouble(path[i].X);
      vertices[i].y = ToDouble(path[i].Y);
    }
    lists[c].num_vertices = static_cast<int32_t>(path.size());
    lists[c].vertex = vertices;
    holes[c] = ClipperLib::Orientation(path) ? 0 : 1;
  }
  result->num_contours = static_cast<int32_t>(count);
  result->hole = holes;
  result->contour = lists;
}
