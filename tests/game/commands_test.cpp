// The commands of the panel and the menu, with their questions.
#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "framework/IniNameValueTree.h"

namespace fs = std::filesystem;

TEST_F(GameTest, ClearAsksAndObeysTheAnswer) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  Leave();
  answer = QMessageBox::No;
  window->btClearClick();
  EXPECT_EQ(window->lights.Count(), 1);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, 3);
  EXPECT_EQ(AutosaveTree->ReadInteger("vertices", -1), 1) << "No leaves the autosave as it was";
  answer = QMessageBox::Yes;
  window->N2->trigger();
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->lbPoints->text(), "0");
  EXPECT_EQ(AutosaveTree->ReadInteger("vertices", -1), 0);
}

TEST_F(GameTest, LoadAsksBeforeTheDialog) {
  OpenWindow();
  answer = QMessageBox::No;
  window->btLoadClick();
  EXPECT_TRUE(dialogs.empty()) << "No shows no file dialog";
  answer = QMessageBox::Yes;
  chosenFile.reset();
  window->btLoadClick();
  EXPECT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(window->lights.Count(), 0) << "a cancelled dialog changes nothing";
  const fs::path p = Root() / "one.tuv-Glowmere";
  auto [gx, gy] = FreePoint(12);
  WriteFile(p, "; a comment\r\n[/]\r\nvertices=1\r\nx=" + std::to_string(gx) + "\r\ny=" + std::to_string(gy) + "\r\n");
  chosenFile = p.string();
  window->N4->trigger();
  ASSERT_EQ(window->lights.Count(), 1);
  EXPECT_EQ(window->lights[0]->GridX, gx);
  EXPECT_NE(ReadFile(p).find("; a comment"), std::string::npos) << "loading only reads";
  EXPECT_EQ(AutosaveTree->ReadInteger("vertices", -1), 1);
}

TEST_F(GameTest, SaveWritesOnlyTheChosenFile) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  const std::string recordBefore = ReadFile(UserFile("Glowmere.rec"));
  const fs::path p = Root() / "mine.tuv-Glowmere";
  chosenFile = p.string();
  window->N5->trigger();
  const std::string text = ReadFile(p);
  EXPECT_EQ(text.rfind("[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nvertices=1\r\n", 0), 0u) << text;
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec")), recordBefore);
  chosenFile.reset();
  window->btSaveClick();  // cancelled
  EXPECT_TRUE(asked.empty());
}

TEST_F(GameTest, FailedSaveShowsTheError) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  // A folder that cannot hold the file: its parent is a plain file.
  WriteFile(Root() / "plain", "x");
  chosenFile = (Root() / "plain" / "sub.tuv-Glowmere").string();
  window->btSaveClick();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, 1);
  EXPECT_EQ(window->lights.Count(), 1);
}

TEST_F(GameTest, GoToRecordWithAndWithoutRecord) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  window->btShowRecordClick();
  EXPECT_EQ(window->lights.Count(), 1) << "no record solution: the lights stay";
  // Make a record by loading a covering set, then play on and go back.
  const auto all = ShippedCoveringSet();
  TIniNameValueTree doc((Root() / "all").string());
  doc.WriteInteger("vertices", int(all.size()));
  for (size_t i = 0; i < all.size(); ++i) {
    doc.WriteInteger("x", all[i].first, int(i));
    doc.WriteInteger("y", all[i].second, int(i));
  }
  window->LoadSolution(doc);
  window->btClearClick();
  EXPECT_EQ(window->lights.Count(), 0);
  answer = QMessageBox::No;
  window->btShowRecordClick();
  EXPECT_EQ(window->lights.Count(), 0);
  answer = QMessageBox::Yes;
  window->btShowRecordClick();
  EXPECT_EQ(window->lights.Count(), int(all.size()));
  EXPECT_EQ(window->lbPoints->text(), window->lbRecord->text());
}

TEST_F(GameTest, CaptionsComeFromTheLocalization) {
  UseShippedTexts();
  OpenWindow();
  EXPECT_NE(window->btClear->text(), " - ");
  EXPECT_NE(window->windowTitle(), " - ");
  EXPECT_FALSE(window->btHint->text().startsWith('#'));
  CloseWindow();
  // Without the key the caption reads the placeholder.
  WriteFile("Glowmere-2.loc", "[/action/]\r\nclear=X\r\n");
  OpenWindow();
  EXPECT_EQ(window->btClear->text(), "X");
  EXPECT_EQ(window->N2->text(), "X");
  EXPECT_EQ(window->btLoad->text(), " - ");
  EXPECT_EQ(window->windowTitle(), " - ");
}

TEST_F(GameTest, LayoutKeepsBottomButtonsInPlace) {
  OpenWindow();
  EXPECT_EQ(window->btClear->y(), 311);
  EXPECT_EQ(window->btLoad->y(), 342);
  EXPECT_EQ(window->btSave->y(), 373);
  EXPECT_EQ(window->pnlControl->geometry(), QRect(620, 0, 178, 410));
}

TEST_F(GameTest, StatementShownOnFirstShowOnly) {
  OpenWindow();
  window->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(helpShown, 1);
  window->hide();
  window->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(helpShown, 1);
  window->N9->trigger();
  EXPECT_EQ(helpShown, 2);
}
