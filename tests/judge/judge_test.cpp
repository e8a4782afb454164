// The judge's command line, run as the judges run it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "JudgeRun.h"
#include "support/CommaLocale.h"
#include "support/CoveringSet.h"

namespace fs = std::filesystem;

TEST_F(JudgeTest, JudgesAndRanksWithoutTouchingFiles) {
  WriteFile("full.tuv-Glowmere", SolutionText(ShippedCoveringSet()));
  WriteFile("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  WriteFile("none.tuv-Glowmere", "just text\n");
  const std::string before = ReadFile("one.tuv-Glowmere");
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
  EXPECT_EQ(ReadFile("one.tuv-Glowmere"), before) << "judged files stay as they were";
  EXPECT_EQ(plain.err,
            "glowmere-judge: one.tuv-Glowmere: 1 light leaves 1312.0854166667 square cells dark in 1 piece\n"
            "glowmere-judge: none.tuv-Glowmere: no solution: no \"vertices\" in it\n")
      << "a full cover gets no remark";
  EXPECT_FALSE(fs::exists(fs::path(home.DataHome()) / "TUV-2009-2")) << "the user's own files are not touched";

  const TRun ranked = RunJudge("--rank one.tuv-Glowmere none.tuv-Glowmere full.tuv-Glowmere");
  EXPECT_EQ(ranked.status, 0);
  EXPECT_EQ(ranked.out.substr(ranked.out.find('\t', ranked.out.find('\t') + 1) + 1, 17), "full.tuv-Glowmere");
  // Ties keep the order given: one before none.
  EXPECT_LT(ranked.out.find("one.tuv-Glowmere"), ranked.out.find("none.tuv-Glowmere"));
}

TEST_F(JudgeTest, UnreadableFileIsReportedAndSkipped) {
  WriteFile("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  fs::create_directory("folder.tuv-Glowmere");
  const TRun run = RunJudge("missing.tuv-Glowmere one.tuv-Glowmere folder.tuv-Glowmere");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
  const std::string& err = run.err;
  EXPECT_NE(err.find("missing.tuv-Glowmere"), std::string::npos);
  EXPECT_NE(err.find("folder.tuv-Glowmere"), std::string::npos);
}

// Far lights add floor that the cover lights already: judged by the count,
// never as over-lit, and ranked behind the honest cover; each is named as
// off the field, and by the statement's rules such a file lights nothing.
TEST_F(JudgeTest, FullCoverPlusFarLightsRanksByItsCount) {
  auto cover = ShippedCoveringSet();
  auto plusOne = cover;
  plusOne.emplace_back(-61, 2147483647);
  auto plusAll = cover;
  for (const auto& p : FarLights()) plusAll.push_back(p);
  WriteFile("cover.tuv-Glowmere", SolutionText(cover));
  WriteFile("plus-one.tuv-Glowmere", SolutionText(plusOne));
  WriteFile("plus-all.tuv-Glowmere", SolutionText(plusAll));
  const TRun run = RunJudge("--rank plus-all.tuv-Glowmere plus-one.tuv-Glowmere cover.tuv-Glowmere");
  EXPECT_EQ(run.status, 0);
  const std::string full = "\t100.0000000000\t";
  EXPECT_EQ(Lines(run.out), (std::vector<std::string>{std::to_string(cover.size()) + full + "cover.tuv-Glowmere",
                                                      std::to_string(plusOne.size()) + full + "plus-one.tuv-Glowmere",
                                                      std::to_string(plusAll.size()) + full + "plus-all.tuv-Glowmere"}));
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), long(plusAll.size() - cover.size() + 1)) << run.err;
  EXPECT_NE(run.err.find("plus-one.tuv-Glowmere: light 32 (x#31, y#31) at (-61, 2147483647) stands off the field "
                         "(0..60, 0..39)\n"),
            std::string::npos)
      << run.err;

  const TRun strict = RunJudge("--strict --rank plus-all.tuv-Glowmere plus-one.tuv-Glowmere cover.tuv-Glowmere");
  EXPECT_EQ(Lines(strict.out), (std::vector<std::string>{std::to_string(cover.size()) + full + "cover.tuv-Glowmere",
                                                         "-" + full + "plus-all.tuv-Glowmere",
                                                         "-" + full + "plus-one.tuv-Glowmere"}));
}

// Under a decimal-comma locale, with no runtime folder given, the share
// keeps its point, standard error holds only the remark and the temporary
// folder stays clean; without a home or a temporary folder it judges the
// same.
TEST_F(JudgeTest, OutputIsLocaleFreeAndLeavesNothingBehind) {
  const std::string comma = CommaLocaleEnvironment();
  ASSERT_FALSE(comma.empty()) << "localedef could not build ru_RU.UTF-8 (install `locales`)";
  ASSERT_EQ(RunCommand(comma + " /usr/bin/printf %.1f 0.5").out, "0,5") << "a program started so writes commas";
  const std::string tmp = home.MakeFolder("tmp");
  WriteFile("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  const TRun run = RunJudge("one.tuv-Glowmere", "env -u XDG_RUNTIME_DIR " + comma + " TMPDIR='" + tmp + "'");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1u) << run.out;
  const std::string share = lines[0].substr(2, lines[0].rfind('\t') - 2);
  EXPECT_EQ(share.find(','), std::string::npos) << lines[0];
  EXPECT_EQ(share.size() - share.find('.'), 11u) << "ten decimals after a point: " << lines[0];
  EXPECT_EQ(run.err, "glowmere-judge: one.tuv-Glowmere: 1 light leaves 1312.0854166667 square cells dark in 1 piece\n");
  EXPECT_TRUE(fs::is_empty(tmp)) << "the judge makes no temporary folder, Qt's runtime folder included";

  // It needs no home and no temporary folder at all: it writes nothing.
  const TRun homeless = RunJudge("one.tuv-Glowmere", "HOME=/nonexistent TMPDIR=/nonexistent XDG_RUNTIME_DIR=/nonexistent");
  EXPECT_EQ(homeless.status, 0);
  EXPECT_EQ(homeless.out, run.out);
  EXPECT_EQ(homeless.err, run.err);
}

// The organiser's hand-made files: each gets its remark on standard error,
// and with --strict a file that breaks the statement's rules gets "-".
TEST_F(JudgeTest, HandMadeFilesGetTheirRemarksAndStrictVerdicts) {
  const auto cover = ShippedCoveringSet();  // (38, 9) is light 1
  auto plus = [&cover](std::pair<int, int> extra, size_t times) {
    auto lights = cover;
    lights.insert(lights.end(), times, extra);
    return SolutionText(lights);
  };
  const std::string n = std::to_string(cover.size() + 1);
  struct TCase {
    std::string name, text, remark, verdict, strictVerdict;
  };
  const std::vector<TCase> cases = {
      {"empty", "", "no solution: the file is empty", "-", "-"},
      {"binary", std::string("\x01\0\xFF=[/]", 7), "no solution: no \"vertices\"; the file holds binary data", "-", "-"},
      {"words", "[/]\nvertices=two\n", "no solution: \"vertices\" is \"two\", not a whole number of 32 bits", "-", "-"},
      {"many", "[/]\nvertices=2441\n",
       "no solution: \"vertices\" is 2441, more than the 2440 grid points of the field", "-", "-"},
      {"off", plus({1000, -5}, 1), "light " + n + " (x#31, y#31) at (1000, -5) stands off the field (0..60, 0..39)", n,
       "-"},
      {"walled", plus({20, 0}, 1), "light " + n + " (x#31, y#31) at (20, 0) stands on a grid point walled in on all four sides",
       n, "-"},
      {"stacked", plus({38, 9}, 4), "light 35 (x#34, y#34) at (38, 9) stands on the grid point of light 1", "35", "-"},
      {"level", "[/etc/]\nlevel=1\n" + SolutionText(cover), "level 1, not the task's level 2",
       std::to_string(cover.size()), "-"},
      {"part", SolutionText({cover.begin(), cover.begin() + 3}), "3 lights leave ", "-", "-"},
  };
  std::string files;
  for (const TCase& c : cases) {
    WriteFile(c.name + ".tuv-Glowmere", c.text);
    files += " " + c.name + ".tuv-Glowmere";
  }
  for (const bool strict : {false, true}) {
    const TRun run = RunJudge((strict ? "--strict" : "") + files);
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), cases.size()) << run.out;
    for (size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(cases[i].name + (strict ? " --strict" : ""));
      EXPECT_EQ(lines[i].substr(0, lines[i].find('\t')), strict ? cases[i].strictVerdict : cases[i].verdict);
      EXPECT_NE(run.err.find("glowmere-judge: " + cases[i].name + ".tuv-Glowmere: " + cases[i].remark),
                std::string::npos)
          << run.err;
    }
  }
}

TEST_F(JudgeTest, HelpDescribesColumnsAndStatuses) {
  const TRun run = RunJudge("--help");
  EXPECT_EQ(run.status, 0);
  for (const char* word : {"--rank", "--strict", "--picture", "--map", "VERDICT", "SHARE", "21", "Exit status",
                           "1 a file could not be read", "dark pieces"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  EXPECT_EQ(RunJudge("--no-such-option x.tuv-Glowmere").status, 2);
  EXPECT_EQ(RunJudge("").status, 2);
  WriteFile("ragged.txt", "...\n..\n");
  const TRun refused = RunJudge("--map ragged.txt x.tuv-Glowmere");
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err, "glowmere-judge: ragged.txt: row 2 has 2 cells, row 1 has 3\n");
}
