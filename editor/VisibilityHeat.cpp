// Each grid point's lit region is read by rows of cell centres: the heights
// y = r + 1/2 where its contours cross, sorted, give the spans of the row
// inside the region (odd-even, as the clipper's sets are read), and every
// cell whose centre falls in a span counts that grid point once. A region's
// vertices are grid points or rounded crossings; a centre that lies on its
// boundary to within the rounding counts as seen, as a boundary point is.
#include "editor/VisibilityHeat.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace {

// Far below any distance between a centre and a boundary that does not
// pass through it (those are multiples of 1/(2 * 200^2) at least), far
// above the rounding of a crossing.
constexpr double OnBoundary = 1e-9;

struct TCrossing {
  int32_t row;
  double x;
  bool operator<(const TCrossing& other) const { return row != other.row ? row < other.row : x < other.x; }
};

void CountRegion(const TPolygon& region, const TLevel& level, std::vector<TCrossing>& crossings,
                 std::vector<int32_t>& counts) {
  crossings.clear();
  const int32_t w = level.Width(), h = level.Height();
  for (const TContour& contour : region.Contours()) {
    const size_t n = contour.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const gpc_vertex& a = contour[j];
      const gpc_vertex& b = contour[i];
      if (a.y == b.y) continue;
      const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
      // Rows whose centre height lies in [top, bottom): each crossed once.
      const int32_t first = std::max(0, int32_t(std::ceil(top - 0.5)));
      const int32_t last = std::min(h - 1, int32_t(std::ceil(bottom - 0.5)) - 1);
      for (int32_t r = first; r <= last; ++r) {
        const double y = r + 0.5;
        crossings.push_back({r, a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)});
      }
    }
  }
  std::sort(crossings.begin(), crossings.end());
  for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
    const TCrossing& from = crossings[k];
    const TCrossing& to = crossings[k + 1];
    if (from.row != to.row) {
      --k;  // an odd row would only come from a broken contour; resync on the next row
      continue;
    }
    // Centres c + 1/2 within [from.x, to.x].
    const int32_t left = std::max(0, int32_t(std::ceil(from.x - 0.5 - OnBoundary)));
    const int32_t right = std::min(w - 1, int32_t(std::floor(to.x - 0.5 + OnBoundary)));
    int32_t* row = &counts[size_t(from.row) * size_t(w)];
    for (int32_t c = left; c <= right; ++c) ++row[c];
  }
}

}  // namespace

std::optional<TVisibilityHeat> ComputeVisibilityHeat(const TLevel& level, int32_t threads, std::stop_token stop) {
  const int32_t w = level.Width(), h = level.Height();
  std::vector<TGridPoint> points;
  for (int32_t j = 0; j <= h; ++j)
    for (int32_t i = 0; i <= w; ++i)
      if (!level.IsWalledGridPoint(i, j)) points.push_back({i, j});
  // A level's regions read no globals: the threads share the level alone.

  threads = std::clamp(threads, 1, int32_t(std::max<size_t>(1, points.size())));
  std::vector<std::vector<int32_t>> counts(size_t(threads), std::vector<int32_t>(size_t(w) * size_t(h), 0));
  std::atomic<size_t> next{0};
  std::atomic<bool> stopped{false};
  auto work = [&](std::vector<int32_t>& mine) {
    std::vector<TCrossing> crossings;
    for (size_t k; (k = next.fetch_add(1)) < points.size();) {
      if (stop.stop_requested()) {
        stopped = true;
        return;
      }
      if (const std::unique_ptr<TPolygon> region = level.LitRegion(points[k])) CountRegion(*region, level, crossings, mine);
    }
  };
  std::vector<std::thread> pool;
  for (int32_t t = 1; t < threads; ++t) pool.emplace_back(work, std::ref(counts[size_t(t)]));
  work(counts[0]);
  for (std::thread& t : pool) t.join();
  if (stopped) return std::nullopt;

  TVisibilityHeat heat{w, h, std::move(counts[0]), 0};
  for (size_t t = 1; t < counts.size(); ++t)
    for (size_t i = 0; i < heat.seeing.size(); ++i) heat.seeing[i] += counts[t][i];
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      int32_t& cell = heat.seeing[size_t(y) * size_t(w) + size_t(x)];
      if (level.IsWallCell(x, y)) cell = -1;
      else heat.most = std::max(heat.most, cell);
    }
  return heat;
}
