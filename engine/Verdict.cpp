#include "engine/Verdict.h"

#include <algorithm>
#include <cassert>

#include "engine/Scoring.h"
#include "geometry/Union.h"

long double LitShareOf(const TLevel& level, const std::vector<const TPolygon*>& regions) {
  const int32_t free = level.FreeCells();
  return free > 0 ? UnitedArea(regions) * 100.0L / (long double)free : 0.0L;
}

std::unique_ptr<TPolygon> DarkRemainderOf(const TPolygon& floor, const std::vector<const TPolygon*>& regions) {
  // A copy of the floor's contours: the clipper then starts from the very
  // polygon the walls left, as if they were subtracted anew.
  auto remainder = std::make_unique<TPolygon>();
  remainder->Clear();
  for (size_t i = 0; i < floor.Contours().size(); ++i) remainder->AddContour(floor.Contours()[i], floor.Holes()[i]);
  // Each region cut out in turn, in the lights' order: pieces that a
  // region only grazes stay apart, where one pass over the union of all
  // the regions joins them by edges of no width, which the hint would
  // outline. The area is the same either way.
  for (const TPolygon* region : regions) {
    if (remainder->Contours().empty()) break;
    if (region) remainder->Clip(GPC_DIFF, region);
  }
  return remainder;
}

bool TVerdict::BreaksRules() const {
  return otherLevel || std::any_of(placements.begin(), placements.end(),
                                   [](const TPlacement& p) { return p.fault != TPlacementFault::None; });
}

TVerdict VerdictOf(const TLevel& level, const std::vector<TGridPoint>& points,
                   const std::vector<const TPolygon*>& regions, const TDocumentLevel& documentLevel) {
  assert(points.size() == regions.size());
  TVerdict v;
  v.share = LitShareOf(level, regions);
  v.full = FullShare(v.share);
  if (v.full) v.lights = v.OverLit() ? OverLitVerdict : int32_t(points.size());
  v.placements = CheckLightPlacement(level, points);
  v.otherLevel = !documentLevel.IsTasks();
  return v;
}
