// The cover program through COIN-OR CBC, driven as CBC's own solver drives
// a model (CbcMain1, with its preprocessing; its cut generators and
// heuristics off, see RunCbc): one fresh model per solve, CBC's own
// threads. An event handler ends the search at the first cover as small as
// the known lower bound: nothing smaller exists, so it is optimal, and
// proving that again is what costs CBC most. A cutoff (TCoverProblem::
// atMost) prunes what cannot lead to a cover small enough to matter.
//
// Two defences against the library's own faults:
// - Where it lives: CBC's first LP solve, left to choose its method, takes
//   the "idiot" crash start on large programs, and in Debian's CBC 2.10.8
//   its crossover then reads through a null pointer inside presolve (a
//   segmentation fault on set covers of a few thousand rows and columns).
//   The LP solves here are told to use the dual simplex method, which never
//   goes that way.
// - Around it: every solve runs in a child process (RunContained), so that
//   a crash, an abort or a hang of the library ends that process only. The
//   answer comes back through a pipe; a child that dies is tried once more
//   with CBC's presolve and preprocessing off, and a second death is
//   reported as the library's failure with what was known before.
#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <ClpSolve.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "solver/ContainedCall.h"
#include "solver/CoverProgram.h"

namespace {

class TStopAtBound : public CbcEventHandler {
 public:
  explicit TStopAtBound(int32_t bound) : bound_(bound) {}
  CbcEventHandler* clone() const override { return new TStopAtBound(*this); }
  CbcAction event(CbcEvent which) override {
    if ((which == solution || which == heuristicSolution) && bound_ > 0 &&
        model_->getObjValue() < bound_ + 0.5)
      return stop;
    return noAction;
  }

 private:
  int32_t bound_;
};

int NoCallback(CbcModel*, int) { return 0; }

// What the child sends back: whether the search ran to its end with its
// optimum (finished) or with no cover under the cutoff (exhausted), CBC's
// objective bound, and the chosen columns.
struct TWireAnswer {
  uint8_t finished = 0;
  uint8_t exhausted = 0;
  double bound = 0;
  std::vector<int32_t> chosen;
};

constexpr size_t WireHead = 2 + sizeof(double) + sizeof(int32_t);

void Send(int fd, const TWireAnswer& a) {
  const int32_t n = int32_t(a.chosen.size());
  std::string bytes(WireHead + sizeof(int32_t) * size_t(n), '\0');
  char* p = bytes.data();
  std::memcpy(p, &a.finished, 1);
  std::memcpy(p + 1, &a.exhausted, 1);
  std::memcpy(p + 2, &a.bound, sizeof(double));
  std::memcpy(p + 2 + sizeof(double), &n, sizeof(int32_t));
  if (n > 0) std::memcpy(p + WireHead, a.chosen.data(), sizeof(int32_t) * size_t(n));
  WriteAll(fd, bytes.data(), bytes.size());
}

bool Receive(const std::string& bytes, int32_t columns, TWireAnswer& a) {
  const size_t head = WireHead;
  if (bytes.size() < head) return false;
  int32_t n = 0;
  std::memcpy(&a.finished, bytes.data(), 1);
  std::memcpy(&a.exhausted, bytes.data() + 1, 1);
  std::memcpy(&a.bound, bytes.data() + 2, sizeof(double));
  std::memcpy(&n, bytes.data() + 2 + sizeof(double), sizeof(int32_t));
  if (n < 0 || n > columns || bytes.size() != head + sizeof(int32_t) * size_t(n)) return false;
  a.chosen.resize(size_t(n));
  if (n > 0) std::memcpy(a.chosen.data(), bytes.data() + head, sizeof(int32_t) * size_t(n));
  return std::all_of(a.chosen.begin(), a.chosen.end(), [&](int32_t c) { return c >= 0 && c < columns; });
}

// The whole CBC run, in the child.
TWireAnswer RunCbc(const TCoverProblem& problem, bool plain) {
  const int ncols = problem.columns;
  const int nrows = int(problem.rows.size());
  // CBC takes the matrix by columns.
  std::vector<std::vector<int>> byColumn(static_cast<size_t>(ncols));
  for (int r = 0; r < nrows; ++r)
    for (int32_t c : problem.rows[size_t(r)]) byColumn[size_t(c)].push_back(r);
  std::vector<CoinBigIndex> start{0};
  std::vector<int> index;
  for (const auto& col : byColumn) {
    index.insert(index.end(), col.begin(), col.end());
    start.push_back(CoinBigIndex(index.size()));
  }
  const std::vector<double> value(index.size(), 1.0);
  const std::vector<double> colLower(size_t(ncols), 0.0), colUpper(size_t(ncols), 1.0), objective(size_t(ncols), 1.0);
  const std::vector<double> rowLower(size_t(nrows), 1.0), rowUpper(size_t(nrows), COIN_DBL_MAX);

  OsiClpSolverInterface solver;
  solver.messageHandler()->setLogLevel(0);
  ClpSolve dual;
  dual.setSolveType(ClpSolve::useDual);
  if (plain) dual.setPresolveType(ClpSolve::presolveOff);
  solver.setSolveOptions(dual);
  solver.loadProblem(ncols, nrows, start.data(), index.data(), value.data(), colLower.data(), colUpper.data(),
                     objective.data(), rowLower.data(), rowUpper.data());
  for (int c = 0; c < ncols; ++c) solver.setInteger(c);
  CbcModel model(solver);
  CbcSolverUsefulData data;
  CbcMain0(model, data);
  model.messageHandler()->setLogLevel(0);
  TStopAtBound stopper(problem.atLeast);
  model.passInEventHandler(&stopper);
  const std::string seconds = std::to_string(std::max(problem.timeLimit, 0.01));
  const std::string threads = std::to_string(std::max(problem.threads, 1));
  const std::string cutoff = std::to_string(problem.atMost + 0.5);
  // timeMode elapsed: the limit is wall-clock time, as the caller's is
  // (CBC counts processor time otherwise, which runs slower on a busy
  // machine).
  // Cuts and heuristics off: on these set covers CBC's cut generators
  // find nothing that moves the bound, and its heuristics rarely find a
  // cover that the local search has not; together they made proofs 10 to
  // 20 times slower (the shipped level's last program: 14.6 s of processor
  // time with them, 0.64 s without).
  std::vector<const char*> args{"glowmere-solve", "-log",       "0",   "-timeMode",  "elapsed", "-seconds",
                                seconds.c_str(),  "-cuts",      "off", "-heuristics", "off"};
  if (plain) {
    args.push_back("-presolve");
    args.push_back("off");
    args.push_back("-preprocess");
    args.push_back("off");
  }
  if (problem.threads > 1) {
    args.push_back("-threads");
    args.push_back(threads.c_str());
  }
  if (problem.atMost > 0) {
    args.push_back("-cutoff");
    args.push_back(cutoff.c_str());
  }
  args.push_back("-solve");
  args.push_back("-quit");
  CbcMain1(int(args.size()), args.data(), model, NoCallback, data);

  TWireAnswer answer;
  const double* solution = model.bestSolution();
  if (solution) {
    for (int c = 0; c < ncols; ++c)
      if (solution[c] > 0.5) answer.chosen.push_back(c);
  }
  // Stopped at a cover as small as the known bound counts as a finished
  // search: nothing smaller exists.
  const bool atBound = !answer.chosen.empty() && int32_t(answer.chosen.size()) <= problem.atLeast;
  answer.finished = (model.isProvenOptimal() || atBound) ? 1 : 0;
  // Ended, not stopped, and nothing under the cutoff.
  answer.exhausted = (problem.atMost > 0 && answer.chosen.empty() && model.status() == 0) ? 1 : 0;
  answer.bound = model.getBestPossibleObjValue();
  return answer;
}

class TCbcCoverProgram : public TCoverProgram {
 public:
  explicit TCbcCoverProgram(std::function<void(bool plain)> inChild) : inChild_(std::move(inChild)) {}
  TCoverAnswer Solve(const TCoverProblem& problem) override;

 private:
  std::function<void(bool plain)> inChild_;
};

TCoverAnswer TCbcCoverProgram::Solve(const TCoverProblem& problem) {
  TCoverAnswer answer;
  answer.lowerBound = problem.atLeast;
  // The child stops itself at the time limit; the caller's deadline allows
  // it a little more to stop and answer, then ends it.
  const TDeadline deadline =
      TDeadline::After(TDeadline::Clock::now(), problem.timeLimit + std::min(1.0, 0.02 * problem.timeLimit + 0.2),
                       problem.stop);
  for (const bool plain : {false, true}) {
    TWireAnswer wire;
    const TContainedOutcome outcome =
        RunContained([&](int fd) {
          if (inChild_) inChild_(plain);
          Send(fd, RunCbc(problem, plain));
        }, deadline, problem.alongside);
    if (outcome.stopped) return answer;  // out of time: what was known before
    if (!outcome.completed || !Receive(outcome.answer, problem.columns, wire)) {
      answer.failure = "the integer-programming library failed (" +
                       (outcome.completed ? std::string("a garbled answer") : outcome.failure) + ")";
      continue;
    }
    answer.chosen = wire.chosen;
    answer.finished = wire.finished != 0 && !answer.chosen.empty();
    const int32_t size = int32_t(answer.chosen.size());
    answer.lowerBound = answer.finished ? size : std::max(problem.atLeast, IntegerBound(wire.bound));
    if (!answer.chosen.empty()) answer.lowerBound = std::min(answer.lowerBound, size);
    if (problem.atMost > 0) {
      // Under the cutoff every bound says "none of fewer, or none of at
      // most atMost"; a search that ended without a cover says the latter.
      answer.lowerBound = std::min(answer.lowerBound, problem.atMost + 1);
      if (wire.exhausted && answer.chosen.empty()) answer.lowerBound = problem.atMost + 1;
    }
    return answer;
  }
  answer.failed = true;
  answer.failure += ", also with presolve and preprocessing off";
  return answer;
}

}  // namespace

std::unique_ptr<TCoverProgram> MakeCbcCoverProgram() { return std::make_unique<TCbcCoverProgram>(nullptr); }

std::unique_ptr<TCoverProgram> MakeCbcCoverProgram(std::function<void(bool plain)> inChild) {
  return std::make_unique<TCbcCoverProgram>(std::move(inChild));
}
