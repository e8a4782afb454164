// Shadow casting by octants. In an octant the light's offsets are (u, v)
// with 0 <= u <= v: v counts the bands (rows or columns of cells) away from
// the light, u the cells across them, and a ray is its slope s = u / v in
// [0, 1]. Cell (m, k) is the square [m, m+1] x [k, k+1] of those offsets;
// the light stands on a grid point, so it is a cell of the field's grid.
//
// A ray of slope s crosses band k between u = s k and u = s (k + 1), at
// most one cell across, so a run of wall cells [m0, m1) in band k stops
// exactly the rays with m0 / (k+1) < s < m1 / k: on its near side u = m0
// those with s <= m0 / k, on its face v = k the others. The rays between
// the runs go on to the next band. Beams (open intervals of slopes) are
// followed depth first in the order of their slopes, so the stopped pieces
// come out in the order of their directions.
//
// Outside the field there are no walls; the field's far sides stop every
// ray that reaches them, as a wall beyond the last band and the last cell
// would. Slopes are fractions of integers below 2^32, compared through
// 128-bit products.
#include "engine/SightSpans.h"

#include <algorithm>
#include <cassert>

namespace {

using Wide = __int128;

struct TSlope {
  int64_t n = 0, d = 1;  // n / d, d > 0
};

bool Less(TSlope a, TSlope b) { return Wide(a.n) * b.d < Wide(b.n) * a.d; }
TSlope Min(TSlope a, TSlope b) { return Less(b, a) ? b : a; }
TSlope Max(TSlope a, TSlope b) { return Less(a, b) ? b : a; }

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// An octant: u and v as signed real offsets. Swapped octants take v from x
// and u from y. Increasing: the slope grows with the angle from +x towards
// +y.
struct TOctant {
  bool swap;
  int8_t su, sv;
  bool increasing;
};

// Octant o spans the angles o * 45 to (o + 1) * 45 degrees.
constexpr TOctant Octants[8] = {
    {true, 1, 1, true},     // v = dx, u = dy
    {false, 1, 1, false},   // v = dy, u = dx
    {false, -1, 1, true},   // v = dy, u = -dx
    {true, 1, -1, false},   // v = -dx, u = dy
    {true, -1, -1, true},   // v = -dx, u = -dy
    {false, -1, -1, false}, // v = -dy, u = -dx
    {false, 1, -1, true},   // v = -dy, u = dx
    {true, -1, 1, false},   // v = dx, u = -dy
};

// A stopped piece of an octant: the rays of slopes (from, to) end on the
// line v = c (across the bands) or u = c.
struct TPiece {
  TSlope from, to;
  bool across;
  int64_t c;
};

class TOctantScan {
 public:
  TOctantScan(const TWallBits& grid, int64_t lx, int64_t ly, const TOctant& octant, std::vector<TPiece>& pieces)
      : grid_(grid), octant_(octant), pieces_(pieces) {
    const int64_t w = grid.Width(), h = grid.Height();
    uLight_ = octant.swap ? ly : lx;
    vLight_ = octant.swap ? lx : ly;
    const int64_t uSize = octant.swap ? h : w, vSize = octant.swap ? w : h;
    uMin_ = octant.su > 0 ? -uLight_ : uLight_ - uSize;
    uMax_ = octant.su > 0 ? uSize - uLight_ : uLight_;
    vMin_ = octant.sv > 0 ? -vLight_ : vLight_ - vSize;
    vMax_ = octant.sv > 0 ? vSize - vLight_ : vLight_;
  }

  int64_t UMin() const { return uMin_; }
  int64_t VMin() const { return vMin_; }

  // The slopes of the rays that meet the field's interior; false when none
  // of this octant's do.
  bool FieldSlopes(TSlope& lo, TSlope& hi) const {
    if (vMax_ <= 0 || uMax_ <= 0) return false;
    lo = uMin_ <= 0 ? TSlope{0, 1} : TSlope{uMin_, vMax_};
    hi = vMin_ <= 0 ? TSlope{1, 1} : Min(TSlope{1, 1}, TSlope{uMax_, vMin_});
    return Less(lo, hi);
  }

  void Scan(TSlope lo, TSlope hi) { Beam(std::max<int64_t>(0, vMin_), lo, hi); }

 private:
  void Emit(TSlope from, TSlope to, bool across, int64_t c) {
    if (Less(from, to)) pieces_.push_back({from, to, across, c});
  }

  // The bit line of band k (inside the field) and the real index of cell m
  // on it.
  TBitLine Band(int64_t k) const {
    const int64_t line = octant_.sv > 0 ? vLight_ + k : vLight_ - 1 - k;
    return octant_.swap ? grid_.Column(int32_t(line)) : grid_.Row(int32_t(line));
  }
  int32_t Index(int64_t m) const { return int32_t(octant_.su > 0 ? uLight_ + m : uLight_ - 1 - m); }
  int64_t Cell(int32_t index) const { return octant_.su > 0 ? index - uLight_ : uLight_ - 1 - index; }

  // The first wall run of cells [m0, m1) with m0 >= from, m0 <= last, m1
  // at most last + 1; false when there is none.
  bool NextRun(const TBitLine& band, int64_t from, int64_t last, int64_t& m0, int64_t& m1) const {
    if (from > last) return false;
    if (octant_.su > 0) {
      const int32_t first = Index(from), end = Index(last);
      const int32_t a = band.NextSet(first, end);
      if (a > end) return false;
      m0 = Cell(a);
      m1 = Cell(band.NextClear(a, end));
    } else {
      const int32_t first = Index(from), end = Index(last);
      const int32_t a = band.PrevSet(first, end);
      if (a < end) return false;
      m0 = Cell(a);
      m1 = Cell(band.PrevClear(a, end));
    }
    return true;
  }

  // The rays of slopes (lo, hi), lo < hi, entering band k unstopped.
  void Beam(int64_t k, TSlope lo, TSlope hi) {
    while (true) {
      if (k >= vMax_) {
        Emit(lo, hi, true, vMax_);  // the field's far side
        return;
      }
      if (k == 0) {
        // Only the cell at the light reaches into this octant's open
        // slopes in band 0. A wall there stops every ray at the light:
        // nothing is seen this way.
        if (uMin_ <= 0 && Band(0).Test(Index(0))) return;
        k = 1;
        continue;
      }
      // Cells [a, b] of band k meet the rays; those of the field are
      // [uMin, uMax - 1], those beyond uMax stop rays as a wall would.
      const int64_t a = std::max(FloorDiv(lo.n * k, lo.d), uMin_);
      const int64_t b = FloorDiv(hi.n * (k + 1) - 1, hi.d);
      const int64_t last = std::min(b, uMax_ - 1);
      bool pastSide = b >= uMax_;
      int64_t m0 = 0, m1 = 0;
      const TBitLine band = Band(k);
      bool found = NextRun(band, a, last, m0, m1);
      if (!found && !pastSide) {
        ++k;
        continue;
      }
      TSlope cursor = lo;
      while (found || pastSide) {
        const bool side = !found;
        if (side) {
          m0 = uMax_;
          pastSide = false;
        }
        const TSlope shadowFrom{m0, k + 1}, faceFrom{m0, k};
        const TSlope gapTo = Min(hi, shadowFrom);
        if (Less(cursor, gapTo)) Beam(k + 1, cursor, gapTo);
        Emit(Max(cursor, shadowFrom), Min(hi, faceFrom), false, m0);
        if (side) {
          // Rays that reach the field's side face past it have left the
          // field in an earlier band.
          cursor = hi;
          break;
        }
        const TSlope faceTo = Min(hi, TSlope{m1, k});
        Emit(Max(cursor, faceFrom), faceTo, true, k);
        cursor = Max(cursor, faceTo);
        if (!Less(cursor, hi)) break;
        found = NextRun(band, m1 + 1, last, m0, m1);
      }
      if (!Less(cursor, hi)) return;
      lo = cursor;
      ++k;
    }
  }

  const TWallBits& grid_;
  const TOctant octant_;
  std::vector<TPiece>& pieces_;
  int64_t uLight_ = 0, vLight_ = 0;
  int64_t uMin_ = 0, uMax_ = 0, vMin_ = 0, vMax_ = 0;  // the field in offsets
};

// A slope of the octant as a real direction.
TSightDirection DirectionOf(const TOctant& o, TSlope s) {
  const int64_t u = o.su * s.n, v = o.sv * s.d;
  return o.swap ? TSightDirection{v, u} : TSightDirection{u, v};
}

// A line of the octant as a real line.
TSightLine LineOf(const TOctant& o, int64_t lx, int64_t ly, bool across, int64_t c) {
  // v = c is x = lx + sv c when v comes from x, y = ly + sv c otherwise;
  // u = c likewise with su.
  const bool vertical = across == o.swap;
  const int64_t sign = across ? o.sv : o.su;
  return {vertical ? TSightLine::Vertical : TSightLine::Horizontal, (vertical ? lx : ly) + sign * c};
}

}  // namespace

void SweepSightSpans(const TWallBits& grid, int64_t lx, int64_t ly, std::vector<TSightSpan>& spans) {
  thread_local std::vector<TPiece> pieces;
  for (const TOctant& octant : Octants) {
    pieces.clear();
    TOctantScan scan(grid, lx, ly, octant, pieces);
    TSlope lo, hi;
    if (!scan.FieldSlopes(lo, hi)) continue;
    scan.Scan(lo, hi);

    // Where the rays enter: at the light when it stands on the field;
    // otherwise on the field's near side v = vMin or u = uMin, the two
    // parted by the ray through the near corner.
    const int64_t uMin = scan.UMin(), vMin = scan.VMin();
    const bool onField = uMin <= 0 && vMin <= 0;
    const TSlope corner{std::max<int64_t>(uMin, 0), std::max<int64_t>(vMin, 1)};
    auto nearLine = [&](bool beforeCorner) {
      if (onField) return TSightLine{TSightLine::Light, 0};
      const bool across = vMin > 0 && (uMin <= 0 || !beforeCorner);
      return LineOf(octant, lx, ly, across, across ? vMin : uMin);
    };
    const bool split = uMin > 0 && vMin > 0;

    const size_t first = spans.size();
    auto add = [&](TSlope from, TSlope to, const TSightLine& nearL, const TSightLine& farL) {
      if (!Less(from, to) || nearL == farL) return;
      spans.push_back({DirectionOf(octant, from), DirectionOf(octant, to), nearL, farL});
    };
    for (const TPiece& p : pieces) {
      const TSightLine farL = LineOf(octant, lx, ly, p.across, p.c);
      if (split && Less(p.from, corner) && Less(corner, p.to)) {
        add(p.from, corner, nearLine(true), farL);
        add(corner, p.to, nearLine(false), farL);
      } else {
        add(p.from, p.to, nearLine(split && !Less(corner, p.to) ? true : false), farL);
      }
    }
    if (!octant.increasing) {
      std::reverse(spans.begin() + std::ptrdiff_t(first), spans.end());
      for (size_t i = first; i < spans.size(); ++i) std::swap(spans[i].from, spans[i].to);
    }
  }
}
