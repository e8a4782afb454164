#include "solver/CoverBound.h"

#include "solver/FractionalWitnesses.h"
#include "solver/Stopwatch.h"

namespace {

// The LP relaxation gets at most this share of the time: beyond it, rows
// that join raise the bound through Lagrangian steps from the last duals.
// (The first half minute is free of the share: on a small level the
// search reaches the best cover in a moment, and the share would then stop
// the LP before its fractional witnesses raised it; on a busy machine,
// with a search alongside it, the first LP of 100 x 65 took 12 s.)
constexpr double RelaxationShare = 1.0 / 3, FreeRelaxationSeconds = 30;
constexpr int32_t LagrangianSteps = 50;
// Fractional witnesses that raised the LP's value by less than this were
// the last of their kind until other witnesses join: the LP had many
// optimal solutions, and the witnesses only moved it among them.
constexpr double FractionalRise = 1e-3;

// Witnesses from one fractional solution, at most.
size_t FractionalBatch(int32_t best) { return size_t(std::max(100, 4 * best)); }

}  // namespace

// The LP and the witnesses of its fractional solution while the LP keeps
// to its share of the time, Lagrangian steps beyond. New witnesses go to
// the LP first: its next solution is the better guide for the rest.
TRoundOutcome TCoverBound::Step() {
  const double relaxations = state_.result.times.relaxations;
  if (relaxedRows_ >= 0 && relaxations > std::max(FreeRelaxationSeconds, RelaxationShare * state_.pool.Elapsed())) {
    relaxedRows_ = state_.pool.Rows().Count();
    return StepLagrangian();
  }
  const TRoundOutcome relaxed = Relax();
  if (Is<TSearchEnds>(relaxed)) return relaxed;
  const TRoundOutcome fractional = AddFractionalWitnesses();
  return Is<TNothingNew>(fractional) ? relaxed : fractional;
}

// The LP relaxation over the known rows, from where the last one ended.
TRoundOutcome TCoverBound::Relax() {
  TWitnessPool& pool = state_.pool;
  TRelaxationAnswer answer;
  relaxedRows_ = pool.Rows().Count();
  {
    TStopwatch watch(state_.result.times.relaxations);
    answer = SolveRelaxation(pool.Rows(), lpStart_, state_.result.best, pool.Deadline(), covers_.Alongside());
  }
  if (Is<TSearchEnds>(covers_.CheckAlongside())) return TSearchEnds{};
  if (answer.failed) {
    state_.result.failed = true;
    state_.result.failure = answer.failure;
    return TSearchEnds{};
  }
  fractional_.reset();
  if (answer.complete) fractional_ = answer.bound;
  if (!answer.duals.empty()) {
    lpStart_ = answer.next;
    solution_ = answer.solution;
    std::vector<int32_t> support;
    for (const auto& [c, v] : solution_) support.push_back(c);
    support_ = support;
    lagrangian_.Take(answer.duals);
    TakeDuals(answer.duals, std::move(support));
    if (!covers_.StartNear(solution_, prices_)) return TSearchEnds{};
    // The rows that hold the bound up are the ones the program needs most.
    std::vector<uint8_t> active(size_t(pool.Rows().Count()), 0);
    for (int32_t r : pool.Active()) active[size_t(r)] = 1;
    for (const auto& [r, y] : answer.duals)
      if (!active[size_t(r)]) pool.Active().push_back(r);
  }
  return state_.RaiseBound(IntegerBound(answer.bound)) ? TRoundOutcome{TBoundRose{}} : TRoundOutcome{TNothingNew{}};
}

// Subgradient steps over every known row from the multipliers kept, for
// a bound without the LP; its multipliers replace the duals where their
// bound is higher.
TRoundOutcome TCoverBound::StepLagrangian() {
  double bound = 0;
  {
    TStopwatch watch(state_.result.times.relaxations);
    bound = lagrangian_.Improve(state_.pool.Rows(), state_.Best(), LagrangianSteps, state_.pool.Deadline());
    if (!duals_ || bound > duals_->bound) TakeDuals(lagrangian_.Best(), {});
  }
  return state_.RaiseBound(IntegerBound(bound)) ? TRoundOutcome{TBoundRose{}} : TRoundOutcome{TNothingNew{}};
}

void TCoverBound::TakeDuals(const TMultipliers& multipliers, std::vector<int32_t> support) {
  prices_ = multipliers;
  duals_ = EvaluateLagrangian(state_.pool.Rows(), prices_);
  covers_.DualsChanged(duals_->reducedCost, std::move(support));
}

// Witnesses where the last LP solution lights the floor less than once.
TRoundOutcome TCoverBound::AddFractionalWitnesses() {
  if (solution_.empty() || !fractional_) return TNothingNew{};
  if (fractionalAt_ && relaxedRows_ == afterFractional_ && *fractional_ < *fractionalAt_ + FractionalRise)
    return TNothingNew{};
  TWitnessPool& pool = state_.pool;
  const std::vector<std::pair<int32_t, double>> solution = std::move(solution_);
  solution_.clear();
  if (!state_.field.PrepareRegions(support_, state_.options.threads, pool.Deadline())) return TSearchEnds{};
  std::vector<TFractionalWitness> found;
  {
    TStopwatch watch(state_.result.times.fractional);
    found = FractionalWitnesses(state_.field, solution, FractionalBatch(state_.Best()), state_.options.threads,
                                pool.Deadline());
  }
  if (pool.Deadline().Passed()) return TSearchEnds{};
  if (found.empty()) return TNothingNew{};
  std::vector<gpc_vertex> points;
  std::vector<std::vector<int32_t>> rows;
  for (TFractionalWitness& w : found) {
    points.push_back(w.point);
    rows.push_back(std::move(w.row));
  }
  pool.AddRows(points, std::move(rows));
  fractionalAt_ = fractional_;
  afterFractional_ = pool.Rows().Count();
  return TRowsJoined{};
}
