// The lower bounds of the cover problem against the brute-force optimum:
// the Lagrangian value of any multipliers, the subgradient search, the LP
// relaxation with its row and column generation, and reduced-cost fixing
// (every cover of a size holds only columns it leaves alive).
#include <gtest/gtest.h>

#include <random>

#include "solver/CoverProgram.h"
#include "solver/CoverRelaxation.h"
#include "solver/LagrangianBound.h"
#include "solver_support.h"

namespace {

// The rows {i, i+1 mod n} of an odd cycle: the LP's value is n / 2, the
// optimum (n + 1) / 2.
TCoverProblem OddCycle(int32_t n) {
  TCoverProblem p;
  p.columns = n;
  for (int32_t i = 0; i < n; ++i) p.rows.push_back(i + 1 < n ? std::vector<int32_t>{i, i + 1} : std::vector<int32_t>{0, i});
  return p;
}

}  // namespace

TEST(CoverBounds, NoBoundPassesTheBruteForceOptimum) {
  const unsigned seed = 25;
  std::mt19937 rng(seed);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 12, 6 + round % 14, round % 3 ? 0.25 : 0.45);
    const TWitnessRows rows = RowsOf(p);
    const int optimum = CoverOptimum(p);

    TMultipliers random;
    std::uniform_real_distribution<double> weight(0.0, 1.5);
    for (int32_t r = 0; r < rows.Count(); ++r) random.emplace_back(r, weight(rng));
    EXPECT_LE(EvaluateLagrangian(rows, random).bound, optimum + 1e-9);

    TLagrangianBound lagrangian;
    const double subgradient = lagrangian.Improve(rows, optimum + 1, 300, TDeadline{});
    EXPECT_LE(subgradient, optimum + 1e-9);
    EXPECT_DOUBLE_EQ(EvaluateLagrangian(rows, lagrangian.Best()).bound, subgradient);

    // The LP from nothing, and again from where it ended.
    std::vector<int32_t> all(size_t(p.columns));
    for (int32_t c = 0; c < p.columns; ++c) all[size_t(c)] = c;
    const TRelaxationAnswer lp = SolveRelaxation(rows, {}, all, TDeadline{});
    ASSERT_FALSE(lp.failed) << lp.failure;
    EXPECT_TRUE(lp.complete);
    EXPECT_LE(lp.bound, optimum + 1e-9);
    EXPECT_LE(subgradient, lp.bound + 1e-6) << "no Lagrangian bound passes the LP";
    const TRelaxationAnswer again = SolveRelaxation(rows, lp.next, {}, TDeadline{});
    EXPECT_NEAR(again.bound, lp.bound, 1e-6);
    // The solution meets every row at least once.
    std::vector<double> x(size_t(p.columns), 0.0);
    for (const auto& [c, v] : lp.solution) x[size_t(c)] = v;
    for (const auto& row : p.rows) {
      double sum = 0;
      for (int32_t c : row) sum += x[size_t(c)];
      EXPECT_GE(sum, 1 - 1e-6);
    }

    // Every cover of at most size columns lies in the alive columns.
    const TLagrangianValue value = EvaluateLagrangian(rows, lp.duals);
    for (int size = optimum; size <= optimum + 1; ++size) {
      const std::vector<int32_t> alive = ColumnsAlive(value, size);
      uint32_t aliveSet = 0;
      for (int32_t c : alive) aliveSet |= uint32_t(1) << c;
      for (uint32_t set = 0; set < (uint32_t(1) << p.columns); ++set) {
        if (__builtin_popcount(set) <= size && CoversAll(p.rows, set)) {
          ASSERT_EQ(set & ~aliveSet, 0u) << size;
        }
      }
    }
  }
}

TEST(CoverBounds, TheRelaxationAndTheSubgradientReachTheOddCyclesLp) {
  const TCoverProblem p = OddCycle(7);
  const TWitnessRows rows = RowsOf(p);
  // A start that holds a single column: the others must price in.
  const TRelaxationAnswer lp = SolveRelaxation(rows, {{0}, {3}}, {0, 1, 3, 5}, TDeadline{});
  ASSERT_FALSE(lp.failed) << lp.failure;
  EXPECT_TRUE(lp.complete);
  EXPECT_NEAR(lp.bound, 3.5, 1e-9);
  EXPECT_EQ(IntegerBound(lp.bound), 4);
  TLagrangianBound lagrangian;
  EXPECT_GT(lagrangian.Improve(rows, 4, 2000, TDeadline{}), 3.4);
  // From the LP's duals it starts at the LP's value.
  lagrangian.Take(lp.duals);
  EXPECT_GT(lagrangian.Improve(rows, 4, 1, TDeadline{}), 3.5 - 1e-9);
  // With 3 lights no column is alive: the bound alone is the proof.
  EXPECT_TRUE(ColumnsAlive(EvaluateLagrangian(rows, lp.duals), 3).empty());
}

TEST(CoverBounds, AnLpCutShortByItsDeadlineIsABoundAndAStartNotAValue) {
  // From a start of one row and a few columns, the first solve leaves
  // rows short; with the deadline gone it must stop there. Its primal
  // value over those columns says nothing about the LP (a restricted set
  // of columns can put it above), so it must not claim to be complete,
  // while its certified bound still holds and the next LP goes on from
  // where it stopped.
  const TCoverProblem p = OddCycle(9);
  const TWitnessRows rows = RowsOf(p);
  const TDeadline gone = TDeadline::After(TDeadline::Clock::now(), 0);
  const TRelaxationAnswer cut = SolveRelaxation(rows, {{0}, {0, 1}}, {0, 2, 4, 6, 8}, gone);
  ASSERT_FALSE(cut.failed) << cut.failure;
  EXPECT_FALSE(cut.complete);
  EXPECT_LE(cut.bound, 4.5 + 1e-9);
  EXPECT_FALSE(cut.next.columns.empty());
  const TRelaxationAnswer on = SolveRelaxation(rows, cut.next, {0, 2, 4, 6, 8}, TDeadline{});
  ASSERT_FALSE(on.failed) << on.failure;
  EXPECT_TRUE(on.complete);
  EXPECT_NEAR(on.bound, 4.5, 1e-9);
}

TEST(CoverBounds, AProgramWithACutoffProvesThatNoCoverIsThatSmall) {
  const unsigned seed = 1999;
  std::mt19937 rng(seed);
  const auto program = MakeCbcCoverProgram();
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    TCoverProblem p = RandomCoverProblem(rng, 14, 16, 0.2);
    const int optimum = CoverOptimum(p);
    for (const int atMost : {optimum - 1, optimum}) {
      if (atMost < 1) continue;
      p.atMost = atMost;
      p.atLeast = atMost;
      const TCoverAnswer answer = program->Solve(p);
      ASSERT_FALSE(answer.failed) << answer.failure;
      EXPECT_LE(answer.lowerBound, optimum);
      if (atMost < optimum) {
        EXPECT_TRUE(answer.chosen.empty());
        EXPECT_EQ(answer.lowerBound, atMost + 1) << "the search ended without a cover";
      } else {
        uint32_t set = 0;
        for (int32_t c : answer.chosen) set |= uint32_t(1) << c;
        EXPECT_TRUE(CoversAll(p.rows, set));
        EXPECT_EQ(int(answer.chosen.size()), optimum);
      }
    }
  }
}
