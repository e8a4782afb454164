// The editor by the keyboard alone, as a designer without a mouse uses it:
// the field has the keys from the start, the cursor begins at the top-left
// cell and stops at the edges, Space toggles the cell under it, and Ctrl+S
// and Ctrl+Z take a level to one cell's difference and back to the bytes
// it was read with, in either line end.
#include <QStatusBar>

#include "EditorFixture.h"
#include "engine/MapText.h"

namespace {

std::string ShippedMap() { return TTempHome::ReadFile(GLOWMERE_DATA_DIR "/map.txt"); }

std::string WithCrLf(const std::string& text) {
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

TEST_F(EditorTest, TheFieldHasTheKeysAndTheCursorStartsTopLeft) {
  Open();
  EXPECT_EQ(QApplication::focusWidget(), &window->Field());
  EXPECT_EQ(window->Field().CursorCell(), QPoint(0, 0));
  EXPECT_EQ(window->Field().accessibleName(), QString::fromUtf8("Поле уровня, клетка 1, 1: пол"));
  Key(Qt::Key_Left);
  Key(Qt::Key_Up);
  EXPECT_EQ(window->Field().CursorCell(), QPoint(0, 0)) << "the cursor stops at the edge";
  for (int i = 0; i < 100; ++i) Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  EXPECT_EQ(window->Field().CursorCell(), QPoint(59, 1));
  Key(Qt::Key_Space);
  EXPECT_TRUE(window->Session().IsWall(59, 1));
  EXPECT_EQ(window->Field().accessibleName(), QString::fromUtf8("Поле уровня, клетка 60, 2: стена"));
  EXPECT_TRUE(window->isWindowModified());
}

TEST_F(EditorTest, SpaceAndCtrlSChangeOneCellAndCtrlZGivesTheSameBytesBack) {
  for (const std::string& original : {ShippedMap(), WithCrLf(ShippedMap())}) {
    const std::string path = Path(original.find('\r') == std::string::npos ? "lf.txt" : "crlf.txt");
    TTempHome::WriteFile(path, original);
    Open(path);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Space);
    Key(Qt::Key_S, Qt::ControlModifier);
    const std::string saved = TTempHome::ReadFile(path);
    ASSERT_EQ(saved.size(), original.size()) << "the line ends kept";
    size_t differing = 0;
    for (size_t i = 0; i < saved.size(); ++i) differing += saved[i] != original[i];
    EXPECT_EQ(differing, 1u);
    EXPECT_EQ(WallsOfMapText(saved).IsWallCell(1, 1), !WallsOfMapText(original).IsWallCell(1, 1));
    EXPECT_FALSE(window->isWindowModified());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(window->isWindowModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TTempHome::ReadFile(path), original);
    Key(Qt::Key_Y, Qt::ControlModifier);  // and forward again
    EXPECT_EQ(window->Session().IsWall(1, 1), !WallsOfMapText(original).IsWallCell(1, 1));
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(window->Session().CanRedo());
    Kill();
  }
  EXPECT_TRUE(asked.empty());
}

TEST_F(EditorTest, TheMouseAndTheKeysShareTheCursor) {
  Open();
  MoveTo(7, 4);
  EXPECT_EQ(window->Field().CursorCell(), QPoint(7, 4));
  EXPECT_EQ(window->lbCell->text(), QString::fromUtf8("Клетка 8, 5"));
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  EXPECT_TRUE(window->Session().IsWall(8, 4));
  EXPECT_EQ(window->lbSize->text(), QString::fromUtf8("Поле 60 на 39"));
}

}  // namespace
