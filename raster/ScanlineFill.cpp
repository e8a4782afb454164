// The scanline filler; see ScanlineFill.h for the sampling rules.
#include "raster/ScanlineFill.h"

#include <algorithm>
#include <vector>

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// One edge, top to bottom, stepped exactly: its crossing with sample row t
// is x0 + floor((Ys(t) - y0) * (x1 - x0) / (y1 - y0)) in 16.16, kept as a
// quotient and remainder so that stepping one row adds a constant.
struct TEdge {
  int64_t x;      // crossing with the first sample row, 16.16 (then kept
                  // in the active list)
  int64_t rem;    // remainder, 0 <= rem < den
  int64_t den;    // y1 - y0 > 0
  int64_t stepQ;  // floor(step * (x1 - x0) / den)
  int64_t stepR;  // the remainder of that
  int64_t first;  // first sample row (inclusive)
  int64_t last;   // last sample row (exclusive)
  int32_t dir;    // +1 where the contour runs downwards, -1 upwards
};

void AddEdges(const TArrayOfFixedPoint& c, int64_t step, int64_t rows, std::vector<TEdge>& edges) {
  const size_t n = c.size();
  if (n < 3) return;
  const int64_t half = step / 2;
  for (size_t k = 0; k < n; ++k) {
    const TFixedPoint& a = c[k];
    const TFixedPoint& b = c[k + 1 == n ? 0 : k + 1];
    if (a.Y == b.Y) continue;
    const bool down = b.Y > a.Y;
    const TFixedPoint& top = down ? a : b;
    const TFixedPoint& bottom = down ? b : a;
    // Sample row t lies at Ys = t*step + half; the edge takes the rows with
    // top.Y <= Ys < bottom.Y.
    const int64_t first = std::max<int64_t>(CeilDiv(int64_t(top.Y) - half, step), 0);
    const int64_t last = std::min<int64_t>(CeilDiv(int64_t(bottom.Y) - half, step), rows);
    if (first >= last) continue;
    TEdge e;
    e.den = int64_t(bottom.Y) - top.Y;
    const int64_t dx = int64_t(bottom.X) - top.X;
    const __int128 num = __int128(first * step + half - top.Y) * dx;
    __int128 q = num / e.den;
    if (num % e.den != 0 && num < 0) --q;
    e.x = top.X + int64_t(q);
    e.rem = int64_t(num - q * e.den);
    const int64_t stepNum = step * dx;  // |dx| < 2^32, step <= 2^16
    e.stepQ = FloorDiv(stepNum, e.den);
    e.stepR = stepNum - e.stepQ * e.den;
    e.first = first;
    e.last = last;
    e.dir = down ? 1 : -1;
    edges.push_back(e);
  }
}

// The coverage of one pixel row, gathered from its S sample rows.
class TRowCoverage {
 public:
  TRowCoverage(int32_t width, int32_t samples)
      : samples_(samples), shift_(Log2(samples)), count_(size_t(width) + 2, 0), diff_(size_t(width) + 2, 0), weight_(size_t(width) + 1, 0) {}

  // Sample indices [k0, k1) of one sample row, 0 <= k0 < k1 <= width*S.
  // Arrays have two spare slots: x1 + 1 may be width + 1.
  void AddSpan(int64_t k0, int64_t k1) {
    const int64_t x0 = k0 >> shift_, x1 = k1 >> shift_;
    // Pixels x0+1 .. x1 count whole through the difference array and the
    // two ends are corrected directly; written so that x0 == x1 needs no
    // branch (the whole-pixel part then adds and takes away S at the same
    // place, and the corrections add up to k1 - k0).
    count_[size_t(x0)] += int32_t((x0 + 1) * samples_ - k0);
    diff_[size_t(x0 + 1)] += samples_;
    diff_[size_t(x1 + 1)] -= samples_;
    count_[size_t(x1)] += int32_t(k1 - (x1 + 1) * samples_);
    lo_ = std::min(lo_, x0);
    hi_ = std::max(hi_, x1 + 1);
  }

  // Hands the row's covered runs to span and clears it; returns the
  // columns handed out [left, right).
  std::pair<int32_t, int32_t> Flush(TBitmap32& bitmap, int32_t y, const TFillLineEvent& span) {
    if (lo_ >= hi_) return {0, 0};
    const int32_t full = samples_ * samples_, fullShift = 2 * shift_;
    const int32_t width = bitmap.Width();
    const int32_t lo = int32_t(lo_), hi = int32_t(std::min<int64_t>(hi_, width));
    int32_t running = 0;
    for (int32_t x = lo; x < hi; ++x) {
      running += diff_[size_t(x)];
      const int32_t c = count_[size_t(x)] + running;
      weight_[size_t(x)] = uint8_t((c * 255 + full / 2) >> fullShift);
      count_[size_t(x)] = 0;
      diff_[size_t(x)] = 0;
    }
    for (int64_t x = hi; x < hi_ + 1 && x < int64_t(count_.size()); ++x) count_[size_t(x)] = diff_[size_t(x)] = 0;
    lo_ = INT64_MAX;
    hi_ = INT64_MIN;
    int32_t left = INT32_MAX, right = INT32_MIN;
    TColor32* row = bitmap.ScanLine(y);
    for (int32_t x = lo; x < hi;) {
      if (weight_[size_t(x)] == 0) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < hi && weight_[size_t(x)] != 0) ++x;
      span(row + start, start, y, x - start, &weight_[size_t(start)]);
      left = std::min(left, start);
      right = std::max(right, x);
    }
    return left < right ? std::pair{left, right} : std::pair{0, 0};
  }

 private:
  static int Log2(int32_t v) {
    int n = 0;
    while ((1 << n) < v) ++n;
    return n;
  }

  int32_t samples_;
  int shift_;  // samples_ = 2^shift_
  std::vector<int32_t> count_;  // samples per pixel from partial pixels
  std::vector<int32_t> diff_;   // difference array of whole-pixel spans
  std::vector<uint8_t> weight_;
  int64_t lo_ = INT64_MAX, hi_ = INT64_MIN;  // pixel columns touched
};

}  // namespace

TRect FillContours(TBitmap32& bitmap, const TArrayOfArrayOfFixedPoint& contours, bool nonZero,
                   int32_t samplesPerAxis, const TFillLineEvent& span) {
  if (bitmap.Empty() || !span) return {};
  const int32_t s = std::clamp<int32_t>(samplesPerAxis, 1, 32);
  const int64_t step = FixedOne / s, half = step / 2;
  const int64_t rows = int64_t(bitmap.Height()) * s;
  const int64_t samplesWide = int64_t(bitmap.Width()) * s;

  std::vector<TEdge> edges;
  for (const TArrayOfFixedPoint& c : contours) AddEdges(c, step, rows, edges);
  if (edges.empty()) return {};
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.first < b.first; });

  TRect touched{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  auto touch = [&](int32_t left, int32_t right, int32_t y) {
    if (left >= right) return;
    touched.Left = std::min(touched.Left, left);
    touched.Right = std::max(touched.Right, right);
    touched.Top = std::min(touched.Top, y);
    touched.Bottom = std::max(touched.Bottom, y + 1);
  };
  // The active list keeps each edge's crossing beside a pointer to the
  // rest of it, so that sorting touches one small contiguous array.
  struct TActive {
    int64_t x;
    TEdge* edge;
  };
  std::vector<TActive> active;
  active.reserve(edges.size());
  std::unique_ptr<TRowCoverage> coverage;
  if (s > 1) coverage = std::make_unique<TRowCoverage>(bitmap.Width(), s);
  // step is a power of two: sample indices come from shifts, not divisions.
  int shift = 0;
  while ((int64_t(1) << shift) < step) ++shift;
  auto sampleIndex = [shift, half](int64_t x) { return -((half - x) >> shift); };  // ceil((x - half) / step)

  size_t next = 0;
  int64_t t = edges[0].first;
  while (true) {
    if (active.empty()) {
      if (next == edges.size()) break;
      // Jump over rows where nothing is active, finishing the pixel row
      // left behind.
      if (coverage && edges[next].first / s != t / s) {
        const auto [l, r] = coverage->Flush(bitmap, int32_t(t / s), span);
        touch(l, r, int32_t(t / s));
      }
      t = std::max(t, edges[next].first);
    }
    while (next < edges.size() && edges[next].first <= t) {
      active.push_back({edges[next].x, &edges[next]});
      ++next;
    }
    // Crossings barely move from row to row: insertion sort stays linear.
    for (size_t i = 1; i < active.size(); ++i) {
      const TActive a = active[i];
      size_t j = i;
      while (j > 0 && active[j - 1].x > a.x) {
        active[j] = active[j - 1];
        --j;
      }
      active[j] = a;
    }

    // One pass: this sample row's spans (as sample-index ranges) from the
    // sorted crossings, and each edge stepped to the next row or retired.
    int32_t winding = 0;
    int64_t spanStart = 0;
    const int32_t y = int32_t(t / s);
    const int64_t nextRow = t + 1;
    size_t kept = 0;
    for (size_t i = 0; i < active.size(); ++i) {
      TActive a = active[i];
      TEdge& e = *a.edge;
      const bool wasInside = nonZero ? winding != 0 : (winding & 1) != 0;
      winding += e.dir;
      const bool isInside = nonZero ? winding != 0 : (winding & 1) != 0;
      if (wasInside != isInside) {
        const int64_t k = sampleIndex(a.x);
        if (isInside) {
          spanStart = k;
        } else {
          const int64_t k0 = std::max<int64_t>(spanStart, 0), k1 = std::min<int64_t>(k, samplesWide);
          if (k0 < k1) {
            if (coverage) {
              coverage->AddSpan(k0, k1);
            } else {
              span(bitmap.ScanLine(y) + k0, int32_t(k0), y, int32_t(k1 - k0), nullptr);
              touch(int32_t(k0), int32_t(k1), y);
            }
          }
        }
      }
      if (e.last <= nextRow) continue;
      // The carry is as good as random: kept free of branches.
      const int64_t rem = e.rem + e.stepR;
      const int64_t carry = rem >= e.den;
      e.rem = rem - (e.den & -carry);
      a.x += e.stepQ + carry;
      active[kept++] = a;
    }
    active.resize(kept);
    t = nextRow;
    if (coverage && (t % s == 0 || (active.empty() && next == edges.size()))) {
      const auto [l, r] = coverage->Flush(bitmap, int32_t((t - 1) / s), span);
      touch(l, r, int32_t((t - 1) / s));
    }
    if (t >= rows) break;
  }
  return touched.Left < touched.Right ? touched : TRect{};
}
