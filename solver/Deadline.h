// The moment a solve must end by, read by every phase that can take long
// (regions, witness rows, the local search, the integer programs), so that
// a run ends within its time limit at every map size.
#pragma once

#include <chrono>

struct TDeadline {
  using Clock = std::chrono::steady_clock;
  Clock::time_point at = Clock::time_point::max();

  bool Passed() const { return Clock::now() >= at; }
  // Seconds until the deadline, 0 once it passed.
  double Left() const {
    if (at == Clock::time_point::max()) return 1e18;
    const double left = std::chrono::duration<double>(at - Clock::now()).count();
    return left > 0 ? left : 0;
  }
  static TDeadline After(Clock::time_point from, double seconds) {
    TDeadline d;
    if (seconds < 1e12) d.at = from + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    return d;
  }
};
