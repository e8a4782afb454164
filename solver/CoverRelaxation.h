// The LP relaxation of the cover problem over every known witness row, as
// a lower bound and as a fractional solution: each row asks for at least 1
// of its columns, each column lies between 0 and 1, and the sum of the
// columns is as small as it can be. Its value is never above the fewest
// lights, and its fractional solution says where the next witnesses
// should go (FractionalWitnesses) and which columns are worth a search.
//
// Rows and columns both join the LP as they are needed: rows that the LP
// solution leaves short (row generation), columns whose reduced cost under
// the LP's duals is negative (column generation). On a large map a witness
// row holds hundreds of the tens of thousands of candidates, and the LP
// ends with a small share of both. Each solve starts from the rows and
// columns that the last one ended with (TRelaxationStart), so a solve
// after a few new witnesses is a small step from the last optimum.
//
// The bound is certified here rather than taken from the library: it is
// the Lagrangian value of the LP's duals over all known rows and columns
// (EvaluateLagrangian), which is a bound for any duals whatever the
// library's tolerances were.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/ContainedCall.h"
#include "solver/Deadline.h"
#include "solver/LagrangianBound.h"
#include "solver/WitnessRows.h"

// What one LP leaves for the next.
struct TRelaxationStart {
  std::vector<int32_t> rows;     // ascending
  std::vector<int32_t> columns;  // ascending
};

struct TRelaxationAnswer {
  double bound = 0;  // certified: no cover of the known rows has fewer columns
  // No known row is short and no column prices out in the last LP
  // solution: bound is the value of the LP over all known rows (up to the
  // library's tolerances).
  bool complete = false;
  // The last LP solution: columns with a positive value, and rows with a
  // positive dual (the rows that hold the bound up, and those an integer
  // program needs most).
  std::vector<std::pair<int32_t, double>> solution;
  TMultipliers duals;
  TRelaxationStart next;
  bool failed = false;  // the library failed; failure says how
  std::string failure;
};

// start: the rows and columns to begin with; cover: columns that meet
// every known row (the best cover), which join the start so that the LP
// is feasible whatever rows join it. Runs in a child process
// (RunContained), so a fault of the library ends only that; alongside
// runs meanwhile (see RunContained).
TRelaxationAnswer SolveRelaxation(const TWitnessRows& rows, const TRelaxationStart& start,
                                  const std::vector<int32_t>& cover, const TDeadline& deadline,
                                  const TAlongside& alongside = nullptr);
