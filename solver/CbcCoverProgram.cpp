// The cover program through COIN-OR CBC, driven as CBC's own solver drives
// a model (preprocessing, cuts, heuristics of CbcMain1): one fresh model
// per solve, the warm start as a MIP start, CBC's own threads. An event
// handler ends the search at the first cover as small as the known lower
// bound: nothing smaller exists, so it is optimal, and proving that again
// is what costs CBC most.
#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

std::string ColumnName(int c) { return "x" + std::to_string(c); }

class TCbcCoverProgram : public TCoverProgram {
 public:
  std::string Name() const override { return "cbc"; }
  TCoverAnswer Solve(const TCoverProblem& problem) override;
};

TCoverAnswer TCbcCoverProgram::Solve(const TCoverProblem& problem) {
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
  solver.loadProblem(ncols, nrows, start.data(), index.data(), value.data(), colLower.data(), colUpper.data(),
                     objective.data(), rowLower.data(), rowUpper.data());
  for (int c = 0; c < ncols; ++c) {
    solver.setInteger(c);
    solver.setColName(c, ColumnName(c));
  }
  CbcModel model(solver);
  CbcSolverUsefulData data;
  CbcMain0(model, data);
  model.messageHandler()->setLogLevel(0);
  TStopAtBound stopper(problem.atLeast);
  model.passInEventHandler(&stopper);
  if (!problem.start.empty()) {
    std::vector<std::pair<std::string, double>> mipStart;
    for (int32_t c : problem.start) mipStart.emplace_back(ColumnName(c), 1.0);
    model.setMIPStart(mipStart);
  }
  const std::string seconds = std::to_string(std::max(problem.timeLimit, 0.01));
  const std::string threads = std::to_string(std::max(problem.threads, 1));
  std::vector<const char*> args{"glowmere-solve", "-log", "0", "-seconds", seconds.c_str()};
  if (problem.threads > 1) {
    args.push_back("-threads");
    args.push_back(threads.c_str());
  }
  args.push_back("-solve");
  args.push_back("-quit");
  CbcMain1(int(args.size()), args.data(), model, NoCallback, data);

  TCoverAnswer answer;
  const double* solution = model.bestSolution();
  if (solution) {
    for (int c = 0; c < ncols; ++c)
      if (solution[c] > 0.5) answer.chosen.push_back(c);
  } else {
    answer.chosen = problem.start;
  }
  const int32_t size = int32_t(answer.chosen.size());
  answer.optimal = !answer.chosen.empty() && (model.isProvenOptimal() || size <= problem.atLeast);
  answer.lowerBound = std::max(problem.atLeast, IntegerBound(model.getBestPossibleObjValue()));
  if (answer.optimal || (!answer.chosen.empty() && answer.lowerBound > size)) answer.lowerBound = size;
  return answer;
}

}  // namespace

std::unique_ptr<TCoverProgram> MakeCbcCoverProgram() { return std::make_unique<TCbcCoverProgram>(); }
