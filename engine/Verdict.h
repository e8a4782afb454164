// What a set of lights makes of a level, without a window: the lit share,
// whether the game counts the field as full, the verdict of the judge
// operations, and every light that breaks the statement's rules. The game
// window's UpdateState and CheckSolution, glowmere-judge and the solver
// all take their answers from here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/Level.h"
#include "engine/LightPlacement.h"
#include "engine/Scoring.h"
#include "engine/SolutionFormat.h"
#include "geometry/Polygons.h"

// The share of the level's floor that the regions light together, in
// percent: the area of their union (null entries add nothing) times 100
// over the free cells, in extended precision. 0 on a level without floor.
long double LitShareOf(const TLevel& level, const std::vector<const TPolygon*>& regions);

// The floor that the regions leave dark: the level's floor minus each
// region in turn (null entries skipped). The hint button paints it, the
// judge measures it, and the solver samples it for witnesses and asks
// whether anything is left.
std::unique_ptr<TPolygon> DarkRemainderOf(const TPolygon& floor, const std::vector<const TPolygon*>& regions);

struct TVerdict {
  long double share = 0;  // LitShareOf the regions, percent
  bool full = false;      // FullShare: the game would take the lights as a record
  // What CheckSolution writes as "lights": the number of lights of a full
  // solution, OverLitVerdict for a full one whose share lies beyond the
  // tolerance; none for a solution that leaves floor dark.
  std::optional<int32_t> lights;
  std::vector<TPlacement> placements;  // one per light, in order
  bool otherLevel = false;             // the document names a level not the task's

  // A full share that only a wrong region can give (judged OverLitVerdict
  // for it, whatever the number of lights).
  bool OverLit() const { return full && OverLitShare(share); }
  // By the statement's rules the lights light nothing: one stands off the
  // field, on a walled point or on another's point, or the document is of
  // another level.
  bool BreaksRules() const;
};

// points: the lights in order; regions: the lit region of each (the same
// length; null where a light has none, which then lights nothing).
TVerdict VerdictOf(const TLevel& level, const std::vector<TGridPoint>& points,
                   const std::vector<const TPolygon*>& regions, const TDocumentLevel& documentLevel = {});
