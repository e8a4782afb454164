// Dominance reduction of a cover problem before it goes to the library:
// a row that holds all columns of another row is met whenever that one is,
// and a column whose rows all lie in another column's rows can always be
// swapped for that one. Dropping both changes neither the optimum's size
// nor the answer to "is there a cover of k columns", and it leaves the
// program a fraction of its size.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/CoverProgram.h"

struct TReducedCover {
  TCoverProblem problem;           // columns renumbered 0 .. kept-1
  std::vector<int32_t> original;   // reduced column -> column of the input
  std::vector<int32_t> rowOriginal;  // reduced row -> row of the input
};

TReducedCover ReduceCover(const TCoverProblem& problem);
