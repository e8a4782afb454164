// Angular sweep: between two neighbouring critical directions (towards a
// corner of the field or of an obstacle) no ray passes a corner, so every
// ray of that open wedge enters the field through the same line, and is
// stopped by the same line: the field's far side or the edge of the first
// obstacle it meets. The lit part of the wedge is then the quadrilateral
// between those two lines, cut by the wedge's two bounding rays.
//
// Which lines those are is decided once per wedge, for one ray strictly
// inside it, with ray parameters compared as exact fractions of integers
// (about 2^34 each, so their cross products fit 128 bits). Only the four
// corners of each quadrilateral are computed in quad precision.
#include "support/VisibleAreaModel.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

using Int = __int128;
using Quad = __float128;

struct TVec {
  int64_t x, y;
};

Int Cross(TVec a, TVec b) { return Int(a.x) * b.y - Int(a.y) * b.x; }

// 0 for angles in [0, pi), 1 for [pi, 2 pi), measured from +x towards +y.
int Half(TVec v) { return (v.y > 0 || (v.y == 0 && v.x > 0)) ? 0 : 1; }

bool AngleLess(TVec a, TVec b) {
  if (Half(a) != Half(b)) return Half(a) < Half(b);
  return Cross(a, b) > 0;
}

bool SameDirection(TVec a, TVec b) { return Half(a) == Half(b) && Cross(a, b) == 0; }

// The fraction num / den, den > 0: a parameter along the probe ray.
struct TFraction {
  Int num, den;
};

bool Less(TFraction a, TFraction b) { return a.num * b.den < b.num * a.den; }
bool Positive(TFraction a) { return a.num > 0; }

// Where the probe ray meets a line: the light itself (parameter 0), the
// vertical line x = c or the horizontal line y = c.
enum class TLineKind { Light, Vertical, Horizontal };

struct TCrossing {
  TFraction t;
  TLineKind kind;
  int64_t c;
};

const TCrossing AtLight{{0, 1}, TLineKind::Light, 0};

// The parameters at which the ray l + t d meets lo and hi of one axis, as
// (entry, exit); none when d = 0, with inside telling whether the whole ray
// runs within the open slab.
struct TSlab {
  bool bounded;
  bool inside;
  TCrossing entry, exit;
};

TSlab Slab(int64_t l, int64_t d, int64_t lo, int64_t hi, TLineKind kind) {
  if (d == 0) return {false, lo < l && l < hi, {}, {}};
  TCrossing a{{Int(lo - l), Int(d)}, kind, lo};
  TCrossing b{{Int(hi - l), Int(d)}, kind, hi};
  if (d < 0) {
    a.t = {-a.t.num, -a.t.den};
    b.t = {-b.t.num, -b.t.den};
    std::swap(a, b);
  }
  return {true, true, a, b};
}

// The open interval of parameters in which the whole line l + t d lies in
// the open box; none when it misses the box.
std::optional<std::pair<TCrossing, TCrossing>> Pass(TVec l, TVec d, const TModelRect& box) {
  const TSlab sx = Slab(l.x, d.x, box.x0, box.x1, TLineKind::Vertical);
  const TSlab sy = Slab(l.y, d.y, box.y0, box.y1, TLineKind::Horizontal);
  if (!sx.inside || !sy.inside) return std::nullopt;
  if (!sx.bounded) return std::pair{sy.entry, sy.exit};
  if (!sy.bounded) return std::pair{sx.entry, sx.exit};
  const TCrossing entry = Less(sx.entry.t, sy.entry.t) ? sy.entry : sx.entry;
  const TCrossing exit = Less(sx.exit.t, sy.exit.t) ? sx.exit : sy.exit;
  if (!Less(entry.t, exit.t)) return std::nullopt;
  return std::pair{entry, exit};
}

int Sign(int64_t v) { return (v > 0) - (v < 0); }

struct TPoint {
  Quad x, y;
};

// Where the bounding ray l + t d (t >= 0) meets the line of crossing c.
TPoint OnRay(TVec l, TVec d, const TCrossing& c) {
  switch (c.kind) {
    case TLineKind::Light:
      return {Quad(l.x), Quad(l.y)};
    case TLineKind::Vertical:
      if (d.x == 0 || Sign(c.c - l.x) * Sign(d.x) < 0) throw std::logic_error("bounding ray misses its vertical line");
      return {Quad(c.c), Quad(l.y) + Quad(c.c - l.x) * Quad(d.y) / Quad(d.x)};
    case TLineKind::Horizontal:
      if (d.y == 0 || Sign(c.c - l.y) * Sign(d.y) < 0) throw std::logic_error("bounding ray misses its horizontal line");
      return {Quad(l.x) + Quad(c.c - l.y) * Quad(d.x) / Quad(d.y), Quad(c.c)};
  }
  return {};
}

Quad QuadrilateralArea(const TPoint (&p)[4]) {
  Quad twice = 0;
  for (int i = 0; i < 4; ++i) {
    const TPoint& a = p[i];
    const TPoint& b = p[(i + 1) % 4];
    twice += a.x * b.y - a.y * b.x;
  }
  return (twice < 0 ? -twice : twice) / 2;
}

}  // namespace

long double VisibleFieldArea(int64_t width, int64_t height, const std::vector<TModelRect>& obstacles, int64_t lx,
                             int64_t ly) {
  const TVec light{lx, ly};
  const TModelRect field{0, 0, width, height};

  std::vector<TVec> directions;
  auto addCorners = [&](const TModelRect& r) {
    for (TVec c : {TVec{r.x0, r.y0}, TVec{r.x1, r.y0}, TVec{r.x1, r.y1}, TVec{r.x0, r.y1}}) {
      const TVec d{c.x - lx, c.y - ly};
      if (d.x != 0 || d.y != 0) directions.push_back(d);
    }
  };
  addCorners(field);
  for (const TModelRect& r : obstacles) addCorners(r);
  std::sort(directions.begin(), directions.end(), AngleLess);
  directions.erase(std::unique(directions.begin(), directions.end(), SameDirection), directions.end());

  Quad total = 0;
  const size_t n = directions.size();
  for (size_t k = 0; k < n; ++k) {
    const TVec d1 = directions[k];
    const TVec d2 = directions[(k + 1) % n];
    // A probe strictly inside the open wedge from d1 to d2.
    const bool narrow = n > 1 && Cross(d1, d2) > 0;
    const TVec probe = narrow ? TVec{d1.x + d2.x, d1.y + d2.y} : TVec{-d1.y, d1.x};

    const auto inField = Pass(light, probe, field);
    if (!inField || !Positive(inField->second.t)) continue;
    const TCrossing nearLine = Positive(inField->first.t) ? inField->first : AtLight;
    TCrossing farLine = inField->second;
    for (const TModelRect& r : obstacles) {
      const auto inWall = Pass(light, probe, r);
      if (!inWall || !Positive(inWall->second.t)) continue;
      const TCrossing stop = Positive(inWall->first.t) ? inWall->first : AtLight;
      if (Less(stop.t, farLine.t)) farLine = stop;
    }
    if (!Less(nearLine.t, farLine.t)) continue;
    // A wedge of pi or more that sees field would have no quadrilateral;
    // a convex field seen from any point leaves none.
    if (!narrow) throw std::logic_error("a wide wedge sees part of the field");

    const TPoint corners[4] = {OnRay(light, d1, nearLine), OnRay(light, d1, farLine), OnRay(light, d2, farLine),
                               OnRay(light, d2, nearLine)};
    total += QuadrilateralArea(corners);
  }
  return static_cast<long double>(total);
}
