// Greedy covers: quick upper bounds for the witness solver.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/WitnessRows.h"

// Adds columns to chosen until every row holds a chosen column, each time
// the column that covers the most rows still uncovered (the lowest column
// among equals). chosen stays in the order the columns were added.
void GreedyExtend(std::vector<int32_t>& chosen, const TWitnessRows& rows);

// The most rows that pairwise share no column, smallest rows first: every
// cover needs a column of its own for each, so their number is a lower
// bound.
std::vector<int32_t> DisjointRows(const TWitnessRows& rows, const std::vector<int32_t>& among);
