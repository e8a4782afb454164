// The optimum following the pen, through the editor's own background solve
// (editwindow/BackgroundSolve.h) and the real glowmere-solve: the shipped
// level is proved once; then, for each of 20 random one-cell toggles (seed
// 35), the solve of the toggled level starts warm from the last best cover
// and witnesses, as after a stroke, and the times from the stroke's end to
// the first lower bound and to the proved optimum are taken; the level is
// then toggled back and proved again, untimed. Beside each, the same
// toggled level solved from scratch (no cover, no witnesses) to its proof.
// Medians and worst cases in the counters, in seconds.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <random>
#include <vector>

#include "editwindow/BackgroundSolve.h"
#include "engine/MapText.h"
#include "engine/MapTextWriter.h"

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "bench_editor_solve";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

struct TTimes {
  double firstBound = -1, proved = -1;  // seconds; -1: not within the limit
  std::vector<TGridPoint> lights;
};

// Solves walls (revision) on solve and waits for its proof.
TTimes Solve(TBackgroundSolve& solve, int64_t revision, const TWallGrid& walls, const std::vector<TGridPoint>& start,
             const TCellRect& changed) {
  TTimes times;
  QElapsedTimer clock;
  bool done = false;
  solve.OnProgress = [&](int64_t r, const TSolveProgressLine& line) {
    if (r != revision) return;
    if (times.firstBound < 0) times.firstBound = clock.nsecsElapsed() / 1e9;
    times.lights = line.lights;
    if (line.figures.proved && times.proved < 0) times.proved = clock.nsecsElapsed() / 1e9;
  };
  solve.OnFinished = [&](int64_t r, const std::optional<TSolveFigures>&, bool) { done = done || r == revision; };
  clock.start();
  solve.Solve(revision, MapTextOf(walls), start, changed);
  while (!done && clock.elapsed() < 120000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_ToggleThenProve(benchmark::State& state) {
  App();
  const TWallGrid shipped = WallsOfMapFile(GLOWMERE_DATA_DIR "/map.txt");
  std::vector<double> firstBound, warm, scratch;
  for (auto _ : state) {
    TBackgroundSolve solve(GLOWMERE_SOLVE);
    int64_t revision = 0;
    std::vector<TGridPoint> lights = Solve(solve, ++revision, shipped, {}, {}).lights;
    std::mt19937 rng(35);
    std::uniform_int_distribution<int32_t> column(0, shipped.width - 1), row(0, shipped.height - 1);
    for (int toggle = 0; toggle < 20; ++toggle) {
      const int32_t x = column(rng), y = row(rng);
      TWallGrid toggled = shipped;
      toggled.Set(x, y, !shipped.IsWallCell(x, y));
      const TCellRect cell{x, y, x + 1, y + 1};
      const TTimes after = Solve(solve, ++revision, toggled, lights, cell);
      firstBound.push_back(after.firstBound);
      warm.push_back(after.proved);
      lights = Solve(solve, ++revision, shipped, after.lights, cell).lights;
      TBackgroundSolve fresh(GLOWMERE_SOLVE);
      scratch.push_back(Solve(fresh, 1, toggled, {}, {}).proved);
    }
  }
  state.counters["first_bound_median_s"] = Median(firstBound);
  state.counters["first_bound_worst_s"] = *std::max_element(firstBound.begin(), firstBound.end());
  state.counters["warm_proved_median_s"] = Median(warm);
  state.counters["warm_proved_worst_s"] = *std::max_element(warm.begin(), warm.end());
  state.counters["scratch_proved_median_s"] = Median(scratch);
  state.counters["unproved"] = double(std::count(warm.begin(), warm.end(), -1.0));
}

}  // namespace

BENCHMARK(BM_ToggleThenProve)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK_MAIN();
