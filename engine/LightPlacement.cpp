// The placement rules over a list of lights. A point held twice is named
// once for each later light, against the first one there.
#include "engine/LightPlacement.h"

#include "engine/Level.h"

#include <map>
#include <utility>

TPlacementFault PlacementFaultAt(const TLevel& level, const TGridPoint& p, bool taken) {
  if (!level.OnField(p)) return TPlacementFault::OffField;
  if (level.IsWalledGridPoint(p.x, p.y)) return TPlacementFault::Walled;
  return taken ? TPlacementFault::Occupied : TPlacementFault::None;
}

std::vector<TPlacement> CheckLightPlacement(const TLevel& level, const std::vector<TGridPoint>& lights) {
  std::vector<TPlacement> result(lights.size());
  std::map<std::pair<int32_t, int32_t>, int32_t> first;
  for (size_t i = 0; i < lights.size(); ++i) {
    const TGridPoint p = lights[i];
    TPlacement& r = result[i];
    const auto [at, fresh] = first.emplace(std::make_pair(p.x, p.y), int32_t(i));
    r.fault = PlacementFaultAt(level, p, !fresh);
    if (r.fault == TPlacementFault::Occupied) r.firstOnPoint = at->second;
  }
  return result;
}
