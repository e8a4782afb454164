// The lit region of one light, at every grid point where a light may stand,
// on the shipped map and on random levels of 100 x 65, 200 x 130 and
// 200 x 200 (bench/BenchLevels.h): ComputeLitRegion (target: median at
// most 1.2 times the exact peer's, bench_visibility_peer), and beside it,
// in the same run, the shadows subtracted in one clipper pass (the region
// as the rules define it, what ComputeLitRegion did before the sweep) and
// one clipper difference per wall rectangle, the plain way. Then lights
// far off the shipped field, as a loaded solution may hold them: in eight
// directions at 10^6 and 10^9 cells from the field's centre, and at the
// corners and edges of the 32-bit range.
//
// Each light is timed on its own (bench/BenchLevels.h); the counters give
// the median and the worst light, each at its fastest iteration, in
// microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "BenchLevels.h"
#include "engine/Visibility.h"

namespace {

std::unique_ptr<TPolygon> OneDifferenceEach(int32_t lx, int32_t ly, const TPolygonList& walls) {
  auto region = FieldPolygon();
  for (const auto& wall : walls) {
    TPolygon shadow;
    for (const gpc_vertex& v : BuildShadow(lx, ly, *wall)) shadow.AddPoint(v.x, v.y);
    region->Clip(GPC_DIFF, &shadow);
  }
  return region;
}

using TLights = std::vector<std::pair<int32_t, int32_t>>;

// Eight directions from the field's centre at distance d, each coordinate
// clamped to the 32-bit range.
TLights FarLights(const TBenchLevel& level, double d) {
  TLights lights;
  auto clamp = [](double v) {
    return static_cast<int32_t>(std::clamp(v, double(std::numeric_limits<int32_t>::min()),
                                           double(std::numeric_limits<int32_t>::max())));
  };
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (dx != 0 || dy != 0) lights.emplace_back(clamp(level.width / 2 + dx * d), clamp(level.height / 2 + dy * d));
  return lights;
}

// One iteration computes the region of every light once.
template <typename Compute>
void EachLight(benchmark::State& state, Compute compute, const TBenchLevel& level, const TLights& lights) {
  SetFieldSize(level.width, level.height);
  std::vector<double> best(lights.size(), 1e300);
  for (auto _ : state) {
    for (size_t k = 0; k < lights.size(); ++k) {
      const double start = NowMicroseconds();
      auto region = compute(lights[k].first, lights[k].second, level.walls());
      benchmark::DoNotOptimize(region.get());
      best[k] = std::min(best[k], NowMicroseconds() - start);
    }
  }
  std::sort(best.begin(), best.end());
  state.SetLabel(level.name);
  state.counters["lights"] = double(best.size());
  state.counters["walls"] = double(level.walls().size());
  state.counters["median_us"] = best[best.size() / 2];
  state.counters["worst_us"] = best.back();
}

// The game's call: the field size set once, read by every region.
std::unique_ptr<TPolygon> GameRegion(int32_t lx, int32_t ly, const TPolygonList& walls) {
  return ComputeLitRegion(lx, ly, walls);
}
std::unique_ptr<TPolygon> Subtracted(int32_t lx, int32_t ly, const TPolygonList& walls) {
  return SubtractedShadowsRegion(lx, ly, walls);
}

void BM_ComputeLitRegion(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(int(state.range(0)));
  EachLight(state, GameRegion, level, level.lights);
}
void BM_SubtractedShadows(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(int(state.range(0)));
  EachLight(state, Subtracted, level, level.lights);
}
void BM_OneDifferencePerWall(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(0);
  EachLight(state, OneDifferenceEach, level, level.lights);
}
void BM_ComputeLitRegionFar(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(0);
  EachLight(state, GameRegion, level, FarLights(level, double(state.range(0))));
}

BENCHMARK(BM_ComputeLitRegion)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SubtractedShadows)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OneDifferencePerWall)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ComputeLitRegionFar)->Arg(1000000)->Arg(1000000000)->Arg(1000000000000)->Unit(benchmark::kMillisecond)
    ->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
