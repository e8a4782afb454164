// The moment a solve must end by, read by every phase that can take long
// (regions, witness rows, the local search, the integer programs), so that
// a run ends within its time limit at every map size. It also carries the
// caller's stop request: once a stop is requested the deadline counts as
// passed, so every phase that keeps to the deadline keeps to a stop too,
// and a contained child process is ended at once.
#pragma once

#include <algorithm>
#include <chrono>
#include <stop_token>

struct TDeadline {
  using Clock = std::chrono::steady_clock;
  Clock::time_point at = Clock::time_point::max();
  std::stop_token stop;  // no stop can be requested through a default token

  bool Passed() const { return stop.stop_requested() || Clock::now() >= at; }
  // Seconds until the deadline, 0 once it passed.
  double Left() const {
    if (stop.stop_requested()) return 0;
    if (at == Clock::time_point::max()) return 1e18;
    const double left = std::chrono::duration<double>(at - Clock::now()).count();
    return left > 0 ? left : 0;
  }
  static TDeadline After(Clock::time_point from, double seconds, std::stop_token stop = {}) {
    TDeadline d;
    d.stop = std::move(stop);
    if (seconds < 1e12) d.at = from + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    return d;
  }
  // The sooner of this deadline and `seconds` from now, with the same stop.
  TDeadline Within(double seconds) const {
    TDeadline d = After(Clock::now(), seconds, stop);
    d.at = std::min(d.at, at);
    return d;
  }
};
