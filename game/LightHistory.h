// TLightHistory: undo and redo of the player's changes to the lights. It
// keeps whole positions, the grid points of the lights in list order, so
// that undoing a step brings back exactly the lights that stood before it,
// in their order, whatever the step was (add, move, remove, clear, load, go
// to the record). Plain C++: the window hands it positions and shows what
// it gives back. The history lives for one run and is never stored.
#pragma once

#include <vector>

#include "engine/LevelMap.h"

// The grid points of the lights, in the order of the window's list.
using TLightPoints = std::vector<TGridPoint>;

class TLightHistory {
 public:
  // `start` is the position the run begins with; there is nothing to undo.
  explicit TLightHistory(TLightPoints start = {}) : current_(std::move(start)) {}

  // The lights now stand at `now`. When that differs from the position last
  // known, the position last known becomes one step to undo, and the steps
  // to redo are dropped. True when a step was recorded.
  bool Commit(const TLightPoints& now);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // One step back (or forward again): the position to show, which is then
  // the position last known. Only when CanUndo (CanRedo).
  const TLightPoints& Undo();
  const TLightPoints& Redo();

 private:
  const TLightPoints& Step(std::vector<TLightPoints>& from, std::vector<TLightPoints>& to);

  std::vector<TLightPoints> undo_;  // oldest first
  std::vector<TLightPoints> redo_;  // the next to redo last
  TLightPoints current_;
};
