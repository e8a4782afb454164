// The level editor's own times: a stroke's redraw on the largest level
// (200 x 200 cells, tools/random_level seed 1) in a window of 1200 x 860,
// the field fitted to it: a drag of 40 cells through the field's mouse
// handlers, each cell repainted as the pointer reaches it, as the designer
// meets it; the same with the field zoomed to 12 pixels a cell or more,
// with scroll bars; and the stroke's end apart (the step on the undo stack,
// the journal written and synced, the repaint). And the
// visibility heat map of the shipped level and of 200 x 200, on one thread
// and on two. Runs offscreen in a temporary home, with no solver.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "BenchLevels.h"
#include "editor/VisibilityHeat.h"
#include "editwindow/EditorWindow.h"
#include "framework/WholeFile.h"

namespace {

std::string TemporaryRoot() {
  static const std::string root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "glowmere-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    setenv("HOME", pattern.c_str(), 1);
    setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
    // The texts the build wrote, which the editor reads from the current
    // folder and never writes.
    std::filesystem::current_path(GLOWMERE_RUN_DIR);
    return pattern;
  }();
  return root;
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_editor";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

void Send(TEditField& field, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, field.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&field, &event);
}

// A window on the largest level, zoomed to `cell` pixels a cell or more
// (0: fitted to the window), for the stroke benchmarks.
std::unique_ptr<TEditorWindow> StrokeWindow(int cell) {
  App();
  const std::string root = TemporaryRoot();
  const std::string map = root + "/level-200.txt";
  WriteFileAtomically(map, RandomLevelText(200, 200, 1));
  auto window = std::make_unique<TEditorWindow>(map, root + "/journals", std::string());
  window->resize(1200, 860);
  window->show();
  QApplication::processEvents();
  while (cell > 0 && window->Field().CellPixels() < cell) window->ZoomBy(1);
  QApplication::processEvents();
  return window;
}

// One stroke along a row near the top left (seen at every zoom): the press,
// 39 moves of one cell, each painted as the pointer goes, the release. The
// timed part is `timed`: the moves with their repaints, or the release
// (the step, the journal written and synced, the repaint).
enum class TStrokePart { Moves, Release };

void Stroke(benchmark::State& state, TStrokePart timed) {
  const std::unique_ptr<TEditorWindow> window = StrokeWindow(int(state.range(0)));
  TEditField& field = window->Field();
  int row = 20;
  bool wall = true;
  for (auto _ : state) {
    const Qt::MouseButton button = wall ? Qt::LeftButton : Qt::RightButton;
    if (timed != TStrokePart::Moves) state.PauseTiming();
    Send(field, QEvent::MouseButtonPress, field.CellRect(10, row).center(), button, button);
    QApplication::processEvents();
    for (int x = 11; x < 50; ++x) {
      Send(field, QEvent::MouseMove, field.CellRect(x, row).center(), Qt::NoButton, button);
      QApplication::processEvents();
    }
    if (timed != TStrokePart::Moves) state.ResumeTiming();
    else state.PauseTiming();
    Send(field, QEvent::MouseButtonRelease, field.CellRect(49, row).center(), button, Qt::NoButton);
    QApplication::processEvents();
    if (timed == TStrokePart::Moves) state.ResumeTiming();
    if (++row == 40) {
      row = 20;
      wall = !wall;
    }
  }
  state.counters["cell_px"] = field.CellPixels();
}

// state.range(0): pixels a cell, 0 for the field fitted to the window.
void BM_StrokeRedraw200(benchmark::State& state) { Stroke(state, TStrokePart::Moves); }
void BM_StrokeEnd200(benchmark::State& state) { Stroke(state, TStrokePart::Release); }

// state.range(0): the level (BenchLevel), state.range(1): threads.
void BM_VisibilityHeat(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ComputeVisibilityHeat(*level.rules, int32_t(state.range(1))));
  state.SetLabel(level.name);
}

}  // namespace

BENCHMARK(BM_StrokeRedraw200)->Arg(0)->Arg(12)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StrokeEnd200)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VisibilityHeat)->ArgsProduct({{0, 3}, {1, 2}})->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
