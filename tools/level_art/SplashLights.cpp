// Choosing the splash picture's lights.
#include "SplashLights.h"

#include <cmath>

namespace {

// Whether the point (x, y) lies inside a wall: on a cell side or corner it
// does only when every cell that touches the point is a wall.
bool InWall(const ArtMap& map, double x, double y) {
  constexpr double eps = 1e-9;
  const double fx = std::floor(x), fy = std::floor(y);
  const bool onX = x - fx < eps, onY = y - fy < eps;
  const int cx = int(fx), cy = int(fy);
  for (int dx = onX ? -1 : 0; dx <= 0; ++dx) {
    for (int dy = onY ? -1 : 0; dy <= 0; ++dy) {
      if (!map.IsWall(cx + dx, cy + dy, true)) return false;
    }
  }
  return true;
}

}  // namespace

bool SeesPoint(const ArtMap& map, double x0, double y0, double x1, double y1, double step) {
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int n = std::max(1, int(std::ceil(len / step)));
  for (int k = 1; k <= n; ++k) {
    const double t = double(k) / n;
    if (InWall(map, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t)) return false;
  }
  return true;
}

std::vector<QPoint> ChooseSplashLights(const ArtMap& map, int count,
                                      const std::function<bool(const QPoint&)>& allowed) {
  std::vector<bool> lit(size_t(map.width) * size_t(map.height), false);
  std::vector<QPoint> lights;
  for (int n = 0; n < count; ++n) {
    int best = -1;
    QPoint bestPoint;
    std::vector<size_t> bestCells;
    for (int j = 1; j < map.height; ++j) {
      for (int i = 1; i < map.width; ++i) {
        if (!allowed(QPoint(i, j))) continue;
        if (map.IsWallInMap(i - 1, j - 1) || map.IsWallInMap(i, j - 1) || map.IsWallInMap(i - 1, j) ||
            map.IsWallInMap(i, j)) {
          continue;  // the splash lights stand in the open
        }
        std::vector<size_t> cells;
        for (int r = 0; r < map.height; ++r) {
          for (int c = 0; c < map.width; ++c) {
            const size_t idx = size_t(r) * size_t(map.width) + size_t(c);
            if (map.cells[idx] || lit[idx]) continue;
            if (SeesPoint(map, i, j, c + 0.5, r + 0.5, 0.25)) cells.push_back(idx);
          }
        }
        if (int(cells.size()) > best) {
          best = int(cells.size());
          bestPoint = QPoint(i, j);
          bestCells = std::move(cells);
        }
      }
    }
    if (best <= 0) break;
    for (size_t idx : bestCells) lit[idx] = true;
    lights.push_back(bestPoint);
  }
  return lights;
}
