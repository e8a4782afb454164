// The solver's machine lines as the editor reads them: every figure and
// point of a progress line, the two result lines, damaged lines refused
// whole, unknown words skipped; an edit drops the witnesses near it.
#include <gtest/gtest.h>

#include "editor/SolveProtocol.h"

namespace {

std::vector<std::pair<double, double>> Pairs(const std::vector<gpc_vertex>& points) {
  std::vector<std::pair<double, double>> pairs;
  for (const gpc_vertex& p : points) pairs.emplace_back(p.x, p.y);
  return pairs;
}

TEST(SolveProtocol, ReadsEveryPartOfAProgressLine) {
  const auto line = ParseProgressLine(
      "progress bound=16 best=17 proved=0 elapsed=1.25 lights=0,0;59,38;7,12 independent=0.5,0.25;3.0000000000000004,1e-3");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->figures, (TSolveFigures{16, 17, false}));
  EXPECT_DOUBLE_EQ(line->elapsed, 1.25);
  EXPECT_EQ(line->lights, (std::vector<TGridPoint>{{0, 0}, {59, 38}, {7, 12}}));
  ASSERT_EQ(line->independent.size(), 2u);
  EXPECT_EQ(Pairs(line->independent)[1], std::make_pair(3.0000000000000004, 0.001));

  const auto empty = ParseProgressLine("progress bound=0 best=3 proved=0 elapsed=0 lights= independent= later=words\r");
  ASSERT_TRUE(empty) << "empty lists, a word of a later solver, a CR";
  EXPECT_TRUE(empty->lights.empty());
  EXPECT_TRUE(ParseProgressLine("progress best=2 bound=2 proved=1")->figures.proved);
}

TEST(SolveProtocol, ADamagedLineIsRefusedWhole) {
  for (const char* line : {"", "iteration 3: 5 witnesses", "progress bound=16 best=17", "progress bound=x best=17 proved=0",
                           "progress bound=16 best=17 proved=2", "progress bound=1 best=1 proved=1 lights=3,",
                           "progress bound=1 best=1 proved=1 lights=3;4", "progress bound=1 best=1 proved=1 independent=a,b"})
    EXPECT_FALSE(ParseProgressLine(line)) << line;
}

TEST(SolveProtocol, ReadsBothResultLines) {
  EXPECT_EQ(ParseResultLine("optimum 22"), (TSolveFigures{22, 22, true}));
  EXPECT_EQ(ParseResultLine("best 23, lower bound 21"), (TSolveFigures{21, 23, false}));
  EXPECT_FALSE(ParseResultLine("best 23 lower bound 21"));
  EXPECT_FALSE(ParseResultLine("progress bound=1 best=1 proved=1"));
}

TEST(SolveProtocol, AnEditDropsTheWitnessesWithinACellOfIt) {
  const std::vector<gpc_vertex> points{{0.1, 2.0 / 3}, {10, 10}, {12.5, 3.25}, {13.5, 9}, {9, 12.0}};
  // Cells 10..11 x 10 changed: the points within a cell of them go.
  EXPECT_EQ(Pairs(WitnessesAwayFrom(points, {10, 10, 12, 11})),
            (std::vector<std::pair<double, double>>{{0.1, 2.0 / 3}, {12.5, 3.25}, {13.5, 9}}));
  EXPECT_EQ(Pairs(WitnessesAwayFrom(points, {})), Pairs(points));
}

}  // namespace
