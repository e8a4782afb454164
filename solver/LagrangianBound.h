// The Lagrangian bound of the cover problem. For any multipliers u >= 0,
// one per row,
//   L(u) = sum_i u_i + sum_j min(0, d_j),   d_j = 1 - sum_{rows i of j} u_i,
// is at most the size of every cover of the rows: a cover x has
// |x| = sum_j d_j x_j + sum_i u_i (columns of row i in x) >= sum_j min(0, d_j)
// + sum_i u_i. So every u gives a bound, however it was found: the LP's
// duals, a subgradient step, multipliers kept from an earlier round while
// rows joined since (a new row's multiplier is 0 until a step raises it).
// d_j is column j's reduced cost: a cover that holds column j has at least
// L(u) + max(0, d_j) columns, so where that passes a size, no cover of that
// size holds the column (reduced-cost fixing).
//
// The subgradient search moves u along the rows that the columns of
// negative reduced cost leave unmet (or meet more than once), with a step
// that shrinks while the bound stops rising, and keeps the multipliers of
// the best bound seen.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/Deadline.h"
#include "solver/WitnessRows.h"

// Multipliers as (row, value) with value > 0; the other rows' are 0.
using TMultipliers = std::vector<std::pair<int32_t, double>>;

struct TLagrangianValue {
  // L(u), less a relative 1e-12 for the rounding of its sums: a bound.
  double bound = 0;
  std::vector<double> reducedCost;  // d_j, one per column
};

// L(u) over rows, in extended precision.
TLagrangianValue EvaluateLagrangian(const TWitnessRows& rows, const TMultipliers& multipliers);

// The columns that can be in a cover of at most size columns, by the
// bound and reduced costs of value: those with bound + max(0, d_j) not
// above size (less the libraries' tolerance, so that no column is dropped
// by rounding). Empty when the bound itself passes size: no such cover.
std::vector<int32_t> ColumnsAlive(const TLagrangianValue& value, int32_t size);

class TLagrangianBound {
 public:
  // Multipliers to start from (the LP's duals), replacing those kept.
  void Take(const TMultipliers& multipliers);
  // Subgradient steps over rows toward the size of a known cover (upper),
  // at most steps, until the deadline; rows that joined since the last
  // call start at 0. Returns the best bound found over all calls whose
  // rows are still the same or fewer: a bound for the rows now known.
  double Improve(const TWitnessRows& rows, int32_t upper, int32_t steps, const TDeadline& deadline);
  double Bound() const { return best_; }
  // The multipliers of the best bound.
  TMultipliers Best() const;

 private:
  std::vector<double> u_, bestU_;  // per row
  double best_ = 0;
  double lambda_ = 0.1;  // the step's factor, carried from call to call
};
