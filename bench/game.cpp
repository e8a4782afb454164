// The game window's reaction times: a click that adds a light with 100
// lights on the field (press and release handlers, region, lit layer,
// panel), and the start-up up to the first shown window. Runs offscreen in
// a temporary home.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>

#include "engine/LevelMap.h"
#include "framework/Modal.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"

namespace {

void UseTemporaryHome() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string root = (std::filesystem::temp_directory_path() / "glowmere-bench-XXXXXX").string();
  if (!mkdtemp(root.data())) std::abort();
  setenv("HOME", root.c_str(), 1);
  setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  setenv("XDG_DOCUMENTS_DIR", (root + "/documents").c_str(), 1);
  std::filesystem::create_directories(root + "/program");
  std::filesystem::current_path(root + "/program");
  SetHelpWindowHandler([](TfmHelp&) {});
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_game";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Free grid points of the shipped map in a fixed random order.
std::vector<std::pair<int, int>> FreePoints(TfrmGlowmere& w) {
  std::vector<std::pair<int, int>> points;
  for (int j = 0; j <= FieldHeight; ++j)
    for (int i = 0; i <= FieldWidth; ++i)
      if (!w.IsWalledGridPoint(i, j)) points.push_back({i, j});
  std::mt19937 random(2009);
  std::shuffle(points.begin(), points.end(), random);
  return points;
}

void BM_ClickAddsLightWith100OnField(benchmark::State& state) {
  App();
  UseTemporaryHome();
  auto window = std::make_unique<TfrmGlowmere>();
  const auto points = FreePoints(*window);
  for (int k = 0; k < 100; ++k) {
    auto [x, y] = points[size_t(k)];
    window->imgFieldMouseMove(GridToPixel(x), GridToPixel(y));
    window->imgFieldMouseDown(TMouseButton::mbLeft, GridToPixel(x), GridToPixel(y));
    window->imgFieldMouseUp(TMouseButton::mbLeft, GridToPixel(x), GridToPixel(y));
  }
  size_t next = 100;
  for (auto _ : state) {
    auto [x, y] = points[next];
    // Arriving at the point is hover work, done before the click.
    state.PauseTiming();
    window->imgFieldMouseMove(GridToPixel(x), GridToPixel(y));
    state.ResumeTiming();
    window->imgFieldMouseDown(TMouseButton::mbLeft, GridToPixel(x), GridToPixel(y));
    window->imgFieldMouseUp(TMouseButton::mbLeft, GridToPixel(x), GridToPixel(y));
    state.PauseTiming();
    // Back to 100 lights for the next round.
    window->imgFieldMouseDown(TMouseButton::mbRight, GridToPixel(x), GridToPixel(y));
    window->imgFieldMouseLeave();
    next = 100 + (next + 1 - 100) % 500;
    state.ResumeTiming();
  }
  FinalizeTask();
  window.reset();
}
BENCHMARK(BM_ClickAddsLightWith100OnField)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_StartUpToFirstShow(benchmark::State& state) {
  App();
  UseTemporaryHome();
  for (auto _ : state) {
    auto window = std::make_unique<TfrmGlowmere>();
    window->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    window->hide();
    FinalizeTask();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstShow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
