// The lights' work after every press and release on the shipped map: the
// lit layer repainted from 100 cached regions (target 10 ms), the outline of
// one region (1 ms), and the union area of 100 regions that the panel shows
// (5 ms; the one-by-one union is measured beside it). Also reports how many
// lights a greedy covering of the map needs.
//
// Lights stand at random lightable grid points, drawn with a fixed seed.
#include <benchmark/benchmark.h>

#include <queue>
#include <random>

#include "geometry/Union.h"
#include "tests/engine/FakeLightHost.h"

namespace {

constexpr uint32_t Seed = 2009;

std::vector<std::pair<int32_t, int32_t>> LightablePoints(const TBitmap32& map) {
  std::vector<std::pair<int32_t, int32_t>> points;
  for (int32_t j = 0; j <= FieldHeight; ++j)
    for (int32_t i = 0; i <= FieldWidth; ++i) {
      const bool walled = map.ReadPixel(i - 1, j - 1) == WallPixel && map.ReadPixel(i - 1, j) == WallPixel &&
                          map.ReadPixel(i, j - 1) == WallPixel && map.ReadPixel(i, j) == WallPixel;
      if (!walled) points.push_back({i, j});
    }
  return points;
}

std::unique_ptr<TFakeLightHost> ShippedHost() {
  return std::make_unique<TFakeLightHost>(LoadMapFile(GLOWMERE_DATA_DIR "/map.txt"));
}

// count lit lights of the host's list at random lightable points.
void AddRandomLights(TFakeLightHost& host, int32_t count) {
  const auto points = LightablePoints(*host.map);
  std::mt19937 rng(Seed);
  for (int32_t k = 0; k < count; ++k) {
    const auto [i, j] = points[rng() % points.size()];
    auto light = std::make_unique<TLight>();
    light->MoveToGridPoint(i, j);
    light->Active = true;
    light->Region = ComputeLitRegion(i, j, host.wallRects);
    host.lights.Add(std::move(light));
  }
}

void BM_UpdateLitLayer(benchmark::State& state) {
  auto host = ShippedHost();
  AddRandomLights(*host, int32_t(state.range(0)));
  for (auto _ : state) {
    TLight::UpdateLitLayer(nullptr, false);
    benchmark::DoNotOptimize(host->Lit().Bits());
  }
}
BENCHMARK(BM_UpdateLitLayer)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ShowRegionOutline(benchmark::State& state) {
  auto host = ShippedHost();
  AddRandomLights(*host, 16);
  int32_t k = 0;
  for (auto _ : state) {
    TLight::ShowRegionOutline(*host->lights[k]);
    k = (k + 1) % host->lights.Count();
    benchmark::DoNotOptimize(host->Overlay().Bits());
  }
}
BENCHMARK(BM_ShowRegionOutline)->Unit(benchmark::kMicrosecond);

// The union area as LitAreaOf asks for it, of the regions alternately with
// and without the last one: UnitedArea keeps the area of its last call for
// the same regions, which a loop over one list would measure instead.
void BM_LitAreaOf(benchmark::State& state) {
  auto host = ShippedHost();
  AddRandomLights(*host, int32_t(state.range(0)) + 1);
  std::vector<const TPolygon*> regions;
  for (const auto& light : host->lights) regions.push_back(light->Region.get());
  const std::vector<const TPolygon*> all(regions.begin(), regions.end() - 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(UnitedArea(all));
    state.PauseTiming();
    benchmark::DoNotOptimize(UnitedArea(regions));
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LitAreaOf)->Arg(10)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_LitAreaOneByOne(benchmark::State& state) {
  auto host = ShippedHost();
  AddRandomLights(*host, int32_t(state.range(0)));
  for (auto _ : state) {
    TPolygon united;
    for (const auto& light : host->lights) united.Clip(GPC_UNION, light->Region.get());
    benchmark::DoNotOptimize(united.Area());
  }
}
BENCHMARK(BM_LitAreaOneByOne)->Arg(10)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ComputeLitRegion(benchmark::State& state) {
  auto host = ShippedHost();
  const auto points = LightablePoints(*host->map);
  std::mt19937 rng(Seed);
  for (auto _ : state) {
    const auto [i, j] = points[rng() % points.size()];
    benchmark::DoNotOptimize(ComputeLitRegion(i, j, host->wallRects));
  }
}
BENCHMARK(BM_ComputeLitRegion)->Unit(benchmark::kMicrosecond);

// Lazy greedy covering (gains only shrink, so stale gains bound fresh ones).
void BM_GreedyCovering(benchmark::State& state) {
  auto host = ShippedHost();
  const auto points = LightablePoints(*host->map);
  std::vector<std::unique_ptr<TPolygon>> regions;
  for (const auto& [i, j] : points) regions.push_back(ComputeLitRegion(i, j, host->wallRects));
  size_t count = 0;
  long double area = 0;
  for (auto _ : state) {
    TPolygon united;
    area = 0;
    count = 0;
    std::priority_queue<std::pair<long double, size_t>> bounds;
    for (size_t k = 0; k < regions.size(); ++k) bounds.push({regions[k]->Area(), k});
    while (host->level.FreeCells() - area > 1e-9L && !bounds.empty()) {
      const auto [bound, k] = bounds.top();
      bounds.pop();
      const long double gain = UnitedArea({&united, regions[k].get()}) - area;
      if (!bounds.empty() && gain < bounds.top().first) {
        bounds.push({gain, k});
        continue;
      }
      if (gain <= 1e-12L) break;
      united.Clip(GPC_UNION, regions[k].get());
      area = united.Area();
      ++count;
    }
  }
  state.counters["lights"] = double(count);
  state.counters["missing_area"] = double(host->level.FreeCells() - area);
}
BENCHMARK(BM_GreedyCovering)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
