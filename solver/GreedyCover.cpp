// The greedy set cover with counts kept up to date: covering a row takes
// it out of the count of every column in it, so each row is paid for once.
#include "solver/GreedyCover.h"

void GreedyExtend(std::vector<int32_t>& chosen, const std::vector<std::vector<int32_t>>& rows, int32_t columns) {
  std::vector<std::vector<size_t>> rowsOf(static_cast<size_t>(columns));
  for (size_t r = 0; r < rows.size(); ++r)
    for (int32_t c : rows[r]) rowsOf[size_t(c)].push_back(r);
  std::vector<char> covered(rows.size(), 0);
  std::vector<int64_t> count(size_t(columns), 0);
  size_t left = rows.size();
  auto cover = [&](size_t r) {
    if (covered[r]) return;
    covered[r] = 1;
    --left;
    for (int32_t c : rows[r]) --count[size_t(c)];
  };
  for (int32_t c = 0; c < columns; ++c) count[size_t(c)] = int64_t(rowsOf[size_t(c)].size());
  for (int32_t c : chosen)
    for (size_t r : rowsOf[size_t(c)]) cover(r);
  while (left > 0) {
    int32_t best = -1;
    for (int32_t c = 0; c < columns; ++c)
      if (count[size_t(c)] > 0 && (best < 0 || count[size_t(c)] > count[size_t(best)])) best = c;
    if (best < 0) break;  // rows that no column covers stay uncovered
    chosen.push_back(best);
    for (size_t r : rowsOf[size_t(best)]) cover(r);
  }
}
