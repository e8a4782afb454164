// The dominance reduction keeps the optimum, its covers are covers of the
// input, and it leaves no row or column that another dominates.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "solver/CoverReduction.h"
#include "solver_support.h"

TEST(CoverReduction, KeepsTheOptimum) {
  const unsigned seed = 4242;
  std::mt19937 rng(seed);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 10, 12, 0.3);
    const TReducedCover reduced = ReduceCover(p);
    ASSERT_EQ(size_t(reduced.problem.columns), reduced.original.size());
    EXPECT_EQ(CoverOptimum(reduced.problem), CoverOptimum(p));
    // A reduced cover is a cover of the input in the input's columns.
    for (uint32_t set = 0; set < (uint32_t(1) << reduced.problem.columns); ++set) {
      if (!CoversAll(reduced.problem.rows, set)) continue;
      uint32_t back = 0;
      for (int32_t c = 0; c < reduced.problem.columns; ++c)
        if (set >> c & 1) back |= uint32_t(1) << reduced.original[size_t(c)];
      ASSERT_TRUE(CoversAll(p.rows, back));
    }
  }
}

namespace {

bool Inside(const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
  return std::includes(b.begin(), b.end(), a.begin(), a.end());
}

}  // namespace

TEST(CoverReduction, LeavesNoRowOrColumnThatAnotherDominates) {
  // The reduction only files sets under their rarest member and tests
  // those; a set it failed to test would stay. What is left must hold no
  // row inside another and no column inside another, at every size the
  // solver meets, dense rows included.
  const unsigned seed = 2516;
  std::mt19937 rng(seed);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 20 + round, 30 + 3 * round, round % 2 ? 0.15 : 0.5);
    const TReducedCover reduced = ReduceCover(p);
    const auto& rows = reduced.problem.rows;
    std::vector<std::vector<int32_t>> columns(size_t(reduced.problem.columns));
    for (size_t r = 0; r < rows.size(); ++r)
      for (int32_t c : rows[r]) columns[size_t(c)].push_back(int32_t(r));
    for (size_t a = 0; a < rows.size(); ++a)
      for (size_t b = 0; b < rows.size(); ++b)
        ASSERT_FALSE(a != b && Inside(rows[a], rows[b])) << "row " << b << " holds row " << a;
    for (size_t a = 0; a < columns.size(); ++a) {
      ASSERT_FALSE(columns[a].empty());
      for (size_t b = 0; b < columns.size(); ++b)
        ASSERT_FALSE(a != b && Inside(columns[a], columns[b])) << "column " << b << " holds column " << a;
    }
  }
}
