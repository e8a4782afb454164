// Resizing the field: the cells that stay keep their place from the top-left
// corner, new cells are floor, the sides stay within the map reader's
// limits, and undo brings back the cells that a smaller field dropped.
#include <gtest/gtest.h>

#include "editor/EditSession.h"
#include "engine/MapText.h"
#include "engine/MapTextWriter.h"
#include "support/WallPicture.h"

namespace {

std::string Picture(const TEditSession& session) { return MapTextOf(session.Walls()); }

TEST(EditSessionResize, KeepsTheTopLeftAndUndoBringsBackWhatWasCut) {
  TEditSession session(WallPicture("#..#\n.##.\n#..#"));
  bool resizedReported = false;
  session.OnChanged = [&](const TCellRect& cells, bool resized) {
    resizedReported = resized;
    EXPECT_EQ(cells, (TCellRect{0, 0, session.Width(), session.Height()}));
  };
  session.Resize(2, 2);
  EXPECT_EQ(Picture(session), "#.\n.#\n");
  EXPECT_TRUE(resizedReported);
  session.Resize(3, 4);
  EXPECT_EQ(Picture(session), "#..\n.#.\n...\n...\n");
  EXPECT_EQ(session.History().count(), 2);
  session.Undo();
  session.Undo();
  EXPECT_EQ(Picture(session), "#..#\n.##.\n#..#\n");
  session.Redo();
  EXPECT_EQ(Picture(session), "#.\n.#\n");
}

TEST(EditSessionResize, SidesStayWithinTheReadersLimits) {
  TEditSession session(0, 100000);
  EXPECT_EQ(session.Width(), 1);
  EXPECT_EQ(session.Height(), MaxMapSide);
  session.Resize(MaxMapSide + 1, -3);
  EXPECT_EQ(session.Width(), MaxMapSide);
  EXPECT_EQ(session.Height(), 1);
  // The largest field painted across and undone, a stroke as any other.
  session.Resize(MaxMapSide, MaxMapSide);
  session.BeginStroke(true, 0, 0);
  session.PaintTo(MaxMapSide - 1, MaxMapSide - 1);
  session.EndStroke();
  EXPECT_EQ(session.Walls().WallCount(), MaxMapSide);
  session.Undo();
  EXPECT_EQ(session.Walls().WallCount(), 0);
}

TEST(EditSessionResize, RestoredEditsAreOneStepBackToTheFile) {
  TEditSession session(WallPicture("...\n..."));
  session.Restore(WallPicture("#\n#\n."));
  EXPECT_EQ(Picture(session), "#\n#\n.\n");
  EXPECT_TRUE(session.Modified()) << "restored edits are not saved ones";
  session.Undo();
  EXPECT_EQ(Picture(session), "...\n...\n");
  EXPECT_FALSE(session.Modified());
}

}  // namespace
