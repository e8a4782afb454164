// What the editor says of the fewest lights while the designer draws: the
// solver's figures for the level as it stands, and what the edits did to
// the proved optimum («было 16, стало 17»): the optimum last proved for an
// earlier state of the level beside the one proved for this state, once
// both are known. Figures of an earlier state are never shown as this
// one's.
#pragma once

#include <cstdint>
#include <optional>

struct TSolveFigures {
  int32_t bound = 0;  // no cover has fewer lights
  int32_t best = 0;   // lights of the best cover found
  bool proved = false;
  bool operator==(const TSolveFigures&) const = default;
};

struct TOptimumChange {
  int32_t before = 0, after = 0;
  bool operator==(const TOptimumChange&) const = default;
};

class TOptimumTrack {
 public:
  // The walls changed: what is known belongs to the level before.
  void LevelChanged();
  // The solver's latest figures for the level as it stands.
  void Progress(const TSolveFigures& figures);

  const std::optional<TSolveFigures>& Figures() const { return figures_; }
  std::optional<TOptimumChange> Change() const;

 private:
  std::optional<TSolveFigures> figures_;
  std::optional<int32_t> earlier_;  // the optimum last proved before the latest change
};
