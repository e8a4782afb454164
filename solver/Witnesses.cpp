// Witnesses in dark pieces come from horizontal chords: on a line across a
// piece, the set's crossings pair up into inside intervals (even-odd over
// all contours, so holes are left out), and the middle of the widest one
// lies as far from the piece's boundary along that line as anything can.
// The lines stand at irrational-looking fractions of the piece's height so
// that they seldom pass through a vertex. A corner's point lies on the
// bisector of its two sides, on the side where the piece is, as close as
// still leaves it inside the set (tested by parity over the piece and the
// holes near it).
#include "solver/Witnesses.h"

#include <algorithm>
#include <cmath>

namespace {

// Fractions of a piece's height for its chords, best first.
constexpr double ChordLevels[] = {0.5, 0.2763932022500210, 0.7236067977499790, 0.1381966011250105,
                                  0.8618033988749895, 0.4145898033750315, 0.5854101966249685};

bool ContourContains(const TContour& c, double x, double y) {
  bool inside = false;
  const size_t n = c.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    if ((c[i].y > y) != (c[j].y > y) && x < (c[j].x - c[i].x) * (y - c[i].y) / (c[j].y - c[i].y) + c[i].x)
      inside = !inside;
  }
  return inside;
}

// Where the set's contours cross the line at y, ascending.
std::vector<double> Crossings(const TPolygon& set, double y) {
  std::vector<double> xs;
  for (const TContour& c : set.Contours()) {
    const size_t n = c.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      if ((c[i].y > y) != (c[j].y > y)) xs.push_back((c[j].x - c[i].x) * (y - c[i].y) / (c[j].y - c[i].y) + c[i].x);
    }
  }
  std::sort(xs.begin(), xs.end());
  return xs;
}

}  // namespace

std::vector<gpc_vertex> FirstWitnesses(const TCoverField& field) {
  // Near enough to a corner to stand in its shadow lines, far enough from
  // the walls that no rounding decides it.
  constexpr double Inset = 0.05;
  std::vector<gpc_vertex> points;
  for (int32_t y = 0; y < field.Height(); ++y) {
    for (int32_t x = 0; x < field.Width(); ++x) {
      if (field.IsWallCell(x, y)) continue;
      points.push_back({x + 0.5, y + 0.5});
      for (int32_t dy = 0; dy <= 1; ++dy) {
        for (int32_t dx = 0; dx <= 1; ++dx) {
          // The corner (x + dx, y + dy) touches a wall when one of its
          // four cells is one; the outside of the field is no wall here.
          const int32_t cx = x + dx, cy = y + dy;
          const TWallGrid& walls = field.Level().Walls();
          bool touches = false;
          for (int32_t oy = -1; oy <= 0; ++oy)
            for (int32_t ox = -1; ox <= 0; ++ox) touches = touches || walls.IsWallInGrid(cx + ox, cy + oy);
          if (!touches) continue;
          points.push_back({dx ? x + 1 - Inset : x + Inset, dy ? y + 1 - Inset : y + Inset});
        }
      }
    }
  }
  return points;
}

std::vector<TDarkSample> SamplesInDark(const TPolygon& dark, int32_t chords) {
  std::vector<TDarkSample> samples;
  const std::vector<TContour>& contours = dark.Contours();
  // Bounding boxes of the holes, so that a point is tested against the
  // few holes near it.
  struct TBox {
    double left, top, right, bottom;
  };
  std::vector<std::pair<size_t, TBox>> holes;
  for (size_t h = 0; h < contours.size(); ++h) {
    if (dark.Holes()[h] == 0 || contours[h].empty()) continue;
    TBox box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const gpc_vertex& v : contours[h]) {
      box = {std::min(box.left, v.x), std::min(box.top, v.y), std::max(box.right, v.x), std::max(box.bottom, v.y)};
    }
    holes.emplace_back(h, box);
  }
  auto inside = [&](const TContour& piece, double x, double y) {
    bool in = ContourContains(piece, x, y);
    for (const auto& [h, box] : holes)
      if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom && ContourContains(contours[h], x, y))
        in = !in;
    return in;
  };
  for (size_t p = 0; p < contours.size(); ++p) {
    if (dark.Holes()[p] != 0 || contours[p].size() < 3 || dark.ContourArea(int32_t(p)) <= ArtefactArea) continue;
    const TContour& piece = contours[p];
    double top = HUGE_VAL, bottom = -HUGE_VAL;
    for (const gpc_vertex& v : piece) {
      top = std::min(top, v.y);
      bottom = std::max(bottom, v.y);
    }
    int32_t found = 0;
    for (double level : ChordLevels) {
      if (found == chords) break;
      const double y = top + (bottom - top) * level;
      if (!(y > top && y < bottom)) continue;
      const std::vector<double> xs = Crossings(dark, y);
      double bestWidth = 0, bestX = 0;
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        const double mid = (xs[i] + xs[i + 1]) / 2;
        const double width = xs[i + 1] - xs[i];
        if (width > bestWidth && ContourContains(piece, mid, y)) {
          bestWidth = width;
          bestX = mid;
        }
      }
      if (bestWidth > 0) {
        samples.push_back({{bestX, y}, int32_t(p)});
        ++found;
      }
    }
    // Corners, spread evenly round the contour when there are many.
    const size_t n = piece.size();
    const size_t stride = std::max<size_t>(1, (n + CornerSamples - 1) / CornerSamples);
    for (size_t i = 0; i < n; i += stride) {
      const gpc_vertex& v = piece[i];
      const gpc_vertex& a = piece[(i + n - 1) % n];
      const gpc_vertex& b = piece[(i + 1) % n];
      const double la = std::hypot(a.x - v.x, a.y - v.y), lb = std::hypot(b.x - v.x, b.y - v.y);
      if (!(la > 0 && lb > 0)) continue;
      double wx = (a.x - v.x) / la + (b.x - v.x) / lb, wy = (a.y - v.y) / la + (b.y - v.y) / lb;
      double lw = std::hypot(wx, wy);
      if (lw < 1e-9) {
        // A straight corner: the bisector is the side's normal.
        wx = -(b.y - v.y) / lb;
        wy = (b.x - v.x) / lb;
        lw = 1;
      }
      wx /= lw;
      wy /= lw;
      const double longest = std::min(la, lb);
      bool placed = false;
      for (double step : {0.02, 0.004, 0.0008}) {
        const double e = std::min(step, longest / 2);
        for (const double side : {1.0, -1.0}) {
          const double x = v.x + side * e * wx, y = v.y + side * e * wy;
          if (inside(piece, x, y)) {
            samples.push_back({{x, y}, int32_t(p)});
            placed = true;
            break;
          }
        }
        if (placed) break;
      }
    }
  }
  return samples;
}
