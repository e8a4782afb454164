// The parts of the solver that could give a false proof or a false cover,
// each against the brute force on small random problems and levels: the
// first lower bound (disjoint rows), the search for a cover of a given
// size, the repair of a choice into a full cover, the rows the program is
// asked about, and the integer program's second try after a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <random>
#include <set>

#include "engine/levelmap_support.h"
#include "solver/CoverSearch.h"
#include "solver/DisjointRows.h"
#include "solver/WitnessPool.h"
#include "solver/Witnesses.h"
#include "solver_support.h"

namespace {

bool ShareAColumn(const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
  return std::any_of(a.begin(), a.end(), [&](int32_t c) { return std::binary_search(b.begin(), b.end(), c); });
}

std::vector<int32_t> AllRows(const TWitnessRows& rows) {
  std::vector<int32_t> all(size_t(rows.Count()));
  for (int32_t r = 0; r < rows.Count(); ++r) all[size_t(r)] = r;
  return all;
}

}  // namespace

TEST(DisjointRows, AreABoundThatNoCoverBeatsAndCannotBeExtended) {
  const unsigned seed = 3601;
  std::mt19937 rng(seed);
  for (int round = 0; round < 80; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 12, 4 + round % 20, round % 2 ? 0.15 : 0.3);
    const TWitnessRows rows = RowsOf(p);
    const std::vector<int32_t> kept = DisjointRows(rows, AllRows(rows));
    EXPECT_LE(int(kept.size()), CoverOptimum(p));
    for (size_t i = 0; i < kept.size(); ++i)
      for (size_t j = i + 1; j < kept.size(); ++j)
        ASSERT_FALSE(ShareAColumn(rows.Row(kept[i]), rows.Row(kept[j]))) << kept[i] << " " << kept[j];
    // Every row left out meets a kept one: none could have joined.
    for (int32_t r = 0; r < rows.Count(); ++r) {
      if (std::find(kept.begin(), kept.end(), r) != kept.end()) continue;
      EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [&](int32_t k) { return ShareAColumn(rows.Row(r), rows.Row(k)); }))
          << r;
    }
  }
}

TEST(DisjointRows, DisjointFirstTakesEachRowOnceAndTheDisjointOnesAhead) {
  // Rows 0 and 1 share column 1; 2 is apart; 3 repeats in the order.
  TWitnessRows rows(6);
  rows.Add({0, 1});
  rows.Add({1, 2});
  rows.Add({3});
  rows.Add({4, 5});
  EXPECT_EQ(DisjointFirst(rows, {1, 0, 3, 3, 2}, 10), (std::vector<int32_t>{1, 3, 2, 0}));
  EXPECT_EQ(DisjointFirst(rows, {1, 0, 3, 3, 2}, 2), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(DisjointFirst(rows, {0, 1, 2}, 10, true), (std::vector<int32_t>{0, 2}));
}

TEST(CoverOfSize, FindsACoverOfTheOptimumAndNeverClaimsOneBelowIt) {
  const unsigned seed = 3602;
  std::mt19937 rng(seed);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    const TCoverProblem p = RandomCoverProblem(rng, 14, 10 + round % 25, round % 3 ? 0.2 : 0.35);
    const TWitnessRows rows = RowsOf(p);
    const int optimum = CoverOptimum(p);
    TLocalSearchLimits limits;
    limits.seed = uint64_t(round) + 1;
    limits.steps = 200000;
    // From a start with repeats and columns out of order.
    std::vector<int32_t> chosen{5, 2, 5, 13, 0, 2};
    ASSERT_TRUE(FindCoverOfSize(rows, optimum, chosen, limits));
    EXPECT_EQ(int(chosen.size()), optimum);
    EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
    EXPECT_EQ(std::set<int32_t>(chosen.begin(), chosen.end()).size(), chosen.size());
    EXPECT_TRUE(CoversAll(p.rows, SetOf(chosen)));
    if (optimum > 1) {
      limits.steps = 5000;
      EXPECT_FALSE(FindCoverOfSize(rows, optimum - 1, chosen, limits));
      EXPECT_EQ(int(chosen.size()), optimum - 1);
    }
  }
}

TEST(WitnessPool, MakeFullKeepsTheStartAndLightsTheWholeFloor) {
  const unsigned seed = 3603;
  std::mt19937 rng(seed);
  for (int round = 0; round < 24; ++round) {
    std::uniform_int_distribution<int> side(4, 9);
    const std::string picture = RandomPicture(rng, side(rng), side(rng), 0.3);
    if (picture.find('.') == std::string::npos) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\n" + picture);
    // Every third level with a wide seeing slack, so that the repair
    // meets darkness too thin for a witness it does not already meet.
    TCoverField field(LevelOf(picture), round % 3 == 0 ? std::optional<double>(0.1) : std::nullopt);
    TSolveOptions options;
    TSolveTimes times;
    TWitnessPool pool(field, options, times);
    // A few witnesses only, so that the repair must find the rest.
    std::vector<gpc_vertex> few = FirstWitnesses(field);
    few.resize(std::min<size_t>(few.size(), 3));
    ASSERT_TRUE(pool.AddWitnesses(few, nullptr));
    std::vector<int32_t> chosen{int32_t(rng() % uint32_t(field.CandidateCount()))};
    const std::vector<int32_t> start = chosen;
    long double firstDark = 0;
    ASSERT_TRUE(pool.MakeFull(chosen, firstDark));
    EXPECT_TRUE(std::equal(start.begin(), start.end(), chosen.begin()));
    EXPECT_TRUE(field.LightsWholeFloor(chosen));
    EXPECT_TRUE(pool.Rows().Unmet(chosen).empty());
  }
}

TEST(WitnessPool, ActivateTakesAtMostTheBatchOfTheUnmetRowsDisjointOnesFirst) {
  const unsigned seed = 3604;
  std::mt19937 rng(seed);
  const auto field = FieldOf(RandomPicture(rng, 8, 6, 0.2));
  TSolveOptions options;
  TSolveTimes times;
  TWitnessPool pool(*field, options, times);
  ASSERT_TRUE(pool.AddWitnesses(FirstWitnesses(*field), nullptr));
  const std::vector<int32_t> all = AllRows(pool.Rows());
  std::vector<int32_t> unmet;
  for (int32_t r : all)
    if (r % 2 == 1) unmet.push_back(r);
  const std::vector<int32_t> disjoint = DisjointRows(pool.Rows(), unmet);
  ASSERT_GT(disjoint.size(), 1u);
  for (const int32_t batch : {1, int32_t(disjoint.size()), int32_t(disjoint.size()) + 3, 100000}) {
    SCOPED_TRACE("batch " + std::to_string(batch));
    pool.Active().clear();
    pool.Activate(unmet, batch);
    const std::vector<int32_t>& active = pool.Active();
    EXPECT_EQ(active.size(), std::min(size_t(batch), unmet.size()));
    EXPECT_EQ(std::set<int32_t>(active.begin(), active.end()).size(), active.size()) << "a row taken twice";
    for (int32_t r : active) EXPECT_EQ(r % 2, 1) << "a row that was not unmet";
    // The first ones pairwise disjoint, as many as DisjointRows finds.
    const size_t ahead = std::min(active.size(), disjoint.size());
    for (size_t i = 0; i < ahead; ++i)
      for (size_t j = i + 1; j < ahead; ++j) EXPECT_FALSE(ShareAColumn(pool.Rows().Row(active[i]), pool.Rows().Row(active[j])));
  }
}

TEST(CbcSecondTry, AFirstTryThatDiesIsAnsweredByTheSecondAndTwoDeathsFail) {
  const unsigned seed = 3605;
  std::mt19937 rng(seed);
  auto die = [](bool always) {
    return [always](bool plain) {
      if (plain && !always) return;
      std::signal(SIGSEGV, SIG_DFL);  // a sanitizer's handler would turn it into an exit
      std::raise(SIGSEGV);
    };
  };
  const auto once = MakeCbcCoverProgram(die(false));
  const auto twice = MakeCbcCoverProgram(die(true));
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
    TCoverProblem p = RandomCoverProblem(rng, 12, 14, 0.25);
    const int optimum = CoverOptimum(p);
    p.atLeast = std::max(1, optimum - 2);
    const TCoverAnswer second = once->Solve(p);
    EXPECT_FALSE(second.failed);
    EXPECT_NE(second.failure.find("signal " + std::to_string(SIGSEGV)), std::string::npos) << second.failure;
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(int(second.chosen.size()), optimum);
    EXPECT_TRUE(CoversAll(p.rows, SetOf(second.chosen)));
    EXPECT_EQ(second.lowerBound, optimum);

    const TCoverAnswer none = twice->Solve(p);
    EXPECT_TRUE(none.failed);
    EXPECT_TRUE(none.chosen.empty());
    EXPECT_EQ(none.lowerBound, p.atLeast) << "only what was known before";
  }
}
