// The editor's side of glowmere-solve's machine-readable output
// (glowmere-solve --machine): one line per round of the search,
//   progress bound=L best=B proved=0|1 elapsed=S lights=X,Y;X,Y;... independent=X,Y;...
// with grid points as whole numbers and witness points as decimals, and at
// the end "optimum N" or "best N, lower bound M". Words it does not know
// are skipped, so a solver that says more is still understood. Also the
// witness files that a warm start hands over: one "x y" a line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CellRect.h"
#include "editor/OptimumTrack.h"
#include "engine/LevelMap.h"

struct TWitnessPoint {
  double x = 0, y = 0;  // cells
  bool operator==(const TWitnessPoint&) const = default;
};

struct TSolveProgressLine {
  TSolveFigures figures;
  double elapsed = 0;                     // seconds since the solve began
  std::vector<TGridPoint> lights;         // the best cover
  std::vector<TWitnessPoint> independent;  // no grid point sees two of them
};

// Nothing for a line that is no progress line or is damaged.
std::optional<TSolveProgressLine> ParseProgressLine(std::string_view line);
// The figures of a result line; nothing for any other line.
std::optional<TSolveFigures> ParseResultLine(std::string_view line);

// Witness files, in the shortest decimals that read back the same.
std::string WitnessFileText(const std::vector<TWitnessPoint>& points);
// The points of a witness file; lines that are no pair of numbers skipped.
std::vector<TWitnessPoint> ParseWitnessFile(std::string_view text);

// The witnesses that keep their worth across an edit of the cells changed:
// those farther than a cell from all of them.
std::vector<TWitnessPoint> WitnessesAwayFrom(const std::vector<TWitnessPoint>& points, const TCellRect& changed);
