// The fewest lights that light the whole floor, by the iterative witness
// method: the fewest candidates that light a finite set of witness points
// is a lower bound; where the chosen candidates leave floor dark, witnesses
// are added inside every dark piece and the program is solved again; once
// the chosen candidates light everything, their number is the optimum.
// The lower bounds hold even for the game's tolerance (a set of fewer
// lights always leaves more dark than the game's full share allows), so
// the optimum is also the fewest lights on the field's grid points that
// the game accepts as a record. (A loaded file may put lights off the
// field, where the game computes them too; those are no candidates here.)
//
// "Light everything" means that the dark remainder (the floor minus the
// chosen regions, through the engine's clipper) has no area beyond the
// clipper's rounding (ArtefactArea, far below any real piece of floor):
// not a share that merely rounds to 100 %, nor one within the game's
// record tolerance.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "solver/CoverField.h"
#include "solver/CoverProgram.h"

struct TSolveOptions {
  double timeLimit = 600;  // seconds from `began`
  int32_t threads = 1;
  int32_t witnessesPerPiece = 3;
  std::chrono::steady_clock::time_point began = std::chrono::steady_clock::now();
};

// One line of progress: after the greedy start (iteration 0) and after
// every integer program.
struct TSolveProgress {
  int32_t iteration = 0;
  size_t witnesses = 0;
  int32_t lowerBound = 0;
  int32_t best = 0;          // lights of the best full cover so far
  long double darkArea = 0;  // square cells left dark by this iteration's choice
  double elapsed = 0;        // seconds since options.began
};

struct TSolveResult {
  std::vector<int32_t> best;  // candidate indices of the best full cover
  int32_t lowerBound = 0;     // no full cover has fewer lights
  bool proved = false;        // best.size() == lowerBound
  // The search stopped because a choice came back that witnesses cannot
  // tell from a full cover (darkness thinner than the seeing slack).
  bool stalled = false;
  int32_t iterations = 0;     // integer programs solved
  size_t witnesses = 0;
  double elapsed = 0;
};

TSolveResult SolveFewestLights(const TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress);
