// Row generation around CLP's dual simplex: after each solve the short
// rows (sum of their columns below 1) join, the most short first, and the
// LP is solved again from its last basis, until none is short or the time
// is up. The child sends back the certified bound of the last solve and
// the binding rows.
#include "solver/CoverRelaxation.h"

#include <ClpSimplex.hpp>
#include <ClpSolve.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cstring>

#include "solver/ContainedCall.h"

namespace {

// Rows that join at once, at most.
constexpr size_t JoinAtOnce = 400;

// sum(y) / max(1, largest column sum of y): feasible for the dual LP, so
// a lower bound. In extended precision: the sums add up many small duals.
double CertifiedBound(const TWitnessRows& rows, const std::vector<int32_t>& inLp, const double* price) {
  std::vector<long double> columnSum(size_t(rows.Columns()), 0.0L);
  long double total = 0;
  for (size_t i = 0; i < inLp.size(); ++i) {
    const long double y = std::max(0.0, price[i]);
    total += y;
    for (int32_t c : rows.Row(inLp[i])) columnSum[size_t(c)] += y;
  }
  long double most = 1;
  for (long double s : columnSum) most = std::max(most, s);
  // A relative margin for the rounding of the sums themselves.
  return double(total / most * (1 - 1e-12L));
}

// Messages from the child: a bound as soon as it is certified (so that a
// child ended at the deadline has still told it), then the end.
constexpr char BoundMessage = 'B', EndMessage = 'E';

void SendBound(int fd, double bound) {
  char bytes[1 + sizeof(double)];
  bytes[0] = BoundMessage;
  std::memcpy(bytes + 1, &bound, sizeof(double));
  WriteAll(fd, bytes, sizeof bytes);
}

void SendEnd(int fd, bool complete, const std::vector<int32_t>& binding) {
  const int32_t n = int32_t(binding.size());
  std::string bytes(2 + sizeof(int32_t) + sizeof(int32_t) * size_t(n), '\0');
  bytes[0] = EndMessage;
  bytes[1] = complete ? 1 : 0;
  std::memcpy(bytes.data() + 2, &n, sizeof(int32_t));
  if (n > 0) std::memcpy(bytes.data() + 2 + sizeof(int32_t), binding.data(), sizeof(int32_t) * size_t(n));
  WriteAll(fd, bytes.data(), bytes.size());
}

// Reads the messages in order; false for bytes that are no messages. ended:
// the end message came.
bool Receive(const std::string& bytes, int32_t rowCount, TRelaxationAnswer& a, bool& ended) {
  ended = false;
  size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] == BoundMessage && at + 1 + sizeof(double) <= bytes.size()) {
      std::memcpy(&a.bound, bytes.data() + at + 1, sizeof(double));
      at += 1 + sizeof(double);
    } else if (bytes[at] == EndMessage && at + 2 + sizeof(int32_t) <= bytes.size()) {
      int32_t n = 0;
      std::memcpy(&n, bytes.data() + at + 2, sizeof(int32_t));
      if (n < 0 || n > rowCount || bytes.size() != at + 2 + sizeof(int32_t) * (1 + size_t(n))) return false;
      a.complete = bytes[at + 1] != 0;
      a.binding.resize(size_t(n));
      if (n > 0) std::memcpy(a.binding.data(), bytes.data() + at + 2 + sizeof(int32_t), sizeof(int32_t) * size_t(n));
      ended = true;
      return std::all_of(a.binding.begin(), a.binding.end(), [&](int32_t r) { return r >= 0 && r < rowCount; });
    } else {
      return false;
    }
  }
  return true;
}

void Relax(const TWitnessRows& rows, const std::vector<int32_t>& start, const TDeadline& deadline, int fd) {
  const int32_t columns = rows.Columns();
  OsiClpSolverInterface lp;
  lp.messageHandler()->setLogLevel(0);
  lp.getModelPtr()->setLogLevel(0);
  ClpSolve dual;  // never the "idiot" crash start (see CbcCoverProgram.cpp)
  dual.setSolveType(ClpSolve::useDual);
  lp.setSolveOptions(dual);
  {
    const std::vector<double> lower(size_t(columns), 0.0), upper(size_t(columns), 1.0), cost(size_t(columns), 1.0);
    CoinPackedMatrix empty(false, 0, 0);
    empty.setDimensions(0, columns);
    lp.loadProblem(empty, lower.data(), upper.data(), cost.data(), nullptr, nullptr);
  }
  std::vector<uint8_t> in(size_t(rows.Count()), 0);
  std::vector<int32_t> inLp;
  auto join = [&](const std::vector<int32_t>& which) {
    std::vector<CoinBigIndex> starts{0};
    std::vector<int> members;
    for (int32_t r : which) {
      if (in[size_t(r)]) continue;
      in[size_t(r)] = 1;
      inLp.push_back(r);
      members.insert(members.end(), rows.Row(r).begin(), rows.Row(r).end());
      starts.push_back(CoinBigIndex(members.size()));
    }
    const int added = int(starts.size()) - 1;
    const std::vector<double> ones(members.size(), 1.0), lower(size_t(added), 1.0), upper(size_t(added), lp.getInfinity());
    lp.addRows(added, starts.data(), members.data(), ones.data(), lower.data(), upper.data());
  };
  join(start);
  lp.initialSolve();
  double bound = 0;
  bool complete = false;
  for (;;) {
    if (!lp.isProvenOptimal()) throw std::runtime_error("the LP relaxation was not solved");
    const double certified = CertifiedBound(rows, inLp, lp.getRowPrice());
    if (certified > bound) {
      bound = certified;
      SendBound(fd, bound);
    }
    const double* x = lp.getColSolution();
    std::vector<std::pair<double, int32_t>> shortRows;
    for (int32_t r = 0; r < rows.Count(); ++r) {
      if (in[size_t(r)]) continue;
      double sum = 0;
      for (int32_t c : rows.Row(r)) sum += x[c];
      if (sum < 1 - 1e-6) shortRows.emplace_back(sum, r);
    }
    if (shortRows.empty()) {
      complete = true;
      break;
    }
    if (deadline.Passed()) break;
    const size_t take = std::min(shortRows.size(), JoinAtOnce);
    std::partial_sort(shortRows.begin(), shortRows.begin() + std::ptrdiff_t(take), shortRows.end());
    std::vector<int32_t> joining;
    for (size_t i = 0; i < take; ++i) joining.push_back(shortRows[i].second);
    join(joining);
    lp.resolve();
  }
  const double* price = lp.getRowPrice();
  std::vector<int32_t> binding;
  for (size_t i = 0; i < inLp.size(); ++i)
    if (price[i] > 1e-9) binding.push_back(inLp[i]);
  std::sort(binding.begin(), binding.end());
  SendEnd(fd, complete, binding);
}

}  // namespace

TRelaxationAnswer SolveRelaxation(const TWitnessRows& rows, const std::vector<int32_t>& start,
                                  const TDeadline& deadline) {
  // The child stops adding rows at the deadline; a last solve may take a
  // moment more, after which the child is ended.
  TDeadline hard = deadline;
  if (hard.at != TDeadline::Clock::time_point::max()) hard.at += std::chrono::milliseconds(500);
  const TContainedOutcome outcome = RunContained([&](int fd) { Relax(rows, start, deadline, fd); }, hard);
  TRelaxationAnswer answer;
  bool ended = false;
  const bool readable = Receive(outcome.answer, rows.Count(), answer, ended);
  if (outcome.stopped && readable) return answer;  // the bounds sent so far hold
  if (!outcome.completed || !readable || !ended) {
    answer.failed = true;
    answer.failure = "the LP relaxation failed (" + (outcome.completed ? std::string("a garbled answer") : outcome.failure) + ")";
  }
  return answer;
}
