// What the strategies of one solve share (the bound, the searches for a
// better cover, the decision for k): the field, the options, the witness
// pool and the result so far, whose best cover and lower bound each of
// them reads and may improve.
#pragma once

#include <algorithm>

#include "solver/FewestLights.h"
#include "solver/WitnessPool.h"

struct TSolveState {
  TSolveState(TCoverField& field, const TSolveOptions& options)
      : field(field), options(options), pool(field, options, result.times) {}

  int32_t Best() const { return int32_t(result.best.size()); }
  // Lights of the best cover above the lower bound.
  int32_t Gap() const { return Best() - result.lowerBound; }
  bool Proved() const { return result.lowerBound >= Best(); }
  // True when bound is above the lower bound, which it then becomes.
  bool RaiseBound(int32_t bound) {
    if (bound <= result.lowerBound) return false;
    result.lowerBound = bound;
    return true;
  }
  // Near the end of the time: work that cannot stop half-way (a new core,
  // a Lagrangian start) is left out, for on a busy machine it would run
  // past the time limit.
  bool Late() const {
    return pool.Deadline().Left() < std::max(LateSeconds, LateShare * options.timeLimit);
  }
  static constexpr double LateSeconds = 5, LateShare = 0.05;

  TCoverField& field;
  const TSolveOptions& options;
  TSolveResult result;
  TWitnessPool pool;  // declared after result: it adds to result.times
};
