// UnitedArea: every contour of every set goes into Clipper passes, turned
// so that outers wind +1 and holes -1. Within one set of non-crossing,
// nested contours the winding number is then 1 inside and 0 outside, so
// over all sets it counts how many sets hold a point, and the union is what
// has a positive count. Overlapping sets neither cancel (as they would under
// even-odd) nor need a pass each; they are united sixteen at a time, then
// the results sixteen at a time, and so on.
//
// The game asks twice for the area of the same regions in one click (the
// light in hand has no region until it is dropped): each thread keeps the
// contours of its last call, compared vertex by vertex, with the area.
//
// The integer frame is the one Clip uses for the same operands, so vertices
// that came out of earlier clips convert exactly.
#include "geometry/Union.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

constexpr size_t Fan = 16;

// The sets of one call: per set its number of contours, per contour its
// length and hole flag; then every vertex.
struct TUnionInput {
  std::vector<int32_t> layout;
  std::vector<gpc_vertex> vertices;

  void Read(const std::vector<const TPolygon*>& sets) {
    layout.clear();
    vertices.clear();
    for (const TPolygon* set : sets) {
      if (set == nullptr) continue;
      layout.push_back(int32_t(set->Contours().size()));
      for (size_t i = 0; i < set->Contours().size(); ++i) {
        const TContour& contour = set->Contours()[i];
        layout.push_back(int32_t(contour.size()));
        layout.push_back(set->Holes()[i]);
        vertices.insert(vertices.end(), contour.begin(), contour.end());
      }
    }
  }
  // Bit for bit: a NaN is its own, and -0 is not 0.
  bool operator==(const TUnionInput& other) const {
    // An empty list may have no storage at all, which memcmp must not see.
    return layout == other.layout && vertices.size() == other.vertices.size() &&
           (vertices.empty() ||
            std::memcmp(vertices.data(), other.vertices.data(), vertices.size() * sizeof(gpc_vertex)) == 0);
  }
};

// Everything of positive winding among paths.
ClipperLib::Paths UnitePositive(const ClipperLib::Paths& paths) {
  ClipperLib::Paths solution;
  ClipperLib::Clipper clipper;
  // Clipper refuses paths without area and reports a pass over nothing as a
  // failure; nothing has no area.
  if (!clipper.AddPaths(paths, ClipperLib::ptSubject, true)) return solution;
  if (!clipper.Execute(ClipperLib::ctUnion, solution, ClipperLib::pftPositive, ClipperLib::pftPositive)) {
    throw std::runtime_error("UnitedArea: the clipper failed");
  }
  return solution;
}

long double Unite(const std::vector<const TPolygon*>& sets) {
  TClipperFrame frame;
  for (const TPolygon* set : sets) {
    if (set == nullptr) continue;
    for (const TContour& contour : set->Contours()) frame.Measure(ListOf(contour));
  }
  frame.Fix();

  std::vector<ClipperLib::Paths> groups;
  for (const TPolygon* set : sets) {
    if (set == nullptr) continue;
    ClipperLib::Paths paths;
    const std::vector<TContour>& contours = set->Contours();
    for (size_t i = 0; i < contours.size(); ++i) {
      ClipperLib::Path path;
      frame.ToPath(ListOf(contours[i]), path);
      if (path.size() < 3) continue;
      const bool outer = set->Holes()[i] == 0;
      if (ClipperLib::Orientation(path) != outer) std::reverse(path.begin(), path.end());
      paths.push_back(std::move(path));
    }
    if (!paths.empty()) groups.push_back(std::move(paths));
  }

  // Unions of Fan groups at a time, then of their results, and so on: a
  // pass costs more than linearly in the crossings of its edges, and the
  // union of a few regions has far fewer edges than the regions together.
  // A pass's solution winds +1 inside and 0 outside, like each set, so it
  // goes into the next level as it is.
  do {
    std::vector<ClipperLib::Paths> next;
    for (size_t g = 0; g < groups.size(); g += Fan) {
      ClipperLib::Paths merged;
      for (size_t k = g; k < std::min(groups.size(), g + Fan); ++k)
        for (ClipperLib::Path& path : groups[k]) merged.push_back(std::move(path));
      ClipperLib::Paths united = UnitePositive(merged);
      if (!united.empty()) next.push_back(std::move(united));
    }
    groups = std::move(next);
  } while (groups.size() > 1);
  if (groups.empty()) return 0.0L;

  // Outers of the solution are positive, holes negative, as Clip's hole
  // flags say.
  long double total = 0.0L;
  for (const ClipperLib::Path& path : groups[0]) {
    const long double a = ContourAreaOf(path, frame);
    total += ClipperLib::Orientation(path) ? a : -a;
  }
  return std::fabs(total);
}

}  // namespace

long double UnitedArea(const std::vector<const TPolygon*>& sets) {
  thread_local TUnionInput last, input;
  thread_local long double lastArea = 0.0L;
  input.Read(sets);
  if (input == last) return lastArea;
  const long double area = Unite(sets);  // the memo stays as it was if this throws
  std::swap(last, input);
  lastArea = area;
  return area;
}
