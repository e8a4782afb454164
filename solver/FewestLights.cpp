// The witness loop. Every witness set gives a valid lower bound because a
// witness row holds every candidate that comes within the seeing slack of
// the point, and a set of lights that none of them is in leaves a dark
// disc around it larger than the game's tolerance (TCoverField::
// SeeingSlack): such a set is no full cover, exactly or for the game. Upper bounds come
// from the greedy start and from every program's choice made full by
// greedy repair; the best of them is the warm start of the next program.
#include "solver/FewestLights.h"

#include <algorithm>
#include <set>

#include "solver/CoverReduction.h"
#include "solver/GreedyCover.h"
#include "solver/Witnesses.h"

namespace {

class TWitnessLoop {
 public:
  TWitnessLoop(const TCoverField& field, const TSolveOptions& options) : field_(field), options_(options) {}

  double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - options_.began).count();
  }

  void AddWitnesses(const std::vector<gpc_vertex>& points) {
    std::vector<std::vector<int32_t>> rows = field_.SeersOf(points, options_.threads);
    for (auto& row : rows)
      if (!row.empty()) rows_.push_back(std::move(row));
    witnesses_ += points.size();
  }

  // Adds witnesses in what chosen leaves dark; returns how many of them no
  // chosen candidate sees (none: the darkness is too thin for a witness).
  size_t AddWitnessesInDark(const TPolygon& dark, const std::vector<int32_t>& chosen) {
    const std::vector<gpc_vertex> points = WitnessesInDark(dark, options_.witnessesPerPiece);
    size_t unseen = 0;
    for (const gpc_vertex& p : points)
      if (std::none_of(chosen.begin(), chosen.end(), [&](int32_t c) { return field_.Sees(c, p); })) ++unseen;
    AddWitnesses(points);
    return unseen;
  }

  // Extends chosen until it lights the whole floor: greedily over the
  // witnesses, then over new ones in whatever it leaves dark. Where the
  // darkness is too thin for a witness that chosen does not see, the
  // candidate that lights most of it is added instead. Returns the dark
  // area of chosen as it came.
  long double MakeFull(std::vector<int32_t>& chosen) {
    long double firstDark = -1;
    for (;;) {
      GreedyExtend(chosen, rows_, field_.CandidateCount());
      const auto dark = field_.DarkRemainder(chosen);
      const long double area = dark->Area();
      if (firstDark < 0) firstDark = area;
      if (area <= ArtefactArea) return firstDark;
      if (AddWitnessesInDark(*dark, chosen) == 0) chosen.push_back(LightsMostOf(*dark));
    }
  }

  const std::vector<std::vector<int32_t>>& Rows() const { return rows_; }
  size_t Witnesses() const { return witnesses_; }

 private:
  int32_t LightsMostOf(const TPolygon& dark) const {
    int32_t best = 0;
    long double bestArea = -1;
    for (int32_t c = 0; c < field_.CandidateCount(); ++c) {
      TPolygon lit;
      lit.Clear();
      for (size_t i = 0; i < dark.Contours().size(); ++i) lit.AddContour(dark.Contours()[i], dark.Holes()[i]);
      lit.Clip(GPC_INT, field_.Candidates()[size_t(c)].region.get());
      const long double area = lit.Area();
      if (area > bestArea) {
        bestArea = area;
        best = c;
      }
    }
    return best;
  }

  const TCoverField& field_;
  const TSolveOptions& options_;
  std::vector<std::vector<int32_t>> rows_;
  size_t witnesses_ = 0;
};

}  // namespace

TSolveResult SolveFewestLights(const TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress) {
  TWitnessLoop loop(field, options);
  TSolveResult result;
  loop.AddWitnesses(FirstWitnesses(field));
  const long double greedyDark = loop.MakeFull(result.best);
  std::sort(result.best.begin(), result.best.end());
  auto report = [&](int32_t iteration, long double dark) {
    if (!progress) return;
    TSolveProgress p;
    p.iteration = iteration;
    p.witnesses = loop.Witnesses();
    p.lowerBound = result.lowerBound;
    p.best = int32_t(result.best.size());
    p.darkArea = dark;
    p.elapsed = loop.Elapsed();
    progress(p);
  };
  report(0, greedyDark);

  // A choice met twice means that the witnesses could not tell it from a
  // full cover: its darkness is thinner than the seeing slack.
  std::set<std::vector<int32_t>> tried;
  while (!result.proved) {
    const double left = options.timeLimit - loop.Elapsed();
    if (left <= 0) break;
    TCoverProblem problem;
    problem.columns = field.CandidateCount();
    problem.rows = loop.Rows();
    problem.start = result.best;
    problem.atLeast = result.lowerBound;
    problem.timeLimit = left;
    problem.threads = options.threads;
    const TReducedCover reduced = ReduceCover(problem);
    TCoverAnswer answer = program.Solve(reduced.problem);
    for (int32_t& c : answer.chosen) c = reduced.original[size_t(c)];
    std::sort(answer.chosen.begin(), answer.chosen.end());
    ++result.iterations;
    result.lowerBound = std::max(result.lowerBound, answer.lowerBound);

    std::vector<int32_t> choice = answer.chosen;
    const long double dark = loop.MakeFull(choice);
    std::sort(choice.begin(), choice.end());
    if (choice.size() < result.best.size()) result.best = choice;
    result.proved = result.lowerBound >= int32_t(result.best.size());
    report(result.iterations, dark);
    if (!answer.optimal) break;  // the time ran out inside the program
    if (!result.proved && !tried.insert(answer.chosen).second) {
      result.stalled = true;
      break;
    }
  }
  if (result.proved) result.lowerBound = int32_t(result.best.size());
  result.witnesses = loop.Witnesses();
  result.elapsed = loop.Elapsed();
  return result;
}
