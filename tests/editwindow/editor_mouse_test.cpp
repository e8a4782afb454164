// Drawing with the mouse: the left button paints wall and the right one
// floor for as long as it is held, Shift spans a rectangle that is filled
// at the release, and each of them is one step that Ctrl+Z takes back.
#include "EditorFixture.h"
#include "engine/MapTextWriter.h"

namespace {

std::string Row(const TEditSession& session, int y) {
  std::string row;
  for (int x = 0; x < 8; ++x) row += session.IsWall(x, y) ? '#' : '.';
  return row;
}

TEST_F(EditorTest, EachStrokeAndEachRectangleIsOneStep) {
  Open();
  TEditSession& session = window->Session();
  Drag(Qt::LeftButton, {1, 1}, {6, 1});
  EXPECT_EQ(Row(session, 1), ".######.");
  Drag(Qt::RightButton, {3, 1}, {4, 1});
  EXPECT_EQ(Row(session, 1), ".##..##.");
  Drag(Qt::LeftButton, {2, 3}, {0, 5}, Qt::ShiftModifier);
  EXPECT_EQ(Row(session, 3), "###.....");
  EXPECT_EQ(Row(session, 5), "###.....");
  EXPECT_EQ(session.History().count(), 3);

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Row(session, 4), "........");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Row(session, 1), ".######.");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(session.Walls().WallCount(), 0);
  EXPECT_FALSE(window->acUndo->isEnabled());
  EXPECT_TRUE(window->acRedo->isEnabled());
}

TEST_F(EditorTest, ADragThatLeavesTheFieldKeepsPaintingWhereItComesBack) {
  Open();
  TEditField& field = window->Field();
  QTest::mousePress(&field, Qt::LeftButton, {}, CellPoint(0, 2));
  MoveTo(-3, 2, Qt::LeftButton);
  MoveTo(3, 2, Qt::LeftButton);
  QTest::mouseRelease(&field, Qt::LeftButton, {}, CellPoint(3, 2));
  EXPECT_EQ(Row(window->Session(), 2), "####....");
  EXPECT_EQ(window->Session().History().count(), 1);
}

}  // namespace
