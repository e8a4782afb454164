// Polygon set operations at the field's size: one difference of the field
// rectangle with one wall's shadow, the same with a lit region of many
// vertices, and the one-pass subtraction of 171 shadows.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "geometry/Polygons.h"

namespace {

constexpr double W = 60, H = 39;

std::unique_ptr<TPolygon> Field() {
  auto p = std::make_unique<TPolygon>();
  p->AddPoint(0, 0);
  p->AddPoint(0, H);
  p->AddPoint(W, H);
  p->AddPoint(W, 0);
  return p;
}

// The shadow of the wall run (x0, y)..(x1, y+1) from a light above it, as
// the visibility computation builds it (far corners 1000 times as far).
TContour ShadowOf(double lx, double ly, double x0, double x1, double y) {
  auto far = [&](double x, double yy) { return gpc_vertex{(x - lx) * 1000 + lx, (yy - ly) * 1000 + ly}; };
  return {{x1, y}, {x0, y}, far(x0, y), far(x1, y)};
}

std::vector<TContour> ManyShadows(int count) {
  std::mt19937 rng(171);
  std::uniform_int_distribution<int> x(0, 55), len(1, 5), y(12, 38);
  std::vector<TContour> shadows;
  for (int i = 0; i < count; ++i) {
    const double x0 = x(rng);
    shadows.push_back(ShadowOf(30, 5, x0, x0 + len(rng), y(rng)));
  }
  return shadows;
}

void BM_FieldMinusOneShadow(benchmark::State& state) {
  TPolygon shadow;
  for (const gpc_vertex& v : ShadowOf(30, 20, 25, 33, 26)) shadow.AddPoint(v.x, v.y);
  for (auto _ : state) {
    auto region = Field();
    region->Clip(GPC_DIFF, &shadow);
    benchmark::DoNotOptimize(region->Contours().data());
  }
}

void BM_LitRegionMinusOneShadow(benchmark::State& state) {
  auto lit = Field();
  lit->SubtractUnion(ManyShadows(170));
  TPolygon shadow;
  for (const gpc_vertex& v : ShadowOf(30, 5, 10, 14, 9)) shadow.AddPoint(v.x, v.y);
  size_t vertices = 0;
  for (const TContour& c : lit->Contours()) vertices += c.size();
  state.counters["vertices"] = static_cast<double>(vertices);
  for (auto _ : state) {
    state.PauseTiming();
    auto region = Field();
    region->SubtractUnion(ManyShadows(170));
    state.ResumeTiming();
    region->Clip(GPC_DIFF, &shadow);
    benchmark::DoNotOptimize(region->Contours().data());
  }
}

void BM_FieldMinus171ShadowsInOnePass(benchmark::State& state) {
  const auto shadows = ManyShadows(171);
  for (auto _ : state) {
    auto region = Field();
    region->SubtractUnion(shadows);
    benchmark::DoNotOptimize(region->Contours().data());
  }
}

BENCHMARK(BM_FieldMinusOneShadow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LitRegionMinusOneShadow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FieldMinus171ShadowsInOnePass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
