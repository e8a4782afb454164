// The greedy set cover with counts kept up to date: covering a row takes
// it out of the count of every column in it, so each row is paid for once.
#include "solver/GreedyCover.h"

#include <algorithm>

void GreedyExtend(std::vector<int32_t>& chosen, const TWitnessRows& rows) {
  const int32_t columns = rows.Columns();
  std::vector<char> covered(size_t(rows.Count()), 0);
  std::vector<int64_t> count(size_t(columns), 0);
  int64_t left = rows.Count();
  auto cover = [&](int32_t r) {
    if (covered[size_t(r)]) return;
    covered[size_t(r)] = 1;
    --left;
    for (int32_t c : rows.Row(r)) --count[size_t(c)];
  };
  for (int32_t c = 0; c < columns; ++c) count[size_t(c)] = int64_t(rows.RowsOf(c).size());
  for (int32_t c : chosen)
    for (int32_t r : rows.RowsOf(c)) cover(r);
  while (left > 0) {
    int32_t best = -1;
    for (int32_t c = 0; c < columns; ++c)
      if (count[size_t(c)] > 0 && (best < 0 || count[size_t(c)] > count[size_t(best)])) best = c;
    if (best < 0) break;  // rows that no column covers stay uncovered
    chosen.push_back(best);
    for (int32_t r : rows.RowsOf(best)) cover(r);
  }
}

std::vector<int32_t> DisjointRows(const TWitnessRows& rows, const std::vector<int32_t>& among) {
  std::vector<int32_t> order = among;
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return rows.Row(a).size() < rows.Row(b).size(); });
  std::vector<uint8_t> used(size_t(rows.Columns()), 0);
  std::vector<int32_t> kept;
  for (int32_t r : order) {
    const auto& row = rows.Row(r);
    if (std::any_of(row.begin(), row.end(), [&](int32_t c) { return used[size_t(c)] != 0; })) continue;
    for (int32_t c : row) used[size_t(c)] = 1;
    kept.push_back(r);
  }
  return kept;
}
