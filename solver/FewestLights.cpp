// The witness search. Every witness set gives a valid lower bound because
// a witness row holds every candidate that lights anything within the
// seeing slack of the point, and a set of lights that none of them is in
// leaves a dark disc around it larger than the game's tolerance
// (TCoverField::SeeingSlack): such a set is no full cover, exactly or for
// the game.
//
// The start: witnesses all over the floor, the greedy cover made full,
// and as the first lower bound the most witness rows that share no
// candidate. Then the best cover is brought down (ImproveBest) and each
// round asks "is there a cover of the known witnesses with as many lights
// as the lower bound, k?":
// - first the local search, over every witness row known: when it finds
//   one, the clipper says whether it lights the whole floor (then it is
//   the optimum) or where it leaves floor dark (witnesses go there, and
//   the next round asks again);
// - else the integer program over the active share of the rows: either no
//   cover of k lights exists even for those rows, and the lower bound
//   rises to their optimum, or its cover leaves some known rows unmet,
//   which join the active rows. Proofs over a few hundred rows cost the
//   library a small fraction of what all rows would; rows that never stood
//   in the way never reach it.
#include "solver/FewestLights.h"

#include <algorithm>

#include "solver/CoverLocalSearch.h"
#include "solver/CoverReduction.h"
#include "solver/CoverRelaxation.h"
#include "solver/GreedyCover.h"
#include "solver/RectangleCover.h"
#include "solver/Stopwatch.h"
#include "solver/WitnessPool.h"
#include "solver/Witnesses.h"

namespace {

using Clock = std::chrono::steady_clock;

// Rows that join the active set at once, at most: enough that the program
// is not asked again for every row, few enough that it stays small. The
// more rounds in a row end with a cover that misses known rows, the more
// join at once.
int32_t ActiveBatch(int32_t k, int32_t stuck) { return std::max(50, 2 * k) << std::min(stuck, 4); }

// The integer program is asked only while the best cover is at most this
// many lights above the lower bound: its search grows about exponentially
// with the gap it has to close, and beyond this the time goes further
// into better covers and a tighter LP relaxation.
constexpr int32_t ProgramGap = 2;

class TSearch {
 public:
  TSearch(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
          const std::function<void(const TSolveProgress&)>& progress)
      : field_(field),
        program_(program),
        options_(options),
        progress_(progress),
        pool_(field, options, result_.times),
        regionsBefore_(field.RegionSeconds()) {}

  TSolveResult Run() {
    if (Start() && ImproveBest()) {
      while (result_.lowerBound < int32_t(result_.best.size()) && !pool_.Deadline().Passed())
        if (!Round()) break;
    }
    return Finish();
  }

 private:
  bool Start();
  bool ImproveBest();
  bool Round();
  bool AskProgram(int32_t k, std::vector<int32_t>& choice, bool& settled);
  bool SearchActive(int32_t k, TCoverAnswer& answer);
  bool AskRelaxation(bool& rose);
  bool Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds);
  void NewBest(std::vector<int32_t> cover);
  void Report(long double dark);
  TSolveResult Finish();

  TCoverField& field_;
  TCoverProgram& program_;
  const TSolveOptions& options_;
  const std::function<void(const TSolveProgress&)>& progress_;
  TSolveResult result_;
  TWitnessPool pool_;
  double regionsBefore_;
  std::vector<int32_t> seed_;  // where the next local search starts
  uint64_t searchSeed_ = 1;
  // The local search is likely to find a cover of k lights: the last one
  // was only refuted by new witnesses.
  bool promising_ = false;
  // The local search's time for one try at a better cover: doubled after
  // each try that finds none.
  double improveSeconds_ = 0.5;
  int32_t stuck_ = 0;  // rounds in a row in which the program's cover missed known rows
  int32_t relaxed_ = 0;  // known rows when the LP relaxation last covered them all
};

bool TSearch::Start() {
  std::vector<int32_t> all;
  if (!pool_.AddWitnesses(FirstWitnesses(field_), &all)) return false;
  std::vector<int32_t> greedy;
  long double dark = 0;
  if (!pool_.MakeFull(greedy, dark)) return false;
  NewBest(greedy);
  pool_.Active() = DisjointRows(pool_.Rows(), all);
  result_.lowerBound = int32_t(pool_.Active().size());
  Report(dark);
  seed_ = result_.best;
  return true;
}

bool TSearch::Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds) {
  TStopwatch watch(result_.times.search);
  TLocalSearchLimits limits;
  limits.deadline = TDeadline::After(Clock::now(), std::min(seconds, pool_.Deadline().Left()));
  limits.steps = 1000000;
  limits.seed = searchSeed_++;
  return FindCoverOfSize(rows, size, chosen, limits);
}

void TSearch::NewBest(std::vector<int32_t> cover) {
  std::sort(cover.begin(), cover.end());
  result_.best = std::move(cover);
  // The final measurement of the best cover costs about what its dark
  // remainder did: keep that time free at the end.
  pool_.Reserve(1.5 * pool_.LongestDark());
}

// The greedy cover is often a third above the optimum. A cover of the
// known witnesses with fewer lights, which the local search finds in
// moments while one exists, is refined by the witnesses of what it leaves
// dark until it lights everything or the search fails: that brings the
// best cover near the optimum long before the bound gets there. The step
// starts at half the gap to the lower bound and halves after each target
// missed, down to one light; each refinement costs regions and a dark
// remainder, so on large maps one long step saves hundreds of short ones.
// False when the deadline came first.
bool TSearch::ImproveBest() {
  int32_t step = std::max(1, (int32_t(result_.best.size()) - result_.lowerBound) / 2);
  for (;;) {
    const int32_t target = std::max(result_.lowerBound, int32_t(result_.best.size()) - step);
    if (target >= int32_t(result_.best.size())) return true;
    std::vector<int32_t> fewer = result_.best;
    bool missed = false;
    for (;;) {
      const bool found = Search(pool_.Rows(), target, fewer, improveSeconds_);
      if (pool_.Deadline().Passed()) return false;
      ++result_.iterations;
      if (!found) {
        missed = true;
        break;
      }
      const auto dark = pool_.Dark(fewer);
      if (!dark) return false;
      if (dark->Area() <= ArtefactArea) break;
      std::vector<int32_t> added;
      if (!pool_.AddWitnessesIn(*dark, &added)) return false;
      if (pool_.UnmetAmong(added, fewer).empty()) return true;  // too thin for witnesses
    }
    if (missed) {
      if (step == 1) {
        improveSeconds_ = std::min(2 * improveSeconds_, std::max(0.5, pool_.Deadline().Left() / 4));
        return true;
      }
      step = std::max(1, step / 2);
      continue;
    }
    NewBest(fewer);
    Report(0);
  }
}

// A cover of k lights of the active rows by the local search, which finds
// one in moments where the library's branching took up to minutes on
// programs of a few hundred rows (it has no heuristics, see
// CbcCoverProgram.cpp). answer: that cover, as the program would give it.
// False when it found none; the program must then decide.
bool TSearch::SearchActive(int32_t k, TCoverAnswer& answer) {
  TWitnessRows active(field_.CandidateCount());
  for (int32_t r : pool_.Active()) active.Add(pool_.Rows().Row(r));
  std::vector<int32_t> chosen = seed_;
  const double allowance = std::clamp(0.1 * result_.times.programs, 0.2, 2.0);
  if (!Search(active, k, chosen, allowance)) return false;
  std::sort(chosen.begin(), chosen.end());
  answer.chosen = std::move(chosen);
  answer.lowerBound = k;
  answer.finished = true;
  return true;
}

// Asks the program for the best cover of the active rows, stopped at the
// first one of k lights. Neither a cutoff at k nor the best full cover as
// a start helps: with either, the library's proofs took 3 to 25 times as
// long on the programs of this search. settled: the round is over (the
// bound rose, or the program's cover missed known rows, which are now
// active); else choice is a cover of k lights of every known row. False
// when the search must end.
bool TSearch::AskProgram(int32_t k, std::vector<int32_t>& choice, bool& settled) {
  settled = true;
  TCoverAnswer answer;
  if (!SearchActive(k, answer)) {
    if (pool_.Deadline().Passed()) return true;
    TStopwatch watch(result_.times.programs);
    TCoverProblem problem;
    problem.columns = field_.CandidateCount();
    for (int32_t r : pool_.Active()) problem.rows.push_back(pool_.Rows().Row(r));
    problem.atLeast = k;
    problem.threads = options_.threads;
    TReducedCover reduced = ReduceCover(problem);
    reduced.problem.timeLimit = pool_.Deadline().Left();
    answer = program_.Solve(reduced.problem);
    for (int32_t& c : answer.chosen) c = reduced.original[size_t(c)];
    std::sort(answer.chosen.begin(), answer.chosen.end());
    ++result_.programs;
  }
  const bool rose = answer.lowerBound > result_.lowerBound;
  result_.lowerBound = std::max(result_.lowerBound, answer.lowerBound);
  if (answer.failed) {
    result_.failed = true;
    result_.failure = answer.failure;
    return false;
  }
  if (rose) {
    stuck_ = 0;
    Report(-1);
    return ImproveBest();
  }
  if (answer.chosen.empty()) {
    Report(-1);
    return true;  // the time ran out inside the program
  }
  const std::vector<int32_t> unmet = pool_.Rows().Unmet(answer.chosen);
  if (!unmet.empty()) {
    pool_.Activate(unmet, ActiveBatch(k, stuck_++));
    seed_ = answer.chosen;
    Report(-1);
    return true;
  }
  choice = answer.chosen;
  settled = false;
  return true;
}

// The LP relaxation over the known rows, when rows came since it was last
// solved: its bound, rounded up, is a lower bound, and its binding rows
// join the active ones. rose: the lower bound rose. False when the search
// must end.
bool TSearch::AskRelaxation(bool& rose) {
  rose = false;
  if (pool_.Rows().Count() <= relaxed_) return true;
  TRelaxationAnswer answer;
  {
    TStopwatch watch(result_.times.relaxations);
    answer = SolveRelaxation(pool_.Rows(), pool_.Active(), pool_.Deadline());
  }
  const int32_t bound = IntegerBound(answer.bound);
  if (bound > result_.lowerBound) {
    result_.lowerBound = bound;
    rose = true;
  }
  if (answer.failed) {
    result_.failed = true;
    result_.failure = answer.failure;
    return false;
  }
  if (answer.complete) relaxed_ = pool_.Rows().Count();
  std::vector<uint8_t> active(size_t(pool_.Rows().Count()), 0);
  for (int32_t r : pool_.Active()) active[size_t(r)] = 1;
  for (int32_t r : answer.binding)
    if (!active[size_t(r)]) pool_.Active().push_back(r);
  if (rose) {
    stuck_ = 0;
    Report(-1);
    return ImproveBest();
  }
  return true;
}

bool TSearch::Round() {
  const int32_t k = result_.lowerBound;
  if (int32_t(result_.best.size()) - k > ProgramGap) {
    // Far from a proof: a tighter bound from the LP relaxation when new
    // rows came, else a better cover.
    bool rose = false;
    if (!AskRelaxation(rose)) return false;
    if (rose) return true;
    ++result_.iterations;
    const size_t before = result_.best.size();
    if (!ImproveBest()) return false;
    if (result_.best.size() == before) Report(-1);
    return true;
  }
  std::vector<int32_t> choice = seed_;
  // The local search finds a cover of k lights in a fraction of a second
  // when one exists, and spends its whole allowance when none does, which
  // is the common case until the lower bound has risen: it gets a third of
  // the time the rest of the work took, and at least a short try, longer
  // when a cover of k lights is likely.
  const double rest = pool_.Elapsed() - result_.times.search;
  const double allowance = std::max(promising_ ? 0.25 : 0.02, rest / 3 - result_.times.search);
  const bool found = Search(pool_.Rows(), k, choice, allowance);
  if (pool_.Deadline().Passed()) return false;
  ++result_.iterations;
  if (!found) {
    bool rose = false;
    if (!AskRelaxation(rose)) return false;
    if (rose || pool_.Deadline().Passed()) return true;
    bool settled = true;
    if (!AskProgram(k, choice, settled)) return false;
    if (settled) return true;
  }
  // choice: as many lights as the lower bound (or, from a program cut
  // short by the time, more), meeting every known witness.
  promising_ = true;
  stuck_ = 0;
  const auto dark = pool_.Dark(choice);
  if (!dark) return false;
  const long double area = dark->Area();
  if (area <= ArtefactArea) {
    // Full: the optimum when it has as many lights as the bound (a
    // program cut short by the time may have answered with more).
    if (choice.size() < result_.best.size()) NewBest(choice);
    Report(area);
    return int32_t(choice.size()) > result_.lowerBound;
  }
  std::vector<int32_t> added;
  if (!pool_.AddWitnessesIn(*dark, &added)) return false;
  const std::vector<int32_t> unseen = pool_.UnmetAmong(added, choice);
  if (unseen.empty()) {
    // Witnesses cannot tell this choice from a full cover, so they cannot
    // rule it out either.
    result_.stalled = true;
    Report(area);
    return false;
  }
  pool_.Active().insert(pool_.Active().end(), unseen.begin(), unseen.end());
  std::vector<int32_t> full = choice;
  long double ignored = 0;
  if (!pool_.MakeFull(full, ignored)) return false;
  if (full.size() < result_.best.size()) NewBest(full);
  seed_ = choice;
  Report(area);
  return true;
}

void TSearch::Report(long double dark) {
  result_.times.regions = field_.RegionSeconds() - regionsBefore_;
  if (!progress_) return;
  TSolveProgress p;
  p.iteration = result_.iterations;
  p.witnesses = pool_.Witnesses();
  p.lowerBound = result_.lowerBound;
  p.best = int32_t(result_.best.size());
  p.darkArea = dark;
  p.elapsed = pool_.Elapsed();
  p.times = result_.times;
  progress_(p);
}

TSolveResult TSearch::Finish() {
  if (result_.best.empty() && field_.FreeCells() > 0) {
    result_.best = RectangleCover(field_);
    result_.makeshift = true;
  }
  result_.proved = !result_.makeshift && result_.lowerBound >= int32_t(result_.best.size());
  if (result_.proved) result_.lowerBound = int32_t(result_.best.size());
  if (!result_.makeshift) result_.litPercent = field_.LitPercent(result_.best);
  result_.witnesses = pool_.Witnesses();
  result_.elapsed = pool_.Elapsed();
  result_.times.regions = field_.RegionSeconds() - regionsBefore_;
  return result_;
}

}  // namespace

TSolveResult SolveFewestLights(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress) {
  return TSearch(field, program, options, progress).Run();
}
