// The pieces are the faces of the plane that the dark area's boundary
// leaves, counted on the integer image of the contours:
//
// 1. Every vertex takes the integer it stands for at the power-of-two scale
//    of the clipper's own frame (geometry/ClipperBridge.h), which lands the
//    largest magnitude just under 2^60; every later step is exact integer
//    arithmetic on that image.
// 2. The clipper rounds each vertex it makes to its frame, and its results
//    come back as doubles, rounded again to 53 bits: a shadow's edge that
//    passes exactly through a wall's corner comes back passing a few units
//    beside it. So vertices within Snap units of one another are one
//    vertex, and a vertex within Snap units of an edge lies on it. Snap,
//    2^20 units, is 2^-40 of the largest magnitude (about 6e-11 cells on
//    the shipped level): far above the rounding (a few hundred units), far
//    below any gap that the level's geometry makes.
// 3. Outer contours run counterclockwise (positive area), holes clockwise,
//    so the dark area lies to the left of every edge.
// 4. Each edge is split where a vertex of any contour lies on it; then
//    edges that run both ways along the same segment (two contours that
//    share an edge, a spike) cancel: the dark area lies on both sides, or
//    on neither.
// 5. Walking the remaining edges with the dark area on the left, turning at
//    each vertex to the first edge clockwise from the way back, traces each
//    face's boundaries apart, also where faces touch at a vertex. A face's
//    outer boundary encloses positive area, a hole's boundary negative
//    area; so the pieces are the walks of positive area.
#include "engine/DarkPieces.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace {

using TInt = int64_t;
using TWide = __int128;

struct TPoint {
  TInt x, y;
  bool operator==(const TPoint&) const = default;
  auto operator<=>(const TPoint&) const = default;
};

struct TPointHash {
  size_t operator()(const TPoint& p) const { return std::hash<uint64_t>()(uint64_t(p.x) * 1000003u ^ uint64_t(p.y)); }
};

TWide Cross(TInt ax, TInt ay, TInt bx, TInt by) { return TWide(ax) * by - TWide(ay) * bx; }
TWide Abs(TWide v) { return v < 0 ? -v : v; }
TWide Cross(const TPoint& o, const TPoint& a, const TPoint& b) { return Cross(a.x - o.x, a.y - o.y, b.x - o.x, b.y - o.y); }

// A sum of cross products, exact beyond 128 bits: the high and low 64 bits
// of each term summed apart.
class TAreaSum {
 public:
  void Add(TWide term) {
    low_ += TWide(uint64_t(term));
    high_ += term >> 64;  // arithmetic: term == (term >> 64) * 2^64 + low bits
  }
  int Sign() const {
    const TWide high = high_ + (low_ >> 64);
    const TWide low = TWide(uint64_t(low_));
    if (high != 0) return high > 0 ? 1 : -1;
    return low > 0 ? 1 : 0;
  }

 private:
  TWide low_ = 0, high_ = 0;
};

constexpr int FrameBits = 60;
constexpr TInt Snap = TInt(1) << 20;

// The scale 2^exponent of the integer image; every coordinate times it is
// a whole number below 2^FrameBits.
int ImageExponent(const TPolygon& polygon) {
  double largest = 0;
  for (const TContour& contour : polygon.Contours())
    for (const gpc_vertex& v : contour) largest = std::fmax(largest, std::fmax(std::fabs(v.x), std::fabs(v.y)));
  if (largest == 0) return 0;
  int e = 0;
  std::frexp(largest, &e);
  return FrameBits - e;
}

TInt ToImage(double v, int exponent) {
  const double scaled = std::ldexp(v, exponent);
  if (!std::isfinite(scaled) || scaled != std::trunc(scaled))
    throw std::domain_error("DarkPieceCount: a vertex off the clipper's integer frame");
  return TInt(scaled);
}

// Vertices within Snap of one another (in both coordinates) become the
// first of them in x order; chains of such vertices become one.
std::unordered_map<TPoint, TPoint, TPointHash> SnappedVertices(std::vector<TPoint> vertices) {
  std::sort(vertices.begin(), vertices.end());
  vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());
  std::vector<size_t> parent(vertices.size());
  for (size_t i = 0; i < parent.size(); ++i) parent[i] = i;
  const auto root = [&parent](size_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  for (size_t i = 0; i < vertices.size(); ++i)
    for (size_t j = i + 1; j < vertices.size() && vertices[j].x - vertices[i].x <= Snap; ++j)
      if (Abs(TWide(vertices[j].y) - vertices[i].y) <= Snap) {
        const size_t a = root(i), b = root(j);
        parent[std::max(a, b)] = std::min(a, b);
      }
  std::unordered_map<TPoint, TPoint, TPointHash> snapped;
  for (size_t i = 0; i < vertices.size(); ++i) snapped[vertices[i]] = vertices[root(i)];
  return snapped;
}

// The contours as closed integer point lists, snapped, the dark area to
// the left.
std::vector<std::vector<TPoint>> ImageContours(const TPolygon& polygon) {
  const int exponent = ImageExponent(polygon);
  std::vector<std::vector<TPoint>> raw;
  std::vector<TPoint> all;
  for (const TContour& contour : polygon.Contours()) {
    std::vector<TPoint> points;
    for (const gpc_vertex& v : contour) points.push_back({ToImage(v.x, exponent), ToImage(v.y, exponent)});
    all.insert(all.end(), points.begin(), points.end());
    raw.push_back(std::move(points));
  }
  const auto snapped = SnappedVertices(std::move(all));
  std::vector<std::vector<TPoint>> contours;
  for (size_t c = 0; c < raw.size(); ++c) {
    std::vector<TPoint> points;
    for (const TPoint& r : raw[c]) {
      const TPoint p = snapped.at(r);
      if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
    while (points.size() > 1 && points.front() == points.back()) points.pop_back();
    if (points.size() < 3) continue;
    TAreaSum area;
    for (size_t i = 0; i < points.size(); ++i) area.Add(Cross(points[0], points[i], points[(i + 1) % points.size()]));
    const bool hole = polygon.Holes()[c] != 0;
    if ((hole && area.Sign() > 0) || (!hole && area.Sign() < 0)) std::reverse(points.begin(), points.end());
    contours.push_back(std::move(points));
  }
  return contours;
}

struct TEdge {
  TPoint from, to;
};

TWide Dot(const TPoint& o, const TPoint& a, const TPoint& b) {
  return TWide(a.x - o.x) * (b.x - o.x) + TWide(a.y - o.y) * (b.y - o.y);
}

// Whether p lies on segment a-b, within Snap of it and strictly between
// its ends (vertices are Snap apart already).
bool OnSegment(const TPoint& a, const TPoint& b, const TPoint& p) {
  if (p == a || p == b || Dot(a, p, b) <= 0 || Dot(b, p, a) <= 0) return false;
  // The distance is |cross| / |b - a|, and |b - a| <= its L1 length.
  return Abs(Cross(a, b, p)) <= TWide(Snap) * (Abs(TWide(b.x) - a.x) + Abs(TWide(b.y) - a.y));
}

// Step 4: the contours' edges split at every vertex on them, and the edges
// that run both ways along one segment cancelled.
std::vector<TEdge> BoundaryEdges(const std::vector<std::vector<TPoint>>& contours) {
  std::vector<TPoint> vertices;
  for (const auto& contour : contours) vertices.insert(vertices.end(), contour.begin(), contour.end());
  std::sort(vertices.begin(), vertices.end());
  vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());

  // Each piece of a segment, from its smaller end, with the count of its
  // runs from the smaller end less those from the larger.
  std::vector<std::pair<TEdge, int>> runs;
  std::vector<TPoint> inside;
  for (const auto& contour : contours) {
    for (size_t i = 0; i < contour.size(); ++i) {
      const TPoint a = contour[i], b = contour[(i + 1) % contour.size()];
      inside.clear();
      // The vertices within the segment's x range (and Snap beside it).
      const TInt left = std::min(a.x, b.x) - Snap, right = std::max(a.x, b.x) + Snap;
      for (auto v = std::lower_bound(vertices.begin(), vertices.end(), TPoint{left, INT64_MIN});
           v != vertices.end() && v->x <= right; ++v)
        if (OnSegment(a, b, *v)) inside.push_back(*v);
      std::sort(inside.begin(), inside.end(), [&a, &b](const TPoint& p, const TPoint& q) { return Dot(a, p, b) < Dot(a, q, b); });
      TPoint from = a;
      inside.push_back(b);
      for (const TPoint& to : inside) {
        if (from < to) runs.push_back({{from, to}, 1});
        else runs.push_back({{to, from}, -1});
        from = to;
      }
    }
  }
  std::sort(runs.begin(), runs.end(), [](const auto& p, const auto& q) {
    return std::tie(p.first.from, p.first.to) < std::tie(q.first.from, q.first.to);
  });
  std::vector<TEdge> edges;
  for (size_t i = 0; i < runs.size();) {
    size_t j = i;
    int net = 0;
    for (; j < runs.size() && runs[j].first.from == runs[i].first.from && runs[j].first.to == runs[i].first.to; ++j)
      net += runs[j].second;
    if (net > 0) edges.push_back(runs[i].first);
    if (net < 0) edges.push_back({runs[i].first.to, runs[i].first.from});
    i = j;
  }
  return edges;
}

// Directions as angles from the positive x axis, exactly: first the upper
// half plane (y > 0, or y == 0 and x > 0), then the lower one; within a
// half by the turn between them.
bool Upper(TInt x, TInt y) { return y > 0 || (y == 0 && x > 0); }
bool AngleBefore(TInt ax, TInt ay, TInt bx, TInt by) {
  const bool ua = Upper(ax, ay), ub = Upper(bx, by);
  if (ua != ub) return ua;
  return Cross(ax, ay, bx, by) > 0;
}

}  // namespace

int32_t DarkPieceCount(const TPolygon& dark) {
  const std::vector<TEdge> edges = BoundaryEdges(ImageContours(dark));
  // The edges leaving each vertex, in the order of their angle.
  std::unordered_map<TPoint, std::vector<size_t>, TPointHash> leaving;
  for (size_t e = 0; e < edges.size(); ++e) leaving[edges[e].from].push_back(e);
  for (auto& entry : leaving) {
    // A named copy: a structured binding cannot be captured by every
    // compiler the fuzzers are built with.
    const TPoint vertex = entry.first;
    std::vector<size_t>& out = entry.second;
    std::sort(out.begin(), out.end(), [&edges, vertex](size_t a, size_t b) {
      return AngleBefore(edges[a].to.x - vertex.x, edges[a].to.y - vertex.y, edges[b].to.x - vertex.x,
                         edges[b].to.y - vertex.y);
    });
  }
  // After arriving along e: the first edge clockwise from the way back,
  // that is the last one whose angle comes before the way back's
  // (cyclically). None only where contours overlap, which the clipper's
  // results never do: the walk then ends there.
  constexpr size_t None = SIZE_MAX;
  const auto next = [&](size_t e) {
    const TPoint& v = edges[e].to;
    const auto found = leaving.find(v);
    if (found == leaving.end()) return None;
    const std::vector<size_t>& out = found->second;
    if (out.size() == 1) return out[0];
    const TInt bx = edges[e].from.x - v.x, by = edges[e].from.y - v.y;
    size_t chosen = out.back();
    for (size_t k : out) {
      if (!AngleBefore(edges[k].to.x - v.x, edges[k].to.y - v.y, bx, by)) break;
      chosen = k;
    }
    return chosen;
  };
  std::vector<bool> walked(edges.size(), false);
  int32_t pieces = 0;
  for (size_t start = 0; start < edges.size(); ++start) {
    if (walked[start]) continue;
    TAreaSum area;
    const TPoint origin = edges[start].from;
    for (size_t e = start; e != None && !walked[e]; e = next(e)) {
      walked[e] = true;
      area.Add(Cross(origin, edges[e].from, edges[e].to));
    }
    if (area.Sign() > 0) ++pieces;
  }
  return pieces;
}
