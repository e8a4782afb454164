// The history of positions behind undo and redo, without a window.
#include <gtest/gtest.h>

#include "game/LightHistory.h"

TEST(LightHistory, StepsBackAndForthAndANewStepDropsTheRedo) {
  const TLightPoints none, one = {{1, 2}}, two = {{1, 2}, {3, 4}}, moved = {{5, 6}, {3, 4}};
  TLightHistory history(one);
  EXPECT_FALSE(history.Commit(one)) << "no change, no step";
  EXPECT_TRUE(history.Commit(two) && history.Commit(moved) && history.Commit(none));
  EXPECT_TRUE(history.Undo() == moved && history.Undo() == two);
  EXPECT_FALSE(history.Commit(two)) << "showing what undo gave is no step";
  EXPECT_TRUE(history.Redo() == moved && history.Undo() == two && history.Undo() == one && !history.CanUndo());
  EXPECT_TRUE(history.Commit(none));
  EXPECT_FALSE(history.CanRedo()) << "a new step drops the steps undone";
}
