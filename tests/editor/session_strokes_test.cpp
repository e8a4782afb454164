// The edit session's painting: a stroke is one step however many cells it
// paints, a fast drag leaves no gaps, a stroke or fill that changes nothing
// is no step, and undo and redo bring back exactly the cells of a step.
#include <gtest/gtest.h>

#include <vector>

#include "editor/EditSession.h"
#include "engine/MapTextWriter.h"
#include "support/WallPicture.h"

namespace {

std::string Picture(const TEditSession& session) { return MapTextOf(session.Walls()); }

TEST(EditSessionStrokes, AStrokeIsOneStepWhateverItPaints) {
  TEditSession session(5, 3);
  EXPECT_EQ(Picture(session), ".....\n.....\n.....\n");
  session.BeginStroke(true, 0, 0);
  session.PaintTo(1, 0);
  session.PaintTo(1, 1);
  session.PaintTo(0, 0);  // back over painted cells
  EXPECT_EQ(Picture(session), "##...\n.#...\n.....\n") << "painted while the button is held";
  EXPECT_FALSE(session.CanUndo()) << "the step exists only at the stroke's end";
  EXPECT_TRUE(session.Modified());
  session.EndStroke();
  EXPECT_EQ(session.History().count(), 1);

  session.BeginStroke(false, 1, 0);  // the right button: floor
  session.PaintTo(1, 2);
  session.EndStroke();
  EXPECT_EQ(Picture(session), "#....\n.....\n.....\n");
  session.Undo();
  EXPECT_EQ(Picture(session), "##...\n.#...\n.....\n");
  session.Undo();
  EXPECT_EQ(Picture(session), ".....\n.....\n.....\n");
  EXPECT_FALSE(session.Modified()) << "back at the step it was opened with";
  session.Redo();
  session.Redo();
  EXPECT_EQ(Picture(session), "#....\n.....\n.....\n");
}

TEST(EditSessionStrokes, AFastDragPaintsEveryCellOnItsLineAndSkipsTheOutside) {
  TEditSession session(7, 4);
  session.BeginStroke(true, -2, 3);  // pressed beside the field
  session.PaintTo(6, 0);             // one jump of the pointer across it
  session.EndStroke();
  const TWallGrid& walls = session.Walls();
  // A line of cells joined by sides or corners, one in each column it crosses.
  for (int32_t x = 0; x < 7; ++x) {
    int32_t inColumn = 0;
    for (int32_t y = 0; y < 4; ++y) inColumn += walls.IsWallCell(x, y);
    EXPECT_GE(inColumn, 1) << "gap in column " << x << ":\n" << Picture(session);
  }
  EXPECT_TRUE(walls.IsWallCell(6, 0));
  EXPECT_EQ(session.History().count(), 1);
}

TEST(EditSessionStrokes, NothingChangedIsNoStep) {
  TEditSession session(WallPicture("#..\n..."));
  session.BeginStroke(true, 0, 0);  // wall on wall
  session.EndStroke();
  session.BeginStroke(false, 5, 5);  // off the field
  session.PaintTo(6, 6);
  session.EndStroke();
  session.FillRectangle({1, 0, 3, 2}, false);  // floor on floor
  session.ToggleCell(-1, 0);
  session.Resize(3, 2);
  EXPECT_EQ(session.History().count(), 0);
  EXPECT_FALSE(session.Modified());
}

TEST(EditSessionStrokes, FillToggleAndANewStepAfterUndo) {
  TEditSession session(WallPicture("#...\n....\n...#"));
  session.FillRectangle(CellsBetween(2, 2, 1, 0), true);  // corners in any order
  EXPECT_EQ(Picture(session), "###.\n.##.\n.###\n");
  session.FillRectangle({-5, 1, 99, 2}, false);  // clipped to the field
  EXPECT_EQ(Picture(session), "###.\n....\n.###\n");
  session.ToggleCell(3, 1);
  EXPECT_EQ(Picture(session), "###.\n...#\n.###\n");
  EXPECT_EQ(session.History().count(), 3);

  session.Undo();
  session.Undo();
  EXPECT_EQ(Picture(session), "###.\n.##.\n.###\n");
  session.ToggleCell(0, 1);  // a new step drops the undone ones
  EXPECT_FALSE(session.CanRedo());
  session.Undo();
  session.Undo();
  EXPECT_EQ(Picture(session), "#...\n....\n...#\n");
  EXPECT_FALSE(session.CanUndo());
}

TEST(EditSessionStrokes, UndoEndsAStrokeUnderWayAsItsOwnStep) {
  TEditSession session(3, 1);
  session.ToggleCell(0, 0);
  session.BeginStroke(true, 2, 0);
  session.Undo();  // Ctrl+Z with the button still down
  EXPECT_EQ(Picture(session), "#..\n") << "the stroke's own step undone, the toggle kept";
  session.Redo();
  EXPECT_EQ(Picture(session), "#.#\n");
}

TEST(EditSessionStrokes, TheSavedStepIsUnmodifiedWhereverTheHistoryGoes) {
  TEditSession session(2, 1);
  session.ToggleCell(0, 0);
  session.MarkSaved();
  EXPECT_FALSE(session.Modified());
  session.Undo();
  EXPECT_TRUE(session.Modified());
  session.Redo();
  EXPECT_FALSE(session.Modified());
  session.ToggleCell(1, 0);
  EXPECT_TRUE(session.Modified());
}

TEST(EditSessionStrokes, EveryChangeIsReportedWithItsCellsAndANewRevision) {
  TEditSession session(6, 6);
  std::vector<TCellRect> reported;
  session.OnChanged = [&](const TCellRect& cells, bool resized) {
    EXPECT_FALSE(resized);
    reported.push_back(cells);
  };
  const int64_t before = session.Revision();
  session.FillRectangle({1, 2, 4, 5}, true);
  session.Undo();
  session.BeginStroke(true, 5, 5);
  session.EndStroke();
  EXPECT_EQ(reported, (std::vector<TCellRect>{{1, 2, 4, 5}, {1, 2, 4, 5}, {5, 5, 6, 6}}));
  EXPECT_EQ(session.Revision(), before + 3);
}

}  // namespace
