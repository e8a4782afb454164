// Helpers of the solver tests: a solver field from a text picture, the
// brute-force minimum it is checked against, and the glowmere-solve
// command run as a user runs it.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/MapText.h"
#include "solver/CoverField.h"
#include "solver/FewestLights.h"
#include "support/RunCommand.h"

inline std::unique_ptr<TCoverField> FieldOf(const std::string& picture) {
  auto map = LoadMapText(picture);
  return std::make_unique<TCoverField>(*map);
}

inline TSolveResult Solve(TCoverField& field) {
  auto ip = MakeCbcCoverProgram();
  TSolveOptions options;
  options.timeLimit = 120;
  return SolveFewestLights(field, *ip, options, nullptr);
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

