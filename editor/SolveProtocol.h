// The editor's side of glowmere-solve's machine-readable output
// (glowmere-solve --machine): one line per round of the search,
//   progress bound=L best=B proved=0|1 elapsed=S lights=X,Y;X,Y;... independent=X,Y;...
// with grid points as whole numbers and witness points as decimals, and at
// the end "optimum N" or "best N, lower bound M". Words it does not know
// are skipped, so a solver that says more is still understood. The witness
// files that a warm start hands over are the solver's own
// (solver/SolutionFile.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CellRect.h"
#include "editor/OptimumTrack.h"
#include "engine/LevelMap.h"
#include "geometry/gpc.h"

struct TSolveProgressLine {
  TSolveFigures figures;
  double elapsed = 0;                     // seconds since the solve began
  std::vector<TGridPoint> lights;         // the best cover
  std::vector<gpc_vertex> independent;  // witness points, cells: no grid point sees two of them
};

// Nothing for a line that is no progress line or is damaged.
std::optional<TSolveProgressLine> ParseProgressLine(std::string_view line);
// The figures of a result line; nothing for any other line.
std::optional<TSolveFigures> ParseResultLine(std::string_view line);

// The witnesses that keep their worth across an edit of the cells changed:
// those farther than a cell from all of them.
std::vector<gpc_vertex> WitnessesAwayFrom(const std::vector<gpc_vertex>& points, const TCellRect& changed);
