// The LP relaxation of the cover problem over every known witness row, as
// a lower bound: each row asks for at least 1 of its columns, each column
// lies between 0 and 1, and the sum of the columns is as small as it can
// be. Its value is never above the fewest lights, is found in a small
// fraction of the time that an integer program of the same rows takes,
// and on large maps lies far above what any integer program that finishes
// can prove.
//
// Rows join the LP as the LP solution leaves them short (row generation),
// so it stays a small share of the known rows. The bound is certified
// here rather than taken from the library: the LP's row duals y are made
// feasible (every column's sum of duals at most 1) by scaling, and then
// sum(y) is a lower bound by weak duality, whatever the library's
// tolerances were.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/Deadline.h"
#include "solver/WitnessRows.h"

struct TRelaxationAnswer {
  double bound = 0;  // certified: no cover of the known rows has fewer columns
  // No known row is short in the last LP solution: bound is the value of
  // the LP over all known rows (up to the library's tolerances).
  bool complete = false;
  // The rows that hold the bound up (a positive dual), ascending: the rows
  // an integer program needs most.
  std::vector<int32_t> binding;
  bool failed = false;  // the library failed; failure says how
  std::string failure;
};

// start: the rows to begin with (at least one). Runs in a child process
// (RunContained), so a fault of the library ends only that.
TRelaxationAnswer SolveRelaxation(const TWitnessRows& rows, const std::vector<int32_t>& start,
                                  const TDeadline& deadline);
