// The statement's rules for where lights stand: on a grid point of the
// field, never on one walled in on all four sides, one light per point.
// The game's mouse and keys keep them; a hand-edited solution file can
// break them, and the judge names each light that does.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/LevelMap.h"

class TLevel;

enum class TPlacementFault {
  None,
  OffField,  // outside 0..W, 0..H
  Walled,    // TLevel::IsWalledGridPoint
  Occupied,  // an earlier light of the list stands on the same point
};

struct TPlacement {
  TPlacementFault fault = TPlacementFault::None;
  int32_t firstOnPoint = -1;  // Occupied: the index of the earlier light
};

// Where one more light may stand: None, or the first rule that a light at
// p breaks; taken: another light stands on p already. The game's mouse
// and keys ask it before they put a light down.
TPlacementFault PlacementFaultAt(const TLevel& level, const TGridPoint& p, bool taken);
// One entry per light, in order; the same rules, each light against those
// before it.
std::vector<TPlacement> CheckLightPlacement(const TLevel& level, const std::vector<TGridPoint>& lights);
