// Rows that pairwise share no column: every cover needs a column of its
// own for each, so their number is a lower bound; and they are the rows
// that ask most of a relaxation or a program when they join it, since a
// batch of neighbours is mostly met by the same few columns. One function
// for all three uses (the first lower bound, the rows the integer program
// is asked about, the rows the LP takes in), so that they cannot come to
// disagree on what "disjoint" means.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "solver/WitnessRows.h"

// Of order (row numbers), up to most of them: first each row that shares
// no column with a row taken before it, in order; then, while fewer than
// most were taken, the others, in order. With only disjoint set, the
// second pass is left out. Rows are taken once however often they are in
// order.
std::vector<int32_t> DisjointFirst(const TWitnessRows& rows, const std::vector<int32_t>& order, size_t most,
                                   bool onlyDisjoint = false);

// The most rows of among that DisjointFirst takes with the smallest rows
// first (ties in the order of among), and no others: a lower bound.
std::vector<int32_t> DisjointRows(const TWitnessRows& rows, const std::vector<int32_t>& among);
