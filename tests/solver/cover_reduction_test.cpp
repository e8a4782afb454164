// The dominance reduction keeps the optimum, and its covers are covers of
// the input.
#include <gtest/gtest.h>

#include <random>

#include "solver/CoverReduction.h"

namespace {

bool Covers(const TCoverProblem& p, uint32_t set) {
  for (const auto& row : p.rows) {
    bool met = false;
    for (int32_t c : row) met = met || (set >> c & 1);
    if (!met) return false;
  }
  return true;
}

int Optimum(const TCoverProblem& p) {
  int best = 99;
  for (uint32_t set = 0; set < (uint32_t(1) << p.columns); ++set)
    if (__builtin_popcount(set) < best && Covers(p, set)) best = __builtin_popcount(set);
  return best;
}

}  // namespace

TEST(CoverReduction, KeepsTheOptimum) {
  const unsigned seed = 4242;
  std::mt19937 rng(seed);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    TCoverProblem p;
    p.columns = 10;
    std::bernoulli_distribution member(0.3);
    for (int r = 0; r < 12; ++r) {
      std::vector<int32_t> row;
      for (int32_t c = 0; c < p.columns; ++c)
        if (member(rng)) row.push_back(c);
      if (row.empty()) row.push_back(r % p.columns);
      p.rows.push_back(row);
    }
    const TReducedCover reduced = ReduceCover(p);
    ASSERT_EQ(size_t(reduced.problem.columns), reduced.original.size());
    EXPECT_EQ(Optimum(reduced.problem), Optimum(p));
    // A reduced cover is a cover of the input in the input's columns.
    for (uint32_t set = 0; set < (uint32_t(1) << reduced.problem.columns); ++set) {
      if (!Covers(reduced.problem, set)) continue;
      uint32_t back = 0;
      for (int32_t c = 0; c < reduced.problem.columns; ++c)
        if (set >> c & 1) back |= uint32_t(1) << reduced.original[size_t(c)];
      ASSERT_TRUE(Covers(p, back));
    }
  }
}
