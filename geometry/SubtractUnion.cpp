// gpc_subtract_union: a set minus the union of many shapes in one Clipper
// pass, where each shape keeps the even-odd reading it would have as the
// sole clip operand of gpc_polygon_clip.
//
// One operand cannot simply hold all the shapes: read even-odd, two
// overlapping shapes cancel; read non-zero, shapes of opposite orientation
// cancel. So each shape is first brought to a form whose winding number is
// 1 inside it and 0 outside:
// - a simple shape (checked exactly on its integer image) is oriented
//   positively;
// - any other shape (self-crossing, degenerate) is resolved by Clipper's
//   even-odd simplification, whose outers are positive and whose holes are
//   negative and nested in them.
// The union is then everything of positive winding. Before that, each shape
// is cut down to a box around the subject: the difference cannot notice
// what lies outside the subject, and the far parts of long shapes (the
// shadows of walls reach a thousand times past their wall) would otherwise
// cross each other a great many times far from anything of interest. Last,
// a piece that lies wholly inside another convex piece is left out (see
// NeededPieces); every test on the integer image is exact, so the union,
// and with it the result, is the same set.
#include <algorithm>
#include <stdexcept>

#include "geometry/ClipperBridge.h"
#include "geometry/gpc.h"

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;
using Wide = __int128;

// Above this many vertices a shape is not tested for simplicity (the test
// is quadratic) and goes the general way.
constexpr size_t SimpleTestLimit = 64;

Wide Cross(const IntPoint& o, const IntPoint& a, const IntPoint& b) {
  return static_cast<Wide>(a.X - o.X) * (b.Y - o.Y) - static_cast<Wide>(a.Y - o.Y) * (b.X - o.X);
}

int Sign(Wide v) { return (v > 0) - (v < 0); }

// p lies on the closed segment a-b, given that it is collinear with it.
bool WithinBox(const IntPoint& a, const IntPoint& b, const IntPoint& p) {
  return std::min(a.X, b.X) <= p.X && p.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= p.Y &&
         p.Y <= std::max(a.Y, b.Y);
}

// Closed segments a-b and c-d share at least one point.
bool SegmentsMeet(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d) {
  const int d1 = Sign(Cross(c, d, a));
  const int d2 = Sign(Cross(c, d, b));
  const int d3 = Sign(Cross(a, b, c));
  const int d4 = Sign(Cross(a, b, d));
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  return (d1 == 0 && WithinBox(c, d, a)) || (d2 == 0 && WithinBox(c, d, b)) ||
         (d3 == 0 && WithinBox(a, b, c)) || (d4 == 0 && WithinBox(a, b, d));
}

void DropRepeats(Path& path) {
  path.erase(std::unique(path.begin(), path.end()), path.end());
  while (path.size() > 1 && path.front() == path.back()) path.pop_back();
}

// Exact: no two edges meet except neighbours at their shared vertex, and
// neighbours do not fold back onto each other. path has no repeats.
bool IsSimple(const Path& path) {
  const size_t n = path.size();
  if (n < 3) return false;
  for (size_t i = 0; i < n; ++i) {
    const IntPoint& a = path[i];
    const IntPoint& b = path[(i + 1) % n];
    const IntPoint& c = path[(i + 2) % n];
    // The neighbour edges a-b and b-c fold back when c lies on the ray
    // from b towards a.
    if (Cross(b, a, c) == 0) {
      const Wide dot = static_cast<Wide>(a.X - b.X) * (c.X - b.X) + static_cast<Wide>(a.Y - b.Y) * (c.Y - b.Y);
      if (dot > 0) return false;
    }
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours across the wrap
      if (SegmentsMeet(a, b, path[j], path[(j + 1) % n])) return false;
    }
  }
  return true;
}

// Orientation of a simple polygon, from the turn at its lowest-leftmost
// vertex (always a convex one): > 0 when the shoelace area is positive.
int SimpleOrientation(const Path& path) {
  const size_t n = path.size();
  size_t m = 0;
  for (size_t i = 1; i < n; ++i) {
    if (path[i].Y < path[m].Y || (path[i].Y == path[m].Y && path[i].X < path[m].X)) m = i;
  }
  return Sign(Cross(path[(m + n - 1) % n], path[m], path[(m + 1) % n]));
}

struct TBox {
  cInt left, top, right, bottom;
};

// num / den rounded to the nearest integer, halves away from zero; den != 0.
cInt RoundedQuotient(Wide num, Wide den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const Wide half = den / 2;
  const Wide q = num >= 0 ? (num + half) / den : -((-num + half) / den);
  return static_cast<cInt>(q);
}

// One Sutherland-Hodgman pass against the half-plane coord(axis) >= bound
// (sense 1) or <= bound (sense -1). The winding number of every point
// inside the half-plane is kept.
void ClipAgainst(const Path& in, Path& out, bool alongX, cInt bound, int sense) {
  out.clear();
  const size_t n = in.size();
  if (n == 0) return;
  auto coord = [alongX](const IntPoint& p) { return alongX ? p.X : p.Y; };
  auto inside = [&](const IntPoint& p) { return sense > 0 ? coord(p) >= bound : coord(p) <= bound; };
  auto crossing = [&](const IntPoint& p, const IntPoint& q) {
    const Wide pc = coord(p), qc = coord(q);
    if (alongX) {
      const cInt y = p.Y + RoundedQuotient(static_cast<Wide>(q.Y - p.Y) * (bound - pc), qc - pc);
      return IntPoint(bound, y);
    }
    const cInt x = p.X + RoundedQuotient(static_cast<Wide>(q.X - p.X) * (bound - pc), qc - pc);
    return IntPoint(x, bound);
  };
  for (size_t i = 0; i < n; ++i) {
    const IntPoint& p = in[i];
    const IntPoint& q = in[(i + 1) % n];
    const bool pin = inside(p), qin = inside(q);
    if (pin) out.push_back(p);
    if (pin != qin) out.push_back(crossing(p, q));
  }
}

void ClipToBox(Path& path, const TBox& box) {
  Path other;
  ClipAgainst(path, other, true, box.left, 1);
  ClipAgainst(other, path, true, box.right, -1);
  ClipAgainst(path, other, false, box.top, 1);
  ClipAgainst(other, path, false, box.bottom, -1);
  DropRepeats(path);
}

TBox BoundsOf(const Path& path) {
  TBox b{path[0].X, path[0].Y, path[0].X, path[0].Y};
  for (const IntPoint& p : path) {
    b.left = std::min(b.left, p.X);
    b.right = std::max(b.right, p.X);
    b.top = std::min(b.top, p.Y);
    b.bottom = std::max(b.bottom, p.Y);
  }
  return b;
}

bool MissesBox(const Path& path, const TBox& box) {
  const TBox b = BoundsOf(path);
  return b.right <= box.left || b.left >= box.right || b.bottom <= box.top || b.top >= box.bottom;
}

// One shape in its winding-one form, cut to the box.
struct TPiece {
  Path path;
  TBox bounds;
  Wide boundsArea = 0;
  bool convex = false;  // a convex polygon of positive orientation
};

// Every turn is to the left or straight on (no fold back). Only asked of
// pieces cut from a shape that was simple, whose winding is at most one, so
// this makes them convex.
bool TurnsLeftOnly(const Path& path) {
  const size_t n = path.size();
  bool someTurn = false;
  for (size_t i = 0; i < n; ++i) {
    const IntPoint& a = path[i];
    const IntPoint& b = path[(i + 1) % n];
    const IntPoint& c = path[(i + 2) % n];
    const Wide turn = Cross(a, b, c);
    if (turn < 0) return false;
    if (turn == 0) {
      const Wide dot = static_cast<Wide>(b.X - a.X) * (c.X - b.X) + static_cast<Wide>(b.Y - a.Y) * (c.Y - b.Y);
      if (dot <= 0) return false;
    } else {
      someTurn = true;
    }
  }
  return someTurn;
}

void AppendNormalised(Path& shape, const TBox& box, std::vector<TPiece>& out) {
  DropRepeats(shape);
  if (shape.size() < 3 || MissesBox(shape, box)) return;
  Paths parts;
  bool simple = false;
  if (shape.size() <= SimpleTestLimit && IsSimple(shape)) {
    const int orientation = SimpleOrientation(shape);
    if (orientation == 0) return;
    if (orientation < 0) std::reverse(shape.begin(), shape.end());
    parts.push_back(std::move(shape));
    simple = true;
  } else {
    ClipperLib::SimplifyPolygon(shape, parts, ClipperLib::pftEvenOdd);
  }
  for (Path& part : parts) {
    ClipToBox(part, box);
    if (part.size() < 3) continue;
    TPiece piece;
    piece.bounds = BoundsOf(part);
    piece.boundsArea = static_cast<Wide>(piece.bounds.right - piece.bounds.left) * (piece.bounds.bottom - piece.bounds.top);
    piece.convex = simple && TurnsLeftOnly(part);
    piece.path = std::move(part);
    out.push_back(std::move(piece));
  }
}

bool BoundsWithin(const TBox& inner, const TBox& outer) {
  return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top && inner.bottom <= outer.bottom;
}

// Every vertex of inner lies in the closed convex piece outer, so all of
// inner does.
bool Contains(const TPiece& outer, const TPiece& inner) {
  if (!outer.convex || !BoundsWithin(inner.bounds, outer.bounds)) return false;
  const size_t n = outer.path.size();
  for (const IntPoint& p : inner.path) {
    for (size_t i = 0; i < n; ++i) {
      if (Cross(outer.path[i], outer.path[(i + 1) % n], p) < 0) return false;
    }
  }
  return true;
}

// The pieces that the union needs: a piece inside another that is kept
// adds nothing. Walls hide behind walls, so most shadows of a light lie
// inside a nearer wall's shadow, and each one left out saves the clipper
// all its crossings. Pieces are taken largest bounds first and compared
// only with pieces already kept, so nothing is left out on the word of a
// piece that is itself left out.
Paths NeededPieces(std::vector<TPiece>& pieces) {
  std::vector<size_t> order(pieces.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return pieces[a].boundsArea > pieces[b].boundsArea; });
  std::vector<size_t> kept;
  for (size_t i : order) {
    bool inside = false;
    for (size_t k : kept) {
      if (Contains(pieces[k], pieces[i])) {
        inside = true;
        break;
      }
    }
    if (!inside) kept.push_back(i);
  }
  Paths paths;
  paths.reserve(kept.size());
  for (size_t k : kept) paths.push_back(std::move(pieces[k].path));
  return paths;
}

}  // namespace

void gpc_subtract_union(const gpc_polygon* subject, const gpc_polygon* shapes, gpc_polygon* result) {
  if (result == nullptr) return;
  TClipperFrame frame;
  frame.Measure(subject);
  frame.Measure(shapes);
  frame.Fix();

  Paths subjectPaths;
  frame.AppendPaths(subject, subjectPaths);
  TBox box{0, 0, 0, 0};
  bool any = false;
  for (const Path& path : subjectPaths) {
    for (const IntPoint& p : path) {
      if (!any) box = TBox{p.X, p.Y, p.X, p.Y};
      any = true;
      box.left = std::min(box.left, p.X);
      box.right = std::max(box.right, p.X);
      box.top = std::min(box.top, p.Y);
      box.bottom = std::max(box.bottom, p.Y);
    }
  }
  // A margin keeps the cut edges of the shapes off the subject's own
  // boundary; the subject lies below 2^60 and the margin below 2^58, so the
  // box stays well inside Clipper's range.
  const cInt margin = std::max<cInt>(16, std::max(box.right - box.left, box.bottom - box.top) / 8);
  box.left -= margin;
  box.top -= margin;
  box.right += margin;
  box.bottom += margin;

  std::vector<TPiece> pieces;
  if (any && shapes != nullptr && shapes->contour != nullptr) {
    Path shape;
    for (int32_t c = 0; c < shapes->num_contours; ++c) {
      if (!IsUsableContour(shapes->contour[c])) continue;
      frame.ToPath(shapes->contour[c], shape);
      AppendNormalised(shape, box, pieces);
    }
  }
  const Paths shapePaths = NeededPieces(pieces);

  ClipperLib::Clipper clipper;
  const bool anySubject = clipper.AddPaths(subjectPaths, ClipperLib::ptSubject, true);
  clipper.AddPaths(shapePaths, ClipperLib::ptClip, true);
  Paths solution;
  // Nothing of the subject: the difference is empty (and Clipper would
  // report a pass without edges as a failure).
  if (anySubject && !clipper.Execute(ClipperLib::ctDifference, solution, ClipperLib::pftEvenOdd, ClipperLib::pftPositive)) {
    throw std::runtime_error("gpc_subtract_union: the clipper failed");
  }
  frame.ToResult(solution, result);
}
