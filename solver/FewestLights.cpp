// The witness search. Every witness set gives a valid lower bound because
// a witness row holds every candidate that lights anything within the
// seeing slack of the point, and a set of lights that none of them is in
// leaves a dark disc around it larger than the game's tolerance
// (TCoverField::SeeingSlack): such a set is no full cover, exactly or for
// the game.
//
// The start: witnesses all over the floor, the greedy cover made full,
// and as the first lower bound the most witness rows that share no
// candidate. Then each round does three things, each only when it can
// bring something new:
// - the bound: the LP relaxation over every known row, when rows came
//   since it was last solved (its bound, rounded up, is a lower bound),
//   then witnesses where its fractional solution lights the floor less
//   than once (FractionalWitnesses), which the next round's LP must meet;
// - a better cover: the local search for covers of fewer lights, each
//   refined by the witnesses of what it leaves dark until it lights
//   everything or the search fails;
// - the decision for k, the lower bound: is there a cover of the known
//   witnesses with k lights? First the local search, then the integer
//   program, over the active share of the rows and over the candidates
//   that reduced-cost fixing leaves (a cover of k lights holds no other):
//   either none exists even for those rows, and the lower bound rises, or
//   its cover leaves some known rows unmet, which join the active rows,
//   or it meets them all, and the clipper says whether it lights the
//   whole floor (the optimum) or where witnesses must go. Proofs over a
//   few hundred rows cost the library a small fraction of what all rows
//   would; rows that never stood in the way never reach it.
#include "solver/FewestLights.h"

#include <algorithm>
#include <numeric>
#include <variant>
#include <set>
#include <utility>

#include "solver/CoverSearchTeam.h"
#include "solver/CoverReduction.h"
#include "solver/CoverRelaxation.h"
#include "solver/DisjointRows.h"
#include "solver/FractionalWitnesses.h"
#include "solver/GreedyCover.h"
#include "solver/LagrangianBound.h"
#include "solver/RectangleCover.h"
#include "solver/Stopwatch.h"
#include "solver/WitnessPool.h"
#include "solver/Witnesses.h"

namespace {

using Clock = std::chrono::steady_clock;

TGridPoint GridPointOf(const TCoverField& field, int32_t c) {
  const TCandidate& candidate = field.Candidates()[size_t(c)];
  return {candidate.gridX, candidate.gridY};
}

// Of points, those that lie in a floor cell (its sides included), where a
// witness proves what it should, and are not among known: an earlier
// level's points that a stroke walled in are left out, and so are the
// first witnesses that an earlier solve of the same size knew too.
std::vector<gpc_vertex> NewOnTheFloor(const TCoverField& field, const std::vector<gpc_vertex>& points,
                                      const std::vector<gpc_vertex>& known) {
  std::set<std::pair<double, double>> seen;
  for (const gpc_vertex& p : known) seen.emplace(p.x, p.y);
  std::vector<gpc_vertex> kept;
  for (const gpc_vertex& p : points) {
    if (!seen.emplace(p.x, p.y).second) continue;
    if (!(p.x >= 0 && p.y >= 0 && p.x <= field.Width() && p.y <= field.Height())) continue;  // NaN too
    const int32_t cx = int32_t(p.x), cy = int32_t(p.y);
    bool floor = false;
    for (int32_t x = cx - (p.x == cx ? 1 : 0); x <= cx && !floor; ++x)
      for (int32_t y = cy - (p.y == cy ? 1 : 0); y <= cy && !floor; ++y)
        floor = x >= 0 && y >= 0 && x < field.Width() && y < field.Height() && !field.IsWallCell(x, y);
    if (floor) kept.push_back(p);
  }
  return kept;
}

// Rows that join the active set at once, at most: enough that the program
// is not asked again for every row, few enough that it stays small. The
// more rounds in a row end with a cover that misses known rows, the more
// join at once.
int32_t ActiveBatch(int32_t k, int32_t stuck) { return std::max(50, 2 * k) << std::min(stuck, 4); }

// The searches' time slices: this share of the time so far, within these
// bounds in seconds.
constexpr double SliceShare = 0.05, FirstSliceSeconds = 0.5, LongestSliceSeconds = 10;
// Covers found alongside a child that are checked for darkness, the
// smallest first: the searches go at most this many lights below the best
// there, where no cover can be checked until the child is done.
constexpr size_t CheckedCovers = 4;
// What counts as near the end of the time (TSearch::Late).
constexpr double LateSeconds = 5, LateShare = 0.05;
// Candidates of each row in the searches' core, by reduced cost.
// (5 per row left the search at 92 lights on the 200 x 130 level after a
// minute at 137,000 moves a second, 12 at 91 with 88,000; without the
// core it made 7,000 moves a second and ended at 94.)
constexpr size_t CorePerRow = 8;

// Witnesses from one fractional solution, at most.
size_t FractionalBatch(int32_t best) { return size_t(std::max(100, 4 * best)); }

// The first integer program for a bound gets this many seconds; one that
// runs out of time without an answer gets twice as long the next time.
constexpr double FirstProgramSeconds = 2;


// The LP relaxation gets at most this share of the time: beyond it, rows
// that join raise the bound through Lagrangian steps from the last duals.
// (The first half minute is free of the share: on a small level the
// search reaches the best cover in a moment, and the share would then stop
// the LP before its fractional witnesses raised it; on a busy machine,
// with a search alongside it, the first LP of 100 x 65 took 12 s.)
constexpr double RelaxationShare = 1.0 / 3, FreeRelaxationSeconds = 30;
constexpr int32_t LagrangianSteps = 50;
// Fractional witnesses that raised the LP's value by less than this were
// the last of their kind until other witnesses join: the LP had many
// optimal solutions, and the witnesses only moved it among them.
constexpr double FractionalRise = 1e-3;


// What a step of the search came to.
enum class EStep {
  Nothing,  // nothing new: the next step may go on
  Rose,     // the lower bound rose
  Better,   // a full cover of fewer lights
  Joined,   // witnesses (or active rows) joined, which the next round must take in
  End,      // the search ends: the deadline, a failure of the library, or a stall
};

class TSearch {
 public:
  TSearch(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
          const std::function<void(const TSolveProgress&)>& progress)
      : field_(field),
        program_(program),
        options_(options),
        progress_(progress),
        pool_(field, options, result_.times),
        regionsBefore_(field.RegionSeconds()),
        team_(field.CandidateCount(), std::max(options.threads, 1), 1) {}

  TSolveResult Run() {
    if (Start() && ImproveBest() != EStep::End) {
      while (!Proved() && !pool_.Deadline().Passed())
        if (Round() == EStep::End) break;
    }
    return Finish();
  }

 private:
  bool Start();
  EStep Round();
  EStep Bound();
  EStep Relax();
  EStep StepLagrangian();
  EStep AddFractionalWitnesses();
  EStep ImproveBest();
  EStep Decide();
  // A cover of k lights of the active rows, or why there is none (see
  // AskForK).
  struct TCoverOfK {
    std::vector<int32_t> chosen;
  };
  using TAnswerForK = std::variant<TCoverOfK, EStep>;
  TAnswerForK AskForK(int32_t k, const std::vector<int32_t>& alive);
  TAnswerForK AskProgram(int32_t k, TCoverProblem problem);
  EStep Refine(const std::vector<int32_t>& choice);
  EStep CheckFound(const std::vector<std::vector<int32_t>>& found);
  TAlongside Alongside();
  EStep CheckAlongside();
  void RefreshCore();
  // Near the end of the time: work that cannot stop half-way (a new core,
  // a Lagrangian start) is left out, for on a busy machine it would run
  // past the time limit.
  bool Late() const { return pool_.Deadline().Left() < std::max(LateSeconds, LateShare * options_.timeLimit); }
  bool LagrangianStart();
  bool Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds);
  bool RaiseBound(int32_t bound);
  bool Proved() const { return result_.lowerBound >= int32_t(result_.best.size()); }
  void NewBest(std::vector<int32_t> cover);
  void Report(std::optional<long double> dark = std::nullopt);
  TSolveResult Finish();

  TCoverField& field_;
  TCoverProgram& program_;
  const TSolveOptions& options_;
  const std::function<void(const TSolveProgress&)>& progress_;
  TSolveResult result_;
  TWitnessPool pool_;
  double regionsBefore_;
  std::vector<int32_t> seed_;  // where the next local search of the active rows starts
  // Rows of which no candidate holds two: the first lower bound, and the
  // points that show it.
  std::vector<int32_t> independent_;
  uint64_t searchSeed_ = 1;
  // The searches for a better cover, which live for the whole run.
  TCoverSearchTeam team_;
  // The searches' thread-seconds when they last found a better cover.
  double searchAtBetter_ = 0;
  // The known rows and the lower bound when the last try at a better cover
  // missed: until either changes, another try would miss again.
  std::pair<int32_t, int32_t> improveMissed_{-1, -1};
  int32_t stuck_ = 0;  // rounds in a row in which the program's cover missed known rows
  double programSeconds_ = FirstProgramSeconds;

  // The LP relaxation: where the next one starts, the rows known at the
  // last one, its value when it ran over all of them, its solution (until
  // its fractional witnesses are taken) and the bound and reduced costs of
  // its duals.
  TRelaxationStart lpStart_;
  int32_t relaxedRows_ = -1;
  std::optional<double> fractional_;
  std::vector<std::pair<int32_t, double>> solution_;
  std::vector<int32_t> support_;  // the columns of the last LP solution
  // The LP's value when the last fractional witnesses joined, and the
  // known rows just after.
  std::optional<double> fractionalAt_;
  int32_t afterFractional_ = -1;
  TLagrangianBound lagrangian_;
  std::optional<TLagrangianValue> duals_;
  TMultipliers prices_;  // the multipliers of duals_: the greedy repair's guide
};

// The witnesses all over the floor and those an earlier solve left, and
// the first cover: the earlier solve's lights where there are any, else
// none, made full greedily.
bool TSearch::Start() {
  std::vector<int32_t> all;
  const std::vector<gpc_vertex> firstPoints = FirstWitnesses(field_);
  if (!pool_.AddWitnesses(firstPoints, &all)) return false;
  if (!pool_.AddWitnesses(NewOnTheFloor(field_, options_.startWitnesses, firstPoints), &all)) return false;
  std::vector<int32_t> first;
  for (const TGridPoint& p : options_.startLights)
    if (const int32_t c = field_.CandidateAt(p); c >= 0) first.push_back(c);
  std::sort(first.begin(), first.end());
  first.erase(std::unique(first.begin(), first.end()), first.end());
  long double dark = 0;
  if (!pool_.MakeFull(first, dark)) return false;
  NewBest(first);
  team_.Take(pool_.Rows());
  team_.Aim(result_.best, int32_t(result_.best.size()) - 1);
  independent_ = DisjointRows(pool_.Rows(), all);
  pool_.Active() = independent_;
  result_.lowerBound = int32_t(independent_.size());
  Report(dark);
  seed_ = result_.best;
  return true;
}

EStep TSearch::Round() {
  if (pool_.Rows().Count() > relaxedRows_) {
    const EStep bound = Bound();
    // New witnesses go to the LP first: its next solution is the better
    // guide for the rest.
    if (bound == EStep::End || bound == EStep::Joined || Proved()) return bound;
  }
  // A better cover is sought again once the rows or the bound changed
  // since the last try missed, and also while the search has had less
  // time than the programs: where neither the search nor the program gets
  // anywhere, each gets its turn with twice the time of its last.
  if (improveMissed_ != std::pair<int32_t, int32_t>{pool_.Rows().Count(), result_.lowerBound} ||
      result_.times.search < result_.times.programs) {
    const EStep improved = ImproveBest();
    if (improved != EStep::Nothing) return improved;
  }
  ++result_.iterations;
  return Decide();
}

// The bound over the rows that joined since the last: the LP and the
// witnesses of its fractional solution while the LP keeps to its share of
// the time, Lagrangian steps beyond.
EStep TSearch::Bound() {
  if (relaxedRows_ >= 0 && result_.times.relaxations > std::max(FreeRelaxationSeconds, RelaxationShare * pool_.Elapsed())) {
    relaxedRows_ = pool_.Rows().Count();
    const EStep stepped = StepLagrangian();
    if (stepped == EStep::Rose) Report();
    return stepped;
  }
  const EStep relaxed = Relax();
  if (relaxed == EStep::End) return EStep::End;
  const EStep fractional = AddFractionalWitnesses();
  if (relaxed == EStep::Rose || fractional == EStep::Joined) Report();
  return fractional != EStep::Nothing ? fractional : relaxed;
}

// The LP relaxation over the known rows, from where the last one ended.
EStep TSearch::Relax() {
  TRelaxationAnswer answer;
  relaxedRows_ = pool_.Rows().Count();
  {
    TStopwatch watch(result_.times.relaxations);
    answer = SolveRelaxation(pool_.Rows(), lpStart_, result_.best, pool_.Deadline(), Alongside());
  }
  if (CheckAlongside() == EStep::End) return EStep::End;
  if (answer.failed) {
    result_.failed = true;
    result_.failure = answer.failure;
    return EStep::End;
  }
  fractional_.reset();
  if (answer.complete) fractional_ = answer.bound;
  if (!answer.duals.empty()) {
    lpStart_ = answer.next;
    solution_ = answer.solution;
    support_.clear();
    for (const auto& [c, v] : solution_) support_.push_back(c);
    lagrangian_.Take(answer.duals);
    duals_ = EvaluateLagrangian(pool_.Rows(), answer.duals);
    prices_ = answer.duals;
    RefreshCore();
    if (!LagrangianStart()) return EStep::End;
    // The rows that hold the bound up are the ones the program needs most.
    std::vector<uint8_t> active(size_t(pool_.Rows().Count()), 0);
    for (int32_t r : pool_.Active()) active[size_t(r)] = 1;
    for (const auto& [r, y] : answer.duals)
      if (!active[size_t(r)]) pool_.Active().push_back(r);
  }
  return RaiseBound(IntegerBound(answer.bound)) ? EStep::Rose : EStep::Nothing;
}

// Subgradient steps over every known row from the multipliers kept, for
// a bound without the LP; its multipliers replace the duals where their
// bound is higher.
EStep TSearch::StepLagrangian() {
  double bound = 0;
  {
    TStopwatch watch(result_.times.relaxations);
    bound = lagrangian_.Improve(pool_.Rows(), int32_t(result_.best.size()), LagrangianSteps, pool_.Deadline());
    if (!duals_ || bound > duals_->bound) {
      prices_ = lagrangian_.Best();
      duals_ = EvaluateLagrangian(pool_.Rows(), prices_);
      RefreshCore();
    }
  }
  return RaiseBound(IntegerBound(bound)) ? EStep::Rose : EStep::Nothing;
}

// Witnesses where the last LP solution lights the floor less than once.
EStep TSearch::AddFractionalWitnesses() {
  if (solution_.empty() || !fractional_) return EStep::Nothing;
  if (fractionalAt_ && relaxedRows_ == afterFractional_ && *fractional_ < *fractionalAt_ + FractionalRise)
    return EStep::Nothing;
  const std::vector<std::pair<int32_t, double>> solution = std::move(solution_);
  solution_.clear();
  if (!field_.PrepareRegions(support_, options_.threads, pool_.Deadline())) return EStep::End;
  std::vector<TFractionalWitness> found;
  {
    TStopwatch watch(result_.times.fractional);
    found = FractionalWitnesses(field_, solution, FractionalBatch(int32_t(result_.best.size())), options_.threads,
                                pool_.Deadline());
  }
  if (pool_.Deadline().Passed()) return EStep::End;
  if (found.empty()) return EStep::Nothing;
  std::vector<gpc_vertex> points;
  std::vector<std::vector<int32_t>> rows;
  for (TFractionalWitness& w : found) {
    points.push_back(w.point);
    rows.push_back(std::move(w.row));
  }
  pool_.AddRows(points, std::move(rows));
  fractionalAt_ = fractional_;
  afterFractional_ = pool_.Rows().Count();
  return EStep::Joined;
}

bool TSearch::RaiseBound(int32_t bound) {
  if (bound <= result_.lowerBound) return false;
  result_.lowerBound = bound;
  stuck_ = 0;
  programSeconds_ = FirstProgramSeconds;
  return true;
}

bool TSearch::Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds) {
  TStopwatch watch(result_.times.search);
  TLocalSearchLimits limits;
  limits.deadline = pool_.Deadline().Within(seconds);
  limits.seed = searchSeed_++;
  return FindCoverOfSize(rows, size, chosen, limits);
}

void TSearch::NewBest(std::vector<int32_t> cover) {
  std::sort(cover.begin(), cover.end());
  result_.best = std::move(cover);
  team_.Take(pool_.Rows());
  if (team_.Target() >= int32_t(result_.best.size()))
    team_.Aim(result_.best, int32_t(result_.best.size()) - 1);
  // The final measurement of the best cover costs about what its dark
  // remainder did: keep that time free at the end.
  pool_.Reserve(1.5 * pool_.LongestDark());
}

// A time slice of the searches for a cover of the known witnesses with
// fewer lights than the best. Each cover they find is handed to the dark
// check: one that lights everything is the new best, and the searches go
// on one light below it; one that leaves floor dark brings the witnesses
// of what it leaves dark, and the searches go on at its size with them.
// The searches keep their weights from slice to slice, so a slice goes on
// where the last one stopped.
EStep TSearch::ImproveBest() {
  bool better = false;
  const double seconds = std::clamp(SliceShare * pool_.Elapsed(), FirstSliceSeconds, LongestSliceSeconds);
  const TDeadline slice = pool_.Deadline().Within(seconds);
  for (;;) {
    team_.Take(pool_.Rows());
    {
      TStopwatch watch(result_.times.search);
      team_.Run(options_.threads, slice, {}, true);
    }
    if (pool_.Deadline().Passed()) return EStep::End;
    const std::vector<std::vector<int32_t>> found = team_.TakeFound();
    if (found.empty()) break;  // the slice is over
    ++result_.iterations;
    const EStep checked = CheckFound(found);
    if (checked == EStep::End) return EStep::End;
    if (checked == EStep::Better) better = true;
    if (checked == EStep::Nothing) break;  // too thin for witnesses: the program decides
  }
  if (!better) improveMissed_ = {pool_.Rows().Count(), result_.lowerBound};
  return better ? EStep::Better : EStep::Nothing;
}

// found: covers of the known witnesses, smallest first. Better: one of
// them lights everything. Joined: witnesses joined where they leave floor
// dark, and the searches go on at the size of the largest checked. Nothing:
// none has fewer lights than the best, or the largest checked leaves only
// darkness too thin for a witness it does not meet.
EStep TSearch::CheckFound(const std::vector<std::vector<int32_t>>& found) {
  bool thin = false;
  size_t checked = 0;
  for (; checked < std::min(found.size(), CheckedCovers); ++checked) {
    const std::vector<int32_t>& cover = found[checked];
    if (cover.size() >= result_.best.size()) break;
    const auto dark = pool_.Dark(cover);
    if (!dark) return EStep::End;
    if (dark->Area() <= ArtefactArea) {
      NewBest(cover);
      team_.Aim(result_.best, int32_t(result_.best.size()) - 1);
      searchAtBetter_ = team_.Busy();
      Report(0);
      return EStep::Better;
    }
    std::vector<int32_t> added;
    if (!pool_.AddWitnessesIn(*dark, &added)) return EStep::End;
    thin = pool_.UnmetAmong(added, cover).empty();
  }
  team_.Take(pool_.Rows());
  if (checked == 0 || thin) {
    team_.Aim(result_.best, int32_t(result_.best.size()) - 1);
    return EStep::Nothing;
  }
  team_.Aim(found[checked - 1], int32_t(found[checked - 1].size()));
  return EStep::Joined;
}

// The searches while a child process works (RunContained's alongside):
// on half the threads (CLP runs on one, CBC on all). None where one thread
// was asked for, nor where the best is one light above the bound: there
// the child's answer decides, and on a busy machine the search would only
// slow it (the shipped level's proof took 9.4 s for 5.6 s in one run).
TAlongside TSearch::Alongside() {
  if (options_.threads < 2 || int32_t(result_.best.size()) - result_.lowerBound < 2) return nullptr;
  team_.Take(pool_.Rows());
  const int32_t threads = std::max(1, options_.threads / 2);
  const int32_t lowest = std::max(result_.lowerBound, int32_t(result_.best.size()) - int32_t(CheckedCovers));
  return [this, threads, lowest](std::stop_token stop) { team_.Run(threads, TDeadline{}, stop, false, lowest); };
}

// The covers that the searches found alongside a child, checked.
EStep TSearch::CheckAlongside() {
  const std::vector<std::vector<int32_t>> found = team_.TakeFound();
  if (found.empty()) return EStep::Nothing;
  const EStep checked = CheckFound(found);
  return checked == EStep::Joined ? EStep::Nothing : checked;
}

// The core the searches work on: the LP's support, the best cover, and
// the few candidates of lowest reduced cost in each known row.
void TSearch::RefreshCore() {
  if (!duals_ || Late()) return;
  const std::vector<double>& d = duals_->reducedCost;
  std::vector<uint8_t> in(size_t(field_.CandidateCount()), 0);
  for (int32_t c : support_) in[size_t(c)] = 1;
  for (int32_t c : result_.best) in[size_t(c)] = 1;
  std::vector<int32_t> row;
  for (int32_t r = 0; r < pool_.Rows().Count(); ++r) {
    row = pool_.Rows().Row(r);
    const size_t keep = std::min(row.size(), CorePerRow);
    std::nth_element(row.begin(), row.begin() + std::ptrdiff_t(keep) - 1, row.end(),
                     [&](int32_t a, int32_t b) { return d[size_t(a)] < d[size_t(b)]; });
    for (size_t i = 0; i < keep; ++i) in[size_t(row[i])] = 1;
  }
  std::vector<int32_t> core;
  for (int32_t c = 0; c < field_.CandidateCount(); ++c)
    if (in[size_t(c)]) core.push_back(c);
  TStopwatch watch(result_.times.search);
  team_.SetCore(pool_.Rows(), core);
}

// A cover near the LP's solution (LagrangianCover), made full by the
// Lagrangian repair: the new best where it has fewer lights.
bool TSearch::LagrangianStart() {
  if (solution_.empty() || Late()) return true;
  std::vector<int32_t> cover;
  {
    TStopwatch watch(result_.times.search);
    cover = LagrangianCover(pool_.Rows(), solution_, prices_, pool_.Deadline());
  }
  if (cover.size() + 1 >= result_.best.size()) return !pool_.Deadline().Passed();
  long double ignored = 0;
  if (!pool_.MakeFull(cover, ignored, prices_)) return false;
  if (cover.size() < result_.best.size()) {
    NewBest(cover);
    Report(0);
  }
  return true;
}

// Is there a cover of the known witnesses with as many lights as the lower
// bound? See the top of the file.
EStep TSearch::Decide() {
  const int32_t k = result_.lowerBound;
  std::vector<int32_t> alive;
  if (duals_) {
    alive = ColumnsAlive(*duals_, k);
  } else {
    alive.resize(size_t(field_.CandidateCount()));
    std::iota(alive.begin(), alive.end(), 0);
  }
  const TAnswerForK answer = AskForK(k, alive);
  if (const EStep* other = std::get_if<EStep>(&answer)) return *other;
  const std::vector<int32_t>& chosen = std::get<TCoverOfK>(answer).chosen;
  const std::vector<int32_t> unmet = pool_.Rows().Unmet(chosen);
  if (!unmet.empty()) {
    pool_.Activate(unmet, ActiveBatch(k, stuck_++));
    seed_ = chosen;
    Report();
    return EStep::Joined;
  }
  return Refine(chosen);
}

// A cover of k lights of the active rows, among the alive columns: by the
// local search, which finds one in moments where the library's branching
// took up to minutes on programs of a few hundred rows (it has no
// heuristics, see CbcCoverProgram.cpp), else by the program. Otherwise
// Rose (none exists), Joined (undecided in this try's time) or End.
TSearch::TAnswerForK TSearch::AskForK(int32_t k, const std::vector<int32_t>& alive) {
  std::vector<uint8_t> isAlive(size_t(field_.CandidateCount()), 0);
  for (int32_t c : alive) isAlive[size_t(c)] = 1;
  TCoverProblem problem;
  problem.columns = field_.CandidateCount();
  for (int32_t r : pool_.Active()) {
    std::vector<int32_t> row;
    for (int32_t c : pool_.Rows().Row(r))
      if (isAlive[size_t(c)]) row.push_back(c);
    if (row.empty()) {
      // No column that a cover of k lights can hold meets this row.
      RaiseBound(k + 1);
      Report();
      return EStep::Rose;
    }
    problem.rows.push_back(std::move(row));
  }
  TWitnessRows active(field_.CandidateCount());
  for (const auto& row : problem.rows) active.Add(row);
  std::vector<int32_t> chosen;
  for (int32_t c : seed_)
    if (isAlive[size_t(c)]) chosen.push_back(c);
  if (Search(active, k, chosen, std::clamp(0.1 * result_.times.programs, 0.2, 2.0))) return TCoverOfK{chosen};
  if (pool_.Deadline().Passed()) return EStep::End;
  return AskProgram(k, std::move(problem));
}

// The integer program of problem (the active rows over the alive
// columns) with the cutoff at k.
TSearch::TAnswerForK TSearch::AskProgram(int32_t k, TCoverProblem problem) {
  TCoverAnswer answer;
  bool cutByDeadline = false;
  {
    TStopwatch watch(result_.times.programs);
    problem.atLeast = k;
    problem.atMost = k;
    problem.threads = options_.threads;
    problem.alongside = Alongside();
    TReducedCover reduced = ReduceCover(problem);
    reduced.problem.timeLimit = std::min(programSeconds_, pool_.Deadline().Left());
    reduced.problem.stop = options_.stop;
    cutByDeadline = reduced.problem.timeLimit >= pool_.Deadline().Left();
    answer = program_.Solve(reduced.problem);
    for (int32_t& c : answer.chosen) c = reduced.original[size_t(c)];
    std::sort(answer.chosen.begin(), answer.chosen.end());
    ++result_.programs;
  }
  if (CheckAlongside() == EStep::End) return EStep::End;
  // A bound of the program over the alive columns holds for every cover
  // of at most k lights (no other column is in one), so for all of them
  // only up to k + 1.
  const bool rose = RaiseBound(std::min(answer.lowerBound, k + 1));
  if (answer.failed) {
    result_.failed = true;
    result_.failure = answer.failure;
    return EStep::End;
  }
  if (rose) {
    Report();
    return EStep::Rose;
  }
  if (answer.chosen.empty() || int32_t(answer.chosen.size()) > k) {
    // Out of time before a decision: the next try gets twice as long,
    // unless the time limit itself cut this one short.
    if (!cutByDeadline) programSeconds_ *= 2;
    Report();
    return pool_.Deadline().Passed() ? EStep::End : EStep::Joined;
  }
  return TCoverOfK{answer.chosen};
}

// choice: k lights meeting every known witness. Either it lights the whole
// floor (the optimum), or witnesses go where it leaves floor dark.
EStep TSearch::Refine(const std::vector<int32_t>& choice) {
  stuck_ = 0;
  const auto dark = pool_.Dark(choice);
  if (!dark) return EStep::End;
  const long double area = dark->Area();
  if (area <= ArtefactArea) {
    if (choice.size() < result_.best.size()) NewBest(choice);
    Report(area);
    return EStep::Better;
  }
  std::vector<int32_t> added;
  if (!pool_.AddWitnessesIn(*dark, &added)) return EStep::End;
  const std::vector<int32_t> unseen = pool_.UnmetAmong(added, choice);
  if (unseen.empty()) {
    // Witnesses cannot tell this choice from a full cover, so they cannot
    // rule it out either.
    result_.stalled = true;
    Report(area);
    return EStep::End;
  }
  pool_.Active().insert(pool_.Active().end(), unseen.begin(), unseen.end());
  std::vector<int32_t> full = choice;
  long double ignored = 0;
  if (!pool_.MakeFull(full, ignored, prices_)) return EStep::End;
  if (full.size() < result_.best.size()) NewBest(full);
  seed_ = choice;
  Report(area);
  return EStep::Joined;
}

void TSearch::Report(std::optional<long double> dark) {
  result_.times.regions = field_.RegionSeconds() - regionsBefore_;
  if (!progress_) return;
  TSolveProgress p;
  p.iteration = result_.iterations;
  p.witnesses = pool_.Witnesses();
  p.lowerBound = result_.lowerBound;
  p.best = int32_t(result_.best.size());
  p.fractional = fractional_;
  if (duals_) p.alive = int32_t(ColumnsAlive(*duals_, p.best - 1).size());
  p.darkArea = dark;
  p.elapsed = pool_.Elapsed();
  p.times = result_.times;
  p.proved = Proved();
  for (int32_t c : result_.best) p.bestLights.push_back(GridPointOf(field_, c));
  for (int32_t r : independent_) p.independent.push_back(pool_.Points()[size_t(r)]);
  progress_(p);
}

TSolveResult TSearch::Finish() {
  if (result_.best.empty() && field_.FreeCells() > 0) {
    result_.best = RectangleCover(field_);
    result_.makeshift = true;
  }
  result_.proved = !result_.makeshift && result_.lowerBound >= int32_t(result_.best.size());
  if (result_.proved) result_.lowerBound = int32_t(result_.best.size());
  result_.stopped = !result_.proved && options_.stop.stop_requested();
  if (!result_.makeshift && !result_.stopped) result_.litPercent = field_.LitPercent(result_.best);
  result_.witnesses = pool_.Witnesses();
  result_.witnessPoints = pool_.Points();
  result_.elapsed = pool_.Elapsed();
  result_.times.regions = field_.RegionSeconds() - regionsBefore_;
  result_.searchMoves = team_.Moves();
  result_.searchSeconds = team_.Busy();
  result_.searchMissed = team_.Busy() - searchAtBetter_;
  return result_;
}

}  // namespace

TSolveResult SolveFewestLights(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress) {
  return TSearch(field, program, options, progress).Run();
}
