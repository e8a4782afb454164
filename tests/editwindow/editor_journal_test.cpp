// Nothing lost: every step is in the journal, a killed editor's edits come
// back when the same map is opened again (one step, shown as unsaved, said
// in the status bar), and a save, an orderly close or an undo back to the
// saved level leaves no journal behind.
#include <QStatusBar>

#include "EditorFixture.h"
#include "engine/MapText.h"

namespace {

TEST_F(EditorTest, AKilledEditorsEditsComeBackOnTheSameMap) {
  const std::string path = Path("level.txt");
  TTempHome::WriteFile(path, "....\n....\n");
  Open(path);
  Key(Qt::Key_Space);
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  Kill();
  EXPECT_EQ(TTempHome::ReadFile(path), "....\n....\n");

  Open(home.Root() + "/./level.txt");  // the same map, named otherwise
  EXPECT_TRUE(window->Session().IsWall(0, 0));
  EXPECT_TRUE(window->Session().IsWall(1, 0));
  EXPECT_TRUE(window->isWindowModified());
  EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8("Восстановлены несохранённые правки прошлого сеанса."));
  EXPECT_TRUE(asked.empty()) << "restored silently";
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->Session().Walls().WallCount(), 0) << "one step back to the file";
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(TTempHome::ReadFile(path), "##..\n....\n");
  EXPECT_FALSE(TTempHome::Exists(window->JournalPath()));
}

TEST_F(EditorTest, AFileChangedSinceTheJournalIsSaidAndCanBeTakenBack) {
  const std::string path = Path("level.txt");
  TTempHome::WriteFile(path, "...\n");
  Open(path);
  Key(Qt::Key_Space);
  Kill();
  TTempHome::WriteFile(path, ".##\n");  // someone else's edit meanwhile
  Open(path);
  EXPECT_EQ(MapTextOf(window->Session().Walls()), "#..\n");
  EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("Ctrl+Z")));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(MapTextOf(window->Session().Walls()), ".##\n");
}

TEST_F(EditorTest, NoJournalIsLeftOnceNothingIsUnsaved) {
  const std::string path = Path("level.txt");
  TTempHome::WriteFile(path, "...\n");
  Open(path);
  const std::string journal = window->JournalPath();
  Key(Qt::Key_Space);
  EXPECT_TRUE(TTempHome::Exists(journal));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(TTempHome::Exists(journal)) << "undone back to the file";
  Key(Qt::Key_Space);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(TTempHome::Exists(journal)) << "saved";
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  answer = QMessageBox::Discard;
  window->close();
  EXPECT_FALSE(TTempHome::Exists(journal)) << "closed, the edits discarded by choice";

  // A new level's journal is its own: it comes back on a start without a map.
  Open();
  Key(Qt::Key_Space);
  Kill();
  Open();
  EXPECT_TRUE(window->Session().IsWall(0, 0));
}

}  // namespace
