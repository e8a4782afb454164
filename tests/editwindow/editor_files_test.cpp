// The level's file through the window: a new level is saved where the
// designer chooses, a missing MAP is saved where it was named, a refused
// MAP is named with the reader's reason and written only when the designer
// saves, a level without floor is never written, and unsaved edits are
// never lost to a close or an open without the designer's word.
#include "EditorFixture.h"
#include "engine/MapText.h"
#include "support/FileStamp.h"

namespace {

TEST_F(EditorTest, ANewLevelIsSavedWhereTheDesignerChooses) {
  Open();
  EXPECT_TRUE(window->MapPath().empty());
  EXPECT_EQ(window->Session().Width(), 60);
  EXPECT_EQ(window->Session().Height(), 39);
  EXPECT_FALSE(window->isWindowModified());
  Key(Qt::Key_Space);
  chosenFile = Path("mine.txt");
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].kind, TFileDialogKind::Save);
  EXPECT_EQ(TTempHome::ReadFile(Path("mine.txt")).substr(0, 3), "#..");
  EXPECT_EQ(window->MapPath(), Path("mine.txt"));
  EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("mine.txt")));

  chosenFile = Path("other.txt");  // Save As: elsewhere, and the level follows
  Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TTempHome::ReadFile(Path("other.txt")), TTempHome::ReadFile(Path("mine.txt")));
  EXPECT_EQ(window->MapPath(), Path("other.txt"));
}

TEST_F(EditorTest, AMissingMapIsANewLevelSavedThere) {
  Open(Path("new.txt"));
  EXPECT_FALSE(TTempHome::Exists(Path("new.txt"))) << "nothing written before a save";
  Key(Qt::Key_Space);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(WallsOfMapText(TTempHome::ReadFile(Path("new.txt"))).width, 60);
}

TEST_F(EditorTest, ARefusedMapIsNamedWithTheReasonAndWrittenOnlyOnSave) {
  const std::string path = Path("bad.txt");
  TTempHome::WriteFile(path, "..\n.?\n");
  const TFileStamp before = StampOf(path);
  Open(path);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].text.contains(QString::fromStdString(path + ": row 2, column 2: '?'"))) << asked[0].text.toStdString();
  Key(Qt::Key_Space);
  window->close();  // the question, answered Cancel: still open
  EXPECT_TRUE(window->isVisible());
  Kill();
  EXPECT_EQ(StampOf(path), before);

  Open(path);
  Key(Qt::Key_S, Qt::ControlModifier);  // the designer saves over it
  EXPECT_EQ(WallsOfMapText(TTempHome::ReadFile(path)).IsWallCell(0, 0), true) << "the restored edit, saved";
}

TEST_F(EditorTest, ALevelWithoutFloorIsNeverWritten) {
  const std::string path = Path("level.txt");
  TTempHome::WriteFile(path, "#..\n...\n");
  const TFileStamp before = StampOf(path);
  Open(path);
  Drag(Qt::LeftButton, {0, 0}, {2, 1}, Qt::ShiftModifier);
  answer = QMessageBox::Ok;
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].text.contains(QStringLiteral("the map has no floor")));
  EXPECT_EQ(StampOf(path), before);
  EXPECT_TRUE(window->isWindowModified());
}

TEST_F(EditorTest, UnsavedEditsAreAskedAboutAndTheDefaultKeepsThem) {
  const std::string path = Path("level.txt");
  TTempHome::WriteFile(path, "....\n");
  Open(path);
  window->close();
  EXPECT_TRUE(asked.empty()) << "nothing to ask about";

  Open(path);
  Key(Qt::Key_Space);
  answer = QMessageBox::Cancel;
  EXPECT_FALSE(window->close());
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, QString::fromUtf8("Сохранить изменения?"));
  EXPECT_EQ(asked[0].defaultButton, QMessageBox::Save);
  EXPECT_TRUE(asked[0].buttons.testFlag(QMessageBox::Discard));

  // Opening another level asks too; Cancel keeps this one.
  chosenFile = Path("other.txt");
  TTempHome::WriteFile(*chosenFile, "#\n.\n");
  EXPECT_FALSE(window->OpenLevel());
  EXPECT_TRUE(dialogs.empty());
  EXPECT_EQ(window->MapPath(), path);

  answer = QMessageBox::Save;
  EXPECT_TRUE(window->OpenLevel());
  EXPECT_EQ(TTempHome::ReadFile(path), "#...\n");
  EXPECT_EQ(window->MapPath(), Path("other.txt"));

  Key(Qt::Key_Space);
  answer = QMessageBox::Discard;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(TTempHome::ReadFile(Path("other.txt")), "#\n.\n");
  EXPECT_FALSE(TTempHome::Exists(window->JournalPath()));
}

TEST_F(EditorTest, ARefusedFileToOpenLeavesTheLevelOnTheField) {
  Open();
  Key(Qt::Key_Space);
  answer = QMessageBox::Discard;
  chosenFile = Path("bad.txt");
  TTempHome::WriteFile(*chosenFile, "");
  EXPECT_FALSE(window->OpenLevel());
  EXPECT_TRUE(window->Session().IsWall(0, 0));
  EXPECT_TRUE(window->MapPath().empty());
  EXPECT_TRUE(asked.back().text.contains(QStringLiteral("the map is empty")));
}

}  // namespace
