// Where witnesses go: into the dark pieces of a choice (inside them, near
// their corners too), and where a fractional solution lights the floor
// less than once (checked against the regions themselves).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/levelmap_support.h"
#include "solver/FractionalWitnesses.h"
#include "solver/Witnesses.h"
#include "solver_support.h"
#include "support/RegionModel.h"

TEST(Witnesses, SamplesInDarkLieInsideTheirPieceAndReachItsCorners) {
  const unsigned seed = 2025;
  std::mt19937 rng(seed);
  for (int round = 0; round < 30; ++round) {
    std::uniform_int_distribution<int> side(4, 10);
    const std::string picture = RandomPicture(rng, side(rng), side(rng), 0.25);
    if (picture.find('.') == std::string::npos) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\n" + picture);
    const auto field = FieldOf(picture);
    std::vector<int32_t> chosen;
    for (int k = 0; k < 2; ++k) chosen.push_back(int32_t(rng() % uint32_t(field->CandidateCount())));
    const auto dark = field->DarkRemainder(chosen);
    const std::vector<TDarkSample> samples = SamplesInDark(*dark, 3);
    std::vector<int> nearCorner(dark->Contours().size(), 0), inPiece(dark->Contours().size(), 0);
    for (const TDarkSample& s : samples) {
      ASSERT_TRUE(RegionContains(*dark, s.point.x, s.point.y)) << s.point.x << ", " << s.point.y;
      ASSERT_EQ(dark->Holes()[size_t(s.piece)], 0);
      ASSERT_TRUE(ContourContains(dark->Contours()[size_t(s.piece)], s.point.x, s.point.y));
      ++inPiece[size_t(s.piece)];
      for (const gpc_vertex& v : dark->Contours()[size_t(s.piece)])
        if (std::hypot(v.x - s.point.x, v.y - s.point.y) < 0.03) {
          ++nearCorner[size_t(s.piece)];
          break;
        }
    }
    for (size_t p = 0; p < dark->Contours().size(); ++p) {
      if (dark->Holes()[p] != 0 || dark->ContourArea(int32_t(p)) <= ArtefactArea) continue;
      EXPECT_GT(inPiece[p], 0) << "piece " << p;
      EXPECT_GT(nearCorner[p], 0) << "piece " << p;
    }
  }
}

TEST(Witnesses, FractionalWitnessesAreFloorPointsLitLessThanOnce) {
  // Two rooms joined by a corridor; the optimum lights the two mouths.
  // At half a light each, floor that only one of them sees is lit half.
  const auto field = FieldOf("...######...\n"
                             "............\n"
                             "...######...\n");
  const TSolveResult optimum = Solve(*field);
  ASSERT_EQ(optimum.best.size(), 2u);
  field->PrepareRegions(optimum.best, 1, TDeadline{});
  for (const double value : {0.5, 1.0}) {
    SCOPED_TRACE("value " + std::to_string(value));
    std::vector<std::pair<int32_t, double>> solution;
    for (int32_t c : optimum.best) solution.emplace_back(c, value);
    // The model: samples on a finer grid than the function's, lit by the
    // regions themselves, well inside or outside them.
    bool shortSomewhere = false;
    for (int32_t j = 0; j < 3 * 20; ++j)
      for (int32_t i = 0; i < 12 * 20; ++i) {
        const double x = (i + 0.5) / 20, y = (j + 0.5) / 20;
        if (field->IsWallCell(int32_t(x), int32_t(y))) continue;
        double lit = 0;
        for (const auto& [c, v] : solution) {
          const TPolygon& region = field->Region(c);
          if (RegionContains(region, x, y) && DistanceToBoundary(region, x, y) > 1e-3) lit += v;
        }
        shortSomewhere = shortSomewhere || lit < 0.9;
      }
    const std::vector<TFractionalWitness> found = FractionalWitnesses(*field, solution, 50, 1, TDeadline{});
    EXPECT_EQ(!found.empty(), shortSomewhere);
    EXPECT_EQ(shortSomewhere, value < 1);
    for (size_t k = 0; k < found.size(); ++k) {
      const TFractionalWitness& w = found[k];
      EXPECT_FALSE(field->IsWallCell(int32_t(w.point.x), int32_t(w.point.y)));
      EXPECT_EQ(w.row, field->SeersOf(w.point));
      double lit = 0;
      for (const auto& [c, v] : solution)
        if (std::binary_search(w.row.begin(), w.row.end(), c)) lit += v;
      EXPECT_DOUBLE_EQ(lit, w.lit);
      EXPECT_LT(w.lit, 1.0);
      for (size_t other = 0; other < k; ++other) EXPECT_NE(found[other].row, w.row);
    }
  }
}
