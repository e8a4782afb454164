// Raster drawing costs on the field's 620 x 410 layer, with synthetic
// shapes (fixed seed) so that the figures do not depend on the map:
// - 100 star-shaped regions filled with the lit picture as pattern, as the
//   lit layer's repaint does (target 10 ms for all 100);
// - one region's outline band: MakeOutline, OffsetContours(3277, 1.0) and a
//   smooth level-0 render (target 1 ms);
// - a smooth level-0 black fill of the whole field, as a large dark
//   remainder is painted while the hint button is held (target 30 ms);
// - the composition of a field image of five full-size layers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "raster/Layers.h"
#include "raster/Polygon32.h"

namespace {

constexpr uint32_t Seed = 2009;
constexpr int32_t LayerWidth = 620, LayerHeight = 410;

TAffineTransformation FieldTransform() {
  TAffineTransformation t;
  t.ScaleBy(10, 10);
  t.TranslateBy(10, 10);
  return t;
}

// A star-shaped region in cell units around a random centre, its vertices
// kept inside the field, like the region one light sees.
std::unique_ptr<TPolygon32> StarRegion(std::mt19937& rng, int32_t vertices) {
  std::uniform_real_distribution<double> cx(0, 60), cy(0, 39), radius(4, 30), jitter(0.2, 1.0);
  const double x0 = cx(rng), y0 = cy(rng), r = radius(rng);
  auto p = std::make_unique<TPolygon32>();
  p->StartContour();
  for (int32_t k = 0; k < vertices; ++k) {
    const double a = 2 * M_PI * k / vertices;
    const double d = r * jitter(rng);
    const double x = std::clamp(x0 + d * std::cos(a), 0.0, 60.0), y = std::clamp(y0 + d * std::sin(a), 0.0, 39.0);
    p->AppendPoint({ToFixed(x), ToFixed(y)});
  }
  return p;
}

// A region shaped like what a light sees among walls: sectors of constant
// radius joined by radial shadow edges, vertices / 2 sectors.
std::unique_ptr<TPolygon32> ShadowedRegion(std::mt19937& rng, int32_t vertices) {
  std::uniform_real_distribution<double> cx(15, 45), cy(10, 29), radius(3, 25), unit(0, 1);
  const double x0 = cx(rng), y0 = cy(rng);
  const int32_t sectors = std::max(vertices / 2, 3);
  std::vector<double> angles;
  for (int32_t k = 0; k < sectors; ++k) angles.push_back(2 * M_PI * unit(rng));
  std::sort(angles.begin(), angles.end());
  auto p = std::make_unique<TPolygon32>();
  p->StartContour();
  auto add = [&](double a, double r) {
    const double x = std::clamp(x0 + r * std::cos(a), 0.0, 60.0), y = std::clamp(y0 + r * std::sin(a), 0.0, 39.0);
    p->AppendPoint({ToFixed(x), ToFixed(y)});
  };
  for (int32_t k = 0; k < sectors; ++k) {
    const double r = radius(rng);
    add(angles[size_t(k)], r);
    add(angles[size_t((k + 1) % sectors)] + (k + 1 == sectors ? 2 * M_PI : 0), r);
  }
  return p;
}

void LitPicture(TBitmap32& b) {
  b.Resize(LayerWidth, LayerHeight);
  for (int32_t y = 0; y < LayerHeight; ++y)
    for (int32_t x = 0; x < LayerWidth; ++x) b.WritePixel(x, y, MakeColor32(uint8_t(x), uint8_t(y), 200, 255));
  b.SetDrawMode(dmBlend);
}

void BM_PatternFill100Regions(benchmark::State& state) {
  std::mt19937 rng(Seed);
  std::vector<std::unique_ptr<TPolygon32>> regions;
  for (int i = 0; i < 100; ++i) regions.push_back(StarRegion(rng, 40 + int32_t(rng() % 120)));
  TBitmap32 picture, layer;
  LitPicture(picture);
  layer.Resize(LayerWidth, LayerHeight);
  TBitmapPolygonFiller filler;
  filler.PatternBitmap = &picture;
  const TAffineTransformation t = FieldTransform();
  for (auto _ : state) {
    layer.Fill(0);
    for (const auto& r : regions) r->RenderPattern(layer, filler, &t);
    benchmark::DoNotOptimize(layer.Bits());
  }
  // Share of the layer that the regions cover, for scale.
  int64_t covered = 0;
  for (int32_t i = 0; i < LayerWidth * LayerHeight; ++i) covered += layer.Bits()[i] != 0;
  state.counters["covered%"] = 100.0 * double(covered) / (LayerWidth * LayerHeight);
}
BENCHMARK(BM_PatternFill100Regions)->Unit(benchmark::kMillisecond);

// Argument 0: 0 for a shadowed region, 1 for a spiky star (every vertex at
// a random radius: far more edge length than any real region); argument 1:
// the vertex count.
void BM_OutlineBand(benchmark::State& state) {
  std::mt19937 rng(Seed + 1);
  const int32_t vertices = int32_t(state.range(1));
  const auto region = state.range(0) == 0 ? ShadowedRegion(rng, vertices) : StarRegion(rng, vertices);
  TBitmap32 layer;
  layer.Resize(LayerWidth, LayerHeight);
  const TAffineTransformation t = FieldTransform();
  for (auto _ : state) {
    const auto outline = region->MakeOutline();
    const auto band = outline->OffsetContours(3277, 1.0f);
    band->Smooth = true;
    band->SmoothLevel = 0;
    band->Render(layer, 0, 0xFFFFAE00, &t);
    benchmark::DoNotOptimize(layer.Bits());
  }
}
BENCHMARK(BM_OutlineBand)
    ->ArgNames({"spiky", "vertices"})
    ->Args({0, 60})
    ->Args({0, 300})
    ->Args({1, 60})
    ->Args({1, 300})
    ->Unit(benchmark::kMicrosecond);

void BM_SmoothFullFieldFill(benchmark::State& state) {
  TPolygon32 field;
  field.AppendPoint({0, 0});
  field.AppendPoint({ToFixed(60), 0});
  field.AppendPoint({ToFixed(60), ToFixed(39)});
  field.AppendPoint({0, ToFixed(39)});
  field.Smooth = true;
  field.SmoothLevel = 0;
  TBitmap32 layer;
  layer.Resize(LayerWidth, LayerHeight);
  const TAffineTransformation t = FieldTransform();
  for (auto _ : state) {
    field.Render(layer, 0, 0xFF000000, &t);
    benchmark::DoNotOptimize(layer.Bits());
  }
}
BENCHMARK(BM_SmoothFullFieldFill)->Unit(benchmark::kMillisecond);

void BM_ComposeFiveLayers(benchmark::State& state) {
  TLayerCollection stack;
  std::vector<TBitmapLayer*> layers;
  for (int i = 0; i < 5; ++i) {
    auto* layer = new TBitmapLayer(stack);
    layer->LayerBitmap().Resize(LayerWidth, LayerHeight);
    layer->LayerBitmap().Fill(i == 0 ? 0xFF204060 : i % 2 ? 0x80FFFFFF : 0x00000000);
    layer->LayerBitmap().SetDrawMode(dmBlend);
    layer->SetPlacement({0, 0, float(LayerWidth), float(LayerHeight)});
  }
  TBitmap32 target;
  target.Resize(LayerWidth, LayerHeight);
  for (auto _ : state) {
    stack.Compose(target, target.BoundsRect());
    benchmark::DoNotOptimize(target.Bits());
  }
}
BENCHMARK(BM_ComposeFiveLayers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
