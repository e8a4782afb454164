// A local search for a cover of a given size: the fast way to answer "is
// there a cover of k columns?" when the answer is yes. (When it is no, only
// the integer program can say so; the search just gives up.)
#pragma once

#include <cstdint>
#include <vector>

#include "solver/Deadline.h"
#include "solver/WitnessRows.h"

struct TLocalSearchLimits {
  int64_t steps = 100000;  // swaps tried at most
  TDeadline deadline;
  uint64_t seed = 1;       // the search is the same for the same seed
};

// Looks for size columns that meet every row. chosen: the columns to start
// from (any number; trimmed or extended greedily to size); on return the
// last columns tried, size of them, which meet every row when it returns
// true.
bool FindCoverOfSize(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen,
                     const TLocalSearchLimits& limits);
