// glowmere-solve as a user runs it: its output, its refusals, and its
// solution file in the real game window and in the judge.
#include <gtest/gtest.h>

#include <regex>

#include "game/GameFixture.h"
#include "solver_support.h"

namespace fs = std::filesystem;

namespace {

std::string Solver(const std::string& args) { return std::string(GLOWMERE_SOLVE) + " " + args; }

}  // namespace

class SolveCommand : public GameTest {};

TEST_F(SolveCommand, BadMapsAreRefusedAndNothingIsWritten) {
  const std::string wide(201, '.');
  std::string tall;
  for (int i = 0; i < 201; ++i) tall += "..\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"....\n..x.\n", "row 2, column 3: 'x' is neither a wall '#' nor floor '.'"},
      {"....\n...\n", "row 2 has 3 cells, row 1 has 4"},
      {"....\n\n....\n", "row 2 is empty"},
      {"", "the map is empty"},
      {wide + "\n", "row 1 has 201 cells; at most 200 x 200 cells"},
      {tall, "more than 200 rows"},
      {"###\n###\n", "the map has no floor"},
  };
  for (const auto& [picture, message] : cases) {
    SCOPED_TRACE(message);
    WriteFile("bad.txt", picture);
    const TRun run = RunCommand(Solver("--map bad.txt --out out.tuv-Glowmere"));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("bad.txt: " + message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists("out.tuv-Glowmere"));
  }
  const TRun missing = RunCommand(Solver("--map missing.txt --out out.tuv-Glowmere"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot read the map missing.txt"), std::string::npos) << missing.err;
  for (const std::string args : {"--threads 0", "--ip cbc", "--time-limit -1", "--time-limit soon", "extra"}) {
    const TRun run = RunCommand(Solver(args + " --out out.tuv-Glowmere"));
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_FALSE(fs::exists("out.tuv-Glowmere")) << args;
  }
}

TEST_F(SolveCommand, ProvesASmallMapAndWritesTheGamesSolutionFile) {
  WriteFile("rooms.txt", "...######...\n............\n...######...\n");
  const TRun run = RunCommand(Solver("--map rooms.txt --out rooms.tuv-Glowmere"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "optimum 2\n");
  EXPECT_TRUE(std::regex_search(run.err, std::regex("iteration [0-9]+: [0-9]+ witnesses, lower bound 2, best 2, dark [0-9.]+, [0-9.]+ s")))
      << run.err;
  const std::string file = ReadFile("rooms.tuv-Glowmere");
  EXPECT_EQ(file.substr(0, 28), "[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nver") << file;
  EXPECT_NE(file.find("vertices=2\r\nx="), std::string::npos) << file;
  EXPECT_NE(file.find("y#1="), std::string::npos) << file;
}

TEST_F(SolveCommand, TheBestCoverAtTheTimeLimitIsFullInTheWindowAndTheJudge) {
  // A limit of 0 stops before the first integer program: the greedy cover.
  const TRun run = RunCommand(Solver("--time-limit 0 --out greedy.tuv-Glowmere"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(run.out, m, std::regex("best ([0-9]+), lower bound 0\n"))) << run.out;
  const int n = std::stoi(m[1]);
  EXPECT_GT(n, 0);

  OpenWindow();
  chosenFile = (fs::current_path() / "greedy.tuv-Glowmere").string();
  window->btLoadClick();
  EXPECT_EQ(window->lights.Count(), n);
  EXPECT_EQ(window->recordPoints, n) << "a full field becomes the record";
  EXPECT_GE(window->litPercent, 99.9999999999L);
  EXPECT_LT(window->litPercent, 100.0000000001L);

  const TRun judged = RunCommand(std::string(GLOWMERE_JUDGE) + " greedy.tuv-Glowmere");
  EXPECT_EQ(judged.out, std::to_string(n) + "\t100.0000000000\tgreedy.tuv-Glowmere\n");
}

TEST_F(SolveCommand, AShortTimeLimitEndsWithASaneBestAndLowerBound) {
  const TRun run = RunCommand(Solver("--time-limit 2"));
  ASSERT_EQ(run.status, 0) << run.err;
  std::smatch m;
  if (run.out == "optimum 22\n") return;  // a machine fast enough for the proof
  ASSERT_TRUE(std::regex_match(run.out, m, std::regex("best ([0-9]+), lower bound ([0-9]+)\n"))) << run.out;
  const int best = std::stoi(m[1]), bound = std::stoi(m[2]);
  EXPECT_LE(bound, 22);
  EXPECT_GE(best, 22);
  // Nothing starts after the limit: the last progress line comes from
  // work that the limit cut short, or from before it.
  const size_t last = run.err.rfind("iteration ");
  ASSERT_NE(last, std::string::npos) << run.err;
  std::smatch line;
  const std::string tail = run.err.substr(last);
  ASSERT_TRUE(std::regex_search(tail, line, std::regex(", ([0-9.]+) s \\("))) << tail;
  EXPECT_LT(std::stod(line[1]), 2.0 + 30.0) << tail;
}
