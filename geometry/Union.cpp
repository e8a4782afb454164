// UnitedArea: every contour of every set goes into one Clipper pass, turned
// so that outers wind +1 and holes -1. Within one set of non-crossing,
// nested contours the winding number is then 1 inside and 0 outside, so
// over all sets it counts how many sets hold a point, and the union is what
// has a positive count. Overlapping sets neither cancel (as they would under
// even-odd) nor need a pass each.
//
// The integer frame is the one Clip uses for the same operands, so vertices
// that came out of earlier clips convert exactly.
#include "geometry/Union.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "geometry/ClipperBridge.h"

namespace {

gpc_vertex_list ListOf(const TContour& contour) {
  // The frame only reads through the list.
  return gpc_vertex_list{static_cast<int32_t>(contour.size()), const_cast<gpc_vertex*>(contour.data())};
}

// The contour area of TPolygon::ContourArea, on the solution's doubles.
long double ContourAreaOf(const ClipperLib::Path& path, const TClipperFrame& frame) {
  const size_t n = path.size();
  long double sum = 0.0L;
  for (size_t j = 0; j < n; ++j) {
    const size_t k = j + 1 == n ? 0 : j + 1;
    const long double xj = frame.ToDouble(path[j].X), yj = frame.ToDouble(path[j].Y);
    const long double xk = frame.ToDouble(path[k].X), yk = frame.ToDouble(path[k].Y);
    sum += (xj - xk) * (yj + yk) / 2.0L;
  }
  return std::fabs(sum);
}

}  // namespace

long double UnitedArea(const std::vector<const TPolygon*>& sets) {
  TClipperFrame frame;
  for (const TPolygon* set : sets) {
    if (set == nullptr) continue;
    for (const TContour& contour : set->Contours()) frame.Measure(ListOf(contour));
  }
  frame.Fix();

  ClipperLib::Paths paths;
  for (const TPolygon* set : sets) {
    if (set == nullptr) continue;
    const std::vector<TContour>& contours = set->Contours();
    for (size_t i = 0; i < contours.size(); ++i) {
      ClipperLib::Path path;
      frame.ToPath(ListOf(contours[i]), path);
      if (path.size() < 3) continue;
      const bool outer = set->Holes()[i] == 0;
      if (ClipperLib::Orientation(path) != outer) std::reverse(path.begin(), path.end());
      paths.push_back(std::move(path));
    }
  }

  ClipperLib::Clipper clipper;
  // Clipper refuses paths without area and reports a pass over nothing as a
  // failure; nothing has no area.
  if (!clipper.AddPaths(paths, ClipperLib::ptSubject, true)) return 0.0L;
  ClipperLib::Paths solution;
  if (!clipper.Execute(ClipperLib::ctUnion, solution, ClipperLib::pftPositive, ClipperLib::pftPositive)) {
    throw std::runtime_error("UnitedArea: the clipper failed");
  }
  // Outers of the solution are positive, holes negative, as Clip's hole
  // flags say.
  long double total = 0.0L;
  for (const ClipperLib::Path& path : solution) {
    const long double a = ContourAreaOf(path, frame);
    total += ClipperLib::Orientation(path) ? a : -a;
  }
  return std::fabs(total);
}
