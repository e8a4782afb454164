// The searches for a better cover against the brute force on small random
// problems: the search that lives for the whole run (rows that join it,
// the core it is restricted to), the team of searches on threads, and the
// Lagrangian start. A cover they claim must meet every row of the whole
// problem, and none may have fewer columns than the optimum.
#include <gtest/gtest.h>

#include <random>

#include "solver/CoverRelaxation.h"
#include "solver/CoverSearchTeam.h"
#include "solver/GreedyCover.h"
#include "solver_support.h"

namespace {

auto Never() {
  return [] { return false; };
}

}  // namespace

TEST(CoverSearch, RowsThatJoinKeepTheChoiceAndTheSearchMeetsThemToo) {
  const unsigned seed = 3611;
  std::mt19937 rng(seed);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    TCoverProblem p = RandomCoverProblem(rng, 14, 24, 0.2);
    // The search sees the first half of the rows, then the rest joins.
    TWitnessRows known(p.columns);
    for (size_t r = 0; r < p.rows.size() / 2; ++r) known.Add(p.rows[r]);
    TSearchRows rows(p.columns);
    rows.Extend(known);
    TCoverSearch search(uint64_t(round) + 7);
    search.Sync(rows);
    search.Resize(CoverOptimum(p));
    ASSERT_TRUE(search.Run(Never()));
    const std::vector<int32_t> before = search.Chosen();
    for (size_t r = p.rows.size() / 2; r < p.rows.size(); ++r) known.Add(p.rows[r]);
    rows.Extend(known);
    search.Sync(rows);
    EXPECT_EQ(search.Chosen(), before) << "joining rows leave the choice as it was";
    EXPECT_EQ(search.Covered(), CoversAll(p.rows, SetOf(before))) << "their counts come from the choice";
    ASSERT_TRUE(search.Run(Never()));
    EXPECT_EQ(search.Size(), CoverOptimum(p));
    EXPECT_TRUE(CoversAll(p.rows, SetOf(search.Chosen())));
  }
}

TEST(CoverSearch, ACoverOfTheCoreMeetsEveryRowOfTheWholeProblem) {
  // Over a random core, with its dominated rows and columns left out and
  // bare rows kept whole: whatever the search meets there must be a cover
  // of every row.
  const unsigned seed = 3612;
  std::mt19937 rng(seed);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 16, 30, round % 2 ? 0.15 : 0.3);
    const TWitnessRows known = RowsOf(p);
    std::vector<int32_t> core;
    for (int32_t c = 0; c < p.columns; ++c)
      if (rng() % 3 == 0) core.push_back(c);
    TSearchRows rows(p.columns);
    rows.Build(known, core);
    EXPECT_LE(rows.Entries(), known.Entries());
    for (int32_t r = 0; r < rows.Count(); ++r)
      for (int32_t c : rows.Row(r)) EXPECT_TRUE(std::binary_search(known.Row(r).begin(), known.Row(r).end(), c));
    TCoverSearch search(uint64_t(round) + 1);
    search.Sync(rows);
    search.Resize(p.columns);
    for (int32_t size = p.columns; size >= CoverOptimum(p); --size) {
      search.Resize(size);
      int64_t limit = search.Moves() + 20000;
      if (!search.Run([&] { return search.Moves() >= limit; })) break;
      EXPECT_TRUE(CoversAll(p.rows, SetOf(search.Chosen()))) << size;
    }
    EXPECT_FALSE(search.Covered() && search.Size() < CoverOptimum(p));
  }
}

TEST(CoverSearchTeam, SearchesOnThreadsFindOnlyCoversAndNoneBelowTheOptimum) {
  const unsigned seed = 3613;
  std::mt19937 rng(seed);
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 18, 40, 0.15);
    const TWitnessRows known = RowsOf(p);
    const int optimum = CoverOptimum(p);
    TCoverSearchTeam team(p.columns, 3, uint64_t(round));
    team.Take(known);
    std::vector<int32_t> all(size_t(p.columns));
    for (int32_t c = 0; c < p.columns; ++c) all[size_t(c)] = c;
    team.Aim(all, p.columns - 1);
    // Without untilFirst every search goes down one column at a time, here
    // until it found a cover of the optimum's size; none is lost on the way.
    team.Run(3, TDeadline::After(TDeadline::Clock::now(), 120), {}, false, optimum);
    const auto found = team.TakeFound();
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(int(found.front().size()), optimum);
    for (const auto& cover : found) EXPECT_TRUE(CoversAll(p.rows, SetOf(cover)));
    EXPECT_TRUE(team.TakeFound().empty()) << "each cover is handed over once";
  }
}

TEST(LagrangianCover, CoversEveryRowFromTheLpsSolution) {
  const unsigned seed = 3614;
  std::mt19937 rng(seed);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 14, 6 + round, 0.2);
    const TWitnessRows rows = RowsOf(p);
    std::vector<int32_t> all(size_t(p.columns));
    for (int32_t c = 0; c < p.columns; ++c) all[size_t(c)] = c;
    const TRelaxationAnswer lp = SolveRelaxation(rows, {}, all, TDeadline{});
    ASSERT_FALSE(lp.failed) << lp.failure;
    const std::vector<int32_t> cover = LagrangianCover(rows, lp.solution, lp.duals, TDeadline{});
    EXPECT_TRUE(CoversAll(p.rows, SetOf(cover)));
    EXPECT_TRUE(std::is_sorted(cover.begin(), cover.end()));
    EXPECT_GE(int(cover.size()), CoverOptimum(p));
    // No light in it is redundant.
    for (size_t k = 0; k < cover.size(); ++k) {
      std::vector<int32_t> less = cover;
      less.erase(less.begin() + std::ptrdiff_t(k));
      EXPECT_FALSE(CoversAll(p.rows, SetOf(less))) << cover[k];
    }
  }
}
