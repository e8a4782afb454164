// The GPC calls over the Clipper library. Each call converts both operands
// to Clipper's integer paths in a frame of its own (ClipperBridge.h), runs
// one Clipper pass with the even-odd rule for both operands, and converts
// the solution back with hole flags taken from the solution's orientation.
//
// Clipper drops collinear and repeated vertices from its solutions; that
// changes no area and no membership, only vertex counts, so it is left on.
#include "geometry/gpc.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "geometry/ClipperBridge.h"

void gpc_add_contour(gpc_polygon* polygon, const gpc_vertex_list* contour, int hole) {
  if (polygon == nullptr || contour == nullptr) return;
  if (polygon->num_contours < 0) polygon->num_contours = 0;
  if (polygon->num_contours == INT32_MAX) throw std::bad_alloc();
  const int32_t n = (contour->vertex != nullptr && contour->num_vertices > 0) ? contour->num_vertices : 0;

  gpc_vertex* copy = nullptr;
  if (n > 0) {
    copy = static_cast<gpc_vertex*>(std::malloc(static_cast<size_t>(n) * sizeof(gpc_vertex)));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, contour->vertex, static_cast<size_t>(n) * sizeof(gpc_vertex));
  }
  const size_t count = static_cast<size_t>(polygon->num_contours) + 1;
  // Both arrays grow before either is committed, so a failure leaves the
  // polygon as it was.
  auto* holes = static_cast<int32_t*>(std::realloc(polygon->hole, count * sizeof(int32_t)));
  if (holes == nullptr) {
    std::free(copy);
    throw std::bad_alloc();
  }
  polygon->hole = holes;
  auto* lists = static_cast<gpc_vertex_list*>(std::realloc(polygon->contour, count * sizeof(gpc_vertex_list)));
  if (lists == nullptr) {
    std::free(copy);
    throw std::bad_alloc();
  }
  polygon->contour = lists;
  polygon->hole[count - 1] = hole;
  polygon->contour[count - 1].num_vertices = n;
  polygon->contour[count - 1].vertex = copy;
  polygon->num_contours = static_cast<int32_t>(count);
}

void gpc_polygon_clip(gpc_op op, const gpc_polygon* subject, const gpc_polygon* clip, gpc_polygon* result) {
  ClipperLib::ClipType type;
  switch (op) {
    case GPC_DIFF: type = ClipperLib::ctDifference; break;
    case GPC_INT: type = ClipperLib::ctIntersection; break;
    case GPC_XOR: type = ClipperLib::ctXor; break;
    case GPC_UNION: type = ClipperLib::ctUnion; break;
    default: throw std::invalid_argument("gpc_polygon_clip: unknown operation");
  }
  if (result == nullptr) return;

  TClipperFrame frame;
  frame.Measure(subject);
  frame.Measure(clip);
  frame.Fix();

  ClipperLib::Paths subjectPaths;
  ClipperLib::Paths clipPaths;
  frame.AppendPaths(subject, subjectPaths);
  frame.AppendPaths(clip, clipPaths);

  ClipperLib::Clipper clipper;
  // Paths of fewer than three distinct points are refused by AddPaths and
  // simply take no part, as GPC ignores them.
  const bool anySubject = clipper.AddPaths(subjectPaths, ClipperLib::ptSubject, true);
  const bool anyClip = clipper.AddPaths(clipPaths, ClipperLib::ptClip, true);
  ClipperLib::Paths solution;
  // With no edge at all Clipper reports failure; the answer is simply empty.
  if ((anySubject || anyClip) && !clipper.Execute(type, solution, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd)) {
    // Clipper reports its inner failures (memory among them) only by this
    // flag; an empty result in their place would pass for a real one.
    throw std::runtime_error("gpc_polygon_clip: the clipper failed");
  }
  frame.ToResult(solution, result);
}

void gpc_free_polygon(gpc_polygon* polygon) {
  if (polygon == nullptr) return;
  if (polygon->contour != nullptr) {
    for (int32_t c = 0; c < polygon->num_contours; ++c) std::free(polygon->contour[c].vertex);
  }
  std::free(polygon->contour);
  std::free(polygon->hole);
  polygon->contour = nullptr;
  polygon->hole = nullptr;
  polygon->num_contours = 0;
}
