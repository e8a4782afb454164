// Where the splash picture puts its lights, and what they see: a plain
// line-of-sight test against the wall cells, good enough for a picture
// (the game's own visibility is computed exactly elsewhere).
#pragma once

#include <QPoint>
#include <functional>
#include <vector>

#include "art/ArtMap.h"

// True when the segment from (x0, y0) to (x1, y1), in cell units, passes
// through no wall cell; running along a wall's side does not block.
bool SeesPoint(const ArtMap& map, double x0, double y0, double x1, double y1, double step);

// Up to `count` grid points for which `allowed` holds, chosen greedily, each lighting the most free cells not yet lit (ties to
// the first in row order). Deterministic.
std::vector<QPoint> ChooseSplashLights(const ArtMap& map, int count,
                                      const std::function<bool(const QPoint&)>& allowed);
