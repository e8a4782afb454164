// The judge as a hostile or careless organiser runs it: a page name that
// would replace a participant's file, files that are no files or far too
// large, coordinates that are no whole numbers, names that are no UTF-8 or
// hold control characters, pictures of equal names, and dark pieces that
// meet at a point. Each is said in one line; nothing is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "JudgeRun.h"
#include "support/CoveringSet.h"
#include "support/FileStamp.h"
#include "support/HostileFiles.h"

namespace fs = std::filesystem;

namespace {

// The judge killed where it would wait on a pipe: a hang fails the test.
TRun RunJudgeBounded(const std::string& args) { return RunJudge(args, "timeout 60"); }

class JudgeFaults : public JudgeTest {};

}  // namespace

// "--report *.tuv-Glowmere": the first solution would become the page.
// Refused with status 2 before anything is read or written; so is a page
// that is one of the files under another name.
TEST_F(JudgeFaults, APageNameThatIsNoPageOrOneOfTheFilesIsRefusedBeforeAnything) {
  WriteFile("a.tuv-Glowmere", SolutionText(ShippedCoveringSet()));
  WriteFile("b.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  WriteFile("c.html", "[/]\nvertices=1\nx=0\ny=0\n");
  fs::create_symlink("c.html", "link.html");
  const TFileStamp a = StampOf("a.tuv-Glowmere"), c = StampOf("c.html");
  for (const std::string args : {"--report a.tuv-Glowmere b.tuv-Glowmere", "--report page.htm a.tuv-Glowmere",
                                 "--report ./c.html c.html", "--report link.html a.tuv-Glowmere c.html"}) {
    const TRun run = RunJudge(args + " --picture pictures");
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << "nothing judged: " << args;
    EXPECT_NE(run.err.find("--report"), std::string::npos) << run.err;
    EXPECT_EQ(StampOf("a.tuv-Glowmere"), a) << args;
    EXPECT_EQ(StampOf("c.html"), c) << args;
    EXPECT_FALSE(fs::exists("pictures")) << args;
  }
  EXPECT_EQ(RunJudge("--report a.tuv-Glowmere b.tuv-Glowmere").err.substr(0, 72),
            "glowmere-judge: --report needs a page name that ends in .html, not a.tuv");
  const TRun page = RunJudge("--report results.HTML a.tuv-Glowmere b.tuv-Glowmere");
  EXPECT_EQ(page.status, 0) << page.err;
  EXPECT_TRUE(fs::exists("results.HTML"));
}

// Names that are no files, or files far larger than any solution: one
// line each naming the file and why, status 1, no verdict line; the others
// are judged as always. A read that fails is an error, never "empty".
TEST_F(JudgeFaults, WhatIsNoSolutionFileIsNamedAndNeverWaitedOnOrReadWhole) {
  WriteFile("one.tuv-Glowmere", "[/]\nvertices=1\nx=0\ny=0\n");
  const TUnwrittenPipe pipe("pipe.tuv-Glowmere");
  WriteSparseFile("huge.tuv-Glowmere", 8LL << 30);
  fs::create_directory("folder.tuv-Glowmere");
  const TRun run = RunJudgeBounded("pipe.tuv-Glowmere one.tuv-Glowmere huge.tuv-Glowmere folder.tuv-Glowmere /proc/self/mem");
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(Lines(run.out).size(), 1u) << "only the solution gets a line: " << run.out;
  EXPECT_TRUE(run.out.ends_with("\tone.tuv-Glowmere\n")) << run.out;
  for (const std::string line :
       {"glowmere-judge: cannot read pipe.tuv-Glowmere: a named pipe, not a regular file\n",
        "glowmere-judge: cannot read huge.tuv-Glowmere: larger than 64 MiB\n",
        "glowmere-judge: cannot read folder.tuv-Glowmere: a folder, not a file\n",
        "glowmere-judge: cannot read /proc/self/mem: Input/output error\n"})
    EXPECT_NE(run.err.find(line), std::string::npos) << line << run.err;

  // A judge that read it would grow by gigabytes a second: it gets 5 s.
  const TRun zero = RunJudge("/dev/zero", "timeout 5");
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(zero.err, "glowmere-judge: cannot read /dev/zero: a device, not a regular file\n");

  const TRun map = RunJudgeBounded("--map pipe.tuv-Glowmere one.tuv-Glowmere");
  EXPECT_EQ(map.status, 2);
  EXPECT_EQ(map.err, "glowmere-judge: cannot read the map pipe.tuv-Glowmere: a named pipe, not a regular file\n");
}

// A light whose coordinate is no whole number reads as 0, as the game
// reads it, so the verdict stays the game's; the remark names it, and the
// statement's rules refuse the file.
TEST_F(JudgeFaults, CoordinatesThatAreNoWholeNumbersAreNamedAndStrictRefusesThem) {
  const auto cover = ShippedCoveringSet();
  const std::string n = std::to_string(cover.size() + 1), keys = "#" + std::to_string(cover.size());
  const std::string full = SolutionText(cover);
  auto plus = [&](const std::string& x, const std::string& y) {
    std::string text = full;
    text.replace(text.find("vertices=") + 9, std::to_string(cover.size()).size(), n);
    return text + "x" + keys + "=" + x + "\r\ny" + keys + "=" + y + "\r\n";
  };
  struct TCase {
    std::string name, text, remark;
  };
  std::string missing = full;
  missing.replace(missing.find("vertices=") + 9, std::to_string(cover.size()).size(), std::to_string(cover.size() + 8));
  const std::vector<TCase> cases = {
      {"nan", plus("nan", "5"), "light " + n + ": x is not a whole number (\"nan\"), read as 0"},
      {"huge", plus("1e30", "5"), "light " + n + ": x is not a whole number (\"1e30\"), read as 0"},
      {"inf", plus("7", "inf"), "light " + n + ": y is not a whole number (\"inf\"), read as 0"},
      {"wide", plus("9223372036854775807", "0"),
       "light " + n + ": x is not a whole number (\"9223372036854775807\"), read as 0"},
      {"point", plus("12.0", "12.0"),
       "light " + n + ": x is not a whole number (\"12.0\") and y is not a whole number (\"12.0\"), read as 0"},
      {"missing", missing, "light " + std::to_string(cover.size() + 8) + ": x and y are missing, read as 0"},
  };
  std::string files;
  for (const TCase& c : cases) {
    WriteFile(c.name + ".tuv-Glowmere", c.text);
    files += " " + c.name + ".tuv-Glowmere";
  }
  const TRun plain = RunJudge(files);
  const TRun strict = RunJudge("--strict" + files);
  ASSERT_EQ(Lines(plain.out).size(), cases.size()) << plain.out;
  ASSERT_EQ(Lines(strict.out).size(), cases.size()) << strict.out;
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    const std::string line = Lines(plain.out)[i];
    EXPECT_EQ(line.substr(line.find('\t')), "\t100.0000000000\t" + cases[i].name + ".tuv-Glowmere")
        << "the verdict stays the game's";
    EXPECT_NE(plain.err.find(cases[i].name + ".tuv-Glowmere: " + cases[i].remark + "\n"), std::string::npos)
        << plain.err;
    EXPECT_EQ(Lines(strict.out)[i].substr(0, 2), "-\t");
  }
  EXPECT_NE(plain.err.find("missing.tuv-Glowmere: light " + std::to_string(cover.size() + 1) +
                           ": x and y are missing, read as 0\n"),
            std::string::npos)
      << "each of the eight lights without keys is named";
}

// Names are bytes: a name in Latin-1 is judged, drawn and put on the page
// under its own bytes; a tab, a line break or a backslash in a name is
// escaped, so that every verdict and every remark stays one line.
TEST_F(JudgeFaults, NamesPassAsBytesAndControlCharactersAreEscaped) {
  const std::string one = "[/]\nvertices=1\nx=0\ny=0\n";
  WriteFile("latin\xe9.tuv-Glowmere", one);
  WriteFile("tab\there.tuv-Glowmere", one);
  WriteFile("new\nline.tuv-Glowmere", one);
  WriteFile("back\\slash.tuv-Glowmere", one);
  const TRun run = RunJudge(
      "--picture pictures --report page.html 'latin\xe9.tuv-Glowmere' 'tab\there.tuv-Glowmere' 'new\nline.tuv-Glowmere' "
      "'back\\slash.tuv-Glowmere'");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  for (const std::string& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
  EXPECT_EQ(lines[0].substr(lines[0].rfind('\t') + 1), "latin\xe9.tuv-Glowmere");
  EXPECT_EQ(lines[1].substr(lines[1].rfind('\t') + 1), "tab\\there.tuv-Glowmere");
  EXPECT_EQ(lines[2].substr(lines[2].rfind('\t') + 1), "new\\nline.tuv-Glowmere");
  EXPECT_EQ(lines[3].substr(lines[3].rfind('\t') + 1), "back\\\\slash.tuv-Glowmere");
  std::vector<std::string> remarks;
  for (const std::string& line : Lines(run.err))
    if (line.starts_with("glowmere-judge: ")) remarks.push_back(line);
  ASSERT_EQ(remarks.size(), 4u) << run.err;
  EXPECT_EQ(remarks[2].substr(0, 39), "glowmere-judge: new\\nline.tuv-Glowmere:");
  EXPECT_TRUE(fs::exists("pictures/latin\xe9.png")) << "the picture under the name's own bytes";
  EXPECT_TRUE(fs::exists("pictures/tab\there.png"));
  const TRun unknown = RunJudge("'--no-\xe9' one");
  EXPECT_EQ(unknown.err.substr(0, 16), "glowmere-judge: ");
  EXPECT_NE(unknown.err.find("no-\xe9"), std::string::npos) << "the option as given: " << unknown.err;
}

// x-2, x and sub/x: three pictures under three names, and each row of the
// page shows the picture drawn from its own file (the same bytes as a run
// on that file alone draws).
TEST_F(JudgeFaults, PicturesOfEqualNamesNeverReplaceOneAnother) {
  const auto cover = ShippedCoveringSet();
  WriteFile("x-2.tuv-Glowmere", SolutionText({cover[0]}));
  WriteFile("x.tuv-Glowmere", SolutionText({cover[1], cover[2]}));
  WriteFile("sub/x.tuv-Glowmere", SolutionText({cover[3], cover[4], cover[5]}));
  const std::vector<std::string> files = {"x-2.tuv-Glowmere", "x.tuv-Glowmere", "sub/x.tuv-Glowmere"};
  const TRun run = RunJudge("--picture pictures --report page.html x-2.tuv-Glowmere x.tuv-Glowmere sub/x.tuv-Glowmere");
  ASSERT_EQ(run.status, 0) << run.err;
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator("pictures")) names.insert(entry.path().filename().string());
  EXPECT_EQ(names.size(), 3u);
  const std::string page = ReadFile("page.html");
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i]);
    const TRun alone = RunJudge("--picture alone" + std::to_string(i) + " " + files[i]);
    const fs::path drawn = fs::path("alone" + std::to_string(i)) / (fs::path(files[i]).stem().string() + ".png");
    // The row of the file: its name in a cell, then its picture.
    std::smatch m;
    const std::regex row("<td[^>]*>" + std::regex_replace(files[i], std::regex("[.]"), "\\.") +
                         "</td>.*?<img src=\"([^\"]*)\"");
    ASSERT_TRUE(std::regex_search(page, m, row)) << page;
    EXPECT_EQ(ReadFile(m[1].str()), ReadFile(drawn)) << m[1].str();
  }
}

// A light at (27, 3) alone leaves a dark triangle of 3 square cells that
// meets the large dark piece at the single point (19, 15), and the clipper
// gives both as one contour touching itself there. A player sees two
// pieces, and so does the judge.
TEST_F(JudgeFaults, DarkPiecesThatMeetAtAPointAreTwo) {
  WriteFile("point.tuv-Glowmere", SolutionText({{27, 3}}));
  const TRun run = RunJudge("point.tuv-Glowmere");
  EXPECT_NE(run.err.find("point.tuv-Glowmere: 1 light leaves "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(" square cells dark in 2 pieces\n"), std::string::npos) << run.err;
}
