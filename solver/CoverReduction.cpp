// Rows and columns as bit sets, so that each "is a subset of" test costs a
// few dozen word operations. Rows are tested shortest first, columns
// longest first, and only against those already kept; equal ones keep the
// first. Reductions alternate until neither drops anything.
#include "solver/CoverReduction.h"

#include <algorithm>
#include <numeric>

namespace {

using TBits = std::vector<uint64_t>;

bool SubsetOf(const TBits& a, const TBits& b) {
  for (size_t w = 0; w < a.size(); ++w)
    if ((a[w] & ~b[w]) != 0) return false;
  return true;
}

TBits BitsOf(const std::vector<int32_t>& members, size_t words) {
  TBits bits(words, 0);
  for (int32_t m : members) bits[size_t(m) / 64] |= uint64_t(1) << (size_t(m) % 64);
  return bits;
}

// Keeps, of sets, those that no kept set is (for rows) a subset of / (for
// columns) a superset of. Returns the kept indices, ascending.
std::vector<size_t> KeepUndominated(const std::vector<std::vector<int32_t>>& sets, size_t universe, bool keepSmall) {
  const size_t words = (universe + 63) / 64;
  std::vector<TBits> bits;
  bits.reserve(sets.size());
  for (const auto& s : sets) bits.push_back(BitsOf(s, words));
  std::vector<size_t> order(sets.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return keepSmall ? sets[a].size() < sets[b].size() : sets[a].size() > sets[b].size();
  });
  std::vector<size_t> kept;
  for (size_t i : order) {
    bool dropped = false;
    for (size_t k : kept) {
      if (keepSmall ? SubsetOf(bits[k], bits[i]) : SubsetOf(bits[i], bits[k])) {
        dropped = true;
        break;
      }
    }
    if (!dropped) kept.push_back(i);
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

}  // namespace

TReducedCover ReduceCover(const TCoverProblem& problem) {
  // Only the columns that some row holds take part, renumbered in order:
  // on a large map the rows of a program reach a small share of the
  // candidates, and every bit set below is as long as the columns.
  std::vector<int32_t> renumbered(size_t(problem.columns), -1);
  for (const auto& row : problem.rows)
    for (int32_t c : row) renumbered[size_t(c)] = 0;
  std::vector<int32_t> original;
  for (int32_t c = 0; c < problem.columns; ++c)
    if (renumbered[size_t(c)] == 0) {
      renumbered[size_t(c)] = int32_t(original.size());
      original.push_back(c);
    }
  std::vector<std::vector<int32_t>> rows = problem.rows;
  for (auto& row : rows)
    for (int32_t& c : row) c = renumbered[size_t(c)];
  for (;;) {
    // Rows.
    const int32_t columns = int32_t(original.size());
    const std::vector<size_t> keptRows = KeepUndominated(rows, size_t(columns), true);
    std::vector<std::vector<int32_t>> fewerRows;
    for (size_t r : keptRows) fewerRows.push_back(std::move(rows[r]));
    const bool rowsDropped = fewerRows.size() < rows.size();
    rows = std::move(fewerRows);

    // Columns: each column's rows.
    std::vector<std::vector<int32_t>> cols(static_cast<size_t>(columns));
    for (size_t r = 0; r < rows.size(); ++r)
      for (int32_t c : rows[r]) cols[size_t(c)].push_back(int32_t(r));
    std::vector<size_t> keptCols = KeepUndominated(cols, rows.size(), false);
    // A column without rows is no use to any cover.
    keptCols.erase(std::remove_if(keptCols.begin(), keptCols.end(), [&](size_t c) { return cols[c].empty(); }),
                   keptCols.end());
    const bool colsDropped = keptCols.size() < size_t(columns);
    if (!rowsDropped && !colsDropped) break;

    std::vector<int32_t> renumber(size_t(columns), -1);
    for (size_t k = 0; k < keptCols.size(); ++k) renumber[keptCols[k]] = int32_t(k);
    for (auto& row : rows) {
      std::vector<int32_t> kept;
      for (int32_t c : row)
        if (renumber[size_t(c)] >= 0) kept.push_back(renumber[size_t(c)]);
      row = std::move(kept);
    }
    std::vector<int32_t> newOriginal;
    for (size_t c : keptCols) newOriginal.push_back(original[c]);
    original = std::move(newOriginal);
  }
  TReducedCover reduced;
  reduced.problem = problem;
  reduced.problem.columns = int32_t(original.size());
  reduced.problem.rows = std::move(rows);
  reduced.original = std::move(original);
  return reduced;
}
