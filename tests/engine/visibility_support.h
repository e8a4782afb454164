// Helpers of the visibility tests: wall rectangles from a text-picture map
// ('#' wall, anything else free), the shipped map, the straightforward
// segment model of what a light sees, and the obstacles of the exact area
// model.
#pragma once

#include <algorithm>
#include <fstream>
#include <cmath>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/LevelMap.h"
#include "geometry/Polygons.h"
#include "levelmap_support.h"
#include "support/RegionModel.h"
#include "support/VisibleAreaModel.h"

struct TTextMap {
  int32_t width = 0, height = 0;
  std::vector<std::string> rows;
  std::vector<std::pair<int32_t, int32_t>> wallCells;    // top-left corners
  std::vector<std::pair<int32_t, int32_t>> wallCorners;  // grid points touching a wall
  bool Wall(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width && y < height && rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#';
  }
};

inline TTextMap ReadTextMap(const std::vector<std::string>& rows) {
  TTextMap m;
  m.rows = rows;
  m.height = static_cast<int32_t>(rows.size());
  m.width = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
  for (int32_t y = 0; y <= m.height; ++y) {
    for (int32_t x = 0; x <= m.width; ++x) {
      if (m.Wall(x, y)) m.wallCells.emplace_back(x, y);
      if (m.Wall(x, y) || m.Wall(x - 1, y) || m.Wall(x, y - 1) || m.Wall(x - 1, y - 1)) m.wallCorners.emplace_back(x, y);
    }
  }
  return m;
}

// The map's wall rectangles, as the level builds them (BuildWallRects).
inline TPolygonList WallRectsOf(const TTextMap& map) {
  std::string picture;
  for (const std::string& row : map.rows) picture += row + "\n";
  int32_t walls = 0;
  return BuildWallRects(*FreeOutsideMap(picture), walls);
}

// The segment from L to P passes through the open cell (cx, cy) .. (cx+1,
// cy+1): the open parameter intervals of both axes overlap inside [0, 1].
inline bool SegmentEntersCell(long double lx, long double ly, long double px, long double py, int32_t cx, int32_t cy) {
  long double lo = -1, hi = 2;
  auto axis = [&](long double l, long double d, long double c) {
    if (d == 0) {
      if (!(c < l && l < c + 1)) hi = -3;
      return;
    }
    long double a = (c - l) / d, b = (c + 1 - l) / d;
    if (a > b) std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
  };
  axis(lx, px - lx, cx);
  axis(ly, py - ly, cy);
  return lo < hi && lo < 1 && hi > 0;
}

inline bool SeenBySegments(const TTextMap& map, long double lx, long double ly, long double px, long double py) {
  for (const auto& [x, y] : map.wallCells) {
    if (SegmentEntersCell(lx, ly, px, py, x, y)) return false;
  }
  return true;
}

// Distance from P to the nearest line through L and a wall corner.
inline long double DistanceToCornerRays(const TTextMap& map, long double lx, long double ly, long double px, long double py) {
  long double best = 1e300L;
  for (const auto& [x, y] : map.wallCorners) {
    const long double dx = x - lx, dy = y - ly;
    const long double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0) continue;
    best = std::min(best, std::fabs(dx * (py - ly) - dy * (px - lx)) / len);
  }
  return best;
}

inline bool NearGridLine(double v, double eps) { return std::fabs(v - std::round(v)) < eps; }

// The wall rectangles as the exact area model takes them.
inline std::vector<TModelRect> ModelRectsOf(const TPolygonList& rects) {
  std::vector<TModelRect> out;
  for (const auto& r : rects) {
    out.push_back({static_cast<int64_t>(r->PointX(0)), static_cast<int64_t>(r->PointY(0)),
                   static_cast<int64_t>(r->PointX(2)), static_cast<int64_t>(r->PointY(2))});
  }
  return out;
}

// A map text as the level files hold it: one line per row.
inline TTextMap TextMapOf(const std::string& text) {
  std::vector<std::string> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) rows.push_back(line);
  return ReadTextMap(rows);
}

inline bool ReadShippedMap(TTextMap& map) {
  std::ifstream in(std::string(GLOWMERE_DATA_DIR) + "/map.txt");
  if (!in) return false;
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) rows.push_back(line);
  }
  map = ReadTextMap(rows);
  return true;
}
