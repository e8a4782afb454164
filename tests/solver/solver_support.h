// Helpers of the solver tests: a solver field from a text picture, the
// brute-force minimum it is checked against (of the floor, and of a small
// cover problem), and the glowmere-solve command run as a user runs it.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/MapText.h"
#include "solver/CoverField.h"
#include "solver/FewestLights.h"
#include "solver/WitnessRows.h"
#include "support/RunCommand.h"

inline std::shared_ptr<const TLevel> LevelOf(const std::string& picture) {
  return std::make_shared<const TLevel>(WallsOfMapText(picture));
}

inline std::unique_ptr<TCoverField> FieldOf(const std::string& picture,
                                            std::optional<double> seeingSlack = std::nullopt) {
  return std::make_unique<TCoverField>(LevelOf(picture), seeingSlack);
}

inline TSolveResult Solve(TCoverField& field, const std::function<void(const TSolveProgress&)>& progress = nullptr) {
  auto ip = MakeCbcCoverProgram();
  TSolveOptions options;
  options.timeLimit = 120;
  return SolveFewestLights(field, *ip, options, progress);
}

// A random cover problem of at most 31 columns: each row holds each
// column with the given chance, and at least one.
inline TCoverProblem RandomCoverProblem(std::mt19937& rng, int32_t columns, int32_t rows, double chance) {
  TCoverProblem p;
  p.columns = columns;
  std::bernoulli_distribution member(chance);
  for (int32_t r = 0; r < rows; ++r) {
    std::vector<int32_t> row;
    for (int32_t c = 0; c < columns; ++c)
      if (member(rng)) row.push_back(c);
    if (row.empty()) row.push_back(int32_t(rng() % uint32_t(columns)));
    p.rows.push_back(row);
  }
  return p;
}

// The rows of a cover problem as the solver keeps them.
inline TWitnessRows RowsOf(const TCoverProblem& p) {
  TWitnessRows rows(p.columns);
  for (const auto& row : p.rows) rows.Add(row);
  return rows;
}

// The set (bit c for column c) of columns.
inline uint32_t SetOf(const std::vector<int32_t>& columns) {
  uint32_t set = 0;
  for (int32_t c : columns) set |= uint32_t(1) << c;
  return set;
}

// Whether the columns of set (bit c for column c) meet every row.
inline bool CoversAll(const std::vector<std::vector<int32_t>>& rows, uint32_t set) {
  for (const auto& row : rows) {
    bool met = false;
    for (int32_t c : row) met = met || (set >> c & 1);
    if (!met) return false;
  }
  return true;
}

// The fewest columns that meet every row, by trying every set.
inline int CoverOptimum(const TCoverProblem& p) {
  int best = p.columns + 1;
  for (uint32_t set = 0; set < (uint32_t(1) << p.columns); ++set)
    if (__builtin_popcount(set) < best && CoversAll(p.rows, set)) best = __builtin_popcount(set);
  return best;
}

// The fewest candidates that light the whole floor, by trying every set of
// 1, 2, ... candidates; -1 when none of at most maxSize does.
inline int BruteForceMinimum(const TCoverField& field, int maxSize) {
  const int n = field.CandidateCount();
  std::vector<int32_t> chosen;
  // Sets of size k in lexicographic order, by recursion.
  auto some = [&](auto&& self, int from, int k) -> bool {
    if (k == 0) return field.LightsWholeFloor(chosen);
    for (int c = from; c <= n - k; ++c) {
      chosen.push_back(c);
      const bool found = self(self, c + 1, k - 1);
      chosen.pop_back();
      if (found) return true;
    }
    return false;
  };
  for (int k = 1; k <= maxSize; ++k)
    if (some(some, 0, k)) return k;
  return -1;
}

