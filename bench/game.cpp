// The game window's reaction times: a click that adds a light with 100
// lights on the field (press and release handlers, region, lit layer,
// panel), in the design size and on a field of 1920 x 1260 device pixels
// (30 pixels a cell), there with the field composed again as the screen
// needs it; the same click with 150 lights on a random level of 200 x 200
// cells (tools/random_level, seed 1); a resize of that field with 100
// lights, to a size drawn before and to sizes whose pictures are still
// being drawn; the autosave written at each step; and the start-up up to
// the first shown window. Runs
// offscreen in a temporary home.
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
#include "game/FieldScale.h"
#include "game/Glowmere.h"
#include "art/LevelResources.h"
#include "tools/random_level/RandomLevel.h"

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

// Free grid points of the window's map in a fixed random order.
std::vector<std::pair<int, int>> FreePoints(TfrmGlowmere& w) {
  std::vector<std::pair<int, int>> points;
  for (int j = 0; j <= FieldHeight; ++j)
    for (int i = 0; i <= FieldWidth; ++i)
      if (!w.IsWalledGridPoint(i, j)) points.push_back({i, j});
  std::mt19937 random(2009);
  std::shuffle(points.begin(), points.end(), random);
  return points;
}

// The client area for a field area of the given size in logical pixels
// (device pixels here: the offscreen screen's ratio is 1).
QSize ClientFor(QSize fieldArea) {
  return {fieldArea.width() + TfrmGlowmere::PanelWidth, std::max(fieldArea.height(), TfrmGlowmere::MinClientHeight)};
}

// Resizes the shown window so that its field has this area, and lets the
// pictures of that size be drawn when wait is set.
void ResizeField(TfrmGlowmere& window, QSize fieldArea, bool wait) {
  const QSize client = ClientFor(fieldArea);
  window.resize(client.width(), client.height() + window.height() - window.centralWidget()->height());
  QCoreApplication::processEvents();
  // The worker's result comes as a queued call.
  while (wait && !window.FieldPicturesExact()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Lights at the first `count` free points of the fixed order, placed with
// clicks at the window's cell size.
void PlaceFirstLights(TfrmGlowmere& window, const std::vector<std::pair<int, int>>& points, size_t count) {
  const int32_t cell = window.cellPixels;
  for (size_t k = 0; k < count; ++k) {
    const int32_t px = GridToPixel(points[k].first, cell), py = GridToPixel(points[k].second, cell);
    window.imgFieldMouseMove(px, py);
    window.imgFieldMouseDown(TMouseButton::mbLeft, px, py);
    window.imgFieldMouseUp(TMouseButton::mbLeft, px, py);
  }
}

// 100 lights at the first free points of the fixed order.
std::unique_ptr<TfrmGlowmere> WindowWith100Lights(std::vector<std::pair<int, int>>& points) {
  auto window = std::make_unique<TfrmGlowmere>();
  points = FreePoints(*window);
  PlaceFirstLights(*window, points, 100);
  return window;
}

// Times clicks that add a light at the free points after the `placed`
// ones, each removed again untimed, so that every round starts from the
// same lights; with `compose` the field is composed again after each.
void TimeClicksThatAddALight(benchmark::State& state, TfrmGlowmere& window,
                             const std::vector<std::pair<int, int>>& points, size_t placed, bool compose) {
  const int32_t cell = window.cellPixels;
  state.counters["cell"] = cell;
  window.imgField->Composed();
  size_t next = placed;
  for (auto _ : state) {
    auto [x, y] = points[next];
    const int32_t px = GridToPixel(x, cell), py = GridToPixel(y, cell);
    // Arriving at the point is hover work, done before the click.
    state.PauseTiming();
    window.imgFieldMouseMove(px, py);
    if (compose) window.imgField->Composed();
    state.ResumeTiming();
    window.imgFieldMouseDown(TMouseButton::mbLeft, px, py);
    window.imgFieldMouseUp(TMouseButton::mbLeft, px, py);
    if (compose) window.imgField->Composed();
    state.PauseTiming();
    // Back to the placed lights for the next round.
    window.imgFieldMouseDown(TMouseButton::mbRight, px, py);
    window.imgFieldMouseLeave();
    window.imgField->Composed();
    next = placed + (next + 1 - placed) % 500;
    state.ResumeTiming();
  }
}

// Clicks that add a light, each removed again untimed. Arg 0: the design
// size, the handlers alone (the figure kept since the first release);
// arg 1: the design size, and arg 2: 1920 x 1260, the handlers and the
// field composed again.
void BM_ClickAddsLightWith100OnField(benchmark::State& state) {
  App();
  UseTemporaryHome();
  std::vector<std::pair<int, int>> points;
  auto window = WindowWith100Lights(points);
  const bool compose = state.range(0) > 0;
  if (state.range(0) == 2) {
    window->show();
    ResizeField(*window, QSize(1920, 1260), true);
  }
  TimeClicksThatAddALight(state, *window, points, 100, compose);
  FinalizeTask();
  window.reset();
}
BENCHMARK(BM_ClickAddsLightWith100OnField)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What the autosave adds to a click (at its release; the press moves no
// light and writes nothing): the 100 lights stored into the autosave tree
// and the tree written to its file in the temporary home. Arg 0 renames the
// new file into place, as the game does; arg 1 also waits for the disk, as
// a synced flush would.
void BM_AutosaveWith100Lights(benchmark::State& state) {
  App();
  UseTemporaryHome();
  std::vector<std::pair<int, int>> points;
  auto window = WindowWith100Lights(points);
  if (state.range(0) == 1) AutosaveTree->SetFlushDurability(TDurability::Synced);
  for (auto _ : state) {
    window->StoreSolution(*window->savTree);
    if (!window->savTree->Flush()) state.SkipWithError("the autosave was not written");
  }
  FinalizeTask();
  window.reset();
}
BENCHMARK(BM_AutosaveWith100Lights)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Clicks that add a light with 150 lights on a random level of 200 x 200
// cells, each removed again untimed. Arg 0: the handlers alone; arg 1: the
// field composed again too. The window has its first size, which fits the
// offscreen screen.
void BM_ClickAddsLightWith150OnALargeLevel(benchmark::State& state) {
  App();
  UseTemporaryHome();
  const std::string path = (std::filesystem::current_path() / "random-200x200.txt").string();
  if (!std::filesystem::exists(path)) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string text = RandomLevelText(200, 200, 1);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  auto window = std::make_unique<TfrmGlowmere>(DesignerLevel(path));
  const std::vector<std::pair<int, int>> points = FreePoints(*window);
  PlaceFirstLights(*window, points, 150);
  TimeClicksThatAddALight(state, *window, points, 150, state.range(0) > 0);
  FinalizeTask();
  window.reset();
}
BENCHMARK(BM_ClickAddsLightWith150OnALargeLevel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A resize of the field with 100 lights, until the field is composed again.
// Arg 0: between 1920 x 1260 (30 pixels a cell) and 1860 x 1220 (29), both
// drawn before; arg 1: through eleven sizes from 20 to 30 pixels a cell, of
// which only three are kept, so each comes with scaled pictures while the
// worker draws (the worker's time on the other core is not counted).
void BM_ResizeFieldWith100Lights(benchmark::State& state) {
  App();
  UseTemporaryHome();
  std::vector<std::pair<int, int>> points;
  auto window = WindowWith100Lights(points);
  window->show();
  const bool drawn = state.range(0) == 0;
  const QSize large(1920, 1260), smaller(1860, 1220);
  if (drawn) {
    ResizeField(*window, smaller, true);
    ResizeField(*window, large, true);
  }
  int round = 0;
  for (auto _ : state) {
    const int cell = 20 + round % 11;
    const QSize area = drawn ? (round % 2 ? large : smaller) : QSize(62 * cell, 41 * cell);
    ++round;
    const QSize client = ClientFor(area);
    window->resize(client.width(), client.height() + window->height() - window->centralWidget()->height());
    window->imgField->Composed();
    state.PauseTiming();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["cell"] = window->cellPixels;
  FinalizeTask();
  window.reset();
}
BENCHMARK(BM_ResizeFieldWith100Lights)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
