// The lit region of one light. Walls that are grid rectangles inside the
// field, as every map gives them, are swept (engine/SightRegion.h); for any
// other obstacles, and as the model that the sweep is checked against, the
// region is the field rectangle minus the shadow of every obstacle. Each
// shadow is the obstacle's side that faces the light closed by the two rays
// through its outermost (silhouette) corners, cut off far enough away to
// cover the whole field behind it (ShadowReach).
//
// Decisions (silhouette corners, equal bearings, the chord's side) are taken
// exactly: the products that decide them are compared through their exact
// two-term split (fma), so they also hold for lights far outside the field,
// where squares of the coordinates no longer fit a double; for inputs of the
// field's size this is the same as the plain double computation.
//
// All shadows of one light are cut out in one clipper pass
// (TPolygon::SubtractUnion), which gives the same set as cutting them out one
// after the other; every obstacle is still checked, and fails, on its own.
#include "engine/Visibility.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/SightRegion.h"

int32_t VisWidth = 60;
int32_t VisHeight = 39;

void SetFieldSize(int32_t width, int32_t height) {
  VisWidth = width;
  VisHeight = height;
}

TSightField VisField() { return {VisWidth, VisHeight}; }

double CrossProduct(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

double DotProduct(double ax, double ay, double bx, double by) { return ax * bx + ay * by; }

double VectorLength(double x, double y) { return std::sqrt(x * x + y * y); }

int SignOf(double v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

namespace {

// Within this range (or zero) a product of two doubles and its rounding
// error are both normal numbers, so p + e is the product exactly.
bool InExactRange(double v) {
  const double a = std::fabs(v);
  return a == 0.0 || (a >= 0x1p-450 && a <= 0x1p450);
}

bool InExactRange(double a, double b, double c, double d) {
  return InExactRange(a) && InExactRange(b) && InExactRange(c) && InExactRange(d);
}

// Sign of a*b - c*d, exact in the range above.
int ProductDifferenceSign(double a, double b, double c, double d) {
  const double p1 = a * b;
  const double p2 = c * d;
  // Rounding is monotonic, so different rounded products order like the
  // exact ones; equal ones differ only by their rounding errors.
  if (p1 != p2) return p1 > p2 ? 1 : -1;
  return SignOf(std::fma(a, b, -p1) - std::fma(c, d, -p2));
}

int CrossSign(double ax, double ay, double bx, double by) {
  if (!InExactRange(ax, ay, bx, by)) return SignOf(CrossProduct(ax, ay, bx, by));
  return ProductDifferenceSign(ax, by, ay, bx);
}

// Sign of g - h in step 3 of CompareBearing, g = SignOf(ux) ux^2 / |u|^2;
// 2 stands for "unordered" (a zero vector makes g NaN).
int BearingCosineOrder(double ux, double uy, double vx, double vy) {
  if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0)) return 2;
  if (!InExactRange(ux, uy, vx, vy)) {
    const double g = SignOf(ux) * ux * ux / (ux * ux + uy * uy);
    const double h = SignOf(vx) * vx * vx / (vx * vx + vy * vy);
    if (g == h) return 0;
    if (h < g) return 1;
    if (h > g) return -1;
    return 2;
  }
  const int su = SignOf(ux);
  const int sv = SignOf(vx);
  if (su != sv) return su > sv ? 1 : -1;
  if (su == 0) return 0;
  // Same sign s: g - h = s (ux^2 vy^2 - vx^2 uy^2) / (|u|^2 |v|^2).
  return su * ProductDifferenceSign(std::fabs(ux), std::fabs(vy), std::fabs(vx), std::fabs(uy));
}

struct SilhouetteRecord {
  int32_t i = 0;           // corner index in the obstacle's contour
  double x = 0, y = 0;     // the corner
  double nx = 0, ny = 0;   // to the next corner
  double px = 0, py = 0;   // to the previous corner
};

// Records 1 .. SilhouetteCapacity; record 0 is the spare of the exchanges.
constexpr int32_t SilhouetteCapacity = 100;

// |u| >= |v| for two vectors that CompareBearing found to point the same
// way: their largest components then scale alike, which is exact where the
// Euclidean lengths are not.
bool NotNearer(double ux, double uy, double vx, double vy) {
  if (InExactRange(ux, uy, vx, vy)) {
    return std::fmax(std::fabs(ux), std::fabs(uy)) >= std::fmax(std::fabs(vx), std::fabs(vy));
  }
  return VectorLength(ux, uy) >= VectorLength(vx, vy);
}

[[noreturn]] void Fail(const char* text, int32_t count) { throw EEngineError(text + std::to_string(count)); }

// An obstacle's corners as a shadow is built from them; Transposed
// exchanges x and y (see ComputeLitRegion). A template parameter, so that
// the lights of play pay nothing for it.
template <bool Transposed>
struct TObstacleView {
  const TPolygon& polygon;
  int32_t Count() const { return polygon.PointCount(); }
  double X(int32_t i) const { return static_cast<double>(Transposed ? polygon.PointY(i) : polygon.PointX(i)); }
  double Y(int32_t i) const { return static_cast<double>(Transposed ? polygon.PointX(i) : polygon.PointY(i)); }
};

// How far a shadow reaches: its far corners are V + Reach * (V - L) for the
// obstacle's corners V.
//
// A light on the field, or near the box that holds the field and the
// obstacle (no farther from it than the box's width and height together),
// keeps the classic reach of 999: the far edge a thousand times as far
// from the light as the chord, with every far corner an exact integer.
// Farther off, the classic far corners would lie a thousand times the
// light's distance away, and one clipper call takes its integer scale from
// its largest coordinate: at 2^31 cells the grid of representable points
// near the field would be 2^-18 cells coarse. There the reach shrinks with
// the distance instead: a point Q of the box behind the chord through P
// lies at L + t (P - L) with t - 1 = |Q - P| / |P - L| <= (box width +
// height) / (distance from L to the box), so a reach of twice that,
// rounded up to a power of two, still covers everything behind the
// obstacle while the far corners stay within a few hundred cells of the
// field. A power of two keeps V + Reach (V - L) exact for integer corners,
// so the rays keep their exact directions.
template <bool Transposed>
double ShadowReach(double Lx, double Ly, const TObstacleView<Transposed>& obstacle, double width, double height) {
  // Near the field is near any box that holds it: the obstacle's corners
  // need not be read for the lights of play.
  const double near = width + height;
  if (Lx >= -near && Lx <= width + near && Ly >= -near && Ly <= height + near) return 999;
  double x0 = 0, y0 = 0, x1 = width, y1 = height;
  for (int32_t i = 0; i < obstacle.Count(); ++i) {
    const double x = obstacle.X(i);
    const double y = obstacle.Y(i);
    x0 = std::fmin(x0, x);
    x1 = std::fmax(x1, x);
    y0 = std::fmin(y0, y);
    y1 = std::fmax(y1, y);
  }
  const double dx = std::fmax(0.0, std::fmax(x0 - Lx, Lx - x1));
  const double dy = std::fmax(0.0, std::fmax(y0 - Ly, Ly - y1));
  const double distance = std::fmax(dx, dy);  // at most the Euclidean one
  const double size = (x1 - x0) + (y1 - y0);
  if (!(distance > size)) return 999;
  int exponent = 0;
  std::frexp(2 * size / distance, &exponent);
  return std::ldexp(1.0, exponent);
}

}  // namespace

int CompareBearing(double ux, double uy, double vx, double vy) {
  if (uy < 0 && vy > 0) return 1;
  if (uy > 0 && vy < 0) return -1;
  const int order = BearingCosineOrder(ux, uy, vx, vy);
  if (order == 0) return 0;
  if (order == 1) return uy < 0 ? 1 : -1;
  if (uy > 0) return 1;
  if (uy < 0) return -1;
  return ux < 0 ? -1 : 1;
}

namespace {

// The shadow of BuildShadow in the frame of the view, for a field of
// width x height in that frame.
template <bool Transposed>
TContour ShadowOf(double Lx, double Ly, const TObstacleView<Transposed>& obstacle, double width, double height) {
  const int32_t n = obstacle.Count();
  std::array<SilhouetteRecord, SilhouetteCapacity + 1> table;
  int32_t k = 0;

  for (int32_t i = 0; i < n; ++i) {
    const int32_t prev = i == 0 ? n - 1 : i - 1;
    const int32_t next = i == n - 1 ? 0 : i + 1;
    const double vx = obstacle.X(i);
    const double vy = obstacle.Y(i);
    const double rx = vx - Lx, ry = vy - Ly;
    const double epx = obstacle.X(prev) - vx;
    const double epy = obstacle.Y(prev) - vy;
    const double enx = obstacle.X(next) - vx;
    const double eny = obstacle.Y(next) - vy;
    const int cp = CrossSign(rx, ry, epx, epy);
    const int cn = CrossSign(rx, ry, enx, eny);
    if (cp * cn > 0 || (cp == 0) != (cn == 0)) {
      // More corners than the table holds: such an obstacle is refused as
      // one with too many silhouette corners, never written past the table.
      if (k == SilhouetteCapacity) Fail("Error #24: pc = ", k + 1);
      ++k;
      table[static_cast<size_t>(k)] = SilhouetteRecord{i, vx, vy, enx, eny, epx, epy};
    }
  }

  for (int32_t p = 1; p <= k; ++p) {
    for (int32_t q = p + 1; q <= k; ++q) {
      const SilhouetteRecord& a = table[static_cast<size_t>(p)];
      const SilhouetteRecord& b = table[static_cast<size_t>(q)];
      if (CompareBearing(a.x - Lx, a.y - Ly, b.x - Lx, b.y - Ly) == 1) {
        table[0] = table[static_cast<size_t>(p)];
        table[static_cast<size_t>(p)] = table[static_cast<size_t>(q)];
        table[static_cast<size_t>(q)] = table[0];
      }
    }
  }

  // The comparisons read the records as they stood after the ordering;
  // slot out never passes j, so a sorted copy keeps them intact.
  const auto sorted = table;
  int32_t out = 1;
  for (int32_t j = 2; j <= k; ++j) {
    const SilhouetteRecord& cur = sorted[static_cast<size_t>(j)];
    const SilhouetteRecord& before = sorted[static_cast<size_t>(j - 1)];
    const double ux = cur.x - Lx, uy = cur.y - Ly, wx = before.x - Lx, wy = before.y - Ly;
    if (CompareBearing(ux, uy, wx, wy) != 0) {
      ++out;
      table[static_cast<size_t>(out)] = cur;
    } else {
      table[static_cast<size_t>(out)] = NotNearer(ux, uy, wx, wy) ? before : cur;
    }
  }
  const int32_t pc = out;
  if (pc < 2) Fail("Error #22: pc = ", pc);
  if (pc > 2) Fail("Error #24: pc = ", pc);

  const SilhouetteRecord& a = table[1];
  const SilhouetteRecord& b = table[2];
  const double tp = DotProduct(Lx - a.x, Ly - a.y, a.px, a.py) / VectorLength(a.px, a.py);
  const double tn = DotProduct(Lx - a.x, Ly - a.y, a.nx, a.ny) / VectorLength(a.nx, a.ny);
  const int32_t step = tp >= tn ? -1 : 1;
  const int dSign = CrossSign(a.x - Lx, a.y - Ly, b.x - Lx, b.y - Ly);

  auto wrap = [n](int32_t i) { return i < 0 ? n - 1 : (i >= n ? 0 : i); };
  const double reach = ShadowReach(Lx, Ly, obstacle, width, height);
  auto far = [Lx, Ly, reach](double x, double y) { return gpc_vertex{x + (x - Lx) * reach, y + (y - Ly) * reach}; };
  auto corner = [&obstacle](int32_t i) { return gpc_vertex{obstacle.X(i), obstacle.Y(i)}; };

  TContour shadow;
  if (dSign != 0) {
    for (int32_t i = a.i;; i = wrap(i + step)) {
      shadow.push_back(corner(i));
      if (i == b.i) break;
    }
    shadow.push_back(far(b.x, b.y));
    shadow.push_back(far(a.x, a.y));
  } else {
    for (int32_t i = a.i;; i = wrap(i - step)) {
      const gpc_vertex v = corner(i);
      shadow.push_back(far(v.x, v.y));
      if (i == b.i) break;
    }
  }
  return shadow;
}

// Whether a light is computed in the transposed frame: far off the field,
// and farther off to the side than above or below it. Its shadows' long edges
// are then closer to the rows than to the columns, and the clipper's
// intersection arithmetic, which steps along y by dx/dy, loses precision
// on edges that are nearly parallel to the x axis, most of all when many
// of them run side by side, as the rays from a far light do. Exchanging x
// and y makes those edges nearly vertical, where that arithmetic is at its
// best; the exchange itself is exact.
bool SeenAlongRows(int32_t lx, int32_t ly, TSightField field) {
  const int64_t x = lx, y = ly, w = field.width, h = field.height;
  const int64_t sideways = std::max({int64_t{0}, -x, x - w});
  const int64_t upright = std::max({int64_t{0}, -y, y - h});
  // Near the field the edges are short and far from parallel: lights there
  // keep the plain frame and with it their results.
  if (std::max(sideways, upright) <= w + h) return false;
  return sideways > upright;
}

}  // namespace

TContour BuildShadow(int32_t lx, int32_t ly, const TPolygon& obstacle) {
  return ShadowOf(lx, ly, TObstacleView<false>{obstacle}, VisWidth, VisHeight);
}

std::unique_ptr<TPolygon> FieldPolygon(TSightField field) {
  auto polygon = std::make_unique<TPolygon>();
  polygon->AddPoint(0, 0);
  polygon->AddPoint(0, field.height);
  polygon->AddPoint(field.width, field.height);
  polygon->AddPoint(field.width, 0);
  return polygon;
}

std::unique_ptr<TPolygon> ComputeLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls) {
  return ComputeLitRegion(lx, ly, walls, VisField());
}

std::unique_ptr<TPolygon> ComputeLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls, TSightField field) {
  if (auto region = SweptLitRegion(lx, ly, walls, field)) return region;
  return SubtractedShadowsRegion(lx, ly, walls, field);
}

std::unique_ptr<TPolygon> SubtractedShadowsRegion(int32_t lx, int32_t ly, const TPolygonList& walls,
                                                  TSightField field) {
  const bool transposed = SeenAlongRows(lx, ly, field);
  std::vector<TContour> shadows;
  shadows.reserve(walls.size());
  for (const auto& wall : walls) {
    if (!wall) continue;
    if (transposed) {
      shadows.push_back(ShadowOf(ly, lx, TObstacleView<true>{*wall}, field.height, field.width));
    } else {
      shadows.push_back(ShadowOf(lx, ly, TObstacleView<false>{*wall}, field.width, field.height));
    }
  }
  if (!transposed) {
    auto region = FieldPolygon(field);
    region->SubtractUnion(shadows);
    return region;
  }
  TPolygon swapped;
  swapped.Clear();
  swapped.AddContour(
      {{0, 0}, {double(field.height), 0}, {double(field.height), double(field.width)}, {0, double(field.width)}});
  swapped.SubtractUnion(shadows);
  // Back to the field's frame, each contour reversed so that it keeps the
  // orientation the clipper gave it.
  auto region = std::make_unique<TPolygon>();
  region->Clear();
  for (size_t c = 0; c < swapped.Contours().size(); ++c) {
    const TContour& from = swapped.Contours()[c];
    TContour back;
    back.reserve(from.size());
    for (auto v = from.rbegin(); v != from.rend(); ++v) back.push_back(gpc_vertex{v->y, v->x});
    region->AddContour(back, swapped.Holes()[c]);
  }
  return region;
}
