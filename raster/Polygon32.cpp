// TPolygon32's geometry: contour building, per-point normals, the outline
// (each contour doubled back on itself) and the offset that turns an
// outline into a band. The offset arithmetic follows the fixed-point rules
// to the bit, so bands come out the same on every run; where those rules
// would overflow, sums saturate instead of wrapping.
#include "raster/Polygon32.h"

#include <cmath>

namespace {

int32_t Saturate(__int128 v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v); }

// a * b / c rounded to nearest, halves away from zero; -1 when c is 0 or
// the quotient does not fit in 32 bits. The product is taken in 128 bits so
// that arguments beyond 32 bits (sums of two offsets) cannot overflow.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return -1;
  const __int128 p = __int128(a) * b;
  const bool negative = (p < 0) != (c < 0);
  const __int128 ap = p < 0 ? -p : p;
  const __int128 ac = c < 0 ? -__int128(c) : __int128(c);
  const __int128 q = (2 * ap + ac) / (2 * ac);
  const __int128 r = negative ? -q : q;
  if (r > INT32_MAX || r < INT32_MIN) return -1;
  return int32_t(r);
}

TFixedPoint Add(TFixedPoint p, int64_t dx, int64_t dy) {
  return {Saturate(__int128(p.X) + dx), Saturate(__int128(p.Y) + dy)};
}

TFixed RoundToFixed(double v) { return ToFixed(v); }

void CopyProperties(const TPolygon32& from, TPolygon32& to) {
  to.ClosedContours = from.ClosedContours;
  to.FillRule = from.FillRule;
  to.Smooth = from.Smooth;
  to.SmoothLevel = from.SmoothLevel;
}

}  // namespace

TPolygon32::TPolygon32() : Points(1) {}

void TPolygon32::StartContour() {
  Points.emplace_back();
  normalsValid_ = false;
}

void TPolygon32::AppendPoint(TFixedPoint p) {
  if (Points.empty()) Points.emplace_back();
  Points.back().push_back(p);
  normalsValid_ = false;
}

const TArrayOfArrayOfFixedPoint& TPolygon32::Normals() const {
  if (normalsValid_ && normalsClosed_ == ClosedContours && normalsFrom_ == Points) return normals_;
  normals_.assign(Points.size(), {});
  for (size_t c = 0; c < Points.size(); ++c) {
    const TArrayOfFixedPoint& p = Points[c];
    TArrayOfFixedPoint& out = normals_[c];
    const size_t n = p.size();
    out.assign(n, TFixedPoint{});
    if (n < 2) continue;
    const size_t edges = ClosedContours ? n : n - 1;
    for (size_t k = 0; k < edges; ++k) {
      const TFixedPoint& a = p[k];
      const TFixedPoint& b = p[k + 1 == n ? 0 : k + 1];
      const double dx = (double(b.X) - a.X) / 65536.0, dy = (double(b.Y) - a.Y) / 65536.0;
      const double len = std::sqrt(dx * dx + dy * dy);
      if (len == 0) continue;
      out[k] = {RoundToFixed(dy / len), RoundToFixed(-dx / len)};
    }
    if (!ClosedContours) out[n - 1] = out[n - 2];
  }
  normalsFrom_ = Points;
  normalsClosed_ = ClosedContours;
  normalsValid_ = true;
  return normals_;
}

std::unique_ptr<TPolygon32> TPolygon32::MakeOutline() const {
  auto result = std::make_unique<TPolygon32>();
  CopyProperties(*this, *result);
  result->Points.clear();
  for (const TArrayOfFixedPoint& c : Points) {
    if (c.size() < 2) continue;
    result->Points.push_back(c);
    if (ClosedContours) result->Points.emplace_back();
    TArrayOfFixedPoint& back = result->Points.back();
    back.insert(back.end(), c.rbegin(), c.rend());
  }
  return result;
}

std::unique_ptr<TPolygon32> TPolygon32::OffsetContours(TFixed delta, float sharpness) const {
  auto result = std::make_unique<TPolygon32>();
  CopyProperties(*this, *result);
  result->Points.clear();
  if (delta == 0) {
    result->Points = Points;
    return result;
  }
  const TArrayOfArrayOfFixedPoint& normals = Normals();
  if (!(sharpness >= 0.0f)) sharpness = 0.0f;  // NaN too
  if (sharpness > 0.99f) sharpness = 0.99f;
  // Corners whose R stays at or below T are bevelled: with sharpness near
  // 1 only corners that almost reverse, with 0 every corner.
  const int64_t t = int64_t(std::nearbyint((1.0 - double(sharpness)) * delta));

  for (size_t c = 0; c < Points.size(); ++c) {
    const TArrayOfFixedPoint& p = Points[c];
    const TArrayOfFixedPoint& nrm = normals[c];
    const size_t n = p.size();
    if (n < 2) continue;
    TArrayOfFixedPoint& out = result->Points.emplace_back();
    out.reserve(n + n / 2);
    for (size_t k = 0; k < n; ++k) {
      const TFixedPoint& nk = nrm[k];
      const TFixedPoint& pk = nrm[k == 0 ? n - 1 : k - 1];
      const int64_t nx = MulDiv(nk.X, delta, 65536), ny = MulDiv(nk.Y, delta, 65536);
      const int64_t px = MulDiv(pk.X, delta, 65536), py = MulDiv(pk.Y, delta, 65536);
      if (!ClosedContours && k == 0) {
        out.push_back(Add(p[k], nx, ny));
        continue;
      }
      if (!ClosedContours && k == n - 1) {
        out.push_back(Add(p[k], px, py));
        continue;
      }
      const int64_t r = int64_t(MulDiv(px, px + nx, delta)) + MulDiv(py, py + ny, delta);
      if (t < r) {
        out.push_back(Add(p[k], MulDiv(px + nx, delta, r), MulDiv(py + ny, delta, r)));
      } else {
        out.push_back(Add(p[k], px, py));
        out.push_back(Add(p[k], nx, ny));
      }
    }
  }
  return result;
}
