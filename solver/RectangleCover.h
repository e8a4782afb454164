// A full cover made without any search, for a run whose time ends before
// the search has one: the floor tiled by free rectangles, each lit whole
// by one light on a corner of it (a rectangle is convex and holds no wall,
// so its corner sees all of it). Far from the fewest, but full by
// construction and found in one pass over the cells.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/CoverField.h"

// Candidate indices, ascending.
std::vector<int32_t> RectangleCover(const TCoverField& field);
