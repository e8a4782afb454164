// Wall grids from text pictures, for the tests of whatever edits or reads
// them: one line per row, '#' a wall cell and any other character floor.
// Any grid can be drawn this way, also those the map reader refuses (all
// wall); rows are as long as the first.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/WallGrid.h"

inline TWallGrid WallPicture(const std::string& picture) {
  std::vector<std::string> rows;
  for (size_t start = 0; start < picture.size();) {
    size_t end = picture.find('\n', start);
    if (end == std::string::npos) end = picture.size();
    rows.push_back(picture.substr(start, end - start));
    start = end + 1;
  }
  TWallGrid walls(rows.empty() ? 0 : int32_t(rows[0].size()), int32_t(rows.size()));
  for (int32_t y = 0; y < walls.height; ++y)
    for (int32_t x = 0; x < walls.width; ++x) walls.Set(x, y, rows[size_t(y)][size_t(x)] == '#');
  return walls;
}

// A width x height grid, each cell a wall with the given chance.
inline TWallGrid RandomWalls(std::mt19937& rng, int32_t width, int32_t height, double wallChance) {
  std::bernoulli_distribution wall(wallChance);
  TWallGrid walls(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) walls.Set(x, y, wall(rng));
  return walls;
}
