// Helpers of the level map tests: maps from text pictures with the outer
// colour the conversions run under, contours as integer point lists, and
// random maps with their seed.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/LevelMap.h"
#include "engine/MapText.h"

using TGridPoints = std::vector<std::pair<int32_t, int32_t>>;

inline std::vector<std::string> PictureRows(const std::string& picture) {
  std::vector<std::string> rows;
  size_t start = 0;
  while (start < picture.size()) {
    size_t end = picture.find('\n', start);
    if (end == std::string::npos) end = picture.size();
    rows.push_back(picture.substr(start, end - start));
    start = end + 1;
  }
  return rows;
}

// Cell (x, y) of a picture as the conversions see it: outside is free.
inline bool PictureWall(const std::vector<std::string>& rows, int32_t x, int32_t y) {
  return y >= 0 && y < int32_t(rows.size()) && x >= 0 && x < int32_t(rows[size_t(y)].size()) &&
         rows[size_t(y)][size_t(x)] == '#';
}

// A picture's map, with the outside free as the main window reads it
// during the conversions. The conversions take any bitmap, also ones that
// no level may be (all wall), so the cells are written here ('#' wall,
// anything else free) rather than through the level reader.
inline std::unique_ptr<TBitmap32> FreeOutsideMap(const std::string& picture) {
  const std::vector<std::string> rows = PictureRows(picture);
  auto map = std::make_unique<TBitmap32>();
  map->Resize(rows.empty() ? 0 : int32_t(rows[0].size()), int32_t(rows.size()));
  for (int32_t y = 0; y < map->Height(); ++y)
    for (int32_t x = 0; x < map->Width(); ++x) map->WritePixel(x, y, PictureWall(rows, x, y) ? WallPixel : FreePixel);
  map->SetOuterColor(FreePixel);
  return map;
}

// Contour 0 of a set; every vertex of these conversions is a grid point.
inline TGridPoints PointsOf(const TPolygon& polygon) {
  TGridPoints points;
  for (int32_t i = 0; i < polygon.PointCount(); ++i)
    points.emplace_back(int32_t(polygon.PointX(i)), int32_t(polygon.PointY(i)));
  return points;
}

// A w x h picture with each cell a wall with the given chance.
inline std::string RandomPicture(std::mt19937& rng, int32_t w, int32_t h, double wallChance) {
  std::bernoulli_distribution wall(wallChance);
  std::string picture;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) picture += wall(rng) ? '#' : '.';
    picture += '\n';
  }
  return picture;
}


