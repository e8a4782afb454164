// The solver's optimum on maps whose optimum is known: drawn ones with a
// proof in their comment, and random ones against the brute-force minimum.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/levelmap_support.h"
#include "solver/RectangleCover.h"
#include "solver_support.h"

namespace {

void ExpectOptimum(const std::string& picture, int expected) {
  const auto field = FieldOf(picture);
  const TSolveResult result = Solve(*field);
  EXPECT_TRUE(result.proved) << picture;
  EXPECT_EQ(int(result.best.size()), expected) << picture;
  EXPECT_EQ(result.lowerBound, expected) << picture;
  EXPECT_TRUE(field->LightsWholeFloor(result.best)) << picture;
}

}  // namespace

TEST(SolverOptima, DrawnMapsWithKnownOptima) {
  // An open room: any light sees all of it.
  ExpectOptimum("......\n"
                "......\n"
                "......\n",
                1);
  // Two rooms joined by a long corridor: a light sees at most one room's
  // far corners (the corridor's mouth hides the other room), and lights at
  // the corridor's two mouths see everything.
  ExpectOptimum("...######...\n"
                "............\n"
                "...######...\n",
                2);
  // A comb of four pockets two cells deep: the bottom middle of pocket c
  // is seen only from x in [c - 1/4, c + 5/4] on the top row, or from
  // inside the pocket, so no light sees two of them; a light at the top
  // of each pocket sees the row and its pocket.
  ExpectOptimum(".......\n"
                ".#.#.#.\n"
                ".#.#.#.\n",
                4);
}

TEST(SolverOptima, OnlyAWallCornerSeesBothRooms) {
  // The points that see both rooms are the segment from (1,2) to (2,2),
  // where the rooms meet; its grid points are both corners of a wall.
  const auto field = FieldOf("..#\n"
                             "..#\n"
                             "#..\n"
                             "#..\n");
  const TSolveResult result = Solve(*field);
  ASSERT_TRUE(result.proved);
  ASSERT_EQ(result.best.size(), 1u);
  const TCandidate& light = field->Candidates()[size_t(result.best[0])];
  EXPECT_EQ(light.gridY, 2);
  EXPECT_TRUE(light.gridX == 1 || light.gridX == 2) << light.gridX;
}

TEST(SolverOptima, RandomMapsMatchTheBruteForceMinimum) {
  const unsigned seed = 20090213;
  std::mt19937 rng(seed);
  for (int round = 0; round < 16; ++round) {
    std::uniform_int_distribution<int> side(4, 6);
    const std::string picture = RandomPicture(rng, side(rng), side(rng), 0.3);
    if (picture.find('.') == std::string::npos) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\n" + picture);
    const auto field = FieldOf(picture);
    const int minimum = BruteForceMinimum(*field, 3);
    if (minimum < 0) continue;  // too many lights for the brute force
    // No bound along the way passes the minimum: neither the lower bound
    // (from the LP, the Lagrangian steps, fixing and the programs) nor the
    // LP's value.
    const TSolveResult result = Solve(*field, [&](const TSolveProgress& p) {
      EXPECT_LE(p.lowerBound, minimum) << "iteration " << p.iteration;
      if (p.fractional) {
        EXPECT_LE(*p.fractional, minimum + 1e-9) << "iteration " << p.iteration;
      }
    });
    EXPECT_TRUE(result.proved);
    EXPECT_EQ(int(result.best.size()), minimum);
    EXPECT_LE(result.lowerBound, minimum);
    EXPECT_TRUE(field->LightsWholeFloor(result.best));
  }
}

TEST(SolverOptima, TheSearchStopsWhereDarknessIsTooThinForAWitness) {
  // With a seeing slack of a tenth of a cell, a light counts as seeing a
  // witness it misses by a little, and a choice that leaves only slivers
  // that thin dark meets every witness that can go there. The search must
  // say so and stop with a full best cover and a bound that still holds.
  const std::string picture = ".....\n"
                              ".#.#.\n"
                              "...#.\n";
  const auto field = FieldOf(picture, 0.1);
  const TSolveResult result = Solve(*field);
  EXPECT_TRUE(result.stalled);
  EXPECT_FALSE(result.proved);
  EXPECT_TRUE(field->LightsWholeFloor(result.best));
  const int minimum = BruteForceMinimum(*field, 3);
  ASSERT_GT(minimum, 0);
  EXPECT_LE(result.lowerBound, minimum);
  EXPECT_GE(int(result.best.size()), minimum);
}

TEST(SolverOptima, ARunOutOfTimeBeforeAnyCoverEndsWithTheRectangleCover) {
  // A rectangle of free cells is convex and holds no wall, so a light on
  // its corner lights all of it: one light per rectangle of the tiling is
  // full, on any map, walls at the border and diagonal seams included.
  const unsigned seed = 2604;
  std::mt19937 rng(seed);
  for (int round = 0; round < 20; ++round) {
    std::uniform_int_distribution<int> side(2, 9);
    const std::string picture = RandomPicture(rng, side(rng), side(rng), 0.4);
    if (picture.find('.') == std::string::npos) continue;
    SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\n" + picture);
    const auto field = FieldOf(picture);
    const std::vector<int32_t> cover = RectangleCover(*field);
    EXPECT_TRUE(std::is_sorted(cover.begin(), cover.end()));
    EXPECT_TRUE(field->LightsWholeFloor(cover));
    // With no time at all the search has no cover of its own.
    auto ip = MakeCbcCoverProgram();
    TSolveOptions options;
    options.timeLimit = 0;
    const TSolveResult result = SolveFewestLights(*field, *ip, options, nullptr);
    EXPECT_TRUE(result.makeshift);
    EXPECT_FALSE(result.proved);
    EXPECT_EQ(result.best, cover);
    EXPECT_FALSE(result.litPercent) << "the makeshift cover is full by construction, not measured";
    EXPECT_EQ(result.lowerBound, 0);
  }
}
