// The set-cover integer program behind the witness solver, and the one
// narrow interface through which the solver asks an integer-programming
// library to solve it: minimise the number of chosen columns (candidate
// lights) such that every row (witness) has a chosen column among its own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

struct TCoverProblem {
  int32_t columns = 0;
  // Per row, the columns that cover it, ascending; no row is empty.
  std::vector<std::vector<int32_t>> rows;
  // Every cover of the rows is known to need at least this many columns
  // (a bound proved for fewer rows holds for more), so the search may stop
  // at the first cover of that size instead of proving it optimal again.
  // (As a row of the program it would slow the library's proofs several
  // times.)
  int32_t atLeast = 0;
  // Only covers of at most this many columns are wanted (0: any): the
  // library prunes every branch whose LP bound passes it, as if it knew a
  // cover of one column more. A search that ends without such a cover
  // proves that none exists: the answer's lowerBound is then atMost + 1.
  // On a program whose LP lies close to atMost this decides in seconds
  // what the search for the optimum could not decide in minutes.
  int32_t atMost = 0;
  double timeLimit = 60;  // seconds
  int32_t threads = 1;
  // A stop requested here ends the library's child at once; the answer
  // is then what was known before (as when the time runs out).
  std::stop_token stop;
  // The caller's work while the library runs (RunContained's alongside);
  // not part of the program.
  std::function<void(std::stop_token)> alongside;
};

struct TCoverAnswer {
  // The best cover found, ascending: the optimum when finished, else the
  // best within the time; empty when none was found.
  std::vector<int32_t> chosen;
  int32_t lowerBound = 0;  // no cover of the rows has fewer columns
  bool finished = false;   // the search ran to its end: chosen is optimal
  // The library failed (a signal, an abort, an exception), also when tried
  // again another way; lowerBound still holds (atLeast at worst). failure
  // says how; it also tells of a first try that failed when the second
  // did not.
  bool failed = false;
  std::string failure;
};

class TCoverProgram {
 public:
  virtual ~TCoverProgram() = default;
  // Never throws for a failure of the library: see TCoverAnswer::failed.
  // Returns within timeLimit and a fraction of a second.
  virtual TCoverAnswer Solve(const TCoverProblem& problem) = 0;
};

// COIN-OR CBC, the one library behind the interface. (GLPK was dropped:
// it is GPL-3+, CBC is EPL-1.0, and the two may not be linked into one
// program that is given to anyone.)
std::unique_ptr<TCoverProgram> MakeCbcCoverProgram();
// The same, with inChild run in the child process before each try (plain:
// the second try, with the library's presolve and preprocessing off): the
// seam through which a test makes a try die as the library once did.
std::unique_ptr<TCoverProgram> MakeCbcCoverProgram(std::function<void(bool plain)> inChild);

// Lower bound from a library's objective bound: the least integer not
// below it, allowing for the library's tolerance.
int32_t IntegerBound(double bound);
