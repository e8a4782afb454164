#include "solver/DisjointRows.h"

#include <algorithm>

std::vector<int32_t> DisjointFirst(const TWitnessRows& rows, const std::vector<int32_t>& order, size_t most,
                                   bool onlyDisjoint) {
  std::vector<uint8_t> used(size_t(rows.Columns()), 0);
  std::vector<uint8_t> taken(size_t(rows.Count()), 0);
  std::vector<int32_t> kept;
  for (int32_t r : order) {
    if (kept.size() >= most) break;
    if (taken[size_t(r)]) continue;
    const auto& row = rows.Row(r);
    if (std::any_of(row.begin(), row.end(), [&](int32_t c) { return used[size_t(c)] != 0; })) continue;
    for (int32_t c : row) used[size_t(c)] = 1;
    taken[size_t(r)] = 1;
    kept.push_back(r);
  }
  if (onlyDisjoint) return kept;
  for (int32_t r : order) {
    if (kept.size() >= most) break;
    if (taken[size_t(r)]) continue;
    taken[size_t(r)] = 1;
    kept.push_back(r);
  }
  return kept;
}

std::vector<int32_t> DisjointRows(const TWitnessRows& rows, const std::vector<int32_t>& among) {
  std::vector<int32_t> order = among;
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return rows.Row(a).size() < rows.Row(b).size(); });
  return DisjointFirst(rows, order, order.size(), true);
}
