#include "editor/OptimumTrack.h"

void TOptimumTrack::LevelChanged() {
  if (figures_ && figures_->proved) earlier_ = figures_->best;
  figures_.reset();
}

void TOptimumTrack::Progress(const TSolveFigures& figures) { figures_ = figures; }

std::optional<TOptimumChange> TOptimumTrack::Change() const {
  if (!earlier_ || !figures_ || !figures_->proved) return std::nullopt;
  return TOptimumChange{*earlier_, figures_->best};
}
