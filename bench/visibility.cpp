// The lit region of one light on the shipped map (target: median at most
// 0.5 ms over every grid point that is not walled in on all four sides),
// and beside it the same region with one clipper difference per wall
// rectangle, the plain way. Reports the median and the worst light as
// counters (milliseconds of CPU time).
//
// The map is the shipped text picture (data/map.txt), its wall rectangles
// built as the game builds them; --map=PATH reads another picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "engine/LevelMap.h"
#include "engine/MapText.h"
#include "engine/Visibility.h"

namespace {

std::string MapPath = GLOWMERE_DATA_DIR "/map.txt";

struct TBenchMap {
  int32_t width = 0, height = 0;
  TPolygonList walls;
  std::vector<std::pair<int32_t, int32_t>> points;  // not walled in
};

const TBenchMap* LoadMap() {
  static TBenchMap map;
  static bool loaded = false;
  if (loaded) return map.walls.empty() ? nullptr : &map;
  loaded = true;
  std::unique_ptr<TBitmap32> bitmap;
  try {
    bitmap = LoadMapFile(MapPath);
  } catch (const EEngineError&) {
    return nullptr;
  }
  map.width = bitmap->Width();
  map.height = bitmap->Height();
  int32_t wallCount = 0;
  map.walls = BuildWallRects(*bitmap, wallCount);
  // Outside the field counts as wall, as for the grid points the player
  // may not use.
  bitmap->SetOuterColor(WallPixel);
  auto wall = [&](int32_t x, int32_t y) { return bitmap->ReadPixel(x, y) == WallPixel; };
  for (int32_t j = 0; j <= map.height; ++j) {
    for (int32_t i = 0; i <= map.width; ++i) {
      if (!(wall(i, j) && wall(i - 1, j) && wall(i, j - 1) && wall(i - 1, j - 1))) map.points.emplace_back(i, j);
    }
  }
  return map.walls.empty() ? nullptr : &map;
}

std::unique_ptr<TPolygon> OneDifferenceEach(int32_t lx, int32_t ly, const TPolygonList& walls) {
  auto region = FieldPolygon();
  for (const auto& wall : walls) {
    TPolygon shadow;
    for (const gpc_vertex& v : BuildShadow(lx, ly, *wall)) shadow.AddPoint(v.x, v.y);
    region->Clip(GPC_DIFF, &shadow);
  }
  return region;
}

// The thread's CPU time: on a shared machine a light's wall-clock time also
// holds whatever ran in between.
double ThreadMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// One iteration computes the region of every point once; the counters give
// the median and the worst point, each point at its fastest iteration.
template <typename Compute>
void EveryPoint(benchmark::State& state, Compute compute) {
  const TBenchMap* map = LoadMap();
  if (map == nullptr) {
    state.SkipWithError(("no map at " + MapPath).c_str());
    return;
  }
  SetFieldSize(map->width, map->height);
  std::vector<double> best(map->points.size(), 1e300);
  for (auto _ : state) {
    for (size_t k = 0; k < map->points.size(); ++k) {
      const double start = ThreadMilliseconds();
      auto region = compute(map->points[k].first, map->points[k].second, map->walls);
      benchmark::DoNotOptimize(region.get());
      best[k] = std::min(best[k], ThreadMilliseconds() - start);
    }
  }
  std::vector<double> sorted = best;
  std::sort(sorted.begin(), sorted.end());
  state.counters["lights"] = static_cast<double>(sorted.size());
  state.counters["walls"] = static_cast<double>(map->walls.size());
  state.counters["median_ms"] = sorted[sorted.size() / 2];
  state.counters["worst_ms"] = sorted.back();
}

void BM_ComputeLitRegion(benchmark::State& state) { EveryPoint(state, ComputeLitRegion); }
void BM_OneDifferencePerWall(benchmark::State& state) { EveryPoint(state, OneDifferenceEach); }

BENCHMARK(BM_ComputeLitRegion)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OneDifferencePerWall)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--map=", 0) == 0) {
      MapPath = arg.substr(6);
    } else {
      rest.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(rest.size());
  benchmark::Initialize(&count, rest.data());
  if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
