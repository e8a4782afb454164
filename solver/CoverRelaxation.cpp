// Row and column generation around CLP's simplex methods, in a child
// process: after each solve the short rows (sum of their columns below 1)
// join, the most short first, and the dual simplex goes on from the last
// basis; when no row is short, the columns of negative reduced cost join,
// the most negative first, and the primal simplex goes on. The simplex
// methods are called directly: CLP's own choice of method may take the
// "idiot" crash start, which crashes Debian's CLP (see CbcCoverProgram.cpp).
// The child sends the certified bound as soon as it rises, then the last
// solution, duals and the rows and columns for the next start.
#include "solver/CoverRelaxation.h"

#include <ClpSimplex.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "solver/ContainedCall.h"
#include "solver/DisjointRows.h"

namespace {

// Rows and columns that join at once, at most.
constexpr size_t RowsAtOnce = 400, ColumnsAtOnce = 400;
// Slack rows leave the LP once it holds this many rows.
constexpr size_t DropFrom = 2000;
// A row is short below 1 less this; a column prices out below minus this;
// a row of the LP is slack above 1 and this.
constexpr double ShortBy = 1e-7, PricedBelow = -1e-9, SlackBy = 1e-6;
// Columns of the LP that the next start keeps besides those of the
// solution: the ones whose reduced cost is this low.
constexpr double KeptReducedCost = 0.1;

// Messages from the child: a bound as soon as it is certified (so that a
// child ended at the deadline has still told it), then the end.
constexpr char BoundMessage = 'B', EndMessage = 'E';

class TWire {
 public:
  template <typename T>
  void Put(const T& value) {
    const char* p = reinterpret_cast<const char*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof(T));
  }
  template <typename T>
  void PutVector(const std::vector<T>& values) {
    Put(int32_t(values.size()));
    const char* p = reinterpret_cast<const char*>(values.data());
    bytes_.insert(bytes_.end(), p, p + sizeof(T) * values.size());
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

class TUnwire {
 public:
  TUnwire(const std::string& bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ == bytes_.size(); }
  template <typename T>
  bool Take(T& value) {
    if (bytes_.size() - at_ < sizeof(T)) return false;
    std::memcpy(&value, bytes_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return true;
  }
  template <typename T>
  bool TakeVector(std::vector<T>& values, int32_t most) {
    int32_t n = 0;
    if (!Take(n) || n < 0 || n > most || (bytes_.size() - at_) / sizeof(T) < size_t(n)) return false;
    values.resize(size_t(n));
    if (n > 0) std::memcpy(static_cast<void*>(values.data()), bytes_.data() + at_, sizeof(T) * size_t(n));
    at_ += sizeof(T) * size_t(n);
    return true;
  }

 private:
  const std::string& bytes_;
  size_t at_ = 0;
};

using TValued = std::pair<int32_t, double>;

bool Within(const std::vector<TValued>& values, int32_t count) {
  return std::all_of(values.begin(), values.end(), [&](const TValued& v) { return v.first >= 0 && v.first < count; });
}
bool Within(const std::vector<int32_t>& values, int32_t count) {
  return std::all_of(values.begin(), values.end(), [&](int32_t v) { return v >= 0 && v < count; });
}

// The LP over a share of the rows and columns, with the numbering between
// the two.
class TRestricted {
 public:
  explicit TRestricted(const TWitnessRows& rows)
      : rows_(rows), rowAt_(size_t(rows.Count()), -1), columnAt_(size_t(rows.Columns()), -1) {
    model_.setLogLevel(0);
    model_.messageHandler()->setLogLevel(0);
    model_.resize(0, 0);
  }

  void AddColumns(const std::vector<int32_t>& columns) {
    std::vector<CoinBigIndex> starts{0};
    std::vector<int> members;
    std::vector<int32_t> added;
    for (int32_t c : columns) {
      if (columnAt_[size_t(c)] >= 0) continue;
      columnAt_[size_t(c)] = int32_t(inColumns_.size() + added.size());
      added.push_back(c);
      for (int32_t r : rows_.RowsOf(c))
        if (rowAt_[size_t(r)] >= 0) members.push_back(rowAt_[size_t(r)]);
      starts.push_back(CoinBigIndex(members.size()));
    }
    if (added.empty()) return;
    const std::vector<double> ones(members.size(), 1.0), lower(added.size(), 0.0), upper(added.size(), 1.0),
        cost(added.size(), 1.0);
    model_.addColumns(int(added.size()), lower.data(), upper.data(), cost.data(), starts.data(), members.data(),
                      ones.data());
    inColumns_.insert(inColumns_.end(), added.begin(), added.end());
  }

  void AddRows(const std::vector<int32_t>& which) {
    std::vector<CoinBigIndex> starts{0};
    std::vector<int> members;
    std::vector<int32_t> added;
    for (int32_t r : which) {
      if (rowAt_[size_t(r)] >= 0) continue;
      rowAt_[size_t(r)] = int32_t(inRows_.size() + added.size());
      added.push_back(r);
      for (int32_t c : rows_.Row(r))
        if (columnAt_[size_t(c)] >= 0) members.push_back(columnAt_[size_t(c)]);
      starts.push_back(CoinBigIndex(members.size()));
    }
    if (added.empty()) return;
    const std::vector<double> ones(members.size(), 1.0), lower(added.size(), 1.0), upper(added.size(), COIN_DBL_MAX);
    model_.addRows(int(added.size()), lower.data(), upper.data(), starts.data(), members.data(), ones.data());
    inRows_.insert(inRows_.end(), added.begin(), added.end());
  }

  // Dual simplex after rows joined, primal after columns did.
  void Solve(bool afterColumns) {
    if (afterColumns) {
      model_.primal(1);
    } else {
      model_.dual();
    }
    if (!model_.isProvenOptimal()) throw std::runtime_error("the LP relaxation was not solved");
  }

  // Takes out the rows that the last solution meets more than once with
  // no dual: a row added while few columns were in, and met many times
  // over since, only makes each later solve slower. (Should it fall short
  // again, it joins again.) Their slacks are basic, so the basis of the
  // rest stays.
  void DropSlackRows() {
    const double* activity = model_.primalRowSolution();
    const double* price = model_.dualRowSolution();
    std::vector<int> drop;
    for (size_t k = 0; k < inRows_.size(); ++k)
      if (activity[k] > 1 + SlackBy && std::fabs(price[k]) < 1e-12) drop.push_back(int(k));
    if (drop.empty()) return;
    model_.deleteRows(int(drop.size()), drop.data());
    std::vector<int32_t> kept;
    size_t next = 0;
    for (size_t k = 0; k < inRows_.size(); ++k) {
      if (next < drop.size() && size_t(drop[next]) == k) {
        rowAt_[size_t(inRows_[k])] = -1;
        ++next;
        continue;
      }
      rowAt_[size_t(inRows_[k])] = int32_t(kept.size());
      kept.push_back(inRows_[k]);
    }
    inRows_ = std::move(kept);
  }
  size_t RowCount() const { return inRows_.size(); }

  bool InRows(int32_t r) const { return rowAt_[size_t(r)] >= 0; }
  bool InColumns(int32_t c) const { return columnAt_[size_t(c)] >= 0; }

  std::vector<TValued> Solution() const {
    std::vector<TValued> x;
    const double* value = model_.primalColumnSolution();
    for (size_t k = 0; k < inColumns_.size(); ++k)
      if (value[k] > 1e-9) x.emplace_back(inColumns_[k], std::min(1.0, value[k]));
    std::sort(x.begin(), x.end());
    return x;
  }
  TMultipliers Duals() const {
    TMultipliers y;
    const double* price = model_.dualRowSolution();
    for (size_t k = 0; k < inRows_.size(); ++k)
      if (price[k] > 1e-12) y.emplace_back(inRows_[k], price[k]);
    std::sort(y.begin(), y.end());
    return y;
  }
  const std::vector<int32_t>& Columns() const { return inColumns_; }

 private:
  const TWitnessRows& rows_;
  ClpSimplex model_;
  std::vector<int32_t> rowAt_, columnAt_;  // LP index or -1
  std::vector<int32_t> inRows_, inColumns_;
};

void Relax(const TWitnessRows& rows, const TRelaxationStart& start, const std::vector<int32_t>& cover,
           const TDeadline& deadline, int fd) {
  TRestricted lp(rows);
  std::vector<int32_t> columns = start.columns;
  columns.insert(columns.end(), cover.begin(), cover.end());
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  lp.AddColumns(columns);
  lp.AddRows(start.rows);
  lp.Solve(false);
  double sent = 0;
  bool complete = false;
  bool afterColumns = false;
  std::vector<TValued> x;
  TMultipliers y;
  TLagrangianValue value;
  for (;;) {
    x = lp.Solution();
    y = lp.Duals();
    value = EvaluateLagrangian(rows, y);
    if (value.bound > sent) {
      sent = value.bound;
      TWire wire;
      wire.Put(BoundMessage);
      wire.Put(sent);
      WriteAll(fd, wire.Bytes().data(), wire.Bytes().size());
    }
    // Each known row's sum, through the columns of the solution.
    std::vector<double> sum(size_t(rows.Count()), 0.0);
    for (const auto& [c, v] : x)
      for (int32_t r : rows.RowsOf(c)) sum[size_t(r)] += v;
    std::vector<TValued> shortRows;
    for (int32_t r = 0; r < rows.Count(); ++r)
      if (!lp.InRows(r) && sum[size_t(r)] < 1 - ShortBy) shortRows.emplace_back(r, sum[size_t(r)]);
    std::vector<TValued> priced;
    if (shortRows.empty())
      for (int32_t c = 0; c < rows.Columns(); ++c)
        if (!lp.InColumns(c) && value.reducedCost[size_t(c)] < PricedBelow)
          priced.emplace_back(c, value.reducedCost[size_t(c)]);
    if (shortRows.empty() && priced.empty()) {
      complete = true;
      break;
    }
    if (deadline.Passed()) break;
    // The most short rows first, and among as short ones the shortest
    // (they ask the most of the LP); the most negative columns first.
    auto mostFirst = [&](const TValued& a, const TValued& b) {
      if (a.second != b.second) return a.second < b.second;
      if (!shortRows.empty() && rows.Row(a.first).size() != rows.Row(b.first).size())
        return rows.Row(a.first).size() < rows.Row(b.first).size();
      return a.first < b.first;
    };
    std::vector<TValued>& joining = shortRows.empty() ? priced : shortRows;
    const size_t take = std::min(joining.size(), shortRows.empty() ? ColumnsAtOnce : RowsAtOnce);
    std::partial_sort(joining.begin(), joining.begin() + std::ptrdiff_t(take), joining.end(), mostFirst);
    std::vector<int32_t> which;
    if (shortRows.empty()) {
      for (size_t i = 0; i < take; ++i) which.push_back(joining[i].first);
    } else {
      // Of the short rows, those that share no column with another of the
      // batch first: each asks for a light of its own, where short rows
      // side by side would mostly be met by the same few columns. Then the
      // most short of the rest.
      std::sort(joining.begin(), joining.end(), mostFirst);
      std::vector<int32_t> order;
      for (const TValued& v : joining) order.push_back(v.first);
      which = DisjointFirst(rows, order, take);
    }
    afterColumns = shortRows.empty();
    if (afterColumns) {
      lp.AddColumns(which);
    } else {
      if (lp.RowCount() > DropFrom) lp.DropSlackRows();
      lp.AddRows(which);
    }
    lp.Solve(afterColumns);
  }
  TRelaxationStart next;
  for (const auto& [r, v] : y) next.rows.push_back(r);
  for (int32_t c : lp.Columns())
    if (value.reducedCost[size_t(c)] <= KeptReducedCost) next.columns.push_back(c);
  for (const auto& [c, v] : x) next.columns.push_back(c);
  std::sort(next.columns.begin(), next.columns.end());
  next.columns.erase(std::unique(next.columns.begin(), next.columns.end()), next.columns.end());
  TWire wire;
  wire.Put(EndMessage);
  wire.Put(uint8_t(complete ? 1 : 0));
  wire.PutVector(x);
  wire.PutVector(y);
  wire.PutVector(next.rows);
  wire.PutVector(next.columns);
  WriteAll(fd, wire.Bytes().data(), wire.Bytes().size());
}

// What the child's bytes came to.
enum class EReceived {
  Ended,    // the end message came, and everything before it read
  Cut,      // bounds only: the child ended (or was ended) before its end message
  Garbled,  // bytes that are no messages, or numbers out of range
};

// Reads the messages in order into a.
EReceived Receive(const std::string& bytes, const TWitnessRows& rows, TRelaxationAnswer& a) {
  TUnwire wire(bytes);
  while (!wire.AtEnd()) {
    char kind = 0;
    if (!wire.Take(kind)) return EReceived::Garbled;
    if (kind == BoundMessage) {
      double bound = 0;
      if (!wire.Take(bound)) return EReceived::Garbled;
      a.bound = bound;
      continue;
    }
    uint8_t complete = 0;
    if (kind != EndMessage || !wire.Take(complete) || !wire.TakeVector(a.solution, rows.Columns()) ||
        !wire.TakeVector(a.duals, rows.Count()) || !wire.TakeVector(a.next.rows, rows.Count()) ||
        !wire.TakeVector(a.next.columns, rows.Columns()) || !wire.AtEnd())
      return EReceived::Garbled;
    a.complete = complete != 0;
    const bool within = Within(a.solution, rows.Columns()) && Within(a.duals, rows.Count()) &&
                        Within(a.next.rows, rows.Count()) && Within(a.next.columns, rows.Columns());
    return within ? EReceived::Ended : EReceived::Garbled;
  }
  return EReceived::Cut;
}

}  // namespace

TRelaxationAnswer SolveRelaxation(const TWitnessRows& rows, const TRelaxationStart& start,
                                  const std::vector<int32_t>& cover, const TDeadline& deadline,
                                  const TAlongside& alongside) {
  TRelaxationAnswer answer;
  if (!Within(start.rows, rows.Count()) || !Within(start.columns, rows.Columns()) || !Within(cover, rows.Columns())) {
    answer.failed = true;
    answer.failure = "the LP relaxation was given rows or columns it does not know";
    return answer;
  }
  // The child stops adding rows and columns at the deadline; a last solve
  // may take a moment more, after which the child is ended.
  TDeadline hard = deadline;
  if (hard.at != TDeadline::Clock::time_point::max()) hard.at += std::chrono::milliseconds(500);
  const TContainedOutcome outcome =
      RunContained([&](int fd) { Relax(rows, start, cover, deadline, fd); }, hard, alongside);
  const EReceived received = Receive(outcome.answer, rows, answer);
  if (outcome.stopped) {
    // The bounds sent so far hold; an end cut short by the kill says nothing.
    const double bound = answer.bound;
    answer = TRelaxationAnswer();
    answer.bound = bound;
    return answer;
  }
  if (!outcome.completed || received != EReceived::Ended) {
    answer.failed = true;
    answer.failure = "the LP relaxation failed (" + (outcome.completed ? std::string("a garbled answer") : outcome.failure) + ")";
  }
  return answer;
}
