// The visibility heat map of a level: for each floor cell, how many grid
// points see its centre. A light may stand on any of them, so a cell that
// few of them see leaves the designer few places for the light that it
// needs; such cells are what makes a level hard.
//
// "Sees" is the lit region's own rule (engine/Level.h): the centre lies in
// the region of the grid point, its boundary included. Grid points walled
// on all four sides take no light and count for nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "engine/Level.h"

struct TVisibilityHeat {
  int32_t width = 0, height = 0;  // the level's, in cells
  // width * height, row by row: the grid points that see the cell's
  // centre; -1 for a wall cell.
  std::vector<int32_t> seeing;
  int32_t most = 0;  // the largest count of a floor cell
  int32_t At(int32_t x, int32_t y) const { return seeing[size_t(y) * size_t(width) + size_t(x)]; }
};

// threads: how many to count with, 1 or more. Nothing when a stop was
// requested before the end.
std::optional<TVisibilityHeat> ComputeVisibilityHeat(const TLevel& level, int32_t threads = 1,
                                                     std::stop_token stop = {});
