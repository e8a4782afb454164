// The organisers' results page: what participants named is data, places
// are shared by equal verdicts, and a real run lists every file in rank
// order with the pictures it drew, found from where the page lies.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "JudgeRun.h"
#include "judge/JudgeReport.h"
#include "support/CoveringSet.h"

namespace fs = std::filesystem;

namespace {

// Each table row's cells, as the page writes them.
std::vector<std::vector<std::string>> Rows(const std::string& page) {
  std::vector<std::vector<std::string>> rows;
  const std::string body = page.substr(page.find("<tbody>"));
  const std::regex row("<tr[^>]*>(.*?)</tr>"), cell("<td[^>]*>(.*?)</td>");
  for (auto r = std::sregex_iterator(body.begin(), body.end(), row); r != std::sregex_iterator(); ++r) {
    const std::string cells = (*r)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell); c != std::sregex_iterator(); ++c)
      rows.back().push_back((*c)[1]);
  }
  return rows;
}

std::vector<std::string> Sources(const std::string& page) {
  std::vector<std::string> sources;
  const std::regex img("<img src=\"([^\"]*)\"");
  for (auto m = std::sregex_iterator(page.begin(), page.end(), img); m != std::sregex_iterator(); ++m)
    sources.push_back((*m)[1]);
  return sources;
}

}  // namespace

TEST(JudgeReport, NamesAreDataAndEqualVerdictsShareAPlace) {
  std::vector<TReportEntry> entries(5);
  entries[0] = {"a<b>&\"'.tuv-Glowmere", true, 22, "100.0000000000", {"level \"<i>\", not the task's level 2"},
                "/page/pics/a b#?%.png"};
  entries[1] = {"tie.tuv-Glowmere", true, 22, "100.0000000000", {}, "/elsewhere/tie.png"};
  entries[2] = {"next.tuv-Glowmere", true, 25, "100.0000000000", {}, {}};
  entries[3] = {"\xFF\xC0\x80 bad.tuv-Glowmere", true, std::nullopt, "-", {"no solution: the file is empty"}, {}};
  entries[4] = {"gone.tuv-Glowmere", false, std::nullopt, "", {}, {}};
  const std::string page = ResultsPage({"<map>.txt", 12, 6, "2026-12-10 10:00"}, entries, "/page");
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
  EXPECT_EQ(page.find("<map>"), std::string::npos);
  const auto rows = Rows(page);
  ASSERT_EQ(rows.size(), 5u);
  const std::vector<std::string> places = {rows[0][0], rows[1][0], rows[2][0], rows[3][0], rows[4][0]};
  EXPECT_EQ(places, (std::vector<std::string>{"1", "1", "3", "—", "—"}));
  EXPECT_EQ(rows[0][1], "a&lt;b&gt;&amp;&quot;&#39;.tuv-Glowmere");
  const QByteArray bad = QByteArray::fromStdString(rows[3][1]);
  EXPECT_EQ(QString::fromUtf8(bad).toUtf8(), bad) << "bytes that are no UTF-8 are replaced";
  EXPECT_TRUE(rows[3][1].starts_with("\xEF\xBF\xBD")) << rows[3][1];
  EXPECT_TRUE(rows[3][1].ends_with(" bad.tuv-Glowmere")) << rows[3][1];
  EXPECT_NE(rows[4][4].find("cannot be read"), std::string::npos);
  EXPECT_EQ(Sources(page), (std::vector<std::string>{"pics/a%20b%23%3F%25.png", "../elsewhere/tie.png"}));
  for (const char* heading : {"Место", "Place", "Файл", "Светильники", "Lights", "Освещено", "Замечания", "Рисунок",
                              "Уровень", "Дата", "12 × 6"})
    EXPECT_NE(page.find(heading), std::string::npos) << heading;
}

// A real run: the cover first, the files that light nothing after it in
// the order given, the unreadable one last; each picture the page shows
// is the file the judge wrote; standard output is the same as without the
// page.
TEST_F(JudgeTest, ReportListsEveryFileInRankOrderWithItsPictures) {
  const auto cover = ShippedCoveringSet();
  WriteFile("one.tuv-Glowmere", SolutionText({{0, 0}}));
  WriteFile("cover & <co>.tuv-Glowmere", SolutionText(cover));
  WriteFile("none.tuv-Glowmere", "just text\n");
  const std::string files = " one.tuv-Glowmere 'cover & <co>.tuv-Glowmere' missing.tuv-Glowmere none.tuv-Glowmere";
  const TRun plain = RunJudge("--rank" + files);
  const TRun run = RunJudge("--rank --report out/results.html --picture pics" + files);
  EXPECT_EQ(run.status, 1) << "the missing file";
  EXPECT_EQ(run.out, plain.out);
  EXPECT_EQ(run.err, plain.err);
  const std::string page = ReadFile("out/results.html");
  const auto rows = Rows(page);
  ASSERT_EQ(rows.size(), 4u) << page;
  EXPECT_EQ(rows[0][1], "cover &amp; &lt;co&gt;.tuv-Glowmere");
  EXPECT_EQ(rows[0][2], std::to_string(cover.size()));
  EXPECT_EQ(rows[0][3], "100.0000000000");
  EXPECT_EQ(rows[1][1], "one.tuv-Glowmere");
  EXPECT_NE(rows[1][4].find("1 light leaves 1312.0854166667 square cells dark"), std::string::npos);
  EXPECT_EQ(rows[2][1], "none.tuv-Glowmere");
  EXPECT_EQ(rows[3][1], "missing.tuv-Glowmere");
  const std::vector<std::string> sources = Sources(page);
  EXPECT_EQ(sources, (std::vector<std::string>{"../pics/cover%20%26%20%3Cco%3E.png", "../pics/one.png",
                                               "../pics/none.png"}));
  for (const char* s : {"pics/cover & <co>.png", "pics/one.png", "pics/none.png"})
    EXPECT_TRUE(fs::is_regular_file(s)) << s;

  // Without pictures the page has no picture column.
  const TRun bare = RunJudge("--report bare.html one.tuv-Glowmere");
  EXPECT_EQ(bare.status, 0);
  EXPECT_EQ(ReadFile("bare.html").find("<img"), std::string::npos);
  EXPECT_EQ(ReadFile("bare.html").find("Рисунок"), std::string::npos);
}
