#include "solver/CoverDecision.h"

#include <algorithm>
#include <numeric>

#include "solver/CoverReduction.h"
#include "solver/Stopwatch.h"

namespace {

// Rows that join the active set at once, at most: enough that the program
// is not asked again for every row, few enough that it stays small. The
// more rounds in a row end with a cover that misses known rows, the more
// join at once.
int32_t ActiveBatch(int32_t k, int32_t stuck) { return std::max(50, 2 * k) << std::min(stuck, 4); }

// The first integer program for a bound gets this many seconds of
// processor time for each of its threads (wall-clock seconds on a quiet
// machine); one that uses them up without an answer gets twice as many the
// next time. (In wall-clock time, on a busy machine, the shipped level's
// program ran out of its first 2 s for lack of a core and started over.)
constexpr double FirstProgramSeconds = 2;

}  // namespace

TRoundOutcome TCoverDecision::Decide() {
  const int32_t k = state_.result.lowerBound;
  if (k != boundSeen_) {
    boundSeen_ = k;
    stuck_ = 0;
    programSeconds_ = FirstProgramSeconds;
  }
  std::vector<int32_t> alive;
  if (bound_.Duals()) {
    alive = ColumnsAlive(*bound_.Duals(), k);
  } else {
    alive.resize(size_t(state_.field.CandidateCount()));
    std::iota(alive.begin(), alive.end(), 0);
  }
  const TAnswerForK answer = AskForK(k, alive);
  if (const TRoundOutcome* other = std::get_if<TRoundOutcome>(&answer)) return *other;
  const std::vector<int32_t>& chosen = std::get<TCoverOfK>(answer).chosen;
  const std::vector<int32_t> unmet = state_.pool.Rows().Unmet(chosen);
  if (!unmet.empty()) {
    state_.pool.Activate(unmet, ActiveBatch(k, stuck_++));
    seed_ = chosen;
    return TRowsJoined{};
  }
  return Refine(chosen);
}

// By the local search first, which finds a cover in moments where the
// library's branching took up to minutes on programs of a few hundred
// rows (it has no heuristics, see CbcCoverProgram.cpp), else by the
// program. Otherwise TBoundRose (none exists), TRowsJoined (undecided in
// this try's allowance) or TSearchEnds.
TCoverDecision::TAnswerForK TCoverDecision::AskForK(int32_t k, const std::vector<int32_t>& alive) {
  std::vector<uint8_t> isAlive(size_t(state_.field.CandidateCount()), 0);
  for (int32_t c : alive) isAlive[size_t(c)] = 1;
  TCoverProblem problem;
  problem.columns = state_.field.CandidateCount();
  for (int32_t r : state_.pool.Active()) {
    std::vector<int32_t> row;
    for (int32_t c : state_.pool.Rows().Row(r))
      if (isAlive[size_t(c)]) row.push_back(c);
    if (row.empty()) {
      // No column that a cover of k lights can hold meets this row.
      state_.RaiseBound(k + 1);
      return TRoundOutcome{TBoundRose{}};
    }
    problem.rows.push_back(std::move(row));
  }
  TWitnessRows active(state_.field.CandidateCount());
  for (const auto& row : problem.rows) active.Add(row);
  std::vector<int32_t> chosen;
  for (int32_t c : seed_)
    if (isAlive[size_t(c)]) chosen.push_back(c);
  const double seconds = std::clamp(0.1 * state_.result.times.programs, 0.2, 2.0);
  if (covers_.Search(active, k, chosen, seconds)) return TCoverOfK{chosen};
  if (state_.pool.Deadline().Passed()) return TRoundOutcome{TSearchEnds{}};
  return AskProgram(k, std::move(problem));
}

// The integer program of problem (the active rows over the alive
// columns) with the cutoff at k.
TCoverDecision::TAnswerForK TCoverDecision::AskProgram(int32_t k, TCoverProblem problem) {
  TSolveResult& result = state_.result;
  TCoverAnswer answer;
  {
    TStopwatch watch(result.times.programs);
    problem.atLeast = k;
    problem.atMost = k;
    problem.threads = state_.options.threads;
    problem.alongside = covers_.Alongside();
    TReducedCover reduced = ReduceCover(problem);
    reduced.problem.timeLimit = state_.pool.Deadline().Left();
    reduced.problem.processorLimit = programSeconds_ * double(std::max(state_.options.threads, 1));
    reduced.problem.stop = state_.options.stop;
    answer = program_.Solve(reduced.problem);
    for (int32_t& c : answer.chosen) c = reduced.original[size_t(c)];
    std::sort(answer.chosen.begin(), answer.chosen.end());
    ++result.programs;
  }
  if (Is<TSearchEnds>(covers_.CheckAlongside())) return TRoundOutcome{TSearchEnds{}};
  // A bound of the program over the alive columns holds for every cover
  // of at most k lights (no other column is in one), so for all of them
  // only up to k + 1.
  const bool rose = state_.RaiseBound(std::min(answer.lowerBound, k + 1));
  if (answer.failed) {
    result.failed = true;
    result.failure = answer.failure;
    return TRoundOutcome{TSearchEnds{}};
  }
  if (rose) return TRoundOutcome{TBoundRose{}};
  if (answer.chosen.empty() || int32_t(answer.chosen.size()) > k) {
    // Out of its allowance before a decision: the next try gets twice as
    // much.
    programSeconds_ *= 2;
    if (state_.pool.Deadline().Passed()) return TRoundOutcome{TSearchEnds{}};
    return TRoundOutcome{TRowsJoined{}};
  }
  return TCoverOfK{answer.chosen};
}

// choice: k lights meeting every known witness. Either it lights the whole
// floor (the optimum), or witnesses go where it leaves floor dark.
TRoundOutcome TCoverDecision::Refine(const std::vector<int32_t>& choice) {
  TWitnessPool& pool = state_.pool;
  stuck_ = 0;
  const auto dark = pool.Dark(choice);
  if (!dark) return TSearchEnds{};
  const long double area = dark->Area();
  if (area <= ArtefactArea) {
    if (int32_t(choice.size()) < state_.Best()) covers_.NewBest(choice);
    return TBetterCover{area};
  }
  std::vector<int32_t> added;
  if (!pool.AddWitnessesIn(*dark, &added)) return TSearchEnds{area};
  const std::vector<int32_t> unseen = pool.UnmetAmong(added, choice);
  if (unseen.empty()) {
    // Witnesses cannot tell this choice from a full cover, so they cannot
    // rule it out either.
    state_.result.stalled = true;
    return TSearchEnds{area};
  }
  pool.Active().insert(pool.Active().end(), unseen.begin(), unseen.end());
  std::vector<int32_t> full = choice;
  long double ignored = 0;
  if (!pool.MakeFull(full, ignored, bound_.Prices())) return TSearchEnds{area};
  if (int32_t(full.size()) < state_.Best()) covers_.NewBest(full);
  seed_ = choice;
  return TRowsJoined{area};
}
