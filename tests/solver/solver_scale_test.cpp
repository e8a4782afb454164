// Larger generated levels, briefly: the library's first LP solve on a
// program of their size, a library that fails, and the time limit. (How
// fast the solver is at scale is for bench/solve-scale.sh.)
#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "game/GameFixture.h"
#include "solver/CoverReduction.h"
#include "solver/SolveCommand.h"
#include "solver/Witnesses.h"
#include "solver_support.h"
#include "tools/random_level/RandomLevel.h"

namespace {

class TFailingProgram : public TCoverProgram {
 public:
  TCoverAnswer Solve(const TCoverProblem& problem) override {
    TCoverAnswer answer;
    answer.lowerBound = problem.atLeast;
    answer.failed = true;
    answer.failure = "failed on purpose";
    return answer;
  }
};

}  // namespace

TEST(SolverScale, TheLibrarysFirstLpSolveOfALargeProgramDoesNotCrash) {
  // The witness rows of this level's whole floor, reduced: 1527 rows and
  // 2312 columns. Left to choose its first LP method, Debian's CBC 2.10.8
  // crashed on it within a second (signal 11 in its crossover).
  const auto field = FieldOf(RandomLevelText(80, 52, 2));
  TCoverProblem problem;
  problem.columns = field->CandidateCount();
  ASSERT_TRUE(field->SeersOf(FirstWitnesses(*field), 1, TDeadline{}, problem.rows));
  TCoverProblem reduced = ReduceCover(problem).problem;
  // It is solved in about a second; the limit only allows for a slow
  // (sanitizer) build on a busy machine, where 5 s ran out.
  reduced.timeLimit = 60;
  const TCoverAnswer answer = MakeCbcCoverProgram()->Solve(reduced);
  EXPECT_FALSE(answer.failed) << answer.failure;
  EXPECT_EQ(answer.failure, "") << "the first try failed";
  EXPECT_GT(answer.lowerBound, 0);
}

TEST(SolverScale, AFailingLibraryLeavesTheBestFullCoverAndASoundBound) {
  const auto field = FieldOf(ShippedMapText());
  TFailingProgram program;
  const TSolveResult result = SolveFewestLights(*field, program, TSolveOptions{}, nullptr);
  ASSERT_TRUE(result.failed);
  EXPECT_EQ(result.failure, "failed on purpose");
  EXPECT_TRUE(field->LightsWholeFloor(result.best));
  EXPECT_LE(result.lowerBound, 22);
  EXPECT_GE(int(result.best.size()), 22);
}

class SolveScaleCommand : public GameTest {};

TEST_F(SolveScaleCommand, ALargeLevelEndsWithinItsTimeLimit) {
  WriteFile("large.txt", RandomLevelText(200, 200, 1));
  const auto began = std::chrono::steady_clock::now();
  const TRun run = RunCommand(std::string(GLOWMERE_SOLVE) + " --map large.txt --time-limit 3 --out large.tuv-Glowmere");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(std::regex_match(run.out, std::regex("best [0-9]+, lower bound [0-9]+\n"))) << run.out;
  // Loosely: the exact overrun is measured by the benchmark. This allows
  // for a busy machine and for starting the program.
  EXPECT_LT(seconds, 3 * 1.05 + 3) << run.err;
}
