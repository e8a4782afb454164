#include "solver/SearchRows.h"

#include <algorithm>

#include "solver/CoverReduction.h"

void TSearchRows::Add(int32_t r, std::vector<int32_t> row) {
  for (int32_t c : row) rowsOf_[size_t(c)].push_back(r);
  entries_ += int64_t(row.size());
  rows_[size_t(r)] = std::move(row);
}

std::vector<int32_t> TSearchRows::Restrict(const std::vector<int32_t>& whole) {
  std::vector<int32_t> row;
  for (int32_t c : whole)
    if (inSearch_[size_t(c)]) row.push_back(c);
  if (!row.empty()) return row;
  for (int32_t c : whole) inSearch_[size_t(c)] = 1;
  return whole;
}

void TSearchRows::Build(const TWitnessRows& known, const std::vector<int32_t>& core) {
  ++generation_;
  rows_.assign(size_t(known.Count()), {});
  for (auto& rows : rowsOf_) rows.clear();
  entries_ = 0;
  if (core.empty()) {
    std::fill(inSearch_.begin(), inSearch_.end(), 1);
    for (int32_t r = 0; r < known.Count(); ++r) Add(r, known.Row(r));
    return;
  }
  std::fill(inSearch_.begin(), inSearch_.end(), 0);
  for (int32_t c : core) inSearch_[size_t(c)] = 1;
  // Each row over the core, or whole where the core leaves it bare.
  TCoverProblem problem;
  problem.columns = Columns();
  for (int32_t r = 0; r < known.Count(); ++r) {
    problem.rows.push_back(Restrict(known.Row(r)));
  }
  const TReducedCover reduced = ReduceCover(problem);
  for (size_t k = 0; k < reduced.problem.rows.size(); ++k) {
    std::vector<int32_t> row;
    for (int32_t c : reduced.problem.rows[k]) row.push_back(reduced.original[size_t(c)]);
    std::sort(row.begin(), row.end());
    Add(reduced.rowOriginal[k], std::move(row));
  }
}

void TSearchRows::Extend(const TWitnessRows& known) {
  const int32_t from = Count();
  rows_.resize(size_t(known.Count()));
  for (int32_t r = from; r < known.Count(); ++r) {
    Add(r, Restrict(known.Row(r)));
  }
}
