#include "game/LightHistory.h"

#include <cassert>

bool TLightHistory::Commit(const TLightPoints& now) {
  if (now == current_) return false;
  undo_.push_back(std::move(current_));
  current_ = now;
  redo_.clear();
  return true;
}

const TLightPoints& TLightHistory::Undo() {
  assert(CanUndo());
  redo_.push_back(std::move(current_));
  current_ = std::move(undo_.back());
  undo_.pop_back();
  return current_;
}

const TLightPoints& TLightHistory::Redo() {
  assert(CanRedo());
  undo_.push_back(std::move(current_));
  current_ = std::move(redo_.back());
  redo_.pop_back();
  return current_;
}
