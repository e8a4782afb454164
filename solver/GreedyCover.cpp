// The greedy set cover with counts kept up to date: covering a row takes
// it out of the count (and the multiplier sum) of every column in it, so
// each row is paid for once.
#include "solver/GreedyCover.h"

#include <algorithm>
#include <numeric>

namespace {

// The LP's value at which a column counts as near 1, and the share of a
// pass's own columns that the next pass keeps fixed.
constexpr double NearOne = 0.9;
constexpr double FixedShare = 0.25;
// Subgradient steps for the multipliers of what a pass leaves.
constexpr int32_t RestSteps = 30;

std::vector<double> Dense(const TMultipliers& multipliers, int32_t rows) {
  std::vector<double> u(size_t(rows), 0.0);
  for (const auto& [r, value] : multipliers)
    if (r >= 0 && r < rows) u[size_t(r)] = value;
  return u;
}

// Lower is better. The LP's duals leave its own columns a reduced cost of
// 0 (up to rounding): below Flat, a column counts as a little below 0, so
// that of those the one meeting most rows goes first, not the lowest.
constexpr double Flat = 1e-6;
double Score(double gamma, int64_t mu) { return gamma > Flat ? gamma / double(mu) : (gamma - Flat) * double(mu); }

}  // namespace

void GreedyExtend(std::vector<int32_t>& chosen, const TWitnessRows& rows, const TMultipliers& multipliers) {
  const int32_t columns = rows.Columns();
  const std::vector<double> u = Dense(multipliers, rows.Count());
  std::vector<char> covered(size_t(rows.Count()), 0);
  std::vector<int64_t> count(size_t(columns), 0);
  std::vector<double> gamma(size_t(columns), 1.0);
  int64_t left = rows.Count();
  auto cover = [&](int32_t r) {
    if (covered[size_t(r)]) return;
    covered[size_t(r)] = 1;
    --left;
    for (int32_t c : rows.Row(r)) {
      --count[size_t(c)];
      gamma[size_t(c)] += u[size_t(r)];
    }
  };
  for (int32_t r = 0; r < rows.Count(); ++r)
    for (int32_t c : rows.Row(r)) {
      ++count[size_t(c)];
      gamma[size_t(c)] -= u[size_t(r)];
    }
  for (int32_t c : chosen)
    for (int32_t r : rows.RowsOf(c)) cover(r);
  while (left > 0) {
    int32_t best = -1;
    double bestScore = 0;
    for (int32_t c = 0; c < columns; ++c) {
      if (count[size_t(c)] <= 0) continue;
      const double score = Score(gamma[size_t(c)], count[size_t(c)]);
      if (best < 0 || score < bestScore) {
        best = c;
        bestScore = score;
      }
    }
    if (best < 0) break;  // rows that no column covers stay uncovered
    chosen.push_back(best);
    for (int32_t r : rows.RowsOf(best)) cover(r);
  }
}

void DropRedundant(std::vector<int32_t>& cover, const TWitnessRows& rows, const TMultipliers& multipliers) {
  const std::vector<double> u = Dense(multipliers, rows.Count());
  std::vector<int32_t> met(size_t(rows.Count()), 0);
  for (int32_t c : cover)
    for (int32_t r : rows.RowsOf(c)) ++met[size_t(r)];
  std::vector<double> reduced(cover.size(), 1.0);
  for (size_t k = 0; k < cover.size(); ++k)
    for (int32_t r : rows.RowsOf(cover[k])) reduced[k] -= u[size_t(r)];
  std::vector<size_t> order(cover.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return reduced[a] > reduced[b]; });
  std::vector<uint8_t> dropped(cover.size(), 0);
  for (size_t k : order) {
    const auto& of = rows.RowsOf(cover[k]);
    if (std::any_of(of.begin(), of.end(), [&](int32_t r) { return met[size_t(r)] < 2; })) continue;
    for (int32_t r : of) --met[size_t(r)];
    dropped[k] = 1;
  }
  std::vector<int32_t> kept;
  for (size_t k = 0; k < cover.size(); ++k)
    if (!dropped[k]) kept.push_back(cover[k]);
  cover = std::move(kept);
}

std::vector<int32_t> LagrangianCover(const TWitnessRows& rows, const std::vector<std::pair<int32_t, double>>& solution,
                                     const TMultipliers& duals, const TDeadline& deadline) {
  std::vector<int32_t> fixed;
  for (const auto& [c, value] : solution)
    if (value >= NearOne) fixed.push_back(c);
  const std::vector<double> u = Dense(duals, rows.Count());
  std::vector<int32_t> best;
  for (int32_t pass = 0;; ++pass) {
    // The rows the fixed columns leave, as a problem of their own, with the
    // duals as its first multipliers.
    std::vector<uint8_t> met(size_t(rows.Count()), 0);
    for (int32_t c : fixed)
      for (int32_t r : rows.RowsOf(c)) met[size_t(r)] = 1;
    TWitnessRows rest(rows.Columns());
    TMultipliers restU;
    for (int32_t r = 0; r < rows.Count(); ++r) {
      if (met[size_t(r)]) continue;
      const int32_t k = rest.Add(rows.Row(r));
      if (u[size_t(r)] > 0) restU.emplace_back(k, u[size_t(r)]);
    }
    std::vector<int32_t> picks;
    if (rest.Count() > 0) {
      if (pass > 0 && !deadline.Passed()) {
        // The multipliers of the rest, which the fixed columns no longer
        // hold up.
        TLagrangianBound bound;
        bound.Take(restU);
        const int32_t upper = best.empty() ? rest.Count() : std::max(1, int32_t(best.size() - fixed.size()));
        bound.Improve(rest, upper, RestSteps, deadline);
        restU = bound.Best();
      }
      GreedyExtend(picks, rest, restU);
    }
    std::vector<int32_t> cover = fixed;
    cover.insert(cover.end(), picks.begin(), picks.end());
    DropRedundant(cover, rows, duals);
    if (best.empty() || cover.size() < best.size()) best = cover;
    if (picks.empty() || deadline.Passed()) break;
    const size_t fix = std::max<size_t>(1, size_t(FixedShare * double(picks.size())));
    fixed.insert(fixed.end(), picks.begin(), picks.begin() + std::ptrdiff_t(fix));
  }
  std::sort(best.begin(), best.end());
  return best;
}
