// The judge's command line, run as the judges run it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CoveringSet.h"
#include "framework/TempHome.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
  int status = -1;
  std::string out;
};

TRun RunJudge(const std::string& args) {
  TRun run;
  const std::string command = std::string(GLOWMERE_JUDGE) + " " + args + " 2>judge-stderr.txt";
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

void Write(const fs::path& p, const std::string& s) {
  std::ofstream out(p, std::ios::binary);
  out << s;
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CoveringSolution() {
  std::string keys;
  int n = 0;
  for (const auto& [x, y] : ShippedCoveringSet()) {
    const std::string suffix = n == 0 ? "" : "#" + std::to_string(n);
    keys += "x" + suffix + "=" + std::to_string(x) + "\ny" + suffix + "=" + std::to_string(y) + "\n";
    ++n;
  }
  return "[/]\nvertices=" + std::to_string(n) + "\n" + keys;
}

}  // namespace

class JudgeTest : public ::testing::Test {
 protected:
  TTempHome home;
};

TEST_F(JudgeTest, JudgesAndRanksWithoutTouchingFiles) {
  Write("full.tuv-Glowmere", CoveringSolution());
  Write("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  Write("none.tuv-Glowmere", "just text\n");
  const std::string before = Read("one.tuv-Glowmere");
  const TRun plain = RunJudge("one.tuv-Glowmere full.tuv-Glowmere none.tuv-Glowmere");
  EXPECT_EQ(plain.status, 0);
  std::istringstream lines(plain.out);
  std::string a, b, c;
  std::getline(lines, a);
  std::getline(lines, b);
  std::getline(lines, c);
  EXPECT_EQ(a.substr(0, 2), "-\t") << a;
  EXPECT_NE(a.find("\tone.tuv-Glowmere"), std::string::npos);
  EXPECT_EQ(b.substr(b.find('\t') + 1), "100.0000000000\tfull.tuv-Glowmere") << b;
  EXPECT_EQ(c, "-\t-\tnone.tuv-Glowmere");
  EXPECT_EQ(Read("one.tuv-Glowmere"), before) << "judged files stay as they were";
  EXPECT_FALSE(fs::exists(fs::path(home.DataHome()) / "TUV-2009-2")) << "the user's own files are not touched";

  const TRun ranked = RunJudge("--rank one.tuv-Glowmere none.tuv-Glowmere full.tuv-Glowmere");
  EXPECT_EQ(ranked.status, 0);
  EXPECT_EQ(ranked.out.substr(ranked.out.find('\t', ranked.out.find('\t') + 1) + 1, 17), "full.tuv-Glowmere");
  // Ties keep the order given: one before none.
  EXPECT_LT(ranked.out.find("one.tuv-Glowmere"), ranked.out.find("none.tuv-Glowmere"));
}

TEST_F(JudgeTest, UnreadableFileIsReportedAndSkipped) {
  Write("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  fs::create_directory("folder.tuv-Glowmere");
  const TRun run = RunJudge("missing.tuv-Glowmere one.tuv-Glowmere folder.tuv-Glowmere");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
  const std::string err = Read("judge-stderr.txt");
  EXPECT_NE(err.find("missing.tuv-Glowmere"), std::string::npos);
  EXPECT_NE(err.find("folder.tuv-Glowmere"), std::string::npos);
}
