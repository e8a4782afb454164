#include "game/LightHistory.h"

#include <cassert>

bool TLightHistory::Commit(const TLightPoints& now) {
  if (now == current_) return false;
  undo_.push_back(std::move(current_));
  current_ = now;
  redo_.clear();
  return true;
}

// Undo and redo are one move between the two stacks, in opposite senses.
const TLightPoints& TLightHistory::Step(std::vector<TLightPoints>& from, std::vector<TLightPoints>& to) {
  assert(!from.empty());
  to.push_back(std::move(current_));
  current_ = std::move(from.back());
  from.pop_back();
  return current_;
}

const TLightPoints& TLightHistory::Undo() { return Step(undo_, redo_); }

const TLightPoints& TLightHistory::Redo() { return Step(redo_, undo_); }
