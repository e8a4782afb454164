// What the level editor asks of the solver: a solve that starts from what
// the solve of the level before an edit knew, a stop request, and progress
// that shows the best cover and the points that prove the first bound.
// None of it may change what is proved: the bound never passes the
// brute-force minimum, and every best cover lights the whole floor.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stop_token>

#include "engine/levelmap_support.h"
#include "solver/SolveCommand.h"
#include "support/RegionModel.h"
#include "solver_support.h"

namespace {

TSolveResult SolveFrom(TCoverField& field, const TSolveOptions& start) {
  auto ip = MakeCbcCoverProgram();
  TSolveOptions options = start;
  options.timeLimit = 120;
  return SolveFewestLights(field, *ip, options, nullptr);
}

std::vector<TGridPoint> LightsOf(const TCoverField& field, const std::vector<int32_t>& cover) {
  std::vector<TGridPoint> lights;
  for (int32_t c : cover) lights.push_back({field.Candidates()[size_t(c)].gridX, field.Candidates()[size_t(c)].gridY});
  return lights;
}

// The picture with cell (x, y) turned from wall to floor or back.
std::string Toggled(std::string picture, int32_t x, int32_t y) {
  const size_t width = picture.find('\n');
  char& cell = picture[size_t(y) * (width + 1) + size_t(x)];
  cell = cell == '#' ? '.' : '#';
  return picture;
}

}  // namespace

TEST(SolverRestart, AnEarlierLevelsCoverAndWitnessesLeadToTheSameOptimum) {
  const unsigned seed = 20261211;
  std::mt19937 rng(seed);
  int compared = 0;
  for (int round = 0; round < 14; ++round) {
    std::uniform_int_distribution<int> side(4, 6);
    const int32_t w = side(rng), h = side(rng);
    const std::string before = RandomPicture(rng, w, h, 0.3);
    const std::string after = Toggled(before, int32_t(rng() % uint32_t(w)), int32_t(rng() % uint32_t(h)));
    if (before.find('.') == std::string::npos || after.find('.') == std::string::npos) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\n" + before + "->\n" + after);
    const auto old = FieldOf(before);
    const TSolveResult earlier = SolveFrom(*old, {});
    ASSERT_TRUE(earlier.proved);

    const auto field = FieldOf(after);
    const int minimum = BruteForceMinimum(*field, 3);
    if (minimum < 0) continue;
    TSolveOptions warm;
    warm.startLights = LightsOf(*old, earlier.best);
    warm.startWitnesses = earlier.witnessPoints;  // some of them now in the toggled cell's wall
    const TSolveResult result = SolveFrom(*field, warm);
    EXPECT_TRUE(result.proved);
    EXPECT_EQ(int(result.best.size()), minimum);
    EXPECT_LE(result.lowerBound, minimum);
    EXPECT_TRUE(field->LightsWholeFloor(result.best));
    ++compared;
  }
  EXPECT_GE(compared, 8);
}

TEST(SolverRestart, StartPointsWhereNoLightOrWitnessBelongsAreLeftOut) {
  // Two rooms and a corridor, optimum 2 (see the drawn maps of the optima
  // test); lights where none may stand and points off the floor, in walls
  // (just inside their sides, where the floor beside them is in sight) or
  // not numbers at all must neither break the solve nor raise its bound.
  const auto field = FieldOf("...######...\n"
                             "............\n"
                             "...######...\n");
  constexpr double Inf = std::numeric_limits<double>::infinity(), NaN = std::numeric_limits<double>::quiet_NaN();
  TSolveOptions start;
  start.startLights = {{5, 0}, {-1, 1}, {13, 1}, {0, 0}, {0, 0}, {2147483647, -2147483647 - 1}};
  start.startWitnesses = {{5.5, 0.5}, {3.001, 0.5}, {5.5, 2.999}, {-0.5, 1.5}, {12.5, 1.5}, {NaN, 1}, {1, Inf},
                          {6, 0.0}, {0.5, 1.5}};
  const TSolveResult result = SolveFrom(*field, start);
  EXPECT_TRUE(result.proved);
  EXPECT_EQ(result.best.size(), 2u);
  EXPECT_EQ(result.lowerBound, 2);
  for (const gpc_vertex& p : result.witnessPoints) {
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_FALSE(p.y > 0.0 && p.y < 1.0 && p.x > 3.0 && p.x < 9.0) << "in the top wall: " << p.x << " " << p.y;
  }
}

TEST(SolverRestart, AStopEndsTheSolveWithAFullCoverAndASoundBound) {
  const auto field = FieldOf(ShippedMapText());
  auto ip = MakeCbcCoverProgram();
  std::stop_source source;
  TSolveOptions options;
  options.stop = source.get_token();
  int reports = 0;
  // Asked on the solver's own thread, after its first cover: the rest of
  // the search must see it wherever it is.
  const TSolveResult result = SolveFewestLights(*field, *ip, options, [&](const TSolveProgress&) {
    if (++reports == 2) source.request_stop();
  });
  EXPECT_TRUE(result.stopped);
  EXPECT_FALSE(result.proved);
  EXPECT_FALSE(result.litPercent) << "a stop does not wait for a measurement";
  EXPECT_TRUE(field->LightsWholeFloor(result.best));
  EXPECT_LE(result.lowerBound, 22);
  EXPECT_FALSE(result.witnessPoints.empty());

  // Asked before the start: the cover made without a search.
  std::stop_source early;
  early.request_stop();
  options.stop = early.get_token();
  const TSolveResult none = SolveFewestLights(*field, *ip, options, nullptr);
  EXPECT_TRUE(none.stopped);
  EXPECT_TRUE(none.makeshift);
  EXPECT_TRUE(field->LightsWholeFloor(none.best));
}

TEST(SolverRestart, ProgressShowsTheBestLightsAndPointsThatNoLightSeesTwoOf) {
  const auto field = FieldOf(".........\n"
                             ".#.#.#.#.\n"
                             ".#.#.#.#.\n"
                             ".........\n");
  bool last = false;
  const TSolveResult result = Solve(*field, [&](const TSolveProgress& p) {
    ASSERT_EQ(int(p.bestLights.size()), p.best);
    EXPECT_LE(int(p.independent.size()), p.lowerBound);
    last = p.proved;
    // Each point needs a light of its own: no light on the field sees two.
    for (const TCandidate& c : field->Candidates()) {
      const auto region = field->Level().LitRegion({c.gridX, c.gridY});
      int seen = 0;
      for (const gpc_vertex& v : p.independent) {
        const bool on = std::any_of(region->Contours().begin(), region->Contours().end(),
                                    [&](const TContour& k) { return DistanceToBoundary(k, v.x, v.y) < 1e-9; });
        seen += on || RegionContains(*region, v.x, v.y);
      }
      EXPECT_LE(seen, 1) << "the light at " << c.gridX << "," << c.gridY;
    }
  });
  ASSERT_TRUE(result.proved);
  EXPECT_TRUE(last) << "the last line says proved";
}
