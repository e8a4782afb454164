// How soon a solve ends after a stop request: the level editor stops the
// solve of the level as it was whenever a stroke changes it, and the next
// solve should not wait for the last. A solve of each level is started on
// a thread and stopped after a delay that lands in each kind of its work
// (the first witnesses and greedy cover, the LP child, the local search,
// the CBC child); the time from the request to the solve's return is the
// manual time of one iteration, and the worst of them is a counter. The
// target is 0.1 s at every delay.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stop_token>
#include <thread>

#include "BenchLevels.h"
#include "solver/CoverField.h"
#include "solver/FewestLights.h"

namespace {

using Clock = std::chrono::steady_clock;

// state.range(0): the level (BenchLevel); state.range(1): the delay in ms.
void BM_SolveEndsAfterAStopRequest(benchmark::State& state) {
  const TBenchLevel& level = BenchLevel(int(state.range(0)));
  const auto shared = std::make_shared<const TLevel>(level.rules->Walls());
  const auto delay = std::chrono::milliseconds(state.range(1));
  double worst = 0;
  for (auto _ : state) {
    TCoverField field(shared);
    const auto program = MakeCbcCoverProgram();
    std::stop_source source;
    TSolveOptions options;
    options.stop = source.get_token();
    options.timeLimit = 600;
    Clock::time_point ended;
    std::thread solve([&] {
      benchmark::DoNotOptimize(SolveFewestLights(field, *program, options, nullptr));
      ended = Clock::now();
    });
    std::this_thread::sleep_for(delay);
    const auto asked = Clock::now();
    source.request_stop();
    solve.join();
    // A solve that ended before the request (a small level proved) took
    // no time to stop.
    const double seconds = std::max(0.0, std::chrono::duration<double>(ended - asked).count());
    worst = std::max(worst, seconds);
    state.SetIterationTime(seconds);
  }
  state.counters["worst_ms"] = 1000 * worst;
  state.SetLabel(level.name);
}

}  // namespace

BENCHMARK(BM_SolveEndsAfterAStopRequest)
    ->ArgsProduct({{0, 2}, {50, 300, 1000, 2000, 4000}})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
