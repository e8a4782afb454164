#include "solver/BetterCovers.h"

#include <algorithm>

#include "solver/GreedyCover.h"
#include "solver/Stopwatch.h"

namespace {

// The searches' time slices: this share of the time so far, within these
// bounds in seconds.
constexpr double SliceShare = 0.05, FirstSliceSeconds = 0.5, LongestSliceSeconds = 10;
// Covers found alongside a child that are checked for darkness, the
// smallest first: the searches go at most this many lights below the best
// there, where no cover can be checked until the child is done.
constexpr size_t CheckedCovers = 4;
// Candidates of each row in the searches' core, by reduced cost.
// (5 per row left the search at 92 lights on the 200 x 130 level after a
// minute at 137,000 moves a second, 12 at 91 with 88,000; without the
// core it made 7,000 moves a second and ended at 94.)
constexpr size_t CorePerRow = 8;
constexpr int32_t WholeGap = 2;

}  // namespace

TBetterCovers::TBetterCovers(TSolveState& state)
    : state_(state), team_(state.field.CandidateCount(), std::max(state.options.threads, 1), 1) {}

void TBetterCovers::NewBest(std::vector<int32_t> cover) {
  std::sort(cover.begin(), cover.end());
  state_.result.best = std::move(cover);
  team_.Take(state_.pool.Rows());
  if (team_.Target() >= state_.Best()) team_.Aim(state_.result.best, state_.Best() - 1);
  // The final measurement of the best cover costs about what its dark
  // remainder did: keep that time free at the end.
  state_.pool.Reserve(1.5 * state_.pool.LongestDark());
}

// A slice is due once the rows or the bound changed since the last one
// missed, and also while the searches have had less time than the
// programs: where neither gets anywhere, each gets its turn with twice
// the time of its last. One light above the bound a better cover is the
// optimum, which the decision looks for itself (by its own search first):
// there only the second rule holds.
bool TBetterCovers::Due() const {
  const TSolveTimes& times = state_.result.times;
  if (times.search < times.programs) return true;
  return state_.Gap() >= 2 && missed_ != std::pair<int32_t, int32_t>{state_.pool.Rows().Count(), state_.result.lowerBound};
}

// Each cover the searches find is handed to the dark check: one that
// lights everything is the new best, and the searches go on one light
// below it; one that leaves floor dark brings the witnesses of what it
// leaves dark, and the searches go on at its size with them. They keep
// their weights from slice to slice, so a slice goes on where the last
// one stopped.
TRoundOutcome TBetterCovers::Slice() {
  RefreshCore();
  TWitnessPool& pool = state_.pool;
  TRoundOutcome outcome = TNothingNew{};
  const double seconds = std::clamp(SliceShare * pool.Elapsed(), FirstSliceSeconds, LongestSliceSeconds);
  const TDeadline slice = pool.Deadline().Within(seconds);
  for (;;) {
    team_.Take(pool.Rows());
    {
      TStopwatch watch(state_.result.times.search);
      team_.Run(state_.options.threads, slice, {}, true);
    }
    if (pool.Deadline().Passed()) return TSearchEnds{};
    const std::vector<std::vector<int32_t>> found = team_.TakeFound();
    if (found.empty()) break;  // the slice is over
    ++state_.result.iterations;
    const TRoundOutcome checked = CheckFound(found);
    if (Is<TSearchEnds>(checked)) return checked;
    if (Is<TBetterCover>(checked)) outcome = checked;
    if (Is<TNothingNew>(checked)) break;  // too thin for witnesses: the program decides
  }
  if (!Is<TBetterCover>(outcome)) missed_ = {pool.Rows().Count(), state_.result.lowerBound};
  return outcome;
}

// found: covers of the known witnesses, smallest first. TBetterCover: one
// of them lights everything. TRowsJoined: witnesses joined where they
// leave floor dark, and the searches go on at the size of the largest
// checked. TNothingNew: none has fewer lights than the best, or the
// largest checked leaves only darkness too thin for a witness it does not
// meet.
TRoundOutcome TBetterCovers::CheckFound(const std::vector<std::vector<int32_t>>& found) {
  TWitnessPool& pool = state_.pool;
  bool thin = false;
  size_t checked = 0;
  for (; checked < std::min(found.size(), CheckedCovers); ++checked) {
    const std::vector<int32_t>& cover = found[checked];
    if (int32_t(cover.size()) >= state_.Best()) break;
    const auto dark = pool.Dark(cover);
    if (!dark) return TSearchEnds{};
    if (dark->Area() <= ArtefactArea) {
      NewBest(cover);
      team_.Aim(state_.result.best, state_.Best() - 1);
      atBetter_ = team_.Busy();
      return TBetterCover{0};
    }
    std::vector<int32_t> added;
    if (!pool.AddWitnessesIn(*dark, &added)) return TSearchEnds{};
    thin = pool.UnmetAmong(added, cover).empty();
  }
  team_.Take(pool.Rows());
  if (checked == 0 || thin) {
    team_.Aim(state_.result.best, state_.Best() - 1);
    return TNothingNew{};
  }
  team_.Aim(found[checked - 1], int32_t(found[checked - 1].size()));
  return TRowsJoined{};
}

// On half the threads (CLP runs on one, CBC on all). None where one thread
// was asked for, nor where the best is one light above the bound: there
// the child's answer decides, and on a busy machine the search would only
// slow it (the shipped level's proof took 9.4 s for 5.6 s in one run).
TAlongside TBetterCovers::Alongside() {
  if (state_.options.threads < 2 || state_.Gap() < 2) return nullptr;
  RefreshCore();
  team_.Take(state_.pool.Rows());
  const int32_t threads = std::max(1, state_.options.threads / 2);
  const int32_t lowest = std::max(state_.result.lowerBound, state_.Best() - int32_t(CheckedCovers));
  return [this, threads, lowest](std::stop_token stop) { team_.Run(threads, TDeadline{}, stop, false, lowest); };
}

TRoundOutcome TBetterCovers::CheckAlongside() {
  const std::vector<std::vector<int32_t>> found = team_.TakeFound();
  if (found.empty()) return TNothingNew{};
  const TRoundOutcome checked = CheckFound(found);
  return Is<TRowsJoined>(checked) ? TRoundOutcome{TNothingNew{}} : checked;
}

void TBetterCovers::DualsChanged(const std::vector<double>& reducedCost, std::vector<int32_t> support) {
  reducedCost_ = reducedCost;
  if (!support.empty()) support_ = std::move(support);
  coreStale_ = true;
  // Far from the bound the searches run soon, alongside the next child
  // or in a slice: the core is built now, before the start near the LP
  // (built only at the slice, it came too late on 200 x 130 with 40 s).
  if (state_.Gap() > WholeGap) RefreshCore();
}

// The core the searches work on: the LP's support, the best cover, and
// the few candidates of lowest reduced cost in each known row. Near the
// bound built only when the searches next run after new duals: one light
// above the bound they may not run again. Within WholeGap lights of the bound every
// candidate is in it: there a better cover may be the optimum, which can
// hold candidates that the reduced costs rank low (on 100 x 65 seed 2 the
// core's searches never found the 23 lights that the program did after
// 34-38 s; with every candidate they found them in 7-17 s).
void TBetterCovers::RefreshCore() {
  const bool whole = state_.Gap() <= WholeGap;
  if (!(coreStale_ || whole != coreWhole_) || reducedCost_.empty() || state_.Late()) return;
  coreStale_ = false;
  coreWhole_ = whole;
  const TWitnessRows& rows = state_.pool.Rows();
  const std::vector<double>& d = reducedCost_;
  std::vector<uint8_t> in(size_t(state_.field.CandidateCount()), 0);
  for (int32_t c : support_) in[size_t(c)] = 1;
  for (int32_t c : state_.result.best) in[size_t(c)] = 1;
  std::vector<int32_t> row;
  for (int32_t r = 0; !whole && r < rows.Count(); ++r) {
    row = rows.Row(r);
    const size_t keep = std::min(row.size(), CorePerRow);
    std::nth_element(row.begin(), row.begin() + std::ptrdiff_t(keep) - 1, row.end(),
                     [&](int32_t a, int32_t b) { return d[size_t(a)] < d[size_t(b)]; });
    for (size_t i = 0; i < keep; ++i) in[size_t(row[i])] = 1;
  }
  std::vector<int32_t> core;  // empty: every candidate, without the dominance
  for (int32_t c = 0; !whole && c < state_.field.CandidateCount(); ++c)
    if (in[size_t(c)]) core.push_back(c);
  TStopwatch watch(state_.result.times.search);
  team_.SetCore(rows, core);
}

// LagrangianCover, made full by the Lagrangian repair. Only a cover of two
// lights fewer than the best is repaired, and it meets the known rows:
// one light above the bound there is none.
bool TBetterCovers::StartNear(const std::vector<std::pair<int32_t, double>>& solution, const TMultipliers& prices) {
  if (solution.empty() || state_.Late() || state_.Gap() < 2) return true;
  TWitnessPool& pool = state_.pool;
  std::vector<int32_t> cover;
  {
    TStopwatch watch(state_.result.times.search);
    cover = LagrangianCover(pool.Rows(), solution, prices, pool.Deadline());
  }
  if (int32_t(cover.size()) + 1 >= state_.Best()) return !pool.Deadline().Passed();
  long double ignored = 0;
  if (!pool.MakeFull(cover, ignored, prices)) return false;
  if (int32_t(cover.size()) < state_.Best()) NewBest(cover);
  return true;
}

bool TBetterCovers::Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds) {
  TStopwatch watch(state_.result.times.search);
  TLocalSearchLimits limits;
  limits.deadline = state_.pool.Deadline().Within(seconds);
  limits.seed = searchSeed_++;
  return FindCoverOfSize(rows, size, chosen, limits);
}

void TBetterCovers::Finish(TSolveResult& result) const {
  result.searchMoves = team_.Moves();
  result.searchSeconds = team_.Busy();
  result.searchMissed = team_.Busy() - atBetter_;
}
