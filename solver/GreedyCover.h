// Greedy covers: quick upper bounds for the witness solver, plain or
// guided by Lagrangian multipliers, and the Lagrangian start of the best
// cover near the LP's solution.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/Deadline.h"
#include "solver/LagrangianBound.h"
#include "solver/WitnessRows.h"

// Adds columns to chosen until every row holds a chosen column. Without
// multipliers each time the column that covers the most rows still
// uncovered (the lowest column among equals); with them, the column of
// the best Lagrangian score over the uncovered rows it meets, mu of them
// with multipliers summing to U: gamma = 1 - U, and gamma / mu where gamma
// is positive, gamma * mu where it is not (the score of Caprara, Fischetti
// and Toth), so that columns the LP likes go first. Rows beyond the
// multipliers count with 0. chosen stays in the order the columns were
// added.
void GreedyExtend(std::vector<int32_t>& chosen, const TWitnessRows& rows, const TMultipliers& multipliers = {});

// Takes out of cover the columns that meet no row alone, the one of the
// highest reduced cost (by multipliers) first.
void DropRedundant(std::vector<int32_t>& cover, const TWitnessRows& rows, const TMultipliers& multipliers);

// A cover of every row near the LP's solution, in the manner of the
// Lagrangian heuristic with column fixing: the columns near 1 in the LP
// are fixed, the rows they leave are covered by GreedyExtend with
// multipliers of their own (subgradient steps from the duals), the first
// quarter of the columns that chose is fixed too, and so on until the
// fixed columns cover everything. Returns the smallest cover of the
// passes, less its redundant columns, ascending; at the deadline the best
// so far (still a cover).
std::vector<int32_t> LagrangianCover(const TWitnessRows& rows, const std::vector<std::pair<int32_t, double>>& solution,
                                     const TMultipliers& duals, const TDeadline& deadline);
