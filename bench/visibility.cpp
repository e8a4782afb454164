// The lit region of one light on the shipped map (target: median at most
// 0.5 ms over every grid point that is not walled in on all four sides),
// and beside it the same region with one clipper difference per wall
// rectangle, the plain way; then lights far off the field, as a loaded
// solution may hold them: in eight directions at 10^6 and 10^9 cells from
// the field's centre, and at the corners and edges of the 32-bit range.
// Reports the median and the worst light as counters (milliseconds of CPU
// time).
//
// The map is the shipped text picture (data/map.txt), its wall rectangles
// built as the game builds them; --map=PATH reads another picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <limits>
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

using TLights = std::vector<std::pair<int32_t, int32_t>>;

// Eight directions from the field's centre at distance d, each coordinate
// clamped to the 32-bit range.
TLights FarLights(const TBenchMap& map, double d) {
  TLights lights;
  auto clamp = [](double v) {
    return static_cast<int32_t>(std::clamp(v, double(std::numeric_limits<int32_t>::min()),
                                           double(std::numeric_limits<int32_t>::max())));
  };
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (dx != 0 || dy != 0) lights.emplace_back(clamp(map.width / 2 + dx * d), clamp(map.height / 2 + dy * d));
  return lights;
}

// One iteration computes the region of every light once; the counters give
// the median and the worst light, each light at its fastest iteration.
template <typename Compute>
void EachLight(benchmark::State& state, Compute compute, TLights (*choose)(const TBenchMap&)) {
  const TBenchMap* map = LoadMap();
  if (map == nullptr) {
    state.SkipWithError(("no map at " + MapPath).c_str());
    return;
  }
  SetFieldSize(map->width, map->height);
  const TLights lights = choose(*map);
  std::vector<double> best(lights.size(), 1e300);
  for (auto _ : state) {
    for (size_t k = 0; k < lights.size(); ++k) {
      const double start = ThreadMilliseconds();
      auto region = compute(lights[k].first, lights[k].second, map->walls);
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

TLights GridPoints(const TBenchMap& map) { return map.points; }
TLights AtMillion(const TBenchMap& map) { return FarLights(map, 1e6); }
TLights AtBillion(const TBenchMap& map) { return FarLights(map, 1e9); }
TLights AtRangeEnd(const TBenchMap& map) { return FarLights(map, 1e12); }

void BM_ComputeLitRegion(benchmark::State& state) { EachLight(state, ComputeLitRegion, GridPoints); }
void BM_OneDifferencePerWall(benchmark::State& state) { EachLight(state, OneDifferenceEach, GridPoints); }
void BM_ComputeLitRegionFar1e6(benchmark::State& state) { EachLight(state, ComputeLitRegion, AtMillion); }
void BM_ComputeLitRegionFar1e9(benchmark::State& state) { EachLight(state, ComputeLitRegion, AtBillion); }
void BM_ComputeLitRegionFar2p31(benchmark::State& state) { EachLight(state, ComputeLitRegion, AtRangeEnd); }

BENCHMARK(BM_ComputeLitRegion)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OneDifferencePerWall)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ComputeLitRegionFar1e6)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_ComputeLitRegionFar1e9)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_ComputeLitRegionFar2p31)->Unit(benchmark::kMillisecond)->Iterations(50);

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
