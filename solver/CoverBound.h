// The lower bound's work between the integer programs: the LP relaxation
// over every known row (its value, rounded up, is a bound), the witnesses
// where its fractional solution lights the floor less than once, which
// the next LP must meet, and beyond the LP's share of the time Lagrangian
// steps from the last duals. Its duals also guide the rest: reduced-cost
// fixing for the decision, the searches' core, the greedy repair.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "solver/BetterCovers.h"
#include "solver/CoverRelaxation.h"
#include "solver/LagrangianBound.h"
#include "solver/RoundOutcome.h"
#include "solver/SolveState.h"

class TCoverBound {
 public:
  TCoverBound(TSolveState& state, TBetterCovers& covers) : state_(state), covers_(covers) {}

  // Rows joined since the bound was last worked on.
  bool RowsCame() const { return state_.pool.Rows().Count() > relaxedRows_; }
  // The bound over the rows that joined since the last step: TBoundRose,
  // TRowsJoined (fractional witnesses), TNothingNew or TSearchEnds.
  TRoundOutcome Step();

  // The value of the last LP where it ran to its end over the rows known
  // then.
  const std::optional<double>& Fractional() const { return fractional_; }
  // The best duals so far (the LP's or the Lagrangian steps'), evaluated
  // over the known rows, and their multipliers; none before the first LP.
  const std::optional<TLagrangianValue>& Duals() const { return duals_; }
  const TMultipliers& Prices() const { return prices_; }

 private:
  TRoundOutcome Relax();
  TRoundOutcome StepLagrangian();
  TRoundOutcome AddFractionalWitnesses();
  void TakeDuals(const TMultipliers& multipliers, std::vector<int32_t> support);

  TSolveState& state_;
  TBetterCovers& covers_;
  // Where the next LP starts, the rows known at the last one, its value
  // when it ran over all of them, and its solution (until its fractional
  // witnesses are taken) with the solution's columns.
  TRelaxationStart lpStart_;
  int32_t relaxedRows_ = -1;
  std::optional<double> fractional_;
  std::vector<std::pair<int32_t, double>> solution_;
  std::vector<int32_t> support_;
  // The LP's value when the last fractional witnesses joined, and the
  // known rows just after.
  std::optional<double> fractionalAt_;
  int32_t afterFractional_ = -1;
  TLagrangianBound lagrangian_;
  std::optional<TLagrangianValue> duals_;
  TMultipliers prices_;
};
