// The subgradient search keeps the reduced costs d = 1 - A'u up to date
// as multipliers change, so a step costs the rows whose multiplier moves
// and the rows of the columns of negative reduced cost, not every row:
// those are a few thousand of tens of thousands on a large map. The bound
// it returns is evaluated afresh (EvaluateLagrangian), so no drift of the
// running sums can reach it.
#include "solver/LagrangianBound.h"

#include <algorithm>
#include <cmath>

namespace {

// The relative margin left for the rounding of the sums, and the
// libraries' tolerance that a column's fixing allows for.
constexpr long double SumMargin = 1e-12L;
constexpr double FixingTolerance = 1e-6;

// Steps between two looks at how far the bound moved, and the spread of the
// bounds within such a window that halves the step or lets it grow.
constexpr int32_t Window = 20;
constexpr double Wide = 0.01, Narrow = 0.001;

}  // namespace

TLagrangianValue EvaluateLagrangian(const TWitnessRows& rows, const TMultipliers& multipliers) {
  TLagrangianValue value;
  std::vector<long double> d(size_t(rows.Columns()), 1.0L);
  long double total = 0;
  for (const auto& [r, u] : multipliers) {
    if (!(u > 0)) continue;
    total += u;
    for (int32_t c : rows.Row(r)) d[size_t(c)] -= u;
  }
  long double negative = 0;
  value.reducedCost.resize(d.size());
  for (size_t c = 0; c < d.size(); ++c) {
    if (d[c] < 0) negative += d[c];
    value.reducedCost[c] = double(d[c]);
  }
  // The margin is relative to the largest sum that took part.
  const long double bound = total + negative;
  value.bound = double(bound - SumMargin * (total - negative + 1));
  return value;
}

std::vector<int32_t> ColumnsAlive(const TLagrangianValue& value, int32_t size) {
  std::vector<int32_t> alive;
  if (value.bound > size + FixingTolerance) return alive;
  for (size_t c = 0; c < value.reducedCost.size(); ++c)
    if (value.bound + std::max(0.0, value.reducedCost[c]) <= size + FixingTolerance) alive.push_back(int32_t(c));
  return alive;
}

void TLagrangianBound::Take(const TMultipliers& multipliers) {
  std::fill(u_.begin(), u_.end(), 0.0);
  for (const auto& [r, u] : multipliers) {
    if (size_t(r) >= u_.size()) u_.resize(size_t(r) + 1, 0.0);
    u_[size_t(r)] = std::max(0.0, u);
  }
  bestU_ = u_;
}

double TLagrangianBound::Improve(const TWitnessRows& rows, int32_t upper, int32_t steps, const TDeadline& deadline) {
  const size_t n = size_t(rows.Count()), m = size_t(rows.Columns());
  if (u_.empty()) {
    // The start of Caprara, Fischetti and Toth: each row's multiplier the
    // least of 1 / (rows of its column) over its columns, which leaves no
    // reduced cost negative, so that L(u) = sum(u) from the first step.
    u_.assign(n, 0.0);
    for (size_t r = 0; r < n; ++r) {
      double least = 1;
      for (int32_t c : rows.Row(int32_t(r))) least = std::min(least, 1.0 / double(rows.RowsOf(c).size()));
      u_[r] = least;
    }
  }
  u_.resize(n, 0.0);
  std::vector<double> d(m, 1.0);
  double total = 0;
  for (size_t r = 0; r < n; ++r) {
    if (u_[r] <= 0) continue;
    total += u_[r];
    for (int32_t c : rows.Row(int32_t(r))) d[size_t(c)] -= u_[r];
  }
  std::vector<int32_t> met(n, 0);
  std::vector<int32_t> chosen;
  std::vector<double> s(n, 0.0);
  bestU_ = u_;
  double bestHere = -1e300, windowStart = -1e300;
  for (int32_t step = 0; step < steps; ++step) {
    if (step % 8 == 0 && deadline.Passed()) break;
    double value = total;
    chosen.clear();
    for (size_t c = 0; c < m; ++c)
      if (d[c] < 0) {
        value += d[c];
        chosen.push_back(int32_t(c));
      }
    if (value > bestHere) {
      bestHere = value;
      bestU_ = u_;
    }
    if ((step + 1) % Window == 0) {
      // A window that barely raised the best bound halves the step; one
      // that raised it much lets it grow.
      const double rise = (bestHere - windowStart) / std::max(1.0, std::fabs(bestHere));
      if (rise < Narrow) lambda_ /= 2;
      if (rise > Wide) lambda_ = std::min(2.0, lambda_ * 1.5);
      windowStart = bestHere;
    }
    std::fill(met.begin(), met.end(), 0);
    for (int32_t c : chosen)
      for (int32_t r : rows.RowsOf(c)) ++met[size_t(r)];
    double norm = 0;
    for (size_t r = 0; r < n; ++r) {
      s[r] = 1.0 - met[r];
      if (s[r] < 0 && u_[r] <= 0) s[r] = 0;
      norm += s[r] * s[r];
    }
    if (norm == 0) break;  // every row met once: u is optimal
    const double gap = std::max(double(upper) - value, 1e-3 * std::max(1.0, double(upper)));
    const double t = lambda_ * gap / norm;
    for (size_t r = 0; r < n; ++r) {
      if (s[r] == 0) continue;
      const double next = std::max(0.0, u_[r] + t * s[r]);
      const double delta = next - u_[r];
      if (delta == 0) continue;
      u_[r] = next;
      total += delta;
      for (int32_t c : rows.Row(int32_t(r))) d[size_t(c)] -= delta;
    }
    if (lambda_ < 1e-6) break;
  }
  u_ = bestU_;  // the next call goes on from the best point, as does Best()
  TMultipliers best = Best();
  const double bound = EvaluateLagrangian(rows, best).bound;
  best_ = std::max(best_, bound);
  return best_;
}

TMultipliers TLagrangianBound::Best() const {
  TMultipliers best;
  for (size_t r = 0; r < bestU_.size(); ++r)
    if (bestU_[r] > 0) best.emplace_back(int32_t(r), bestU_[r]);
  return best;
}
