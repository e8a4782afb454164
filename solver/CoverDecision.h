// The decision for k, the lower bound: is there a cover of the known
// witnesses with k lights? First a short local search, then the integer
// program, over the active share of the rows and over the candidates that
// reduced-cost fixing leaves (a cover of k lights holds no other). Either
// none exists even for those rows, and the lower bound rises, or its
// cover leaves some known rows unmet, which join the active rows, or it
// meets them all, and the clipper says whether it lights the whole floor
// (the optimum) or where witnesses must go. Proofs over a few hundred rows
// cost the library a small fraction of what all rows would; rows that
// never stood in the way never reach it.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "solver/BetterCovers.h"
#include "solver/CoverBound.h"
#include "solver/CoverProgram.h"
#include "solver/RoundOutcome.h"
#include "solver/SolveState.h"

class TCoverDecision {
 public:
  TCoverDecision(TSolveState& state, TCoverProgram& program, TBetterCovers& covers, const TCoverBound& bound)
      : state_(state), program_(program), covers_(covers), bound_(bound) {}

  // Where the next local search of the active rows starts.
  void SeedWith(std::vector<int32_t> cover) { seed_ = std::move(cover); }
  // TBoundRose, TRowsJoined (rows or witnesses joined, or the program was
  // undecided in its allowance), TBetterCover (the optimum) or TSearchEnds.
  TRoundOutcome Decide();

 private:
  // A cover of k lights of the active rows, or why there is none.
  struct TCoverOfK {
    std::vector<int32_t> chosen;
  };
  using TAnswerForK = std::variant<TCoverOfK, TRoundOutcome>;
  TAnswerForK AskForK(int32_t k, const std::vector<int32_t>& alive);
  TAnswerForK AskProgram(int32_t k, TCoverProblem problem);
  TRoundOutcome Refine(const std::vector<int32_t>& choice);

  TSolveState& state_;
  TCoverProgram& program_;
  TBetterCovers& covers_;
  const TCoverBound& bound_;
  std::vector<int32_t> seed_;
  // The bound the following two belong to: a new bound starts them anew.
  int32_t boundSeen_ = -1;
  int32_t stuck_ = 0;  // rounds in a row in which the program's cover missed known rows
  double programSeconds_ = 0;
};
