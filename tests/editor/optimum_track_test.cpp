// What the panel says across edits: this level's figures only, and the
// change of the proved optimum once the level before and this one are both
// proved, also across edits that came faster than the proofs.
#include <gtest/gtest.h>

#include "editor/OptimumTrack.h"

namespace {

TEST(OptimumTrack, TheChangeIsShownOnceBothOptimaAreProved) {
  TOptimumTrack track;
  track.Progress({14, 18, false});
  track.Progress({16, 16, true});
  EXPECT_FALSE(track.Change()) << "nothing earlier to compare with";
  track.LevelChanged();
  EXPECT_FALSE(track.Figures()) << "the figures were the level's before the edit";
  track.Progress({15, 17, false});
  EXPECT_FALSE(track.Change());
  track.Progress({17, 17, true});
  EXPECT_EQ(track.Change(), (TOptimumChange{16, 17}));
  EXPECT_EQ(track.Figures(), (TSolveFigures{17, 17, true}));
}

TEST(OptimumTrack, EditsFasterThanTheProofCompareWithTheLastProvedLevel) {
  TOptimumTrack track;
  track.Progress({16, 16, true});
  track.LevelChanged();
  track.Progress({12, 19, false});
  track.LevelChanged();  // another stroke before this one was proved
  track.LevelChanged();
  track.Progress({16, 16, true});
  EXPECT_EQ(track.Change(), (TOptimumChange{16, 16}));
  track.LevelChanged();
  track.Progress({15, 15, true});
  EXPECT_EQ(track.Change(), (TOptimumChange{16, 15}));
}

}  // namespace
