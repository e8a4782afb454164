// "Is set a inside set b" is asked only of pairs that can answer yes: a
// kept set is filed under its rarest member, and a set looks only at the
// kept sets filed under its own members (a subset's rarest member is a
// member of the superset). With the members of the set marked, each test
// stops at the first member that is not marked. Rows are kept shortest
// first (a row that holds a kept row is dropped), columns longest first (a
// column inside a kept column is dropped); equal ones keep the first.
// Reductions alternate until neither drops anything. On the tens of
// thousands of rows of a large map this costs about a pass over the rows,
// where testing every pair would cost minutes.
#include "solver/CoverReduction.h"

#include <algorithm>
#include <numeric>

namespace {

// Keeps, of sets (members below universe, ascending), those that no kept
// set lies inside (keepSmall: rows) or holds (columns). Returns the kept
// indices, ascending.
std::vector<size_t> KeepUndominated(const std::vector<std::vector<int32_t>>& sets, size_t universe, bool keepSmall) {
  std::vector<int32_t> frequency(universe, 0);
  for (const auto& s : sets)
    for (int32_t m : s) ++frequency[size_t(m)];
  // Each set's members, rarest first: a test of "inside" fails soonest on
  // a rare member.
  auto rareFirst = [&](const std::vector<int32_t>& set) {
    std::vector<int32_t> members = set;
    std::sort(members.begin(), members.end(), [&](int32_t a, int32_t b) {
      return frequency[size_t(a)] != frequency[size_t(b)] ? frequency[size_t(a)] < frequency[size_t(b)] : a < b;
    });
    return members;
  };
  std::vector<size_t> order(sets.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return keepSmall ? sets[a].size() < sets[b].size() : sets[a].size() > sets[b].size();
  });
  std::vector<std::vector<int32_t>> keptMembers;    // per kept set, rarest first
  std::vector<std::vector<size_t>> filed(universe);  // numbers in keptMembers
  std::vector<size_t> mark(universe, size_t(-1));
  std::vector<size_t> kept;
  for (size_t i : order) {
    // Rows are put in order only once kept: most are dropped.
    std::vector<int32_t> members = keepSmall ? sets[i] : rareFirst(sets[i]);
    bool dropped = false;
    if (keepSmall) {
      // A kept row inside this one is filed under its rarest member, which
      // is one of this row's.
      for (int32_t m : members) mark[size_t(m)] = i;
      for (size_t k = 0; k < members.size() && !dropped; ++k)
        for (size_t other : filed[size_t(members[k])]) {
          const auto& o = keptMembers[other];
          if (std::all_of(o.begin(), o.end(), [&](int32_t m) { return mark[size_t(m)] == i; })) {
            dropped = true;
            break;
          }
        }
    } else if (!members.empty()) {
      // A kept column that holds this one holds its rarest member, under
      // which every kept column is filed.
      for (size_t other : filed[size_t(members[0])]) {
        const auto& o = sets[kept[other]];
        if (std::all_of(members.begin(), members.end(),
                        [&](int32_t m) { return std::binary_search(o.begin(), o.end(), m); })) {
          dropped = true;
          break;
        }
      }
    }
    if (dropped) continue;
    const size_t number = kept.size();
    if (keepSmall) members = rareFirst(members);
    if (keepSmall) {
      if (!members.empty()) filed[size_t(members[0])].push_back(number);
    } else {
      for (int32_t m : members) filed[size_t(m)].push_back(number);
    }
    keptMembers.push_back(keepSmall ? members : std::vector<int32_t>());
    kept.push_back(i);
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

}  // namespace

TReducedCover ReduceCover(const TCoverProblem& problem) {
  // Only the columns that some row holds take part, renumbered in order.
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
  std::vector<int32_t> rowOriginal(rows.size());
  std::iota(rowOriginal.begin(), rowOriginal.end(), 0);
  for (auto& row : rows)
    for (int32_t& c : row) c = renumbered[size_t(c)];
  for (;;) {
    // Rows.
    const int32_t columns = int32_t(original.size());
    const std::vector<size_t> keptRows = KeepUndominated(rows, size_t(columns), true);
    std::vector<std::vector<int32_t>> fewerRows;
    std::vector<int32_t> fewerOriginal;
    for (size_t r : keptRows) {
      fewerRows.push_back(std::move(rows[r]));
      fewerOriginal.push_back(rowOriginal[r]);
    }
    const bool rowsDropped = fewerRows.size() < rows.size();
    rows = std::move(fewerRows);
    rowOriginal = std::move(fewerOriginal);

    // Columns: each column's rows, ascending.
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
  reduced.rowOriginal = std::move(rowOriginal);
  return reduced;
}
