// The stores: autosave and record between runs, solution files through the
// commands, the judge operations.
#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "framework/IniNameValueTree.h"

namespace fs = std::filesystem;

namespace {

// A solution file as the game saves it, with the level it was made for.
std::string Solution(const std::vector<std::pair<int, int>>& points) {
  return "[/etc/]\r\nlevel=2\r\n\r\n" + SolutionText(points) + "\r\n";
}

std::vector<std::pair<int, int>> CoveringSet(TfrmGlowmere&) { return ShippedCoveringSet(); }

}  // namespace

TEST_F(GameTest, PositionAndRecordSurviveARestart) {
  OpenWindow();
  const auto all = CoveringSet(*window);
  CloseWindow();
  // A record of the full covering set and an autosave of one light.
  fs::create_directories(UserFile("").parent_path());
  WriteFile(UserFile("Glowmere.rec"), Solution(all));
  WriteFile(UserFile("Glowmere.sav"), Solution({all[0]}));
  OpenWindow();
  EXPECT_EQ(window->lights.Count(), 1) << "the field shows the autosaved position";
  EXPECT_EQ(window->recordPoints, int(all.size()));
  EXPECT_EQ(window->lbRecord->text(), QString::number(all.size()));
  ClickGrid(FreePoint(20).first, FreePoint(20).second);
  CloseWindow();
  TIniNameValueTree sav(UserFile("Glowmere.sav").string());
  EXPECT_EQ(sav.ReadInteger("vertices", -1), 2);
  EXPECT_EQ(sav.ReadInteger("/etc/level", -1), 2);
}

TEST_F(GameTest, AutosaveWithFewerLightsBecomesRecordAtStart) {
  OpenWindow();
  const auto all = CoveringSet(*window);
  CloseWindow();
  auto more = all;
  more.push_back(all.front());
  fs::create_directories(UserFile("").parent_path());
  WriteFile(UserFile("Glowmere.rec"), Solution(more));
  WriteFile(UserFile("Glowmere.sav"), Solution(all));
  OpenWindow();
  EXPECT_EQ(window->recordPoints, int(all.size()));
  CloseWindow();
  TIniNameValueTree rec(UserFile("Glowmere.rec").string());
  EXPECT_EQ(rec.ReadInteger("vertices", -1), int(all.size()));
  EXPECT_EQ(rec.ReadInteger("/Certificate/lines", -1), 1);
}

TEST_F(GameTest, EqualCountKeepsRecordSolution) {
  OpenWindow();
  const auto all = CoveringSet(*window);
  CloseWindow();
  fs::create_directories(UserFile("").parent_path());
  WriteFile(UserFile("Glowmere.rec"), Solution(all));
  auto reversed = all;
  std::reverse(reversed.begin(), reversed.end());
  WriteFile(UserFile("Glowmere.sav"), Solution(reversed));
  OpenWindow();
  EXPECT_EQ(window->recordPoints, int(all.size()));
  CloseWindow();
  TIniNameValueTree rec(UserFile("Glowmere.rec").string());
  EXPECT_EQ(rec.ReadInteger("x", -1), all.front().first) << "the record solution is not replaced";

}

TEST_F(GameTest, RecordNeedsFullLightAndFewerLights) {
  OpenWindow();
  const auto all = CoveringSet(*window);
  TIniNameValueTree doc((Root() / "full.tuv-Glowmere").string());
  for (size_t i = 0; i < all.size(); ++i) {
    doc.WriteInteger("x", all[i].first, int(i));
    doc.WriteInteger("y", all[i].second, int(i));
  }
  doc.WriteInteger("vertices", int(all.size()));
  window->LoadSolution(doc);
  EXPECT_EQ(window->lbLight->text(), "100,00%");
  EXPECT_EQ(window->recordPoints, int(all.size()));
  TIniNameValueTree rec(UserFile("Glowmere.rec").string());
  EXPECT_EQ(rec.ReadInteger("vertices", -1), int(all.size())) << "a new record is flushed at once";
  EXPECT_EQ(rec.ReadInteger("/Certificate/lines", -1), 1);
  // Removing a light loses full light but keeps the record.
  const auto [gx, gy] = all.front();
  Move(Px(gx), Px(gy));
  Press(Px(gx), Px(gy), Qt::RightButton);
  EXPECT_EQ(window->recordPoints, int(all.size()));
  EXPECT_EQ(window->lbRecord->text(), QString::number(all.size()));
}

TEST_F(GameTest, SolutionDocumentRules) {
  OpenWindow();
  auto load = [&](const std::string& text) {
    const fs::path p = Root() / "doc.tuv-Glowmere";
    WriteFile(p, text);
    TIniNameValueTree t(p.string());
    window->LoadSolution(t);
  };
  auto [ax, ay] = FreePoint();
  load(Solution({{ax, ay}, {ax, ay}}));
  EXPECT_EQ(window->lights.Count(), 2) << "two lights on one point both load";
  EXPECT_EQ(window->pointsCount, 2);
  const long double twice = window->litPercent;
  load(Solution({{ax, ay}}));
  EXPECT_EQ(window->litPercent, twice) << "the shared region counts once";
  load("[/]\r\nx=3\r\n");
  EXPECT_EQ(window->lights.Count(), 1) << "no vertices: nothing changes";
  load("[/]\r\nvertices=abc\r\n");
  EXPECT_EQ(window->lights.Count(), 1) << "non-numeric vertices is no solution";
  load("[/]\r\nvertices=2441\r\n");
  EXPECT_EQ(window->lights.Count(), 1) << "more lights than grid points is no solution";
  load("[/]\r\nvertices=2147483647\r\n");
  EXPECT_EQ(window->lights.Count(), 1);
  load("[/]\r\nvertices=2\r\nx=zz\r\n");
  ASSERT_EQ(window->lights.Count(), 2) << "missing and bad coordinates read as 0";
  EXPECT_EQ(window->lights[0]->GridX, 0);
  EXPECT_EQ(window->lights[1]->GridY, 0);
  load("[/]\r\nvertices=0\r\n");
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->lbPoints->text(), "0");
  load("[/]\r\nvertices=-5\r\n");
  EXPECT_EQ(window->lights.Count(), 0);
}

TEST_F(GameTest, HugeCoordinatesLoadSafely) {
  OpenWindow();
  const fs::path p = Root() / "huge.tuv-Glowmere";
  WriteFile(p, "[/]\r\nvertices=4\r\nx=-2147483648\r\ny=-2147483648\r\nx#1=2147483647\r\ny#1=2147483647\r\n"
               "x#2=-2147483648\r\ny#2=20\r\nx#3=30\r\ny#3=2147483647\r\n");
  TIniNameValueTree t(p.string());
  window->LoadSolution(t);
  ASSERT_EQ(window->lights.Count(), 4);
  EXPECT_GE(window->litPercent, 0.0L);
  EXPECT_LE(window->litPercent, 100.0000001L);
  window->imgField->Composed();
  window->btHintMouseDown(TMouseButton::mbLeft);
  window->btHintMouseUp(TMouseButton::mbLeft);
}

TEST_F(GameTest, SavingKeepsKeysOfALongerSolution) {
  OpenWindow();
  const fs::path p = Root() / "five.tuv-Glowmere";
  WriteFile(p, Solution({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));
  ClickGrid(FreePoint().first, FreePoint().second);
  ClickGrid(FreePoint(30).first, FreePoint(30).second);
  chosenFile = p.string();
  window->btSaveClick();
  const std::string text = ReadFile(p);
  EXPECT_NE(text.find("vertices=2\r\n"), std::string::npos);
  EXPECT_NE(text.find("x#4=5\r\n"), std::string::npos) << "keys beyond the count stay";
  window->LoadSolution(*std::make_unique<TIniNameValueTree>(p.string()));
  EXPECT_EQ(window->lights.Count(), 2);
}

TEST_F(GameTest, CheckSolutionVerdicts) {
  OpenWindow();
  const auto all = CoveringSet(*window);
  const fs::path p = Root() / "judge.tuv-Glowmere";
  WriteFile(p, Solution(all));
  {
    TIniNameValueTree solution(p.string());
    TIniNameValueTree result((Root() / "result").string());
    std::string message = "x";
    window->CheckSolution(solution, result, message);
    EXPECT_EQ(result.ReadString("lights", "?"), std::to_string(all.size()));
    EXPECT_EQ(message, "");
    EXPECT_EQ(window->recordPoints, int(all.size()));
  }
  auto partial = all;
  partial.erase(partial.begin());
  WriteFile(p, Solution(partial));
  {
    TIniNameValueTree solution(p.string());
    TIniNameValueTree result((Root() / "result2").string());
    std::string message;
    window->CheckSolution(solution, result, message);
    EXPECT_EQ(result.ReadString("lights", "?"), "");
    EXPECT_EQ(RecordTree->ReadString("/Certificate/line", "?"), "-");
  }
}

// Lights far off the field see only floor that the cover lights already,
// so the share stays full and the verdict is the number of lights.
TEST_F(GameTest, FullCoverPlusFarLightsIsJudgedByItsCount) {
  OpenWindow();
  auto lights = CoveringSet(*window);
  const auto far = FarLights();
  lights.insert(lights.end(), far.begin(), far.end());
  const fs::path p = Root() / "far.tuv-Glowmere";
  WriteFile(p, Solution(lights));
  TIniNameValueTree solution(p.string());
  TIniNameValueTree result((Root() / "result").string());
  std::string message;
  window->CheckSolution(solution, result, message);
  EXPECT_EQ(result.ReadString("lights", "?"), std::to_string(lights.size()));
  EXPECT_NEAR(double(window->LitArea()), double(window->level->FreeCells()), 1e-10);
}

TEST_F(GameTest, CompareResultsPrefersFewerLights) {
  OpenWindow();
  TIniNameValueTree a((Root() / "a").string()), b((Root() / "b").string());
  TIniNameValueTree e1((Root() / "e1").string()), e2((Root() / "e2").string());
  a.WriteInteger("lights", 12);
  b.WriteInteger("lights", 15);
  e1.WriteString("lights", "");
  EXPECT_EQ(window->CompareResults(a, b), 1);
  EXPECT_EQ(window->CompareResults(b, a), -1);
  EXPECT_EQ(window->CompareResults(e1, e2), 0);
  EXPECT_EQ(window->CompareResults(a, e1), 1);
}
