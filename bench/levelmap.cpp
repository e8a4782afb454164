// The level map conversions of the main window's start on the shipped map:
// the wall rectangles, the corner table with its tracing (quadratic in the
// corners, a few hundred here), and both in the order the window runs them.
// Also the tracing of a map that fills the corner table, the worst any map
// may ask for.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/LevelMap.h"
#include "engine/MapText.h"

namespace {

std::unique_ptr<TBitmap32> ShippedMap() {
  auto map = LoadMapFile(GLOWMERE_DATA_DIR "/map.txt");
  map->SetOuterColor(FreePixel);
  return map;
}

void BM_BuildWallRects(benchmark::State& state) {
  auto map = ShippedMap();
  int32_t wallCount = 0;
  for (auto _ : state) {
    TPolygonList rects = BuildWallRects(*map, wallCount);
    benchmark::DoNotOptimize(rects.data());
  }
  state.counters["rects"] = double(BuildWallRects(*map, wallCount).size());
}
BENCHMARK(BM_BuildWallRects)->Unit(benchmark::kMicrosecond);

void BM_TraceWallOutlines(benchmark::State& state) {
  auto map = ShippedMap();
  for (auto _ : state) {
    TPolygonList outlines = TraceWallOutlines(*map);
    benchmark::DoNotOptimize(outlines.data());
  }
  state.counters["corners"] = double(DetectWallCorners(*map).size());
}
BENCHMARK(BM_TraceWallOutlines)->Unit(benchmark::kMicrosecond);

void BM_StartConversions(benchmark::State& state) {
  auto map = ShippedMap();
  int32_t wallCount = 0;
  for (auto _ : state) {
    TPolygonList rects = BuildWallRects(*map, wallCount);
    TPolygonList outlines = TraceWallOutlines(*map);
    benchmark::DoNotOptimize(rects.data());
    benchmark::DoNotOptimize(outlines.data());
  }
}
BENCHMARK(BM_StartConversions)->Unit(benchmark::kMicrosecond);

void BM_TraceFullCornerTable(benchmark::State& state) {
  // 100 x 100 isolated cells on the largest map: 40000 corners, about as
  // many as a map the reader takes can have.
  std::string picture;
  for (int32_t y = 0; y < MaxMapSide; ++y) {
    for (int32_t x = 0; x < MaxMapSide; ++x) picture += (x % 2 == 0 && y % 2 == 0) ? '#' : '.';
    picture += '\n';
  }
  auto map = LoadMapText(picture);
  map->SetOuterColor(FreePixel);
  for (auto _ : state) {
    TPolygonList outlines = TraceWallOutlines(*map);
    benchmark::DoNotOptimize(outlines.data());
  }
}
BENCHMARK(BM_TraceFullCornerTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
