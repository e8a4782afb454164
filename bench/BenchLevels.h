// The levels that the visibility benchmarks measure on, and the lights
// they measure: the shipped map, random levels of 100 x 65, 200 x 130 and
// 200 x 200 cells (tools/random_level, seed 1, the levels of
// bench/solve-scale.sh), and on each every grid point that the game lets a
// light stand on (not walled in on all four sides, the outside counting as
// wall). Also the clock that both benchmarks time a query with.
#pragma once

#include <cstdint>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Level.h"
#include "engine/LevelMap.h"
#include "engine/MapText.h"
#include "geometry/Polygons.h"
#include "tools/random_level/RandomLevel.h"

struct TBenchLevel {
  std::string name;
  int32_t width = 0, height = 0;
  std::unique_ptr<TLevel> rules;                    // the level as the game reads it
  std::vector<std::pair<int32_t, int32_t>> lights;  // legal grid points

  const TPolygonList& walls() const { return rules->WallRects(); }
};

// 0: the shipped map, 1: 100 x 65, 2: 200 x 130, 3: 200 x 200. Built once.
inline const TBenchLevel& BenchLevel(int index) {
  static std::unique_ptr<TBenchLevel> levels[4];
  std::unique_ptr<TBenchLevel>& level = levels[index];
  if (level) return *level;
  level = std::make_unique<TBenchLevel>();
  static const std::pair<int32_t, int32_t> sizes[4] = {{60, 39}, {100, 65}, {200, 130}, {200, 200}};
  std::unique_ptr<TBitmap32> map;
  if (index == 0) {
    level->name = "shipped 60x39";
    map = LoadMapFile(GLOWMERE_DATA_DIR "/map.txt");
  } else {
    const auto [w, h] = sizes[index];
    level->name = "random " + std::to_string(w) + "x" + std::to_string(h);
    map = LoadMapText(RandomLevelText(w, h, 1));
  }
  level->rules = std::make_unique<TLevel>(*map);
  level->width = level->rules->Width();
  level->height = level->rules->Height();
  for (int32_t j = 0; j <= level->height; ++j)
    for (int32_t i = 0; i <= level->width; ++i)
      if (!level->rules->IsWalledGridPoint(i, j)) level->lights.emplace_back(i, j);
  return *level;
}

// The monotonic clock, in microseconds. A query takes microseconds, and
// reading the thread's CPU clock is a system call on the development
// machine that costs more than one: the benchmarks read this clock (tens
// of nanoseconds) instead and keep each query's fastest round, which
// leaves out the rounds that another process broke into.
inline double NowMicroseconds() {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
