// The searches for a better cover than the best, which live for the
// whole run (TCoverSearchTeam): their time slices, the covers they find
// handed to the dark check, the searches alongside a child process, their
// core after new duals, and the start near the LP's solution.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/ContainedCall.h"
#include "solver/CoverSearchTeam.h"
#include "solver/LagrangianBound.h"
#include "solver/RoundOutcome.h"
#include "solver/SolveState.h"

class TBetterCovers {
 public:
  explicit TBetterCovers(TSolveState& state);

  // cover (full) is the best; the searches go on one light below it.
  void NewBest(std::vector<int32_t> cover);
  // Whether a slice is due this round (see the rules in the .cpp).
  bool Due() const;
  // A time slice of the searches: TBetterCover, TRowsJoined (a dark cover
  // brought witnesses), TNothingNew or TSearchEnds.
  TRoundOutcome Slice();
  // The searches while a child process works, where they run at all
  // (RunContained's alongside), and afterwards the covers they found,
  // checked: TSearchEnds, or TBetterCover or TNothingNew.
  TAlongside Alongside();
  TRoundOutcome CheckAlongside();
  // New duals: the core is built anew before the searches next run.
  void DualsChanged(const std::vector<double>& reducedCost, std::vector<int32_t> support);
  // A cover near the LP's solution, made full: the new best where it has
  // fewer lights. False where the search must end.
  bool StartNear(const std::vector<std::pair<int32_t, double>>& solution, const TMultipliers& prices);
  // A cover of rows with size lights, from chosen, within seconds: one
  // local search of its own.
  bool Search(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen, double seconds);
  // The searches' moves and times into the result.
  void Finish(TSolveResult& result) const;

 private:
  TRoundOutcome CheckFound(const std::vector<std::vector<int32_t>>& found);
  void RefreshCore();

  TSolveState& state_;
  // The searches for a better cover, which live for the whole run.
  TCoverSearchTeam team_;
  uint64_t searchSeed_ = 1;  // of the next search of the decision's own
  // The searches' thread-seconds when they last found a better cover.
  double atBetter_ = 0;
  // The known rows and the lower bound when the last slice missed: until
  // either changes, another would miss again.
  std::pair<int32_t, int32_t> missed_{-1, -1};
  // The last duals' reduced costs and the LP's support, and whether the
  // core was built from them.
  std::vector<double> reducedCost_;
  std::vector<int32_t> support_;
  bool coreStale_ = false;
  bool coreWhole_ = false;  // the core holds every candidate (near the bound)
};
