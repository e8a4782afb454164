// The fewest lights that light the whole floor, by the iterative witness
// method: the fewest candidates that see a finite set of witness points
// is a lower bound; where chosen candidates leave floor dark, witnesses
// are added inside every dark piece and the question is asked again; once
// a set of as many candidates as the lower bound lights everything, it is
// the optimum. The lower bounds hold even for the game's tolerance (a set
// of fewer lights always leaves more dark than the game's full share
// allows), so the optimum is also the fewest lights on the field's grid
// points that the game accepts as a record. (A loaded file may put lights
// off the field, where the game computes them too; those are no
// candidates here.)
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
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "solver/CoverField.h"
#include "solver/CoverProgram.h"

struct TSolveOptions {
  double timeLimit = 600;  // seconds from `began`
  int32_t threads = 1;
  int32_t witnessesPerPiece = 3;  // chord middles per dark piece (besides the points near its corners)
  std::chrono::steady_clock::time_point began = std::chrono::steady_clock::now();
  // A stop requested here ends the solve within a tenth of a second, a
  // running library child included, with the best cover and bound so far
  // (TSolveResult::stopped).
  std::stop_token stop;
  // What an earlier solve of a level like this one knew (the editor's
  // level before a stroke): lights to start the search from, repaired
  // where they leave floor dark (points where no light may stand are
  // dropped), and witness points to start with beside the first ones
  // (points off the floor are dropped). Either may be empty; neither
  // changes what is proved, only how soon.
  std::vector<TGridPoint> startLights;
  std::vector<gpc_vertex> startWitnesses;
};

// Seconds spent in each kind of work, since `began`.
struct TSolveTimes {
  double regions = 0;   // lit regions of candidates (ComputeLitRegion)
  double rows = 0;      // which candidates see each witness
  double dark = 0;      // dark remainders and witnesses in them
  double search = 0;    // greedy covers and the local search
  double relaxations = 0;  // LP relaxations over the known rows
  double fractional = 0;   // witnesses where the LP's solution lights the floor less than once
  double programs = 0;  // integer programs, reduction included
};

// One line of progress: after the start (iteration 0) and after every
// round of the search.
struct TSolveProgress {
  int32_t iteration = 0;
  size_t witnesses = 0;
  int32_t lowerBound = 0;
  int32_t best = 0;          // lights of the best full cover so far
  // The value of the LP relaxation over every known witness, when the
  // last LP ran to its end over the rows known then.
  std::optional<double> fractional;
  // How many candidates can still be in a cover of best - 1 lights, by the
  // reduced costs of the last duals (reduced-cost fixing); none before the
  // first LP.
  std::optional<int32_t> alive;
  // Square cells left dark by this round's choice; none when the round
  // chose none.
  std::optional<long double> darkArea;
  double elapsed = 0;        // seconds since options.began
  TSolveTimes times;
  bool proved = false;       // best == lowerBound: the best cover is the optimum
  std::vector<TGridPoint> bestLights;  // the best full cover's lights, ascending by candidate
  // Witness points of which no candidate sees two: each needs a light of
  // its own, so their number is a lower bound that the eye can check
  // (and a proof once it equals best).
  std::vector<gpc_vertex> independent;
};

struct TSolveResult {
  std::vector<int32_t> best;  // candidate indices of the best full cover
  int32_t lowerBound = 0;     // no full cover has fewer lights
  bool proved = false;        // best.size() == lowerBound
  // The time ran out before any cover was found by the search: best is a
  // cover made without it (one light in a corner of each of a set of free
  // rectangles that tile the floor), full by construction.
  bool makeshift = false;
  // The search stopped because a choice came back that witnesses cannot
  // tell from a full cover (darkness thinner than the seeing slack).
  bool stalled = false;
  // The integer-programming library failed (also when tried again): the
  // search stopped there; failure says how.
  bool failed = false;
  std::string failure;
  // The lit share of best as the game's panel computes it, in percent,
  // measured before the time limit ends; none for the makeshift cover
  // (full by construction, and measuring it would take the regions of many
  // lights), nor after a stop, which must not wait for a measurement
  // (every cover the search keeps lights the floor by the exact dark
  // remainder).
  std::optional<long double> litPercent;
  // A stop request ended the search before it proved or ran out of time.
  bool stopped = false;
  // The local searches for better covers (alongside the child processes
  // too): moves made, seconds of their threads summed, and of those the
  // seconds since the last better cover they found (tries that found none).
  int64_t searchMoves = 0;
  double searchSeconds = 0;
  double searchMissed = 0;
  int32_t iterations = 0;     // rounds of the search
  int32_t programs = 0;       // integer programs solved
  size_t witnesses = 0;
  // Every witness point known at the end: a later solve of a like level
  // may start from them (TSolveOptions::startWitnesses).
  std::vector<gpc_vertex> witnessPoints;
  double elapsed = 0;
  TSolveTimes times;
};

TSolveResult SolveFewestLights(TCoverField& field, TCoverProgram& program, const TSolveOptions& options,
                               const std::function<void(const TSolveProgress&)>& progress);
