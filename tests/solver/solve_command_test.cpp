// glowmere-solve as a user runs it: its output, its refusals, and its
// solution file in the real game window and in the judge.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "game/GameFixture.h"
#include "solver_support.h"
#include "support/HostileFiles.h"
#include "tools/random_level/RandomLevel.h"

namespace fs = std::filesystem;

namespace {

std::string Solver(const std::string& args) { return std::string(GLOWMERE_SOLVE) + " " + args; }

}  // namespace

class SolveCommand : public GameTest {};

TEST_F(SolveCommand, BadMapsAreRefusedAndNothingIsWritten) {
  // Every refusal of the map reader is tested with it (engine); here the
  // front's part: status 2, the file named, nothing written.
  WriteFile("bad.txt", "....\n..x.\n");
  const TRun run = RunCommand(Solver("--map bad.txt --out out.tuv-Glowmere"));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "glowmere-solve: bad.txt: row 2, column 3: 'x' is neither a wall '#' nor floor '.'\n");
  EXPECT_FALSE(fs::exists("out.tuv-Glowmere"));
  const TRun missing = RunCommand(Solver("--map missing.txt --out out.tuv-Glowmere"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "glowmere-solve: cannot read the map missing.txt: no such file\n");
  {
    const TUnwrittenPipe pipe("pipe.txt");
    const TRun piped = RunCommand("timeout 20 " + Solver("--map pipe.txt --out out.tuv-Glowmere"));
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.err, "glowmere-solve: cannot read the map pipe.txt: a named pipe, not a regular file\n");
  }
  for (const std::string args : {"--threads 0", "--ip cbc", "--time-limit -1", "--time-limit soon", "extra"}) {
    const TRun run = RunCommand(Solver(args + " --out out.tuv-Glowmere"));
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_FALSE(fs::exists("out.tuv-Glowmere")) << args;
  }
}

// What a designer may mistype: the solution's file named as the map (or a
// link to it), a name that is no UTF-8; each as the user meant it.
TEST_F(SolveCommand, TheMapIsNeverOverwrittenAndNamesAreKeptAsBytes) {
  const std::string map = "...######...\n............\n...######...\n";
  WriteFile("rooms.txt", map);
  fs::create_symlink("rooms.txt", "link.txt");
  for (const std::string out : {"rooms.txt", "./rooms.txt", "link.txt"}) {
    const TRun run = RunCommand(Solver("--map rooms.txt --out " + out));
    EXPECT_EQ(run.status, 2) << out;
    EXPECT_EQ(run.err, "glowmere-solve: --out " + out + " is the map itself; the solution needs a file of its own\n");
    EXPECT_EQ(ReadFile("rooms.txt"), map) << out;
  }
  const std::string latin = "rooms\xe9.tuv-Glowmere";
  const TRun run = RunCommand(Solver("--map rooms.txt --out '" + latin + "'"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(latin)) << "the very bytes given";
  WriteFile("map\xe9.txt", map);
  EXPECT_EQ(RunCommand(Solver("--map 'map\xe9.txt'")).status, 0);
}

// glowmere-random-level says its limits with the usage, and takes no seed
// that it would have to change.
TEST(RandomLevelCommand, UsageNamesTheLimitsAndOddSeedsAreRefused) {
  const std::string program = GLOWMERE_RANDOM_LEVEL;
  const TRun few = RunCommand(program + " 1 1");
  EXPECT_EQ(few.status, 2);
  EXPECT_NE(few.err.find("from 1 to 4096"), std::string::npos) << few.err;
  EXPECT_NE(few.err.find("18446744073709551615"), std::string::npos) << few.err;
  for (const std::string seed : {"99999999999999999999", "-1", "+5", "' 7'", "''", "1e3", "0x10"}) {
    const TRun run = RunCommand(program + " 20 10 " + seed);
    EXPECT_EQ(run.status, 2) << seed;
    EXPECT_EQ(run.out, "") << seed;
  }
  for (const std::string size : {"0 5", "4097 5", "-3 5", "5 ten"}) EXPECT_EQ(RunCommand(program + " " + size + " 1").status, 2) << size;
  const TRun largest = RunCommand(program + " 20 10 18446744073709551615");
  EXPECT_EQ(largest.status, 0);
  EXPECT_EQ(largest.out.size(), 21u * 10u);
}

TEST_F(SolveCommand, ProvesASmallMapAndWritesTheGamesSolutionFile) {
  WriteFile("rooms.txt", "...######...\n............\n...######...\n");
  const TRun run = RunCommand(Solver("--map rooms.txt --out rooms.tuv-Glowmere"));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "optimum 2\n");
  EXPECT_TRUE(std::regex_search(
      run.err, std::regex("iteration [0-9]+: [0-9]+ witnesses, lower bound 2, best 2, LP ([0-9]+\\.[0-9]{4}|-), "
                          "alive ([0-9]+|-), dark [0-9.]+, [0-9.]+ s")))
      << run.err;
  const std::string file = ReadFile("rooms.tuv-Glowmere");
  EXPECT_EQ(file.substr(0, 28), "[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nver") << file;
  EXPECT_NE(file.find("vertices=2\r\nx="), std::string::npos) << file;
  EXPECT_NE(file.find("y#1="), std::string::npos) << file;

  // The judge reads the same map by the same rules: the cover is full with
  // its count, one light fewer is not.
  const std::string judge = std::string(GLOWMERE_JUDGE) + " --map rooms.txt ";
  EXPECT_EQ(RunCommand(judge + "rooms.tuv-Glowmere").out, "2\t100.0000000000\trooms.tuv-Glowmere\n");
  std::string fewer = file;
  fewer.replace(fewer.find("vertices=2"), 10, "vertices=1");
  WriteFile("fewer.tuv-Glowmere", fewer);
  const TRun judged = RunCommand(judge + "fewer.tuv-Glowmere");
  EXPECT_EQ(judged.out.substr(0, 2), "-\t") << judged.out;
  EXPECT_NE(judged.err.find("fewer.tuv-Glowmere: 1 light leaves "), std::string::npos) << judged.err;
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
  // A slow build (the sanitizers, a busy machine) may spend the two
  // seconds before the first cover: then the rectangle cover stands, with
  // no progress line and no bound.
  const size_t last = run.err.rfind("iteration ");
  if (last == std::string::npos && run.err.find("the time ran out before the search found a cover") != std::string::npos) {
    EXPECT_EQ(bound, 0) << run.err;
    return;
  }
  // Nothing starts after the limit: the last progress line comes from
  // work that the limit cut short, or from before it.
  ASSERT_NE(last, std::string::npos) << run.err;
  std::smatch line;
  const std::string tail = run.err.substr(last);
  ASSERT_TRUE(std::regex_search(tail, line, std::regex(", ([0-9.]+) s \\("))) << tail;
  EXPECT_LT(std::stod(line[1]), 2.0 + 30.0) << tail;
}

TEST_F(SolveCommand, TakesTheMapOnStandardInputAndTalksToAProgramLineByLine) {
  WriteFile("rooms.txt", "...######...\n............\n...######...\n");
  const TRun run = RunCommand(Solver("--map - --machine --witnesses-out known.txt < rooms.txt"));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::regex line("progress bound=([0-9]+) best=([0-9]+) proved=([01]) elapsed=[0-9]+\\.[0-9]{3} "
                        "lights=((-?[0-9]+,-?[0-9]+)(;-?[0-9]+,-?[0-9]+)*)? "
                        "independent=(([-0-9.e]+,[-0-9.e]+)(;[-0-9.e]+,[-0-9.e]+)*)?\n");
  std::vector<std::smatch> lines;
  for (auto it = std::sregex_iterator(run.out.begin(), run.out.end(), line); it != std::sregex_iterator(); ++it)
    lines.push_back(*it);
  ASSERT_FALSE(lines.empty()) << run.out;
  const std::smatch& last = lines.back();
  EXPECT_EQ(last[3], "1");
  EXPECT_EQ(last[1], "2");
  const std::string lights = last[4];
  EXPECT_EQ(std::count(lights.begin(), lights.end(), ';'), 1) << lights;
  EXPECT_EQ(run.out.substr(run.out.size() - 10), "optimum 2\n") << run.out;
  // Every line has its place: the progress lines, then the result.
  size_t matched = 0;
  for (const std::smatch& m : lines) matched += size_t(m.length());
  EXPECT_EQ(matched + 10, run.out.size()) << run.out;

  // The witnesses it knew start the next solve, with its cover.
  ASSERT_TRUE(fs::exists("known.txt"));
  ASSERT_EQ(RunCommand(Solver("--map rooms.txt --out best.tuv-Glowmere")).status, 0);
  const TRun again = RunCommand(Solver("--map rooms.txt --start best.tuv-Glowmere --witnesses known.txt"));
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "optimum 2\n");

  WriteFile("bad-witnesses.txt", "1 2\n3 x\n");
  const TRun bad = RunCommand(Solver("--map rooms.txt --witnesses bad-witnesses.txt --out never.tuv-Glowmere"));
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "glowmere-solve: --witnesses: bad-witnesses.txt: line 2 is not two numbers \"x y\"\n");
  EXPECT_EQ(RunCommand(Solver("--map rooms.txt --start missing.tuv-Glowmere")).status, 2);
  WriteFile("wide.txt", std::string(201, '.') + "\n");
  const TRun wide = RunCommand(Solver("--map - --out never.tuv-Glowmere < wide.txt"));
  EXPECT_EQ(wide.status, 2);
  EXPECT_EQ(wide.err.rfind("glowmere-solve: standard input: row 1 has 201 cells", 0), 0u) << wide.err;
  EXPECT_FALSE(fs::exists("never.tuv-Glowmere"));
}

TEST_F(SolveCommand, ASignalStopsTheRunWhichKeepsItsBestAndLeavesNoChildBehind) {
  WriteFile("large.txt", RandomLevelText(100, 65, 1));
  // SIGTERM once the first round is reported: the best so far, full, is
  // written, and the run ends as at its time limit.
  const std::string solve = Solver("--map large.txt --out stopped.tuv-Glowmere --witnesses-out known.txt");
  const TRun stopped = RunCommand("(" + solve + " 2>progress.txt & pid=$!; "
                                  "until grep -q '^iteration' progress.txt; do sleep 0.05; done; "
                                  "kill -TERM $pid; wait $pid; echo status $?)");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(stopped.out, m, std::regex("best ([0-9]+), lower bound ([0-9]+)\nstatus 0\n")))
      << stopped.out << ReadFile("progress.txt");
  EXPECT_NE(ReadFile("progress.txt").find("stopped on request"), std::string::npos);
  const TRun judged = RunCommand(std::string(GLOWMERE_JUDGE) + " --map large.txt stopped.tuv-Glowmere");
  EXPECT_EQ(judged.out, std::string(m[1]) + "\t100.0000000000\tstopped.tuv-Glowmere\n") << judged.err;
  EXPECT_FALSE(ReadFile("known.txt").empty());

  // SIGKILL while a library child works: the child goes with it.
  const TRun killed = RunCommand("(" + Solver("--map large.txt") + " 2>/dev/null >/dev/null & pid=$!; "
                                 "child=; until [ -n \"$child\" ]; do child=$(pgrep -P $pid); sleep 0.02; done; "
                                 "kill -KILL $pid; wait $pid; "
                                 "for i in $(seq 100); do kill -0 $child 2>/dev/null || break; sleep 0.05; done; "
                                 "kill -0 $child 2>/dev/null && echo alive || echo gone)");
  EXPECT_EQ(killed.out, "gone\n");
}
