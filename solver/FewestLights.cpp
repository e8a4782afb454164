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
// bring something new, each the work of a class of its own:
// - the bound (TCoverBound), when rows came since it was last worked on;
// - a better cover (TBetterCovers), a time slice of the searches that
//   live for the whole run;
// - the decision for k, the lower bound (TCoverDecision).
// A round ends with what it found (TRoundOutcome), which is reported once.
#include "solver/FewestLights.h"

#include <algorithm>
#include <set>
#include <utility>

#include "solver/BetterCovers.h"
#include "solver/CoverBound.h"
#include "solver/CoverDecision.h"
#include "solver/DisjointRows.h"
#include "solver/RectangleCover.h"
#include "solver/RoundOutcome.h"
#include "solver/SolveState.h"
#include "solver/Witnesses.h"

namespace {

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

class TSearch {
 public:
  TSearch(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
          const std::function<void(const TSolveProgress&)>& progress)
      : state_(field, options),
        progress_(progress),
        regionsBefore_(field.RegionSeconds()),
        covers_(state_),
        bound_(state_, covers_),
        decision_(state_, program, covers_, bound_) {}

  TSolveResult Run() {
    TRoundOutcome outcome = Start();
    // The first round after the start is a slice of the searches: the
    // greedy cover is far above what they reach in moments.
    if (!Is<TSearchEnds>(outcome)) {
      Report(outcome);
      outcome = covers_.Slice();
    }
    while (!Is<TSearchEnds>(outcome)) {
      Report(outcome);
      if (state_.Proved() || state_.pool.Deadline().Passed()) break;
      outcome = Round();
    }
    if (Is<TSearchEnds>(outcome)) Report(outcome);
    return Finish();
  }

 private:
  TRoundOutcome Start();
  TRoundOutcome Round();
  void Report(const TRoundOutcome& outcome);
  TSolveResult Finish();

  TSolveState state_;
  const std::function<void(const TSolveProgress&)>& progress_;
  double regionsBefore_;
  // Rows of which no candidate holds two: the first lower bound, and the
  // points that show it.
  std::vector<int32_t> independent_;
  TBetterCovers covers_;
  TCoverBound bound_;
  TCoverDecision decision_;
};

// The witnesses all over the floor and those an earlier solve left, and
// the first cover: the earlier solve's lights where there are any, else
// none, made full greedily.
TRoundOutcome TSearch::Start() {
  TCoverField& field = state_.field;
  TWitnessPool& pool = state_.pool;
  std::vector<int32_t> all;
  const std::vector<gpc_vertex> firstPoints = FirstWitnesses(field);
  if (!pool.AddWitnesses(firstPoints, &all)) return TSearchEnds{};
  if (!pool.AddWitnesses(NewOnTheFloor(field, state_.options.startWitnesses, firstPoints), &all)) return TSearchEnds{};
  std::vector<int32_t> first;
  for (const TGridPoint& p : state_.options.startLights)
    if (const int32_t c = field.CandidateAt(p); c >= 0) first.push_back(c);
  std::sort(first.begin(), first.end());
  first.erase(std::unique(first.begin(), first.end()), first.end());
  long double dark = 0;
  if (!pool.MakeFull(first, dark)) return TSearchEnds{};
  covers_.NewBest(first);
  independent_ = DisjointRows(pool.Rows(), all);
  pool.Active() = independent_;
  state_.result.lowerBound = int32_t(independent_.size());
  decision_.SeedWith(state_.result.best);
  return TBetterCover{dark};
}

TRoundOutcome TSearch::Round() {
  if (bound_.RowsCame()) {
    const TRoundOutcome bound = bound_.Step();
    // New witnesses go to the LP first: its next solution is the better
    // guide for the rest.
    if (Is<TSearchEnds>(bound) || Is<TRowsJoined>(bound) || state_.Proved()) return bound;
  }
  if (covers_.Due()) {
    const TRoundOutcome better = covers_.Slice();
    if (!Is<TNothingNew>(better)) return better;
  }
  ++state_.result.iterations;
  return decision_.Decide();
}

// The one place progress is reported: after the start and after every
// round that found something.
void TSearch::Report(const TRoundOutcome& outcome) {
  TSolveResult& result = state_.result;
  result.times.regions = state_.field.RegionSeconds() - regionsBefore_;
  if (!progress_ || Is<TNothingNew>(outcome)) return;
  TSolveProgress p;
  p.iteration = result.iterations;
  p.witnesses = state_.pool.Witnesses();
  p.lowerBound = result.lowerBound;
  p.best = state_.Best();
  p.fractional = bound_.Fractional();
  if (bound_.Duals()) p.alive = int32_t(ColumnsAlive(*bound_.Duals(), p.best - 1).size());
  p.darkArea = DarkOf(outcome);
  p.elapsed = state_.pool.Elapsed();
  p.times = result.times;
  p.proved = state_.Proved();
  for (int32_t c : result.best) p.bestLights.push_back(GridPointOf(state_.field, c));
  for (int32_t r : independent_) p.independent.push_back(state_.pool.Points()[size_t(r)]);
  progress_(p);
}

TSolveResult TSearch::Finish() {
  TSolveResult& result = state_.result;
  TCoverField& field = state_.field;
  if (result.best.empty() && field.FreeCells() > 0) {
    result.best = RectangleCover(field);
    result.makeshift = true;
  }
  result.proved = !result.makeshift && result.lowerBound >= state_.Best();
  if (result.proved) result.lowerBound = state_.Best();
  result.stopped = !result.proved && state_.options.stop.stop_requested();
  if (!result.makeshift && !result.stopped) result.litPercent = field.LitPercent(result.best);
  result.witnesses = state_.pool.Witnesses();
  result.witnessPoints = state_.pool.Points();
  result.elapsed = state_.pool.Elapsed();
  result.times.regions = field.RegionSeconds() - regionsBefore_;
  covers_.Finish(result);
  return result;
}

}  // namespace

TSolveResult SolveFewestLights(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress) {
  return TSearch(field, program, options, progress).Run();
}
